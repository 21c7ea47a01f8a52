#include "shell/app/single_instance.h"

#include <sddl.h>

#include <vector>

#include "framework/file_system.h"
#include "framework/message_box.h"
#include "framework/wide.h"
#include "resources/resource.h"
#include "resources/user_texts.h"
#include "shell/model/command_line.h"

namespace quillon {
namespace {

// A first start that is still creating its window, and a running one busy with a message.
constexpr ULONGLONG kStartingMs = 10000;
constexpr UINT kAnswerMs = 5000;
constexpr DWORD kLookAgainMs = 100;

// The SID of the user a process runs as, as text; empty when it cannot be read.
std::u16string ProcessUser(HANDLE process) {
  HANDLE token = nullptr;
  if (!::OpenProcessToken(process, TOKEN_QUERY, &token)) return {};
  const OwnedHandle owned(token);
  DWORD size = 0;
  ::GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::vector<BYTE> buffer(size);
  wchar_t* text = nullptr;
  if (size == 0 || !::GetTokenInformation(token, TokenUser, buffer.data(), size, &size) ||
      !::ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
    return {};
  }
  std::u16string user = FromWide(text);
  ::LocalFree(text);
  return user;
}

std::u16string CurrentUser() {
  std::u16string user = ProcessUser(::GetCurrentProcess());
  if (!user.empty()) return user;
  wchar_t name[257] = {};
  DWORD length = 257;
  return ::GetUserNameW(name, &length) ? FromWide(name) : std::u16string();
}

bool RunsAsCurrentUser(HWND window) {
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  const OwnedHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  return process && ProcessUser(process) == ProcessUser(::GetCurrentProcess());
}

bool Send(HWND window, std::uintptr_t kind, const std::u16string& payload) {
  COPYDATASTRUCT data{};
  data.dwData = kind;
  data.cbData = static_cast<DWORD>(payload.size() * sizeof(char16_t));
  data.lpData = payload.empty() ? nullptr : const_cast<char16_t*>(payload.data());
  DWORD_PTR answer = FALSE;
  return ::SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                               SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerMs, &answer) &&
         answer == TRUE;
}

int SayItDoesNotAnswer() {
  ShowError(nullptr, UserText(TEXT_RUNNING_NOT_ANSWERING), kApplicationTitle);
  return 1;
}

}  // namespace

SingleInstance::SingleInstance()
    : mutex_(::CreateMutexW(nullptr, TRUE, Wide(InstanceMutexName(CurrentUser())))) {
  // Without the mutex (no rights to the name) this start runs as it always did.
  first_ = !mutex_ || ::GetLastError() != ERROR_ALREADY_EXISTS;
}

bool SingleInstance::TakeOver() {
  const DWORD result = ::WaitForSingleObject(mutex_, 0);
  first_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
  return first_;
}

std::optional<int> SingleInstance::HandOver(const std::u16string& commandLine) {
  const std::vector<std::u16string> arguments = SplitCommandLine(commandLine);
  std::vector<std::u16string> paths;
  for (const std::u16string& path : PathArguments(arguments)) paths.push_back(FullPathOf(path));
  if (paths.empty() && EndsWithHiddenSwitch(arguments)) return 0;

  const ULONGLONG started = ::GetTickCount64();
  HWND window = nullptr;
  while (!(window = FindRunningMainWindow())) {
    if (TakeOver()) return std::nullopt;
    if (::GetTickCount64() - started > kStartingMs) return SayItDoesNotAnswer();
    ::Sleep(kLookAgainMs);
  }
  // The running one puts itself in front; Windows lets it only with this start's leave.
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  ::AllowSetForegroundWindow(processId);
  if (paths.empty()) return Send(window, kHandOverShow, {}) ? 0 : SayItDoesNotAnswer();
  for (const std::u16string& payload : EncodeHandOver(paths)) {
    if (!Send(window, kHandOverFiles, payload)) return SayItDoesNotAnswer();
  }
  return 0;
}

HWND FindRunningMainWindow() {
  // Message boxes carry the program's title too: the main window is the one with the file list.
  HWND window = nullptr;
  while ((window = ::FindWindowExW(nullptr, window, L"#32770", Wide(kApplicationTitle)))) {
    if (::GetDlgItem(window, IDC_FILE_LIST) && RunsAsCurrentUser(window)) return window;
  }
  return nullptr;
}

}  // namespace quillon
