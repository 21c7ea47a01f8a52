// One Quillon per user in a session. The first start holds a named mutex, "Local\" plus the
// user's SID, for its whole life, so another user's Quillon on the same machine does not count.
// A later start hands its command line to the first's main window (shell/model/command_line.h)
// and ends: files to add, or else a request to come to the front; with a final "-m" (the
// autorun entry) it ends without a word.
//
//   SingleInstance instance;
//   if (!instance.IsFirst()) if (auto code = instance.HandOver(commandLine)) return *code;
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "framework/gdi.h"

namespace quillon {

class SingleInstance {
 public:
  SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  bool IsFirst() const { return first_; }
  // The exit code of this start once it has handed over (0) or told the user that the running
  // Quillon does not answer (1); nothing when the running one ended meanwhile, which makes
  // this start the first.
  std::optional<int> HandOver(const std::u16string& commandLine);

 private:
  // The mutex, when its holder has ended (or released it): ours now.
  bool TakeOver();

  OwnedHandle mutex_;
  bool first_ = true;
};

// The main window of this user's running Quillon, hidden or shown; null when there is none.
HWND FindRunningMainWindow();

}  // namespace quillon
