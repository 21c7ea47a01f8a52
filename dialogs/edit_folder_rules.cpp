#include "dialogs/edit_folder_rules.h"

#include "catalogue/folder_store.h"
#include "catalogue/tag_text.h"
#include "dialogs/tag_list_editing.h"

namespace quillon {
namespace {

bool NameTaken(const FolderTable& table, std::optional<std::int32_t> ownIndex,
               std::u16string_view name) {
  for (std::int32_t i = 0; i < static_cast<std::int32_t>(table.Count()); ++i) {
    if (i != ownIndex && EqualsFoldingAToZ(table.GetFolder(i).DirName, name)) return true;
  }
  return false;
}

}  // namespace

FolderDecision DecideFolderOk(const FolderTable& table, std::optional<std::int32_t> ownIndex,
                              std::u16string_view typedName, std::u16string_view tagText) {
  auto name = TrimBlanks(typedName);
  if (!name) return {FolderVerdict::kBlankName, {}};
  if (NameTaken(table, ownIndex, *name)) return {FolderVerdict::kNameTaken, std::move(*name)};
  if (tagText.empty()) return {FolderVerdict::kNoTags, std::move(*name)};
  return {FolderVerdict::kAccepted, std::move(*name)};
}

FolderStored StoreFolder(TagDatabase& db, FolderTable& table, std::int32_t rootFolderId,
                         FolderRecord& record, bool newFolder) {
  // The table changes first because the stores write the row from it; a failed write takes the
  // change back, so the tree never shows a folder that is not stored.
  if (newFolder) {
    const std::int32_t index = table.AppendFolder(0, record.DirName, rootFolderId, record.Tags);
    if (index < 0) return FolderStored::kTableFull;
    if (!InsertFolderRow(db, table, index)) {
      table.DropNewest(index);
      return FolderStored::kWriteFailed;
    }
    record = table.GetFolder(index);
    return FolderStored::kStored;
  }
  const FolderRecord before = table.GetFolder(record.index);
  table.SetFolder(record);
  if (!UpdateFolderRow(db, table, record.index)) {
    table.SetFolder(before);
    return FolderStored::kWriteFailed;
  }
  return FolderStored::kStored;
}

}  // namespace quillon
