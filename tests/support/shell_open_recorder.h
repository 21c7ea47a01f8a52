// Records every ShellOpen request of the program instead of starting real programs.
//
//   ShellOpenRecorder shell;                       // answers 42 (success) at first
//   window.OpenHelpFile();
//   ASSERT_EQ(shell.Count(), 1u);
//   EXPECT_EQ(shell.Requests()[0].verb, u"open");
#pragma once

#include <windows.h>

#include <mutex>
#include <vector>

#include "framework/shell_open.h"

namespace quillon::testing {

class ShellOpenRecorder {
 public:
  ShellOpenRecorder();
  ~ShellOpenRecorder();
  ShellOpenRecorder(const ShellOpenRecorder&) = delete;
  ShellOpenRecorder& operator=(const ShellOpenRecorder&) = delete;

  // What every later request returns (ShellExecuteW's convention: above 32 is success).
  void SetResult(INT_PTR result);
  std::vector<ShellOpenRequest> Requests() const;
  std::size_t Count() const;

 private:
  mutable std::mutex lock_;
  std::vector<ShellOpenRequest> requests_;
  INT_PTR result_ = 42;
  ShellOpenHandler previous_;
};

}  // namespace quillon::testing
