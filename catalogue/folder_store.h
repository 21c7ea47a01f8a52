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
RootFolder ReadFolderRows(TagDatabase& db, FolderTable& table);
// Writes the record at `index` as a new row and stores the new row's ID in the record.
void InsertFolderRow(TagDatabase& db, FolderTable& table, std::int32_t index);
void UpdateFolderRow(TagDatabase& db, const FolderTable& table, std::int32_t index);
// Flags the record deleted and deletes its one row.
void DeleteFolderRow(TagDatabase& db, FolderTable& table, std::int32_t index);

}  // namespace quillon
