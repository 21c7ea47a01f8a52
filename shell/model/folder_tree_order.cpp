#include "shell/model/folder_tree_order.h"

#include <unordered_map>

namespace quillon {

std::vector<FolderPlacement> PlaceFolders(const FolderTable& table, std::int32_t rootIndex) {
  const auto count = static_cast<std::int32_t>(table.Count());
  std::vector<FolderPlacement> placements;
  if (rootIndex < 0 || rootIndex >= count || table.GetFolder(rootIndex).deleted) return placements;
  const std::int32_t root = rootIndex;
  std::vector<std::int32_t> ids(count);
  // The children of each folder ID in table order, so a level is placed without scanning the
  // whole table once per folder (10,000 folders would make that 10^8 steps).
  std::unordered_map<std::int32_t, std::vector<std::int32_t>> childrenOf;
  for (std::int32_t i = 0; i < count; ++i) {
    const FolderRecord folder = table.GetFolder(i);
    ids[i] = folder.ID;
    if (!folder.deleted) childrenOf[folder.FatherID].push_back(i);
  }

  std::vector<bool> placed(count, false);
  placed[root] = true;
  placements.push_back({root, -1});
  // The placements double as the queue of folders whose children are still to place.
  for (std::size_t next = 0; next < placements.size(); ++next) {
    const std::int32_t parent = placements[next].index;
    const auto children = childrenOf.find(ids[parent]);
    if (children == childrenOf.end()) continue;
    for (const std::int32_t child : children->second) {
      if (placed[child]) continue;
      placed[child] = true;
      placements.push_back({child, parent});
    }
  }
  return placements;
}

}  // namespace quillon
