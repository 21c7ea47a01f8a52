// The decisions of the Edit Tags dialog that do not need a window: what the dialog proposes,
// whether a path may be catalogued, and how the file is written.
#pragma once

#include <string>
#include <string_view>

#include "catalogue/tables.h"
#include "catalogue/tag_database.h"

namespace quillon {

// A record prepared for a file that is not catalogued yet carries this ID.
inline constexpr std::int32_t kNewFileId = -1;

// The text a new file's Add Tags box starts with: the proposed tags, unless they are the
// wildcard that lists the whole catalogue.
std::u16string ProposedTagText(const FileRecord& record);

enum class FilePathVerdict {
  kAccepted,
  kNoFolderPart,       // no "\" in the path: it cannot be split into Path and FileName
  kAlreadyCatalogued,  // another catalogue entry has this path
};

// Splits `path` into the record's Path and FileName and refuses a path that another entry of
// the catalogue has: any entry when adding a new file, any but the record's own when editing.
FilePathVerdict CheckFilePath(TagDatabase& db, FileRecord& record, bool newFile,
                              std::u16string_view path);

enum class FileStored {
  kStored,
  kAlreadyCatalogued,  // another program catalogued the new file since the check
  kWriteFailed,        // reported by the catalogue; nothing was written
};

// Adds the record as a new entry, or replaces the edited entry (record.ID) by it.
FileStored StoreFile(TagDatabase& db, const FileRecord& record, bool newFile);

}  // namespace quillon
