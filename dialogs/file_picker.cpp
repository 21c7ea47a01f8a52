#include "dialogs/file_picker.h"

#include <commdlg.h>

#include <utility>

#include "base/file_gathering.h"
#include "framework/wide.h"

namespace quillon {
namespace {

FilePickerHandler& CurrentHandler() {
  static FilePickerHandler handler;
  return handler;
}

std::vector<std::u16string> ShowPlatformPicker(HWND owner, bool several) {
  // Long enough for any path the shell can hand out, and for a good many chosen names.
  std::u16string buffer(several ? 1 << 20 : 32768, u'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFile = reinterpret_cast<wchar_t*>(buffer.data());
  dialog.nMaxFile = static_cast<DWORD>(buffer.size());
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                 (several ? OFN_ALLOWMULTISELECT : 0);
  if (!::GetOpenFileNameW(&dialog)) return {};
  return SplitPickedFiles(buffer);
}

}  // namespace

std::optional<std::u16string> PickExistingFile(HWND owner) {
  const FilePickerHandler& handler = CurrentHandler();
  std::vector<std::u16string> chosen =
      handler ? handler(owner, false) : ShowPlatformPicker(owner, false);
  if (chosen.empty()) return std::nullopt;
  return std::move(chosen.front());
}

std::vector<std::u16string> PickExistingFiles(HWND owner) {
  const FilePickerHandler& handler = CurrentHandler();
  return handler ? handler(owner, true) : ShowPlatformPicker(owner, true);
}

FilePickerHandler SetFilePickerHandler(FilePickerHandler handler) {
  return std::exchange(CurrentHandler(), std::move(handler));
}

}  // namespace quillon
