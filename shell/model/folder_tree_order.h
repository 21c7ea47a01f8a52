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

// The folders the tree shows, in the order they are inserted: the root (the folder at
// `rootIndex`, the one the load named the root, which the folder commands also protect) first,
// then breadth first, each level before the next and the children of one folder in table
// order. Deleted folders, folders whose parent is not shown, folders caught in a cycle and any
// other row with FatherID 0 are left out. Empty when there is no root.
std::vector<FolderPlacement> PlaceFolders(const FolderTable& table, std::int32_t rootIndex);

}  // namespace quillon
