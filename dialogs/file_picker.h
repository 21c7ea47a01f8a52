// The platform's open-file dialog, without a file-type filter and with the read-only box
// hidden: for one existing file (the Edit Tags dialog's "Browse...") or for several (adding
// files). Every caller goes through these functions, so tests can choose the files without
// showing a real dialog:
//
//   FilePickerHandler previous = SetFilePickerHandler(
//       [](HWND, bool several) { return std::vector<std::u16string>{u"C:\\a.txt"}; });
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillon {

// The chosen file's full path; nothing when the user cancelled.
std::optional<std::u16string> PickExistingFile(HWND owner);
// The chosen files' full paths in the order the dialog gives them; none when cancelled.
std::vector<std::u16string> PickExistingFiles(HWND owner);

// The chosen files; `several` is false for a picker of one file.
using FilePickerHandler = std::function<std::vector<std::u16string>(HWND owner, bool several)>;
// Installs `handler` (empty: the platform's dialog) and returns the one it replaces.
FilePickerHandler SetFilePickerHandler(FilePickerHandler handler);

}  // namespace quillon
