#include "catalogue/folder_store.h"

namespace quillon {
namespace {

bool IsRecord(const FolderTable& table, std::int32_t index) {
  return index >= 0 && static_cast<std::uint32_t>(index) < table.Count();
}

}  // namespace

RootFolder ReadFolderRows(TagDatabase& db, FolderTable& table) {
  RootFolder root;
  DatabaseBatch batch(db, DatabaseBatch::Kind::kRead);
  // A failed SELECT leaves the previous result in place, which holds no folders.
  if (!db.Execute(u"SELECT * FROM db_virtualdir")) return root;
  // A damaged row is skipped with one report for the whole read; the folders after it load.
  CatalogueReporter* damaged = db.ReadReporter();
  for (; !db.AtEnd(); db.MoveNext()) {
    const std::int32_t id = AsInteger(db.GetFieldValue(u"ID"), damaged);
    if (id <= 0) {
      damaged->ReportReadError(u"A folder whose ID is not a positive number was skipped.");
      continue;
    }
    std::u16string dirName = AsText(db.GetFieldValue(u"DirName"), damaged);
    const std::int32_t fatherId = AsInteger(db.GetFieldValue(u"FatherID"), damaged);
    std::u16string tags = AsText(db.GetFieldValue(u"Tags"), damaged);
    const std::int32_t index = table.AppendFolder(id, std::move(dirName), fatherId, std::move(tags));
    if (index < 0) break;  // rows beyond the table's capacity are not shown
    if (fatherId == 0) root = {id, index};
  }
  return root;
}

bool InsertFolderRow(TagDatabase& db, FolderTable& table, std::int32_t index) {
  if (!IsRecord(table, index)) return false;
  const FolderRecord record = table.GetFolder(index);
  DatabaseBatch batch(db, DatabaseBatch::Kind::kWrite);
  if (!batch.Began() ||
      !db.Execute(u"INSERT INTO db_virtualdir(FatherID, DirName, Tags) VALUES(?, ?, ?)",
                  record.FatherID, record.DirName, record.Tags)) {
    return false;
  }
  const auto id = static_cast<std::int32_t>(db.LastInsertRowId());
  if (!batch.Commit()) return false;
  table.SetId(index, id);
  return true;
}

bool UpdateFolderRow(TagDatabase& db, const FolderTable& table, std::int32_t index) {
  if (!IsRecord(table, index)) return false;
  const FolderRecord record = table.GetFolder(index);
  if (record.deleted) return false;
  DatabaseBatch batch(db, DatabaseBatch::Kind::kWrite);
  return batch.Began() &&
         db.Execute(u"UPDATE db_virtualdir SET FatherID = ?, DirName = ?, Tags = ? WHERE ID = ?",
                    record.FatherID, record.DirName, record.Tags, record.ID) &&
         batch.Commit();
}

bool DeleteFolderRow(TagDatabase& db, FolderTable& table, std::int32_t index) {
  if (!IsRecord(table, index)) return false;
  const FolderRecord record = table.GetFolder(index);
  if (record.deleted) return false;
  DatabaseBatch batch(db, DatabaseBatch::Kind::kWrite);
  if (!batch.Began() ||
      !db.Execute(u"DELETE FROM db_virtualdir WHERE ID = ?", record.ID) ||
      !batch.Commit()) {
    return false;
  }
  table.MarkDeleted(index);  // only once the row is gone: the tree never hides a stored folder
  return true;
}

}  // namespace quillon
