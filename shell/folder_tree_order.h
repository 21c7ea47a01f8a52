// Where each virtual folder goes in the folder tree. Kept apart from the tree control so the
// order is tested natively.
#pragma once

#include <cstdint>
#include <vector>

#include "catalogue/tables.h"

namespace quillon {

struct FolderPlacement {
  std::int32_t index;        // the folder's position in the FolderTable
  std::int32_t parentIndex;  // its parent's position; -1 for the root
};

// The folders the tree shows, in the order they are inserted: the root (the first folder with
// FatherID 0) first, then breadth first, each level before the next and the children of one
// folder in table order. Deleted folders, folders whose parent is not shown and folders caught
// in a cycle are left out. Empty when the table has no root.
std::vector<FolderPlacement> PlaceFolders(const FolderTable& table);

}  // namespace quillon
