// The file commands of the main window: add, open, open with, copy paths, edit tags, remove,
// search for the same tags, and the files dropped on the window.
#include <windows.h>
#include <commctrl.h>

#include "catalogue/file_store.h"
#include "dialogs/edit_file_dlg.h"
#include "dialogs/edit_file_rules.h"
#include "dialogs/file_picker.h"
#include "files/file_rules.h"
#include "files/record_actions.h"
#include "framework/file_system.h"
#include "framework/message_box.h"
#include "framework/resource_text.h"
#include "resources/resource.h"
#include "shell/app/quillon_app.h"
#include "shell/main_window/quillon_dlg.h"

namespace quillon {
namespace {

// Dropped paths longer than this are not the shell's file names.
constexpr std::size_t kMaxDroppedPath = 260;

}  // namespace

void CQuillonDlg::OpenFiles() { OpenFileRecords(Handle(), SelectedRecords()); }

void CQuillonDlg::OpenFilesWith() { OpenFileRecordsWith(Handle(), SelectedRecords()); }

void CQuillonDlg::CopyFilePaths() {
  const std::vector<FileRecord> records = SelectedRecords();
  if (!records.empty()) CopyFullPaths(Handle(), records);
}

void CQuillonDlg::EditFileTags() {
  const std::vector<FileRecord> records = SelectedRecords();
  if (records.empty()) return;
  EditFileRecords(catalogue_, records);
  ListFiles(currentFilter_);
}

void CQuillonDlg::RemoveFiles() {
  if (!AskYesNo(Handle(), LoadResourceString(IDS_REMOVE_FILES_CONFIRM),
                LoadResourceString(IDS_REMOVE_CAPTION))) {
    return;
  }
  // Every path is read before the first removal changes anything.
  const std::vector<std::u16string> paths = fileList_.SelectedFullPaths();
  // After a failure (already reported) the rest would fail the same way.
  for (const std::u16string& path : paths) {
    if (!DeleteFileByPath(app_.Database(), files_, path)) break;
  }
  ListFiles(currentFilter_);
}

void CQuillonDlg::SearchSameTags() {
  const std::u16string tags = SameTagsText(RecordsOfSelectedRows());
  SetItemText(IDC_SEARCH_BOX, tags);
  ListFiles(tags);
}

void CQuillonDlg::AddFileWithPicker() {
  if (const auto path = PickExistingFile(Handle())) AddFile(*path);
}

void CQuillonDlg::AddFile(const std::u16string& path) {
  FileRecord file;
  if (!SplitFilePath(file, path)) return;  // not a full path: nothing to add
  file.ID = kNewFileId;
  file.Tags = currentFilter_;
  if (!FileOrFolderExists(path)) {
    ShowInformation(Handle(), LoadResourceString(IDS_FILE_MISSING) + path);
    return;
  }
  if (FindFileId(app_.Database(), file) != 0) {
    ShowInformation(Handle(), IDS_FILE_EXISTED);
    return;
  }
  CEditFileDlg dialog(catalogue_, file);
  dialog.Run();
  ListFiles(currentFilter_);
  // The quick bar's list repeats its last search, which may now find the new file.
  if (app_.QuickBarWindow()) {
    CQuickResult& results = app_.QuickBar().Results();
    results.FillResults(results.ResultTagText());
  }
}

void CQuillonDlg::AddDroppedFiles(const std::vector<std::u16string>& paths, POINT point) {
  // The folder under the drop gives the proposed tags: it is selected and listed, or, with
  // none there, the selection is cleared and nothing is listed.
  // Selecting the node already selected tells nothing: the listing below runs either way.
  folderTree_.SelectQuietly(folderTree_.NodeAt(Handle(), point));
  ListFiles(SelectedFolder().Tags);
  AddFilesWithCurrentFilter(paths);
}

void CQuillonDlg::AddFilesWithCurrentFilter(const std::vector<std::u16string>& paths) {
  for (const std::u16string& path : paths) {
    // Folders, and paths whose attributes cannot be read, are skipped without a word.
    if (path.size() > kMaxDroppedPath || !FileExists(path)) continue;
    ::ShowWindow(Handle(), SW_SHOWNORMAL);
    ::SetForegroundWindow(Handle());
    AddFile(path);
  }
}

}  // namespace quillon
