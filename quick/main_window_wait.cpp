#include "quick/main_window_wait.h"

#include <utility>

namespace quillon {
namespace {

constexpr UINT_PTR kWaitTimer = 0x5157;  // one per window; the quick windows use no other
constexpr UINT kWaitPollMs = 100;

}  // namespace

bool MainWindowWait::MainWindowBusy(HWND mainWindow) {
  // The main window is disabled while its modal dialogs are open.
  return mainWindow && ::IsWindow(mainWindow) && !::IsWindowEnabled(mainWindow);
}

void MainWindowWait::Run(HWND timerWindow, HWND mainWindow, std::function<void()> command) {
  if (!MainWindowBusy(mainWindow)) {
    command();
    return;
  }
  timerWindow_ = timerWindow;
  mainWindow_ = mainWindow;
  waiting_ = std::move(command);
  ::SetTimer(timerWindow_, kWaitTimer, kWaitPollMs, nullptr);
}

bool MainWindowWait::OnTimer(UINT_PTR id) {
  if (id != kWaitTimer) return false;
  if (MainWindowBusy(mainWindow_)) return true;
  ::KillTimer(timerWindow_, kWaitTimer);
  // Taken out first: the command may open a dialog, and a command given meanwhile waits anew.
  const std::function<void()> command = std::exchange(waiting_, nullptr);
  if (command) command();
  return true;
}

}  // namespace quillon
