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
  for (;;) {
    const auto id = static_cast<std::int32_t>(AsUnsigned(db.GetFieldValue(u"ID")));
    if (id == 0) break;
    std::u16string dirName = AsText(db.GetFieldValue(u"DirName"));
    const auto fatherId = static_cast<std::int32_t>(AsUnsigned(db.GetFieldValue(u"FatherID")));
    std::u16string tags = AsText(db.GetFieldValue(u"Tags"));
    const std::int32_t index = table.AppendFolder(id, std::move(dirName), fatherId, std::move(tags));
    if (index < 0) break;  // rows beyond the table's capacity are not shown
    if (fatherId == 0) root = {id, index};
    if (!db.MoveNext()) break;
  }
  return root;
}

void InsertFolderRow(TagDatabase& db, FolderTable& table, std::int32_t index) {
  if (!IsRecord(table, index)) return;
  const FolderRecord record = table.GetFolder(index);
  // The lock spans the insert and the read of its ID, so no other statement comes between.
  std::lock_guard lock(DatabaseLock());
  if (db.Execute(u"INSERT INTO db_virtualdir(FatherID, DirName, Tags) VALUES(" +
                 SqlInteger(record.FatherID) + u", '" + QuoteSqlText(record.DirName) + u"', '" +
                 QuoteSqlText(record.Tags) + u"')")) {
    table.SetId(index, static_cast<std::int32_t>(db.LastInsertRowId()));
  }
}

void UpdateFolderRow(TagDatabase& db, const FolderTable& table, std::int32_t index) {
  if (!IsRecord(table, index)) return;
  const FolderRecord record = table.GetFolder(index);
  if (record.deleted) return;
  db.Execute(u"UPDATE db_virtualdir SET FatherID = " + SqlInteger(record.FatherID) +
             u", DirName = '" + QuoteSqlText(record.DirName) + u"', Tags = '" +
             QuoteSqlText(record.Tags) + u"' WHERE ID = " + SqlInteger(record.ID));
}

void DeleteFolderRow(TagDatabase& db, FolderTable& table, std::int32_t index) {
  if (!IsRecord(table, index)) return;
  const FolderRecord record = table.GetFolder(index);
  if (record.deleted) return;
  table.MarkDeleted(index);
  db.Execute(u"DELETE FROM db_virtualdir WHERE ID = " + SqlInteger(record.ID));
}

}  // namespace quillon
