// Hiding the main window behind the tray icon, showing it again, and the only way the program
// ends: "Exit", confirmed.
#include "framework/message_box.h"
#include "framework/resource_text.h"
#include "resources/resource.h"
#include "quick/quick_bar.h"
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
  if (message == WM_MOVED_FILES) {
    ApplyMovedFiles();
  } else if (message == WM_HANDED_FILES) {
    AddHandedFilesWhenFree();
  } else if (message == WM_TRAY_NOTIFY) {
    if (initialised_) trayIcon_.OnNotify(static_cast<UINT>(lParam));
  } else {
    return false;
  }
  result = 0;
  return true;
}

void CQuillonDlg::QuitApplication() {
  if (!AskYesNo(Handle(), LoadResourceString(IDS_QUIT_CONFIRM),
                LoadResourceString(IDS_QUIT_CAPTION))) {
    return;
  }
  if (CQuickBar* quickBar = host_.RunningQuickBar()) quickBar->SavePlace();
  trayIcon_.Remove();
  fileList_.ReleaseImages();
  EndDialog(IDOK);
}

}  // namespace quillon
