// Drives the setup and the installed program from a test under Wine: runs programs to their
// end together with every process they start, reads what an installation leaves in the
// registry and the file system, and talks to the running program through its main window.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace quillon::testing {

// Runs `commandLine` until it and every process it started have ended (the uninstaller goes
// on in a copy of itself); `whileWaiting` runs every few milliseconds meanwhile. The exit code
// of the first process, or nothing when it did not start or did not end within two minutes.
std::optional<DWORD> RunToEnd(const std::wstring& commandLine,
                              const std::function<void()>& whileWaiting = {});

std::wstring Quoted(const std::filesystem::path& path);

// A shell folder of the current user (CSIDL_APPDATA, CSIDL_LOCAL_APPDATA, CSIDL_PROGRAMS...).
std::filesystem::path UserFolder(int csidl);

std::optional<std::wstring> RegistryText(const wchar_t* key, const wchar_t* value);
std::optional<DWORD> RegistryNumber(const wchar_t* key, const wchar_t* value);
bool RegistryKeyExists(const wchar_t* key);

// A key of an initialisation file such as update.dat; empty when absent.
std::wstring IniText(const std::filesystem::path& file, const wchar_t* section, const wchar_t* key);

std::string FileBytes(const std::filesystem::path& file);
void WriteFileBytes(const std::filesystem::path& file, const std::string& bytes);
void SetWriteYear(const std::filesystem::path& file, WORD year);

// The program a shortcut starts (and its arguments), and the ProductVersion text of a
// program's version resource.
std::filesystem::path ShortcutTarget(const std::filesystem::path& shortcut,
                                     std::wstring* arguments = nullptr);
std::wstring ProductVersion(const std::filesystem::path& program);

// A program started from its installed folder; ended at the latest by the destructor.
class RunningProgram {
 public:
  explicit RunningProgram(const std::filesystem::path& program,
                          const std::wstring& arguments = {});  // " -m": after the program
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  // Until its main window shows `status` on the status line (at most two minutes).
  bool WaitForStatus(const std::wstring& status);
  int ListedFiles() const;
  HWND Window() const { return window_; }  // once WaitForStatus found it
  // A top-level dialog of it by its text.
  HWND Dialog(const wchar_t* text) const;
  // Answers its question "Quit Veldmark Quillon now?" if it is asking; true when it was.
  bool AnswerQuitQuestion(int answer);
  // "Exit", answered Yes, then until the process has ended.
  bool Quit();
  bool HasEnded(DWORD waitMs = 0) const;
  std::optional<DWORD> ExitCode() const;

 private:
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

}  // namespace quillon::testing
