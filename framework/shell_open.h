// The one way the program asks the shell to open something: files, the Open With chooser,
// help.chm and web pages all go through ShellOpen (ShellExecuteW), so tests can replace what
// it does (record the request and answer without starting a real program):
//
//   ShellOpen(hwnd, u"open", helpPath);
//   ShellOpen(hwnd, {}, u"iexplore", address);           // the default verb, one parameter
//
//   // in a test:
//   ShellOpenHandler previous = SetShellOpenHandler(
//       [](const ShellOpenRequest& call) { seen.push_back(call); return INT_PTR{42}; });
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace quillon {

struct ShellOpenRequest {
  HWND owner = nullptr;
  std::u16string verb;        // empty: the default verb
  std::u16string file;
  std::u16string parameters;  // empty: none
  std::u16string directory;   // empty: none
  int show = SW_SHOWNORMAL;
};

// Returns what ShellExecuteW returns, as a number: greater than 32 on success.
using ShellOpenHandler = std::function<INT_PTR(const ShellOpenRequest&)>;

INT_PTR ShellOpen(const ShellOpenRequest& request);
// The program's usual request: no working folder, shown normally.
INT_PTR ShellOpen(HWND owner, const std::u16string& verb, const std::u16string& file,
                  const std::u16string& parameters = {});

// Installs `handler` (empty: the real shell) and returns the one it replaces.
ShellOpenHandler SetShellOpenHandler(ShellOpenHandler handler);

}  // namespace quillon
