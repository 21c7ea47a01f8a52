#include "dialogs/edit_folder_dlg.h"

#include <optional>

#include "dialogs/edit_folder_rules.h"
#include "framework/message_box.h"
#include "framework/resource_text.h"
#include "resources/resource.h"

namespace quillon {
namespace {

UINT RefusalText(FolderVerdict verdict) {
  switch (verdict) {
    case FolderVerdict::kBlankName:
      return IDS_FOLDER_NAME_BLANK;
    case FolderVerdict::kNameTaken:
      return IDS_FOLDER_EXISTS;
    case FolderVerdict::kNoTags:
      return IDS_NEED_TAG;
    case FolderVerdict::kAccepted:
      break;
  }
  return 0;
}

}  // namespace

CEditFolderDlg::CEditFolderDlg(CatalogueContext& context, const FolderRecord& record, Mode mode,
                               HWND owner)
    : CTagListDialog(IDD_EDIT_FOLDER, context, owner),
      record_(record),
      newFolder_(mode == Mode::kNewFolder) {}

bool CEditFolderDlg::OnInitDialog() {
  if (newFolder_) SetText(LoadResourceString(IDS_TITLE_NEW_FOLDER));
  SetItemText(IDC_FOLDER_NAME, record_.DirName);
  FillTagList(record_.Tags);
  if (newFolder_) return true;  // the name box, first in the tab order, gets the focus
  ::SetFocus(Item(IDC_ADD_TAGS));
  return false;
}

void CEditFolderDlg::OnOK() {
  AddTypedTags();
  const std::u16string tags = JoinedTags();
  const auto ownIndex = newFolder_ ? std::nullopt : std::optional(record_.index);
  const FolderDecision decision =
      DecideFolderOk(context_.Folders(), ownIndex, ItemText(IDC_FOLDER_NAME), tags);
  // The trimmed name is shown even when a later check refuses it.
  if (decision.verdict != FolderVerdict::kBlankName) SetItemText(IDC_FOLDER_NAME, decision.name);
  if (decision.verdict != FolderVerdict::kAccepted) {
    ShowInformation(Handle(), RefusalText(decision.verdict));
    if (decision.verdict == FolderVerdict::kBlankName) ::SetFocus(Item(IDC_FOLDER_NAME));
    return;
  }
  record_.DirName = decision.name;
  record_.Tags = tags;
  if (!StoreFolder(context_.Database(), context_.Folders(), context_.RootFolderId(), record_,
                   newFolder_)) {
    ShowInformation(Handle(), IDS_FOLDER_TABLE_FULL);
    return;
  }
  EndDialog(IDOK);
}

}  // namespace quillon
