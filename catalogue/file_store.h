// Keeps a catalogued file's db_filetags row and its db_taglist rows in step.
#pragma once

#include <cstdint>
#include <string_view>

#include "catalogue/tables.h"
#include "catalogue/tag_database.h"

namespace quillon {

// Path and FileName from a full path; false (nothing set) when it holds no "\".
bool SplitFilePath(FileRecord& record, std::u16string_view fullPath);
// ID of the catalogued file with the record's Path and FileName, or 0.
std::int32_t FindFileId(TagDatabase& db, const FileRecord& record);
// Adds the file with one db_taglist row per tag; false when the file row could not be written.
bool InsertFile(TagDatabase& db, const FileRecord& record);
// Replaces the rows of record.ID by a fresh insert; the file is never lost on a failed insert.
bool ReplaceFile(TagDatabase& db, const FileRecord& record);
// Flags the table's record of `fullPath` deleted and deletes its rows; nothing when absent.
void DeleteFileByPath(TagDatabase& db, FileTable& table, std::u16string_view fullPath);

}  // namespace quillon
