#include "catalogue/file_store.h"

#include <algorithm>

#include "catalogue/schema.h"
#include "catalogue/tag_text.h"

namespace quillon {
namespace {

// The file row and its tag rows; the new file's ID, or 0 when something was not written.
std::int32_t WriteFileRows(TagDatabase& db, const FileRecord& record) {
  if (!db.Execute(u"INSERT INTO db_filetags(FileName, Path, Tags, Comment) VALUES(?, ?, ?, ?)",
                  record.FileName, record.Path, record.Tags, record.Comment) ||
      !db.Execute(u"SELECT ID FROM db_filetags WHERE FileName = ? AND Path = ?", record.FileName,
                  record.Path)) {
    return 0;
  }
  // While a file is being replaced its old row is still there: the new row is the newest.
  std::int32_t fileId = 0;
  for (;;) {
    const auto id = static_cast<std::int32_t>(AsUnsigned(db.GetFieldValue(u"ID")));
    if (id == 0) break;
    fileId = std::max(fileId, id);
    if (!db.MoveNext()) break;
  }
  if (fileId == 0) return 0;  // every reader takes FileID 0 as the end of a result
  for (const std::u16string& tag : SplitTagUnits(record.Tags)) {
    if (!db.Execute(u"INSERT INTO db_taglist(FileID, Tag) VALUES(?, ?)", fileId, tag)) {
      return 0;
    }
  }
  return fileId;
}

// The file's identity goes with its rows, in the same transaction.
bool DeleteFileRows(TagDatabase& db, std::int32_t fileId) {
  return db.Execute(u"DELETE FROM db_filetags WHERE ID = ?", fileId) &&
         db.Execute(u"DELETE FROM db_taglist WHERE FileID = ?", fileId) &&
         (!HasIdentityTable(db) ||
          db.Execute(u"DELETE FROM db_fileidentity WHERE FileID = ?", fileId));
}

}  // namespace

bool SplitFilePath(FileRecord& record, std::u16string_view fullPath) {
  const auto separator = fullPath.rfind(u'\\');
  if (separator == std::u16string_view::npos) return false;
  record.Path = fullPath.substr(0, separator);
  record.FileName = fullPath.substr(separator + 1);
  return true;
}

std::int32_t FindFileId(TagDatabase& db, const FileRecord& record) {
  std::lock_guard lock(DatabaseLock());
  if (!db.Execute(u"SELECT id FROM db_filetags WHERE Path = ? AND FileName = ?", record.Path,
                  record.FileName)) {
    return 0;
  }
  return AsInteger(db.GetFieldValue(u"id"));
}

bool InsertFile(TagDatabase& db, const FileRecord& record) {
  DatabaseBatch batch(db, DatabaseBatch::Kind::kWrite);
  return batch.Began() && WriteFileRows(db, record) != 0 && batch.Commit();
}

AddResult AddFileOnce(TagDatabase& db, const FileRecord& record) {
  // The check and the insert share the write lock: another process adding the same file at
  // the same moment waits for this one and then finds the entry.
  DatabaseBatch batch(db, DatabaseBatch::Kind::kWrite);
  if (!batch.Began()) return AddResult::kFailed;
  const AddResult result = AddFileInBatch(db, record);
  // Nothing written for an entry already there: committing the empty batch costs nothing.
  if (result == AddResult::kFailed || !batch.Commit()) return AddResult::kFailed;
  return result;
}

AddResult AddFileInBatch(TagDatabase& db, const FileRecord& record, std::int32_t* addedId) {
  if (FindFileId(db, record) != 0) return AddResult::kAlreadyCatalogued;
  const std::int32_t id = WriteFileRows(db, record);
  if (addedId) *addedId = id;
  return id != 0 ? AddResult::kAdded : AddResult::kFailed;
}

bool RemoveFileByPath(TagDatabase& db, const FileRecord& record) {
  DatabaseBatch batch(db, DatabaseBatch::Kind::kWrite);
  if (!batch.Began()) return false;
  const std::int32_t id = FindFileId(db, record);
  return (id == 0 || DeleteFileRows(db, id)) && batch.Commit();
}

bool ReplaceFile(TagDatabase& db, const FileRecord& record) {
  // The new rows are written before the old ones go, and all of it is kept or none: a file
  // whose new values cannot be stored keeps its old entry.
  DatabaseBatch batch(db, DatabaseBatch::Kind::kWrite);
  if (!batch.Began()) return false;
  const std::int32_t newId = WriteFileRows(db, record);
  if (newId == 0) return false;
  if (newId != record.ID && !DeleteFileRows(db, record.ID)) return false;
  return batch.Commit();
}

}  // namespace quillon
