// MainWindowWait: holds a command (of the quick bar, its list, or files handed over by a second
// start) while the main window shows a modal dialog (Edit Tags, Edit Folder, a message box),
// which disables the main window. Such a dialog may hold a record the command would change or
// remove, or read a list the command would refill, so a command that changes the catalogue or
// the main window's list runs only once the dialog is closed, without a message. Reading
// (typing a search, hover) never waits.
//
//   MainWindowWait wait_;                              // a member of the window
//   wait_.Run(Handle(), mainWindow, [this] { ... });   // now, or once the dialog is closed
//   bool OnTimer(UINT_PTR id) override { return wait_.OnTimer(id); }
#pragma once

#include <windows.h>

#include <functional>

namespace quillon {

class MainWindowWait {
 public:
  MainWindowWait() = default;
  MainWindowWait(const MainWindowWait&) = delete;
  MainWindowWait& operator=(const MainWindowWait&) = delete;

  // True while `mainWindow` shows a modal dialog: Run would keep a command given now.
  static bool MainWindowBusy(HWND mainWindow);
  // Runs `command` at once when `mainWindow` takes input (or there is none); otherwise keeps
  // it, replacing one kept before, and runs it from `timerWindow`'s timer once it does.
  void Run(HWND timerWindow, HWND mainWindow, std::function<void()> command);
  // The timer window's WM_TIMER; false when the timer is not this wait's.
  bool OnTimer(UINT_PTR id);

 private:
  HWND timerWindow_ = nullptr;
  HWND mainWindow_ = nullptr;
  std::function<void()> waiting_;
};

}  // namespace quillon
