// Hiding the main window behind the tray icon, showing it again, and the only way the program
// ends: "Exit", confirmed.
#include "framework/message_box.h"
#include "framework/resource_text.h"
#include "resources/resource.h"
#include "settings/settings_file.h"
#include "settings/settings_keys.h"
#include "shell/app/quillon_app.h"
#include "shell/main_window/quillon_dlg.h"

namespace quillon {

void CQuillonDlg::AddTrayIcon(bool hide) {
  trayIcon_.Add();
  if (hide) ::ShowWindow(Handle(), SW_HIDE);
}

void CQuillonDlg::HideToTray() { AddTrayIcon(true); }

bool CQuillonDlg::OnClose() {
  HideToTray();
  return true;
}

void CQuillonDlg::ShowNormally() { ::ShowWindow(Handle(), SW_SHOWNORMAL); }

bool CQuillonDlg::OnAppMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
  if (message != WM_TRAY_NOTIFY) return false;
  if (initialised_) trayIcon_.OnNotify(static_cast<UINT>(lParam));
  result = 0;
  return true;
}

void CQuillonDlg::QuitApplication() {
  if (!AskYesNo(Handle(), LoadResourceString(IDS_QUIT_CONFIRM),
                LoadResourceString(IDS_QUIT_CAPTION))) {
    return;
  }
  if (const HWND quickBar = app_.QuickBarWindow()) {
    RECT place{};
    ::GetWindowRect(quickBar, &place);
    const SettingsFile settings(SettingsPathIn(app_.DataFolder()));
    settings.WriteNumber(kSectionSoftware, kKeyQuickBarX, place.left);
    settings.WriteNumber(kSectionSoftware, kKeyQuickBarY, place.top);
  }
  trayIcon_.Remove();
  // The shell's own icon list stays alive: the list lets go of it before it goes.
  ListView_SetImageList(fileList_.Handle(), nullptr, LVSIL_SMALL);
  EndDialog(IDOK);
}

}  // namespace quillon
