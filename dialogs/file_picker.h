// The platform's open-file dialog for one existing file, without a file-type filter and with
// the read-only box hidden. Every caller goes through PickExistingFile, so tests can choose the
// file without showing a real dialog:
//
//   FilePickerHandler previous = SetFilePickerHandler(
//       [](HWND) { return std::optional<std::u16string>(u"C:\\a.txt"); });
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace quillon {

// The chosen file's full path; nothing when the user cancelled.
std::optional<std::u16string> PickExistingFile(HWND owner);

using FilePickerHandler = std::function<std::optional<std::u16string>(HWND owner)>;
// Installs `handler` (empty: the platform's dialog) and returns the one it replaces.
FilePickerHandler SetFilePickerHandler(FilePickerHandler handler);

}  // namespace quillon
