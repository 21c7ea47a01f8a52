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

FileStored StoreFile(TagDatabase& db, const FileRecord& record, bool newFile) {
  if (!newFile) return ReplaceFile(db, record) ? FileStored::kStored : FileStored::kWriteFailed;
  switch (AddFileOnce(db, record)) {
    case AddResult::kAdded:
      return FileStored::kStored;
    case AddResult::kAlreadyCatalogued:
      return FileStored::kAlreadyCatalogued;
    case AddResult::kFailed:
      break;
  }
  return FileStored::kWriteFailed;
}

}  // namespace quillon
