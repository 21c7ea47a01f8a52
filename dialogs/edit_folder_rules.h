// The decisions of the Edit Folder dialog that do not need a window: the checks of OK in their
// order and the write into the FolderTable and the catalogue.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/tables.h"
#include "catalogue/tag_database.h"

namespace quillon {

enum class FolderVerdict {
  kAccepted,
  kBlankName,  // the name is empty or only blanks
  kNameTaken,  // another folder of the table, deleted ones included, has the name
  kNoTags,     // the tag list is empty
};

struct FolderDecision {
  FolderVerdict verdict;
  std::u16string name;  // the typed name without outer blanks; empty for a blank name
};

// Checks a typed name and the joined tag list in the dialog's order: blank name, name already
// used (letters A to Z without case, every record of `table` but `ownIndex`), empty tag list.
FolderDecision DecideFolderOk(const FolderTable& table, std::optional<std::int32_t> ownIndex,
                              std::u16string_view typedName, std::u16string_view tagText);

enum class FolderStored {
  kStored,
  kTableFull,    // the table has no free slot; nothing was written
  kWriteFailed,  // the catalogue refused the write (reported there); table and file unchanged
};

// Writes an accepted folder: a new one goes under the root folder as a new record and row, an
// existing one (record.index) gets the name and tags.
FolderStored StoreFolder(TagDatabase& db, FolderTable& table, std::int32_t rootFolderId,
                         FolderRecord& record, bool newFolder);

}  // namespace quillon
