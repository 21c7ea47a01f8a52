// The folder commands of the main window: the tree rebuilt whole after every change, a folder's
// selection listing its files, the tree's context menus, and adding, editing and removing
// folders. The root folder is never edited or removed.
#include "catalogue/folder_store.h"
#include "dialogs/edit_folder_dlg.h"
#include "framework/message_box.h"
#include "framework/resource_text.h"
#include "resources/resource.h"
#include "shell/main_window/quillon_dlg.h"
#include "ui/popup_menu.h"

namespace quillon {
namespace {

// What a folder command acts on when no folder is chosen.
FolderRecord NoFolder() {
  FolderRecord none;
  none.index = -1;
  none.ID = -1;
  return none;
}

}  // namespace

void CQuillonDlg::FoldersReady(std::int32_t rootIndex) {
  rootFolderIndex_ = rootIndex;
  FillFolderTree();
}

void CQuillonDlg::FillFolderTree() { folderTree_.Fill(host_.Folders(), rootFolderIndex_); }

FolderRecord CQuillonDlg::FolderOfNode(std::uintptr_t node) const {
  return node ? host_.Folders().FindFolderByViewHandle(node) : NoFolder();
}

FolderRecord CQuillonDlg::SelectedFolder() const {
  return FolderOfNode(folderTree_.SelectedNode());
}

bool CQuillonDlg::IsRootFolder(const FolderRecord& folder) const {
  return folder.index >= 0 && folder.index == rootFolderIndex_;
}

void CQuillonDlg::OnFolderSelected() {
  if (!folderTree_.ChangingQuietly()) ListFiles(SelectedFolder().Tags);
}

void CQuillonDlg::OnTreeRightClick() {
  POINT cursor{};
  ::GetCursorPos(&cursor);
  currentFolder_ = FolderOfNode(folderTree_.NodeOnItemAt(cursor));
  const bool onFolder = currentFolder_.index >= 0 && !IsRootFolder(currentFolder_);
  PopupMenuAt(onFolder ? IDR_MENU_FOLDER : IDR_MENU_TREE, Handle(), cursor.x, cursor.y);
}

void CQuillonDlg::AddFolder() {
  CEditFolderDlg dialog(catalogue_, FolderRecord{}, CEditFolderDlg::Mode::kNewFolder);
  if (dialog.Run() == IDOK) FillFolderTree();
}

void CQuillonDlg::EditFolder() {
  if (currentFolder_.index < 0 || IsRootFolder(currentFolder_)) return;
  // A folder row without a name is edited like any other: the dialog asks for a name.
  CEditFolderDlg dialog(catalogue_, currentFolder_, CEditFolderDlg::Mode::kExistingFolder);
  dialog.Run();
  FillFolderTree();
}

void CQuillonDlg::RemoveFolder() {
  if (currentFolder_.index < 0 || IsRootFolder(currentFolder_)) return;
  if (!AskYesNo(Handle(), LoadResourceString(IDS_REMOVE_FOLDER_CONFIRM),
                LoadResourceString(IDS_REMOVE_CAPTION))) {
    return;
  }
  DeleteFolderRow(host_.Database(), host_.Folders(), currentFolder_.index);
  FillFolderTree();
}

bool CQuillonDlg::TakeSelectedFolder(UINT rootRefusal) {
  currentFolder_ = SelectedFolder();
  if (currentFolder_.index < 0) {
    ShowInformation(Handle(), IDS_SELECT_FOLDER);
    return false;
  }
  if (IsRootFolder(currentFolder_)) {
    ShowInformation(Handle(), rootRefusal);
    return false;
  }
  return true;
}

void CQuillonDlg::EditSelectedFolder() {
  if (TakeSelectedFolder(IDS_ROOT_FOLDER_EDIT)) EditFolder();
}

void CQuillonDlg::DeleteSelectedFolder() {
  if (TakeSelectedFolder(IDS_ROOT_FOLDER)) RemoveFolder();
}

}  // namespace quillon
