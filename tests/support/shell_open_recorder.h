// Records every ShellOpen request of the program instead of starting real programs.
//
//   ShellOpenRecorder shell;                       // answers 42 (success) at first
//   window.OpenHelpFile();
//   ASSERT_EQ(shell.Count(), 1u);
//   EXPECT_EQ(shell.Requests()[0].verb, u"open");
//   shell.SetResult(SE_ERR_NOASSOC);               // ShellExecuteW's failures are 32 or less
#pragma once

#include <windows.h>

#include <vector>

#include "framework/shell_open.h"
#include "tests/support/call_recorder.h"

namespace quillon::testing {

class ShellOpenRecorder : public CallRecorder<ShellOpenRequest, INT_PTR> {
 public:
  ShellOpenRecorder() : CallRecorder(&SetShellOpenHandler, 42) {}
  std::vector<ShellOpenRequest> Requests() const { return Calls(); }
  // What ShellExecuteW would have returned.
  void SetResult(INT_PTR result) { SetAnswer(result); }
};

}  // namespace quillon::testing
