// What a second start of the program hands to this one (see shell/model/command_line.h): a
// request to come to the front, or files to add. Files wait until the catalogue is loaded and
// no modal dialog is open; they are never added inside the hand-over message, so the sender,
// which waits for the answer, is free at once. Files named on this program's own command line
// take the same way.
#include <windows.h>

#include <cstring>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

#include "framework/file_system.h"
#include "resources/resource.h"
#include "shell/main_window/quillon_dlg.h"
#include "shell/model/command_line.h"

namespace quillon {
namespace {

// Files kept at most, in characters: many times what a command line holds, and not so much
// that a sender that keeps sending while a dialog is open could exhaust the memory.
constexpr std::size_t kMaxKeptChars = 4 * kMaxHandOverChars;

std::size_t CharsOf(const std::vector<std::u16string>& paths) {
  std::size_t chars = 0;
  for (const std::u16string& path : paths) chars += path.size();
  return chars;
}

}  // namespace

void CQuillonDlg::KeepCommandLineFiles() {
  for (const std::u16string& path : PathArguments(SplitCommandLine(host_.CommandLine()))) {
    handedFiles_.push_back(FullPathOf(path));
  }
}

bool CQuillonDlg::OnCopyData(HWND, const COPYDATASTRUCT& data) {
  if (data.dwData == kHandOverShow && data.cbData == 0) {
    BringToFront();
    return true;
  }
  if (data.dwData != kHandOverFiles || !data.lpData || data.cbData % sizeof(char16_t) != 0 ||
      data.cbData > kMaxHandOverChars * sizeof(char16_t)) {
    return false;
  }
  // Copied out first: the sender's buffer need not be aligned for UTF-16.
  std::u16string payload(data.cbData / sizeof(char16_t), u'\0');
  std::memcpy(payload.data(), data.lpData, data.cbData);
  std::optional<std::vector<std::u16string>> paths = DecodeHandOver(payload.data(), payload.size());
  if (!paths || CharsOf(handedFiles_) + CharsOf(*paths) > kMaxKeptChars) return false;
  handedFiles_.insert(handedFiles_.end(), std::make_move_iterator(paths->begin()),
                      std::make_move_iterator(paths->end()));
  ::PostMessageW(Handle(), WM_HANDED_FILES, 0, 0);
  return true;
}

void CQuillonDlg::BringToFront() {
  ShowNormally();
  // With a modal dialog open, the dialog is what the user has to answer.
  ::SetForegroundWindow(::GetLastActivePopup(Handle()));
}

void CQuillonDlg::AddHandedFilesWhenFree() {
  handedWait_.Run(Handle(), Handle(), [this] { AddHandedFiles(); });
}

void CQuillonDlg::AddHandedFiles() {
  // Before "Ready" they wait for it; files handed over meanwhile join them.
  if (!loaded_ || handedFiles_.empty()) return;
  const std::vector<std::u16string> paths = std::exchange(handedFiles_, {});
  AddFiles(paths, SelectedFolder().Tags);
}

bool CQuillonDlg::OnTimer(UINT_PTR id) { return handedWait_.OnTimer(id); }

}  // namespace quillon
