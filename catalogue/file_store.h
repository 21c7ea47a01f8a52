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
// Adds the file with one db_taglist row per tag: all of it or, returning false, nothing.
bool InsertFile(TagDatabase& db, const FileRecord& record);
enum class AddResult { kAdded, kAlreadyCatalogued, kFailed };
// Adds the file unless an entry with its Path and FileName exists, checked and written as one
// unit, so that a file added from two places at once is stored once.
AddResult AddFileOnce(TagDatabase& db, const FileRecord& record);
// The same inside a write batch the caller holds (DatabaseBatch), so that many files are
// written as one unit: an entry already there is left as it is and writes nothing; after
// kFailed (reported) the caller must not commit.
// `addedId`, when given, receives the new entry's ID.
AddResult AddFileInBatch(TagDatabase& db, const FileRecord& record,
                         std::int32_t* addedId = nullptr);
// Removes the catalogued file with the record's Path and FileName, if there is one, with its
// tags and identity; false (reported) when its rows could not be deleted. Inside a write batch
// the caller holds it joins that batch, so that many files are removed as one unit.
bool RemoveFileByPath(TagDatabase& db, const FileRecord& record);
// Replaces the rows of record.ID by a fresh insert; the file is never lost on a failed insert.
bool ReplaceFile(TagDatabase& db, const FileRecord& record);

}  // namespace quillon
