#include "files/record_actions.h"

#include <shellapi.h>

#include <cstring>

#include "dialogs/edit_file_dlg.h"
#include "files/file_rules.h"
#include "framework/file_system.h"
#include "framework/message_box.h"
#include "framework/resource_text.h"
#include "framework/shell_open.h"
#include "resources/resource.h"

namespace quillon {
namespace {

ShellOpenRequest OpenRequest(HWND owner, const std::u16string& file) {
  ShellOpenRequest request;
  request.owner = owner;
  request.verb = u"open";
  request.file = file;
  return request;
}

// The platform's Open With chooser for one file.
void OpenWithChooser(HWND owner, const std::u16string& fullPath) {
  ShellOpenRequest request = OpenRequest(owner, u"rundll32.exe");
  request.parameters = OpenWithParameters(fullPath);
  ShellOpen(request);
}

// The text as the clipboard's Unicode text; false when the clipboard could not take it.
bool PutOnClipboard(HWND owner, const std::u16string& text) {
  if (!::OpenClipboard(owner)) return false;
  ::EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  bool placed = false;
  if (void* memory = block ? ::GlobalLock(block) : nullptr) {
    std::memcpy(memory, text.c_str(), bytes);
    ::GlobalUnlock(block);
    placed = ::SetClipboardData(CF_UNICODETEXT, block) != nullptr;
  }
  // Once placed, the block belongs to the clipboard.
  if (!placed && block) ::GlobalFree(block);
  ::CloseClipboard();
  return placed;
}

}  // namespace

void OpenFileRecords(HWND owner, const std::vector<FileRecord>& records) {
  for (const FileRecord& record : records) {
    const std::u16string fullPath = record.FullPath();
    if (!FileOrFolderExists(fullPath)) {
      ShowInformation(owner, LoadResourceString(IDS_FILE_MISSING) + fullPath);
      continue;
    }
    if (ShellOpen(OpenRequest(owner, fullPath)) == SE_ERR_NOASSOC) {
      OpenWithChooser(owner, fullPath);
    }
  }
}

void OpenFileRecordsWith(HWND owner, const std::vector<FileRecord>& records) {
  for (const FileRecord& record : records) OpenWithChooser(owner, record.FullPath());
}

void CopyFullPaths(HWND owner, const std::vector<FileRecord>& records) {
  const bool copied = PutOnClipboard(owner, JoinFullPaths(records));
  ShowInformation(owner, LoadResourceString(copied ? IDS_PATHS_COPIED : IDS_PATHS_NOT_COPIED));
}

void EditFileRecords(CatalogueContext& catalogue, const std::vector<FileRecord>& records) {
  for (const FileRecord& record : records) {
    CEditFileDlg dialog(catalogue, record);
    dialog.Run();
  }
}

}  // namespace quillon
