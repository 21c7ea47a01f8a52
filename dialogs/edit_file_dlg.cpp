#include "dialogs/edit_file_dlg.h"

#include "base/text_fill.h"
#include "catalogue/file_store.h"
#include "dialogs/batch_steps.h"
#include "dialogs/edit_file_rules.h"
#include "dialogs/file_picker.h"
#include "framework/file_system.h"
#include "framework/message_box.h"
#include "framework/resource_text.h"
#include "relocate/identity_store.h"
#include "resources/resource.h"

namespace quillon {

CEditFileDlg::CEditFileDlg(CatalogueContext& context, const FileRecord& record, HWND owner)
    : CTagListDialog(IDD_EDIT_FILE, context, owner),
      record_(record),
      newFile_(record.ID == kNewFileId) {}

CEditFileDlg::CEditFileDlg(CatalogueContext& context, const FileRecord& proposed,
                           std::vector<std::u16string> paths, HWND owner)
    : CEditFileDlg(context, proposed, owner) {
  paths_ = std::move(paths);
}

bool CEditFileDlg::OnInitDialog() {
  if (ManyFiles()) {
    SetItemText(IDC_PATH_BOX, FillIn(LoadResourceString(IDS_FILES_COUNT),
                                     {{u"{count}", NumberText(paths_.size())}}));
    ::SendMessageW(Item(IDC_PATH_BOX), EM_SETREADONLY, TRUE, 0);
    ::EnableWindow(Item(IDC_BTN_BROWSE), FALSE);
    SetText(LoadResourceString(IDS_TITLE_NEW_FILES));
    SetItemText(IDC_ADD_TAGS, ProposedTagText(record_));
    ::SetFocus(Item(IDC_ADD_TAGS));
    return false;
  }
  SetItemText(IDC_PATH_BOX, record_.FullPath());
  startingPath_ = ItemText(IDC_PATH_BOX);
  SetItemText(IDC_COMMENT, record_.Comment);
  if (newFile_) {
    SetText(LoadResourceString(IDS_TITLE_NEW_FILE));
    SetItemText(IDC_ADD_TAGS, ProposedTagText(record_));
  } else {
    FillTagList(record_.Tags);
  }
  ::SetFocus(Item(IDC_ADD_TAGS));
  return false;
}

bool CEditFileDlg::OnCommand(int id, int code, HWND control) {
  if (id == IDC_BTN_BROWSE && code == BN_CLICKED) {
    Browse();
    return true;
  }
  return CTagListDialog::OnCommand(id, code, control);
}

void CEditFileDlg::Browse() {
  const auto chosen = PickExistingFile(Handle());
  if (!chosen) return;
  SetItemText(IDC_PATH_BOX, *chosen);
  // Another file than the one the dialog opened with is a file to add; the same one is edited.
  newFile_ = *chosen != startingPath_;
}

bool CEditFileDlg::OnDropFiles(const std::vector<std::u16string>& paths, POINT) {
  if (ManyFiles()) return true;  // the files are chosen already
  for (const std::u16string& path : paths) {
    if (FileExists(path)) SetItemText(IDC_PATH_BOX, path);
  }
  return true;
}

void CEditFileDlg::OnOK() {
  if (ManyFiles()) {
    AddTypedTags();
    record_.Tags = JoinedTags();
    if (record_.Tags.empty()) {
      ShowInformation(Handle(), IDS_NEED_TAG);
      return;
    }
    record_.Comment = ItemText(IDC_COMMENT);
    if (!StoreMany()) return;  // cancelled, or the failure was said: the dialog stays open
    context_.SetCurrentFilter(record_.Tags);
    EndDialog(IDOK);
    return;
  }
  const std::u16string path = ItemText(IDC_PATH_BOX);
  if (!FileOrFolderExists(path)) {
    ShowInformation(Handle(), LoadResourceString(IDS_FILE_MISSING) + path);
    return;
  }
  switch (CheckFilePath(context_.Database(), record_, newFile_, path)) {
    case FilePathVerdict::kNoFolderPart:
      ShowInformation(Handle(), IDS_PATH_NOT_FULL);
      return;
    case FilePathVerdict::kAlreadyCatalogued:
      ShowInformation(Handle(), IDS_FILE_EXISTED);
      return;
    case FilePathVerdict::kAccepted:
      break;
  }
  AddTypedTags();
  const std::u16string tags = JoinedTags();
  if (tags.empty()) {
    ShowInformation(Handle(), IDS_NEED_TAG);
    return;
  }
  record_.Tags = tags;
  record_.Comment = ItemText(IDC_COMMENT);
  switch (StoreFile(context_.Database(), record_, newFile_)) {
    case FileStored::kAlreadyCatalogued:
      ShowInformation(Handle(), IDS_FILE_EXISTED);
      return;
    case FileStored::kWriteFailed:
      return;  // reported by the catalogue; the dialog keeps what the user typed
    case FileStored::kStored:
      // Who the file is, so that it can be found again after a rename or a move.
      RecordIdentity(context_.Database(), *MakeSystemProbe(),
                     FindFileId(context_.Database(), record_), record_.FullPath());
      context_.SetCurrentFilter(tags);
      EndDialog(IDOK);
      return;
  }
}

bool CEditFileDlg::StoreMany() {
  TagDatabase& db = context_.Database();
  DatabaseBatch batch(db, DatabaseBatch::Kind::kWrite);
  if (!batch.Began()) return false;  // another program holds the catalogue: said once
  std::size_t added = 0;
  std::size_t already = 0;
  std::size_t vanished = 0;
  const std::unique_ptr<FileProbe> probe = MakeSystemProbe();
  const BatchEnd end = RunInSteps(Handle(), paths_.size(), IDS_PROGRESS_ADDING,
                                  [&](std::size_t i) {
    FileRecord file = record_;
    if (!FileOrFolderExists(paths_[i]) || !SplitFilePath(file, paths_[i])) {
      ++vanished;  // gone since it was dropped
      return true;
    }
    std::int32_t id = 0;
    switch (AddFileInBatch(db, file, &id)) {
      case AddResult::kAdded:
        ++added;
        // Joins the batch: a file added together can be found again after a move too.
        RecordIdentity(db, *probe, id, file.FullPath());
        return true;
      case AddResult::kAlreadyCatalogued:
        ++already;
        return true;
      case AddResult::kFailed:
        break;
    }
    return false;
  });
  if (end != BatchEnd::kDone || !batch.Commit()) return false;
  std::u16string said = FillIn(LoadResourceString(IDS_FILES_ADDED),
                               {{u"{added}", NumberText(added)},
                                {u"{already}", NumberText(already)}});
  if (vanished != 0) {
    said += FillIn(LoadResourceString(IDS_FILES_VANISHED), {{u"{count}", NumberText(vanished)}});
  }
  ShowInformation(Handle(), said);
  return true;
}

}  // namespace quillon
