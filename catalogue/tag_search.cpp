#include "catalogue/tag_search.h"

#include <unordered_set>
#include <vector>

#include "catalogue/tag_text.h"

namespace quillon {
namespace {

// The FileIDs of the current result's rows that no earlier tag found, in the order of the rows.
// A row without a positive FileID names no file and is passed over; the rows after it count.
std::vector<std::int32_t> CollectNewIds(TagDatabase& db, std::unordered_set<std::int32_t>& seen) {
  std::vector<std::int32_t> ids;
  for (; !db.AtEnd(); db.MoveNext()) {
    const std::int32_t id = AsInteger(db.GetFieldValue(u"FileID"));
    if (id > 0 && seen.insert(id).second) ids.push_back(id);
  }
  return ids;
}

// Reads the file row `id` into `record`; false when there is none (a tag row left behind by
// a file that no longer exists).
bool ReadFileRow(TagDatabase& db, std::int32_t id, FileRecord& record) {
  if (!db.Execute(u"SELECT * FROM db_filetags WHERE ID = " + SqlInteger(id)) || db.AtEnd()) {
    return false;
  }
  CatalogueReporter* damaged = db.ReadReporter();
  record.ID = AsInteger(db.GetFieldValue(u"ID"), damaged);
  db.ReadText(u"FileName", record.FileName, damaged);
  db.ReadText(u"Path", record.Path, damaged);
  db.ReadText(u"Tags", record.Tags, damaged);
  db.ReadText(u"Comment", record.Comment, damaged);
  record.deleted = 0;
  return record.ID > 0;
}

}  // namespace

std::uint32_t SearchFiles(TagDatabase& db, std::u16string_view text, const FoundFileSink& sink) {
  // IDs grow with every edit, so the set covers every ID rather than a fixed range.
  std::unordered_set<std::int32_t> seen;
  DatabaseBatch batch(db, DatabaseBatch::Kind::kRead);
  FileRecord record;
  bool wantsMore = true;
  std::uint32_t found = 0;
  for (const std::u16string& tag : SplitTagUnits(text)) {
    const std::u16string query =
        tag == u"*" ? std::u16string(u"SELECT FileID FROM db_taglist")
                    : u"SELECT FileID FROM db_taglist WHERE Tag = '" + QuoteSqlText(tag) + u"'";
    if (!db.Execute(query)) continue;
    const std::vector<std::int32_t> ids = CollectNewIds(db, seen);
    if (!wantsMore) {
      found += static_cast<std::uint32_t>(ids.size());
      continue;
    }
    for (std::size_t i = 0; i < ids.size(); ++i) {
      if (!wantsMore) {
        found += static_cast<std::uint32_t>(ids.size() - i);
        break;
      }
      if (!ReadFileRow(db, ids[i], record)) continue;
      ++found;
      wantsMore = sink(record);
    }
  }
  return found;
}

std::uint32_t SearchByTags(TagDatabase& db, FileTable& table, std::u16string_view text) {
  table.Reset();
  return SearchFiles(db, text, [&table](const FileRecord& record) {
    return table.Append(record) && table.Count() < kTableCapacity;
  });
}

}  // namespace quillon
