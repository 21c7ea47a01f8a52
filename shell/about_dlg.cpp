#include "shell/about_dlg.h"

#include <utility>

#include "resources/resource.h"

namespace quillon {

CAboutDlg::CAboutDlg(std::function<void()> openHelp)
    : CDialog(IDD_ABOUTBOX), openHelp_(std::move(openHelp)) {}

// The template has no place of its own: the box opens over the middle of the main window,
// or of the screen's work area while the main window is hidden.
bool CAboutDlg::OnInitDialog() {
  const HWND owner = ::GetWindow(Handle(), GW_OWNER);
  RECT over{};
  if (owner && ::IsWindowVisible(owner)) {
    ::GetWindowRect(owner, &over);
  } else {
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &over, 0);
  }
  RECT box{};
  ::GetWindowRect(Handle(), &box);
  const int x = (over.left + over.right - (box.right - box.left)) / 2;
  const int y = (over.top + over.bottom - (box.bottom - box.top)) / 2;
  ::SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

bool CAboutDlg::OnHelp(const HELPINFO&) {
  if (openHelp_) openHelp_();
  return true;
}

}  // namespace quillon
