#include "tests/installer/installer_driver.h"

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "resources/resource.h"
#include "resources/user_texts.h"

namespace quillon::testing {
namespace {

constexpr DWORD kLimitMs = 120000;
constexpr DWORD kStepMs = 20;

// A handle closed when it goes out of scope.
struct OwnedHandle {
  HANDLE handle = nullptr;
  ~OwnedHandle() {
    if (handle) ::CloseHandle(handle);
  }
};

bool LimitReached(ULONGLONG started) { return ::GetTickCount64() - started >= kLimitMs; }

// The top-level dialog of process `processId` whose text is `text`.
struct DialogSearch {
  DWORD processId;
  const wchar_t* text;
  HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<DialogSearch*>(parameter);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  wchar_t className[16] = {};
  wchar_t text[64] = {};
  ::GetClassNameW(window, className, 16);
  ::GetWindowTextW(window, text, 64);
  if (owner != search->processId || std::wstring(className) != L"#32770" ||
      std::wstring(text) != search->text) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

// The processes of `job` that are not the system's own. Wine starts some of its services (from
// the Windows folder) on first use as children of the program that needed them; they never end.
int ProgramsRunningIn(HANDLE job) {
  struct {
    JOBOBJECT_BASIC_PROCESS_ID_LIST list;
    ULONG_PTR more[63];
  } ids{};
  ids.list.NumberOfAssignedProcesses = 64;
  if (!::QueryInformationJobObject(job, JobObjectBasicProcessIdList, &ids, sizeof(ids), nullptr)) {
    return 0;
  }
  wchar_t windows[MAX_PATH] = {};
  const UINT windowsLength = ::GetWindowsDirectoryW(windows, MAX_PATH);
  int programs = 0;
  for (DWORD i = 0; i < ids.list.NumberOfProcessIdsInList; ++i) {
    OwnedHandle process{::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                                      static_cast<DWORD>(ids.list.ProcessIdList[i]))};
    wchar_t image[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    if (process.handle && ::QueryFullProcessImageNameW(process.handle, 0, image, &length) &&
        ::CompareStringOrdinal(image, static_cast<int>(std::min<DWORD>(length, windowsLength)),
                               windows, static_cast<int>(windowsLength), TRUE) == CSTR_EQUAL) {
      continue;
    }
    ++programs;
  }
  return programs;
}

HWND FindDialogOf(DWORD processId, const wchar_t* text) {
  DialogSearch search{processId, text, nullptr};
  ::EnumWindows(&MatchDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

std::optional<DWORD> RunToEnd(const std::wstring& commandLine,
                              const std::function<void()>& whileWaiting) {
  // The job holds the process and everything it starts, so the end of all of them is seen.
  OwnedHandle job{::CreateJobObjectW(nullptr, nullptr)};
  std::wstring line = commandLine;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!job.handle || !::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE,
                                       CREATE_SUSPENDED, nullptr, nullptr, &startup, &process)) {
    return std::nullopt;
  }
  OwnedHandle processHandle{process.hProcess};
  OwnedHandle thread{process.hThread};
  ::AssignProcessToJobObject(job.handle, process.hProcess);
  ::ResumeThread(process.hThread);

  const ULONGLONG started = ::GetTickCount64();
  while (ProgramsRunningIn(job.handle) > 0) {
    if (LimitReached(started)) {
      ::TerminateJobObject(job.handle, 1);
      return std::nullopt;
    }
    if (whileWaiting) whileWaiting();
    ::Sleep(kStepMs);
  }
  DWORD code = 0;
  ::GetExitCodeProcess(process.hProcess, &code);
  return code;
}

std::wstring Quoted(const std::filesystem::path& path) { return L"\"" + path.wstring() + L"\""; }

std::filesystem::path UserFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, csidl, nullptr, 0, path);
  return path;
}

std::optional<std::wstring> RegistryText(const wchar_t* key, const wchar_t* value) {
  wchar_t text[1024] = {};
  DWORD bytes = sizeof(text) - sizeof(wchar_t);
  if (::RegGetValueW(HKEY_CURRENT_USER, key, value, RRF_RT_REG_SZ, nullptr, text, &bytes) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::wstring(text);
}

std::optional<DWORD> RegistryNumber(const wchar_t* key, const wchar_t* value) {
  DWORD number = 0;
  DWORD bytes = sizeof(number);
  if (::RegGetValueW(HKEY_CURRENT_USER, key, value, RRF_RT_REG_DWORD, nullptr, &number,
                     &bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return number;
}

bool RegistryKeyExists(const wchar_t* key) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  ::RegCloseKey(opened);
  return true;
}

std::wstring IniText(const std::filesystem::path& file, const wchar_t* section, const wchar_t* key) {
  wchar_t text[260] = {};
  ::GetPrivateProfileStringW(section, key, L"", text, 260, file.c_str());
  return text;
}

std::string FileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

void SetWriteYear(const std::filesystem::path& file, WORD year) {
  SYSTEMTIME time{};
  time.wYear = year;
  time.wMonth = 6;
  time.wDay = 1;
  FILETIME stamp{};
  ::SystemTimeToFileTime(&time, &stamp);
  OwnedHandle opened{::CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr)};
  ::SetFileTime(opened.handle, nullptr, nullptr, &stamp);
}

std::filesystem::path ShortcutTarget(const std::filesystem::path& shortcut,
                                     std::wstring* arguments) {
  ::CoInitialize(nullptr);
  std::filesystem::path target;
  IShellLinkW* link = nullptr;
  if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IShellLinkW, reinterpret_cast<void**>(&link)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      // Through the item list, which holds the whole Unicode path.
      wchar_t path[MAX_PATH] = {};
      PIDLIST_ABSOLUTE item = nullptr;
      if (SUCCEEDED(file->Load(shortcut.c_str(), STGM_READ)) &&
          SUCCEEDED(link->GetIDList(&item)) && ::SHGetPathFromIDListW(item, path)) {
        target = path;
      }
      wchar_t text[INFOTIPSIZE] = {};
      if (arguments && SUCCEEDED(link->GetArguments(text, INFOTIPSIZE))) *arguments = text;
      ::CoTaskMemFree(item);
      file->Release();
    }
    link->Release();
  }
  ::CoUninitialize();
  return target;
}

std::wstring ProductVersion(const std::filesystem::path& program) {
  const DWORD size = ::GetFileVersionInfoSizeW(program.c_str(), nullptr);
  std::vector<BYTE> info(size);
  wchar_t* text = nullptr;
  UINT length = 0;
  if (size == 0 || !::GetFileVersionInfoW(program.c_str(), 0, size, info.data()) ||
      !::VerQueryValueW(info.data(), L"\\StringFileInfo\\040904b0\\ProductVersion",
                        reinterpret_cast<void**>(&text), &length)) {
    return L"";
  }
  return text;
}

RunningProgram::RunningProgram(const std::filesystem::path& program,
                               const std::wstring& arguments) {
  std::wstring line = Quoted(program) + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_)) {
    process_ = {};
  }
}

RunningProgram::~RunningProgram() {
  if (!process_.hProcess) return;
  if (!HasEnded()) {
    ::TerminateProcess(process_.hProcess, 1);
    ::WaitForSingleObject(process_.hProcess, kLimitMs);
  }
  ::CloseHandle(process_.hThread);
  ::CloseHandle(process_.hProcess);
}

bool RunningProgram::WaitForStatus(const std::wstring& status) {
  const ULONGLONG started = ::GetTickCount64();
  while (process_.hProcess && !HasEnded() && !LimitReached(started)) {
    if (!window_) window_ = FindDialogOf(process_.dwProcessId, L"Veldmark Quillon");
    wchar_t text[64] = {};
    DWORD_PTR ignored = 0;
    if (window_ && ::SendMessageTimeoutW(::GetDlgItem(window_, IDC_STATUS), WM_GETTEXT, 64,
                                         reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                                         kLimitMs, &ignored) &&
        status == text) {
      return true;
    }
    ::Sleep(kStepMs);
  }
  return false;
}

HWND RunningProgram::Dialog(const wchar_t* text) const {
  return FindDialogOf(process_.dwProcessId, text);
}

int RunningProgram::ListedFiles() const {
  return static_cast<int>(::SendMessageW(::GetDlgItem(window_, IDC_FILE_LIST), LVM_GETITEMCOUNT, 0, 0));
}

bool RunningProgram::AnswerQuitQuestion(int answer) {
  const HWND question = FindDialogOf(process_.dwProcessId, L"" TEXT_QUIT_CAPTION);
  if (!question) return false;
  ::PostMessageW(question, WM_COMMAND, answer, 0);
  return true;
}

bool RunningProgram::Quit() {
  if (!window_) return false;
  ::PostMessageW(window_, WM_COMMAND, ID_FILE_EXIT, 0);
  const ULONGLONG started = ::GetTickCount64();
  while (!AnswerQuitQuestion(IDYES)) {
    if (HasEnded() || LimitReached(started)) return false;
    ::Sleep(kStepMs);
  }
  return HasEnded(kLimitMs);
}

std::optional<DWORD> RunningProgram::ExitCode() const {
  DWORD code = 0;
  if (!HasEnded() || !::GetExitCodeProcess(process_.hProcess, &code)) return std::nullopt;
  return code;
}

bool RunningProgram::HasEnded(DWORD waitMs) const {
  return !process_.hProcess || ::WaitForSingleObject(process_.hProcess, waitMs) == WAIT_OBJECT_0;
}

}  // namespace quillon::testing
