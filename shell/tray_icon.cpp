// The notification-area icon that the main window hides behind, its menu, and the only way
// the program ends: "Exit".
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "framework/message_box.h"
#include "framework/resource_text.h"
#include "resources/resource.h"
#include "shell/quillon_app.h"
#include "shell/quillon_dlg.h"
#include "shell/settings.h"
#include "shell/settings_rules.h"
#include "ui/popup_menu.h"

namespace quillon {
namespace {

// The tray menu opens just above the cursor.
constexpr int kTrayMenuLift = 5;

// The record without the balloon icon: what every system since Windows XP accepts.
NOTIFYICONDATAW TrayIconRecord(HWND window, HICON icon) {
  NOTIFYICONDATAW record{};
  record.cbSize = NOTIFYICONDATAW_V3_SIZE;
  record.hWnd = window;
  record.uID = IDR_MAINFRAME;
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record.uCallbackMessage = WM_TRAY_NOTIFY;
  record.hIcon = icon;
  const std::u16string tip = LoadResourceString(IDS_TRAY_TIP);
  const std::size_t length = std::min(tip.size(), std::size(record.szTip) - 1);
  std::copy_n(tip.begin(), length, record.szTip);
  return record;
}

}  // namespace

void CQuillonDlg::AddTrayIcon(bool hide) {
  NOTIFYICONDATAW record = TrayIconRecord(Handle(), smallIcon_);
  // Fails harmlessly while the icon is there; brings it back when it was lost.
  ::Shell_NotifyIconW(NIM_ADD, &record);
  if (hide) ::ShowWindow(Handle(), SW_HIDE);
}

void CQuillonDlg::RemoveTrayIcon() {
  NOTIFYICONDATAW record = TrayIconRecord(Handle(), smallIcon_);
  ::Shell_NotifyIconW(NIM_DELETE, &record);
}

void CQuillonDlg::HideToTray() { AddTrayIcon(true); }

bool CQuillonDlg::OnClose() {
  HideToTray();
  return true;
}

void CQuillonDlg::ShowNormally() { ::ShowWindow(Handle(), SW_SHOWNORMAL); }

bool CQuillonDlg::OnAppMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
  if (message != WM_TRAY_NOTIFY) return false;
  OnTrayNotify(static_cast<UINT>(lParam));
  result = 0;
  return true;
}

void CQuillonDlg::OnTrayNotify(UINT mouseMessage) {
  if (!initialised_) return;
  if (mouseMessage == WM_LBUTTONUP) {
    if (IsVisible()) {
      ::ShowWindow(Handle(), SW_HIDE);
    } else {
      ::SetForegroundWindow(Handle());
      ShowNormally();
    }
  } else if (mouseMessage == WM_RBUTTONUP) {
    // In the foreground, the menu closes when the user clicks elsewhere.
    ::SetForegroundWindow(Handle());
    POINT cursor{};
    ::GetCursorPos(&cursor);
    PopupMenuAt(IDR_MENU_TRAY, Handle(), cursor.x, cursor.y - kTrayMenuLift);
    ::PostMessageW(Handle(), WM_NULL, 0, 0);
  }
}

void CQuillonDlg::QuitApplication() {
  if (ShowMessage(Handle(), LoadResourceString(IDS_QUIT_CONFIRM),
                  LoadResourceString(IDS_QUIT_CAPTION), MB_YESNO) != IDYES) {
    return;
  }
  if (const HWND quickBar = app_.QuickBarWindow()) {
    RECT place{};
    ::GetWindowRect(quickBar, &place);
    const SettingsFile settings(SettingsPathIn(app_.DataFolder()));
    settings.WriteNumber(kSectionSoftware, kKeyQuickBarX, place.left);
    settings.WriteNumber(kSectionSoftware, kKeyQuickBarY, place.top);
  }
  RemoveTrayIcon();
  // The shell's own icon list stays alive: the list lets go of it before it goes.
  ListView_SetImageList(Item(IDC_FILE_LIST), nullptr, LVSIL_SMALL);
  EndDialog(IDOK);
}

}  // namespace quillon
