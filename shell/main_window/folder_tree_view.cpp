#include "shell/main_window/folder_tree_view.h"

#include <vector>

#include "files/file_list_view.h"
#include "framework/resource_text.h"
#include "framework/wide.h"
#include "resources/resource.h"
#include "shell/model/folder_tree_order.h"

namespace quillon {
namespace {

// Images of the tree's image list, in the order they are added.
constexpr int kRootImage = 0;
constexpr int kSelectedFolderImage = 1;
constexpr int kFolderImage = 2;
constexpr int kTreeIconSize = 32;

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

void FolderTreeView::Attach(HWND tree) {
  tree_ = tree;
  images_.Reset(::ImageList_Create(kTreeIconSize, kTreeIconSize, ILC_COLOR32 | ILC_MASK, 1, 4));
  for (const int icon : {IDI_FOLDER_ROOT, IDI_FOLDER_SELECTED, IDI_FOLDER}) {
    const OwnedIcon image(static_cast<HICON>(::LoadImageW(
        ResourceModule(), MAKEINTRESOURCEW(icon), IMAGE_ICON, kTreeIconSize, kTreeIconSize, 0)));
    ::ImageList_AddIcon(images_, image);
  }
}

void FolderTreeView::Fill(FolderTable& folders, std::int32_t rootIndex) {
  const FlagScope quiet(quiet_);
  const RedrawPause pause(tree_);
  ::SendMessageW(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  ::SendMessageW(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_.Get()));
  // Handles of nodes just deleted may come back for new nodes: no folder keeps an old one.
  for (std::uint32_t i = 0; i < folders.Count(); ++i) {
    folders.SetViewHandle(static_cast<std::int32_t>(i), 0);
  }
  std::vector<HTREEITEM> nodes(folders.Count(), nullptr);
  for (const FolderPlacement& place : PlaceFolders(folders, rootIndex)) {
    const bool root = place.parentIndex < 0;
    const HTREEITEM node =
        InsertNode(tree_, root ? TVI_ROOT : nodes[place.parentIndex],
                   folders.GetFolder(place.index).DirName, root ? kRootImage : kFolderImage,
                   root ? kRootImage : kSelectedFolderImage);
    nodes[place.index] = node;
    folders.SetViewHandle(place.index, reinterpret_cast<std::uintptr_t>(node));
  }
  const auto root =
      reinterpret_cast<HTREEITEM>(::SendMessageW(tree_, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  if (root) ::SendMessageW(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
}

std::uintptr_t FolderTreeView::SelectedNode() const {
  return static_cast<std::uintptr_t>(::SendMessageW(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

std::uintptr_t FolderTreeView::NodeOnItemAt(POINT screen) const {
  TVHITTESTINFO hit{};
  hit.pt = screen;
  ::ScreenToClient(tree_, &hit.pt);
  ::SendMessageW(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  return (hit.flags & TVHT_ONITEM) ? reinterpret_cast<std::uintptr_t>(hit.hItem) : 0;
}

std::uintptr_t FolderTreeView::NodeAt(HWND window, POINT client) const {
  TVHITTESTINFO hit{};
  hit.pt = client;
  ::MapWindowPoints(window, tree_, &hit.pt, 1);
  ::SendMessageW(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  return reinterpret_cast<std::uintptr_t>(hit.hItem);
}

void FolderTreeView::SelectQuietly(std::uintptr_t node) {
  const FlagScope quiet(quiet_);
  ::SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, static_cast<LPARAM>(node));
}

}  // namespace quillon
