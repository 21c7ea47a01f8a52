// Adding files to the catalogue from the main window: the picker, the files dropped on the
// window, and AddFiles, the one way in for files from elsewhere (the quick bar, its list):
// dropped folders bring their files, and several files are added together or one by one.
#include <windows.h>

#include "base/text_fill.h"
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

void CQuillonDlg::AddFileWithPicker() {
  const std::vector<std::u16string> paths = PickExistingFiles(Handle());
  if (paths.size() > 1) {
    AddFiles(paths, currentFilter_);
    return;
  }
  if (paths.empty()) return;
  if (!FileOrFolderExists(paths[0])) {
    ShowInformation(Handle(), LoadResourceString(IDS_FILE_MISSING) + paths[0]);
    return;
  }
  AddFile(paths[0], currentFilter_);
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
                           const std::u16string& proposedTagText) {
  // A copy: the caller may pass the current filter, which each stored file changes.
  const std::u16string proposedTags = proposedTagText;
  SystemFolderReader reader;
  const GatheredFiles found = GatherFiles(paths, reader);
  // Paths whose attributes cannot be read are skipped without a word, as they always were.
  if (found.files.empty() && found.tooLong == 0 && found.unreadableFolders == 0 &&
      !found.tooMany) {
    return;
  }
  ::ShowWindow(Handle(), SW_SHOWNORMAL);
  ::SetForegroundWindow(Handle());
  SayLeftOut(found);
  if (found.files.size() == 1) {
    AddFile(found.files[0], proposedTags);
  } else if (found.files.empty() || !AddSeveralFiles(found, proposedTags)) {
    return;
  }
  ListAfterAdding();
}

void CQuillonDlg::SayLeftOut(const GatheredFiles& found) {
  if (found.tooMany) {
    ShowInformation(Handle(), FillIn(LoadResourceString(IDS_TOO_MANY_FILES),
                                     {{u"{limit}", NumberText(kMaxBatchFiles)}}));
    return;
  }
  std::u16string said;
  if (found.tooLong != 0) {
    said = FillIn(LoadResourceString(IDS_PATHS_TOO_LONG), {{u"{count}", NumberText(found.tooLong)}});
  }
  if (found.unreadableFolders != 0) {
    if (!said.empty()) said += u"\n";
    said += FillIn(LoadResourceString(IDS_FOLDERS_UNREADABLE),
                   {{u"{count}", NumberText(found.unreadableFolders)}});
  }
  if (!said.empty()) ShowInformation(Handle(), said);
}

bool CQuillonDlg::AddSeveralFiles(const GatheredFiles& found,
                                  const std::u16string& proposedTags) {
  const std::u16string count = NumberText(found.files.size());
  std::u16string question;
  if (found.folders != 0) {
    question = FillIn(LoadResourceString(IDS_MANY_FILES_FOLDER),
                      {{u"{folder}", found.firstFolder}, {u"{count}", count}});
  }
  question += FillIn(LoadResourceString(IDS_MANY_FILES_QUESTION), {{u"{count}", count}});
  switch (ShowMessage(Handle(), question, LoadResourceString(IDS_MANY_FILES_CAPTION),
                      MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES: {
      FileRecord proposed;
      proposed.ID = kNewFileId;
      proposed.Tags = proposedTags;
      CEditFileDlg dialog(catalogue_, proposed, found.files);
      dialog.Run();
      return true;
    }
    case IDNO:
      for (const std::u16string& path : found.files) AddFile(path, proposedTags);
      return true;
    default:
      return false;
  }
}

}  // namespace quillon
