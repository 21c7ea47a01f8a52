// The one way the Windows tests step a modal loop the program runs (a dialog's, a popup
// menu's): `step` runs every few milliseconds on the test's thread, from inside whatever
// message loop runs, for as long as the object lives. The newest one steps alone.
//
//   WhileModal answer([&] {
//     if (CDialog* dialog = OpenDialog(IDD_EDIT_FOLDER)) Press(*dialog, IDOK);
//   });
//   Command(ID_TREE_ADD_FOLDER);                       // returns once the dialog has ended
//
// A guard ends a loop that runs too long (popup menus are closed, this thread's dialogs
// cancelled) and fails the test, so a regression fails in seconds, not at the time-out.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "framework/dialog.h"

namespace quillon::testing {

class WhileModal {
 public:
  static constexpr DWORD kGuardMs = 8000;
  explicit WhileModal(std::function<void()> step, DWORD guardMs = kGuardMs);
  ~WhileModal();
  WhileModal(const WhileModal&) = delete;
  WhileModal& operator=(const WhileModal&) = delete;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  static inline WhileModal* current_ = nullptr;
  std::function<void()> step_;
  ULONGLONG deadline_;
  WhileModal* previous_;
  UINT_PTR timer_ = 0;
};

// Runs `run` and, from inside the modal loop it starts, `act` once on the window `find` finds
// shown; true when that happened.
bool WhenShown(const std::function<HWND()>& find, const std::function<void(HWND)>& act,
               const std::function<void()>& run);

// The dialog of `templateId` that is open on this thread and not yet ended, or null.
CDialog* OpenDialog(int templateId);
// Ends a dialog as its button would.
void Press(CDialog& dialog, int button);

// The popup menu window this process shows now, or null: menus of other test programs on the
// same display are not ours to read.
HWND OpenPopupMenu();
// The commands of the popup menu this process shows now (0 for separators and sub-menus).
std::vector<UINT> MenuCommands(HWND popup);
// The commands of the popup menu open now, without separators; empty when none is. The menu
// is closed.
std::vector<UINT> CloseOpenMenu();

// Holds state that every test program sharing a display and a Wine server sees for one program
// at a time: the desktop (the cursor's position, the clipboard, screen pixels) by default, or
// the user's Run value that every start of the main window may write (kRunValueLock).
inline constexpr const wchar_t* kDesktopLock = L"Quillon.Tests.Desktop";
inline constexpr const wchar_t* kRunValueLock = L"Quillon.Tests.RunValue";
class DesktopLock {
 public:
  explicit DesktopLock(const wchar_t* name = kDesktopLock);
  ~DesktopLock();
  DesktopLock(const DesktopLock&) = delete;
  DesktopLock& operator=(const DesktopLock&) = delete;

 private:
  static constexpr DWORD kWaitMs = 120000;
  HANDLE mutex_;
  bool owned_ = false;
};

}  // namespace quillon::testing
