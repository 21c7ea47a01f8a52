// Keeps db_virtualdir and the FolderTable in step.
#pragma once

#include <cstdint>

#include "catalogue/tables.h"
#include "catalogue/tag_database.h"

namespace quillon {

struct RootFolder {
  std::int32_t id = 0;      // ID of the folder whose FatherID is 0
  std::int32_t index = -1;  // its position in the FolderTable
};

// Reads every row of db_virtualdir into `table`, in the order the database returns them.
// A row without a positive ID is skipped, reported once.
RootFolder ReadFolderRows(TagDatabase& db, FolderTable& table);
// The writes return false, reported, when the row could not be written; nothing is then
// stored. Writes the record at `index` as a new row and stores the new row's ID in the record.
bool InsertFolderRow(TagDatabase& db, FolderTable& table, std::int32_t index);
bool UpdateFolderRow(TagDatabase& db, const FolderTable& table, std::int32_t index);
// Deletes the record's one row, then flags the record deleted.
bool DeleteFolderRow(TagDatabase& db, FolderTable& table, std::int32_t index);

}  // namespace quillon
