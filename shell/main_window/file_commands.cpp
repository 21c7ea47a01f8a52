// Adding files to the catalogue from the main window: the picker, the files dropped on the
// window, and AddFiles, the one way in for files from elsewhere (the quick bar, its list).
#include <windows.h>

#include "catalogue/file_store.h"
#include "dialogs/edit_file_dlg.h"
#include "dialogs/edit_file_rules.h"
#include "dialogs/file_picker.h"
#include "framework/file_system.h"
#include "framework/message_box.h"
#include "framework/resource_text.h"
#include "quick/quick_bar.h"
#include "resources/resource.h"
#include "shell/main_window/quillon_dlg.h"

namespace quillon {
namespace {

// Dropped paths longer than this are not the shell's file names.
constexpr std::size_t kMaxDroppedPath = 260;

}  // namespace

void CQuillonDlg::AddFileWithPicker() {
  const auto path = PickExistingFile(Handle());
  if (!path) return;
  if (!FileOrFolderExists(*path)) {
    ShowInformation(Handle(), LoadResourceString(IDS_FILE_MISSING) + *path);
    return;
  }
  AddFile(*path, currentFilter_);
  ListAfterAdding();
}

void CQuillonDlg::AddFile(const std::u16string& path, const std::u16string& proposedTags) {
  FileRecord file;
  if (!SplitFilePath(file, path)) return;  // not a full path: nothing to add
  file.ID = kNewFileId;
  file.Tags = proposedTags;
  if (FindFileId(host_.Database(), file) != 0) {
    ShowInformation(Handle(), IDS_FILE_EXISTED);
    return;
  }
  CEditFileDlg dialog(catalogue_, file);
  dialog.Run();
}

void CQuillonDlg::ListAfterAdding() {
  ListFiles(currentFilter_);
  // The quick bar's list repeats its last search, which may now find the new file.
  if (CQuickBar* quickBar = host_.RunningQuickBar()) {
    CQuickResult& results = quickBar->Results();
    results.FillResults(results.ResultTagText());
  }
}

void CQuillonDlg::AddDroppedFiles(const std::vector<std::u16string>& paths, POINT point) {
  // The folder under the drop gives the proposed tags: it is selected and listed, or, with
  // none there, the selection is cleared and nothing is listed.
  // Selecting the node already selected tells nothing: the listing below runs either way.
  folderTree_.SelectQuietly(folderTree_.NodeAt(Handle(), point));
  ListFiles(SelectedFolder().Tags);
  AddFiles(paths, currentFilter_);
}

void CQuillonDlg::AddFiles(const std::vector<std::u16string>& paths,
                           const std::u16string& proposedTags) {
  bool added = false;
  for (const std::u16string& path : paths) {
    // Folders, and paths whose attributes cannot be read, are skipped without a word.
    if (path.size() > kMaxDroppedPath || !FileExists(path)) continue;
    ::ShowWindow(Handle(), SW_SHOWNORMAL);
    ::SetForegroundWindow(Handle());
    AddFile(path, proposedTags);
    added = true;
  }
  if (added) ListAfterAdding();
}

}  // namespace quillon
