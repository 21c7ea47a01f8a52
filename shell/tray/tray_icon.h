// The notification-area icon the main window hides behind: added at start, added again when
// the window hides (which brings back an icon the shell lost), and removed when the program
// ends, by "Exit" or by the destructor, whichever comes first.
//
//   CTrayIcon tray;                 // a member of the window, so it goes before the window
//   tray.Attach(Handle(), icon);
//   tray.Add();
//   OnAppMessage(WM_TRAY_NOTIFY...) -> tray.OnNotify(mouseMessage);
#pragma once

#include <windows.h>

namespace quillon {

class CTrayIcon {
 public:
  CTrayIcon() = default;
  ~CTrayIcon();
  CTrayIcon(const CTrayIcon&) = delete;
  CTrayIcon& operator=(const CTrayIcon&) = delete;

  // The window that receives the icon's callback message WM_TRAY_NOTIFY, and the icon shown.
  void Attach(HWND window, HICON icon);
  // Fails harmlessly while the icon is there; brings it back when it was lost.
  void Add();
  void Remove();

  // A left click shows or hides the window; a right click opens the tray menu (menu 188)
  // above the cursor. Other mouse messages do nothing.
  void OnNotify(UINT mouseMessage) const;

 private:
  HWND window_ = nullptr;
  HICON icon_ = nullptr;
  bool added_ = false;
};

}  // namespace quillon
