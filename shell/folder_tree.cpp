// The folder tree of the main window: built whole from the folder table, breadth first, and
// the folder commands that change it.
#include <windows.h>
#include <commctrl.h>

#include "catalogue/folder_store.h"
#include "dialogs/edit_folder_dlg.h"
#include "framework/resource_text.h"
#include "framework/wide.h"
#include "resources/resource.h"
#include "shell/folder_tree_order.h"
#include "shell/quillon_app.h"
#include "shell/quillon_dlg.h"
#include "ui/popup_menu.h"

namespace quillon {
namespace {

// Images of the tree's image list, in the order they are added.
constexpr int kRootImage = 0;
constexpr int kSelectedFolderImage = 1;
constexpr int kFolderImage = 2;
constexpr int kTreeIconSize = 32;

// What a folder command acts on when no folder is chosen.
FolderRecord NoFolder() {
  FolderRecord none;
  none.index = -1;
  none.ID = -1;
  return none;
}

HTREEITEM InsertNode(HWND tree, HTREEITEM parent, const std::u16string& name, int image,
                     int selectedImage) {
  TVINSERTSTRUCTW node{};
  node.hParent = parent;
  node.hInsertAfter = TVI_LAST;
  node.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  node.item.pszText = const_cast<wchar_t*>(Wide(name));
  node.item.iImage = image;
  node.item.iSelectedImage = selectedImage;
  return reinterpret_cast<HTREEITEM>(
      ::SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&node)));
}

// Sets a flag for one scope.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace

void CQuillonDlg::InitFolderTree() {
  currentFolder_ = NoFolder();
  treeImages_.Reset(
      ::ImageList_Create(kTreeIconSize, kTreeIconSize, ILC_COLOR32 | ILC_MASK, 1, 4));
  for (const int icon : {IDI_FOLDER_ROOT, IDI_FOLDER_SELECTED, IDI_FOLDER}) {
    const OwnedIcon image(static_cast<HICON>(::LoadImageW(
        ResourceModule(), MAKEINTRESOURCEW(icon), IMAGE_ICON, kTreeIconSize, kTreeIconSize, 0)));
    ::ImageList_AddIcon(treeImages_, image);
  }
}

void CQuillonDlg::FillFolderTree() {
  HWND tree = Item(IDC_FOLDER_TREE);
  FolderTable& folders = app_.Folders();
  const FlagScope quiet(quietTreeSelection_);
  const RedrawPause pause(tree);
  ::SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  ::SendMessageW(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(treeImages_.Get()));
  // Handles of nodes just deleted may come back for new nodes: no folder keeps an old one.
  for (std::uint32_t i = 0; i < folders.Count(); ++i) {
    folders.SetViewHandle(static_cast<std::int32_t>(i), 0);
  }
  std::vector<HTREEITEM> nodes(folders.Count(), nullptr);
  for (const FolderPlacement& place : PlaceFolders(folders)) {
    const bool root = place.parentIndex < 0;
    const HTREEITEM node =
        InsertNode(tree, root ? TVI_ROOT : nodes[place.parentIndex],
                   folders.GetFolder(place.index).DirName, root ? kRootImage : kFolderImage,
                   root ? kRootImage : kSelectedFolderImage);
    nodes[place.index] = node;
    folders.SetViewHandle(place.index, reinterpret_cast<std::uintptr_t>(node));
  }
  const auto root = reinterpret_cast<HTREEITEM>(
      ::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  if (root) ::SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
}

FolderRecord CQuillonDlg::SelectedFolder() const {
  const auto node = reinterpret_cast<HTREEITEM>(
      ::SendDlgItemMessageW(Handle(), IDC_FOLDER_TREE, TVM_GETNEXTITEM, TVGN_CARET, 0));
  if (!node) return NoFolder();
  return app_.Folders().FindFolderByViewHandle(reinterpret_cast<std::uintptr_t>(node));
}

void CQuillonDlg::OnFolderSelected() {
  if (!quietTreeSelection_) ListFiles(SelectedFolder().Tags);
}

void CQuillonDlg::OnTreeRightClick() {
  HWND tree = Item(IDC_FOLDER_TREE);
  POINT cursor{};
  ::GetCursorPos(&cursor);
  TVHITTESTINFO hit{};
  hit.pt = cursor;
  ::ScreenToClient(tree, &hit.pt);
  ::SendMessageW(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  currentFolder_ = hit.hItem ? app_.Folders().FindFolderByViewHandle(
                                   reinterpret_cast<std::uintptr_t>(hit.hItem))
                             : NoFolder();
  const bool onFolder = hit.hItem && (hit.flags & TVHT_ONITEM) && currentFolder_.index >= 0 &&
                        currentFolder_.index != rootFolderIndex_;
  PopupMenuAt(onFolder ? IDR_MENU_FOLDER : IDR_MENU_TREE, Handle(), cursor.x, cursor.y);
}

void CQuillonDlg::AddFolder() {
  CEditFolderDlg dialog(catalogue_, FolderRecord{});
  if (dialog.Run() == IDOK) FillFolderTree();
}

void CQuillonDlg::EditFolder() {
  // An empty name would make the dialog create a folder instead.
  if (currentFolder_.index < 0 || currentFolder_.DirName.empty()) return;
  CEditFolderDlg dialog(catalogue_, currentFolder_);
  dialog.Run();
  FillFolderTree();
}

void CQuillonDlg::RemoveFolder() {
  if (currentFolder_.index < 0) return;
  if (!ConfirmRemoval(IDS_REMOVE_FOLDER_CONFIRM)) return;
  DeleteFolderRow(app_.Database(), app_.Folders(), currentFolder_.index);
  FillFolderTree();
}

void CQuillonDlg::EditSelectedFolder() {
  currentFolder_ = SelectedFolder();
  if (currentFolder_.Tags.empty()) {
    Inform(IDS_SELECT_FOLDER);
    return;
  }
  EditFolder();
}

void CQuillonDlg::DeleteSelectedFolder() {
  currentFolder_ = SelectedFolder();
  if (currentFolder_.ID == -1) {
    Inform(IDS_SELECT_FOLDER);
  } else if (currentFolder_.ID == app_.RootFolderId()) {
    Inform(IDS_ROOT_FOLDER);
  } else {
    RemoveFolder();
  }
}

}  // namespace quillon
