#include "tests/support/modal_step.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace quillon::testing {
namespace {

constexpr UINT kTickMs = 15;

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  auto& search = *reinterpret_cast<std::pair<int, CDialog*>*>(found);
  auto* dialog = dynamic_cast<CDialog*>(CWindow::FromHandle(window));
  if (dialog && dialog->TemplateId() == search.first && !dialog->Ended()) {
    search.second = dialog;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CancelDialog(HWND window, LPARAM) {
  auto* dialog = dynamic_cast<CDialog*>(CWindow::FromHandle(window));
  if (dialog && !dialog->Ended()) dialog->EndDialog(IDCANCEL);
  return TRUE;
}

BOOL CALLBACK FindOwnMenu(HWND window, LPARAM found) {
  wchar_t name[16] = {};
  ::GetClassNameW(window, name, 16);
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  if (std::wstring(name) != L"#32768" || process != ::GetCurrentProcessId() ||
      !::IsWindowVisible(window)) {
    return TRUE;
  }
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

}  // namespace

WhileModal::WhileModal(std::function<void()> step, DWORD guardMs)
    : step_(std::move(step)), deadline_(::GetTickCount64() + guardMs), previous_(current_) {
  current_ = this;
  timer_ = ::SetTimer(nullptr, 0, kTickMs, &Tick);
}

WhileModal::~WhileModal() {
  ::KillTimer(nullptr, timer_);
  if (current_ == this) current_ = previous_;
}

void CALLBACK WhileModal::Tick(HWND, UINT, UINT_PTR timer, DWORD) {
  WhileModal* self = current_;
  if (!self || self->timer_ != timer) return;
  if (::GetTickCount64() < self->deadline_) {
    self->step_();
    return;
  }
  ::KillTimer(nullptr, timer);
  self->timer_ = 0;
  ADD_FAILURE() << "a modal loop was still running when its guard ran out";
  ::EndMenu();
  ::EnumThreadWindows(::GetCurrentThreadId(), &CancelDialog, 0);
}

bool WhenShown(const std::function<HWND()>& find, const std::function<void(HWND)>& act,
               const std::function<void()>& run) {
  bool shown = false;
  WhileModal step([&] {
    const HWND window = shown ? nullptr : find();
    if (!window || !::IsWindowVisible(window)) return;
    shown = true;
    act(window);
  });
  run();
  return shown;
}

CDialog* OpenDialog(int templateId) {
  std::pair<int, CDialog*> search{templateId, nullptr};
  ::EnumThreadWindows(::GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

void Press(CDialog& dialog, int button) {
  ::SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(dialog.Item(button)));
}

HWND OpenPopupMenu() {
  HWND found = nullptr;
  ::EnumWindows(&FindOwnMenu, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::vector<UINT> MenuCommands(HWND popup) {
  std::vector<UINT> commands;
  const auto menu = reinterpret_cast<HMENU>(::SendMessageW(popup, MN_GETHMENU, 0, 0));
  for (int i = 0; menu && i < ::GetMenuItemCount(menu); ++i) {
    const UINT id = ::GetMenuItemID(menu, i);
    commands.push_back(id == static_cast<UINT>(-1) ? 0 : id);
  }
  return commands;
}

std::vector<UINT> CloseOpenMenu() {
  std::vector<UINT> commands;
  const HWND popup = OpenPopupMenu();
  if (!popup) return commands;
  for (const UINT id : MenuCommands(popup)) {
    if (id != 0) commands.push_back(id);
  }
  ::EndMenu();
  return commands;
}

DesktopLock::DesktopLock(const wchar_t* name) : mutex_(::CreateMutexW(nullptr, FALSE, name)) {
  // A program that died holding it leaves it abandoned: that is ours to take too.
  const DWORD waited = mutex_ ? ::WaitForSingleObject(mutex_, kWaitMs) : WAIT_FAILED;
  owned_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
  EXPECT_TRUE(owned_) << "another test program kept the shared state";
}

DesktopLock::~DesktopLock() {
  if (owned_) ::ReleaseMutex(mutex_);
  if (mutex_) ::CloseHandle(mutex_);
}

}  // namespace quillon::testing
