// Helpers for tests that drive real windows under Wine.
//
//   MessageBoxRecorder boxes;            // every ShowMessage is recorded, answered with IDOK
//   boxes.SetAnswer(IDYES);
//   ASSERT_TRUE(PumpUntil([&] { return boxes.Count() == 1; }));
//   SendDroppedFiles(dialog, {u"C:\\a.txt"}, POINT{10, 10});
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/message_box.h"
#include "tests/support/call_recorder.h"

namespace quillon::testing {

// Replaces the program's message box for its lifetime; answers IDOK until told otherwise.
class MessageBoxRecorder : public CallRecorder<MessageBoxRequest, int> {
 public:
  MessageBoxRecorder() : CallRecorder(&SetMessageBoxHandler, IDOK) {}
  std::vector<MessageBoxRequest> Boxes() const { return Calls(); }
};

// Runs the framework's message processing until `done` is true or `timeoutMs` has passed;
// returns done(). Never sleeps longer than a few milliseconds at a time.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 20000);
// Processes what is queued now, without waiting.
void PumpPending();

// Sends WM_DROPFILES with these paths, as the shell does for a drop at `point` (client).
void SendDroppedFiles(HWND window, const std::vector<std::u16string>& paths, POINT point);

// Puts the real pointer at a client point of `window`: a list asks where the pointer is when it
// is told that the pointer left.
void PointerTo(HWND window, POINT client);

// The common controls the templates use (list view, tree view), registered once.
void InitCommonControlsForTests();

}  // namespace quillon::testing
