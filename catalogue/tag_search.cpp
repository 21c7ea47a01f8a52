#include "catalogue/tag_search.h"

#include <unordered_set>
#include <vector>

#include "catalogue/tag_text.h"

namespace quillon {
namespace {

// The FileIDs of the current result's rows that no earlier tag found, in the order of the rows.
std::vector<std::int32_t> CollectNewIds(TagDatabase& db, std::unordered_set<std::int32_t>& seen) {
  std::vector<std::int32_t> ids;
  for (;;) {
    const auto id = static_cast<std::int32_t>(AsUnsigned(db.GetFieldValue(u"FileID")));
    if (id == 0) break;
    if (seen.insert(id).second) ids.push_back(id);
    if (!db.MoveNext()) break;
  }
  return ids;
}

// Reads the file row `id` into `record`; false when there is none (a tag row left behind by
// a file that no longer exists).
bool ReadFileRow(TagDatabase& db, std::int32_t id, FileRecord& record) {
  if (!db.Execute(u"SELECT * FROM db_filetags WHERE ID = " + SqlInteger(id))) return false;
  record.ID = static_cast<std::int32_t>(AsUnsigned(db.GetFieldValue(u"ID")));
  if (record.ID == 0) return false;
  record.FileName = AsText(db.GetFieldValue(u"FileName"));
  record.Path = AsText(db.GetFieldValue(u"Path"));
  record.Tags = AsText(db.GetFieldValue(u"Tags"));
  record.Comment = AsText(db.GetFieldValue(u"Comment"));
  record.deleted = 0;
  return true;
}

}  // namespace

void SearchByTags(TagDatabase& db, FileTable& table, std::u16string_view text) {
  table.Reset();
  // IDs grow with every edit, so the set covers every ID rather than a fixed range.
  std::unordered_set<std::int32_t> seen;
  DatabaseBatch batch(db, DatabaseBatch::Kind::kRead);
  FileRecord record;
  for (const std::u16string& tag : SplitTagUnits(text)) {
    const std::u16string query =
        tag == u"*" ? std::u16string(u"SELECT FileID FROM db_taglist")
                    : u"SELECT FileID FROM db_taglist WHERE Tag = '" + QuoteSqlText(tag) + u"'";
    if (!db.Execute(query)) continue;
    for (const std::int32_t id : CollectNewIds(db, seen)) {
      if (!ReadFileRow(db, id, record)) continue;
      if (!table.Append(record)) return;  // the table holds at most kTableCapacity files
    }
  }
}

}  // namespace quillon
