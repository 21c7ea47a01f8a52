// The tree-view control that shows the virtual folders: one node per shown folder, each
// record's view handle naming its node, the root with its own image and expanded.
//
//   FolderTreeView tree;
//   tree.Attach(Item(IDC_FOLDER_TREE));
//   tree.Fill(app.Folders(), rootIndex);
//   FolderRecord chosen = folders.FindFolderByViewHandle(tree.SelectedNode());
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "catalogue/tables.h"
#include "framework/gdi.h"

namespace quillon {

class FolderTreeView {
 public:
  // Builds the tree's image list for the control `tree`.
  void Attach(HWND tree);
  HWND Handle() const { return tree_; }

  // Rebuilds every node from `folders`, breadth first from the record at `rootIndex`, and
  // stores each node as its record's view handle (every other record's becomes 0).
  void Fill(FolderTable& folders, std::int32_t rootIndex);

  // The node of the selection caret; 0 when none.
  std::uintptr_t SelectedNode() const;
  // The node at a screen point when the point lies on its icon, label or state icon; 0
  // elsewhere.
  std::uintptr_t NodeOnItemAt(POINT screen) const;
  // The node at a point of the main window's client area, wherever on its row; 0 when none.
  std::uintptr_t NodeAt(HWND window, POINT client) const;
  // Selects `node` (0 clears the selection) without the change listing anything.
  void SelectQuietly(std::uintptr_t node);
  // True while the program itself changes the selection: such a change lists nothing.
  bool ChangingQuietly() const { return quiet_; }

 private:
  HWND tree_ = nullptr;
  OwnedImageList images_;
  bool quiet_ = false;
};

}  // namespace quillon
