#include "dialogs/batch_steps.h"

#include <commctrl.h>

#include <memory>
#include <vector>

#include "base/text_fill.h"
#include "framework/dialog.h"
#include "framework/resource_text.h"
#include "resources/resource.h"

namespace quillon {
namespace {

// Work between two looks at the message queue: well under the 100 ms after which a window
// that does not answer feels stuck.
constexpr ULONGLONG kSliceMs = 15;

class CBatchProgressDlg : public CDialog {
 public:
  CBatchProgressDlg(UINT textId, std::size_t total)
      : CDialog(IDD_BATCH_PROGRESS), text_(LoadResourceString(textId)), total_(total) {}

  bool Cancelled() const { return cancelled_; }
  void ShowDone(std::size_t done) const {
    SetItemText(IDC_PROGRESS_TEXT,
                FillIn(text_, {{u"{done}", NumberText(done)}, {u"{total}", NumberText(total_)}}));
    ::SendMessageW(Item(IDC_PROGRESS_BAR), PBM_SETPOS, static_cast<WPARAM>(done), 0);
  }

 protected:
  bool OnInitDialog() override {
    ::SendMessageW(Item(IDC_PROGRESS_BAR), PBM_SETRANGE32, 0, static_cast<LPARAM>(total_));
    ShowDone(0);
    return true;
  }
  // Cancel only asks; the batch ends at its next look at the queue.
  void OnCancel() override { cancelled_ = true; }

 private:
  std::u16string text_;
  std::size_t total_;
  bool cancelled_ = false;
};

// Disables the thread's enabled top-level windows for its lifetime, as a modal dialog does
// with its owner; `owner` is active again afterwards.
class ThreadWindowsDisabled {
 public:
  explicit ThreadWindowsDisabled(HWND owner) : owner_(owner) {
    ::EnumThreadWindows(::GetCurrentThreadId(), &Collect, reinterpret_cast<LPARAM>(&windows_));
    for (HWND window : windows_) ::EnableWindow(window, FALSE);
  }
  ~ThreadWindowsDisabled() {
    for (HWND window : windows_) ::EnableWindow(window, TRUE);
    if (owner_ != nullptr) ::SetActiveWindow(owner_);
  }
  ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
  ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;

 private:
  static BOOL CALLBACK Collect(HWND window, LPARAM windows) {
    if (::IsWindowEnabled(window)) reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
  }
  HWND owner_;
  std::vector<HWND> windows_;
};

// Handles what is queued now; false when the program is asked to end (the request is kept).
bool HandleQueued() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    ProcessMessage(message);
  }
  return true;
}

}  // namespace

BatchEnd RunInSteps(HWND owner, std::size_t count, UINT textId,
                    const std::function<bool(std::size_t)>& step) {
  const ThreadWindowsDisabled disabled(owner);
  std::unique_ptr<CBatchProgressDlg> progress;
  if (count >= kProgressFrom) {
    const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
    progress = std::make_unique<CBatchProgressDlg>(textId, count);
    if (progress->Create(owner)) {
      progress->CentreOverOwner();
      ::ShowWindow(progress->Handle(), SW_SHOW);
    }
    // The window paints before the work starts.
    if (!HandleQueued()) return BatchEnd::kCancelled;
  }
  ULONGLONG sliceEnd = ::GetTickCount64() + kSliceMs;
  for (std::size_t i = 0; i < count; ++i) {
    if (!step(i)) return BatchEnd::kFailed;
    if (::GetTickCount64() < sliceEnd) continue;
    if (progress) progress->ShowDone(i + 1);
    if (!HandleQueued() || (progress && progress->Cancelled())) return BatchEnd::kCancelled;
    sliceEnd = ::GetTickCount64() + kSliceMs;
  }
  return BatchEnd::kDone;
}

}  // namespace quillon
