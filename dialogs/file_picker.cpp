#include "dialogs/file_picker.h"

#include <commdlg.h>

#include <utility>

#include "framework/wide.h"

namespace quillon {
namespace {

FilePickerHandler& CurrentHandler() {
  static FilePickerHandler handler;
  return handler;
}

std::optional<std::u16string> ShowPlatformPicker(HWND owner) {
  // Long enough for any path the shell can hand out.
  std::u16string buffer(32768, u'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFile = reinterpret_cast<wchar_t*>(buffer.data());
  dialog.nMaxFile = static_cast<DWORD>(buffer.size());
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!::GetOpenFileNameW(&dialog)) return std::nullopt;
  return FromWide(dialog.lpstrFile);
}

}  // namespace

std::optional<std::u16string> PickExistingFile(HWND owner) {
  const FilePickerHandler& handler = CurrentHandler();
  return handler ? handler(owner) : ShowPlatformPicker(owner);
}

FilePickerHandler SetFilePickerHandler(FilePickerHandler handler) {
  return std::exchange(CurrentHandler(), std::move(handler));
}

}  // namespace quillon
