#include "shell/main_window/about_dlg.h"

#include <utility>

#include "resources/resource.h"

namespace quillon {

CAboutDlg::CAboutDlg(std::function<void()> openHelp)
    : CDialog(IDD_ABOUTBOX), openHelp_(std::move(openHelp)) {}

bool CAboutDlg::OnHelp(const HELPINFO&) {
  if (openHelp_) openHelp_();
  return true;
}

}  // namespace quillon
