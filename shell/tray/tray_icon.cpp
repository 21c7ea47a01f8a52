#include "shell/tray/tray_icon.h"

#include <shellapi.h>

#include <algorithm>
#include <string>

#include "framework/resource_text.h"
#include "resources/resource.h"
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

CTrayIcon::~CTrayIcon() { Remove(); }

void CTrayIcon::Attach(HWND window, HICON icon) {
  window_ = window;
  icon_ = icon;
}

void CTrayIcon::Add() {
  NOTIFYICONDATAW record = TrayIconRecord(window_, icon_);
  ::Shell_NotifyIconW(NIM_ADD, &record);
  added_ = true;
}

void CTrayIcon::Remove() {
  if (!added_) return;
  NOTIFYICONDATAW record = TrayIconRecord(window_, icon_);
  ::Shell_NotifyIconW(NIM_DELETE, &record);
  added_ = false;
}

void CTrayIcon::OnNotify(UINT mouseMessage) const {
  if (mouseMessage == WM_LBUTTONUP) {
    if (::IsWindowVisible(window_)) {
      ::ShowWindow(window_, SW_HIDE);
    } else {
      ::SetForegroundWindow(window_);
      ::ShowWindow(window_, SW_SHOWNORMAL);
    }
  } else if (mouseMessage == WM_RBUTTONUP) {
    // In the foreground, the menu closes when the user clicks elsewhere.
    ::SetForegroundWindow(window_);
    POINT cursor{};
    ::GetCursorPos(&cursor);
    PopupMenuAt(IDR_MENU_TRAY, window_, cursor.x, cursor.y - kTrayMenuLift);
    ::PostMessageW(window_, WM_NULL, 0, 0);
  }
}

}  // namespace quillon
