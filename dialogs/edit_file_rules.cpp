#include "dialogs/edit_file_rules.h"

#include "catalogue/file_store.h"
#include "catalogue/tag_text.h"

namespace quillon {

std::u16string ProposedTagText(const FileRecord& record) {
  return record.Tags == kAllFilesTagText ? std::u16string() : record.Tags;
}

FilePathVerdict CheckFilePath(TagDatabase& db, FileRecord& record, bool newFile,
                              std::u16string_view path) {
  if (!SplitFilePath(record, path)) return FilePathVerdict::kNoFolderPart;
  const std::int32_t found = FindFileId(db, record);
  const bool refused = newFile ? found != 0 : found != 0 && found != record.ID;
  return refused ? FilePathVerdict::kAlreadyCatalogued : FilePathVerdict::kAccepted;
}

bool StoreFile(TagDatabase& db, const FileRecord& record, bool newFile) {
  return newFile ? InsertFile(db, record) : ReplaceFile(db, record);
}

}  // namespace quillon
