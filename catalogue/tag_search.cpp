#include "catalogue/tag_search.h"

#include <string>
#include <unordered_set>

#include "catalogue/tag_text.h"

namespace quillon {
namespace {

// Every file that has at least one tag row, in the order of IDs as the FileID index gives them.
constexpr char16_t kAllTaggedFiles[] =
    u"SELECT f.* FROM db_filetags AS f WHERE f.ID IN (SELECT FileID FROM db_taglist) "
    u"ORDER BY f.ID";
// The files of one tag in the order of its tag rows; a tag row without its file finds nothing.
constexpr char16_t kFilesOfTag[] =
    u"SELECT f.* FROM db_taglist AS t JOIN db_filetags AS f ON f.ID = t.FileID WHERE t.Tag = ? "
    u"ORDER BY t.rowid";

// The texts of the current row into `record` (its ID is set already).
void ReadFileTexts(TagDatabase& db, FileRecord& record) {
  CatalogueReporter* damaged = db.ReadReporter();
  db.ReadText(u"FileName", record.FileName, damaged);
  db.ReadText(u"Path", record.Path, damaged);
  db.ReadText(u"Tags", record.Tags, damaged);
  db.ReadText(u"Comment", record.Comment, damaged);
  record.deleted = 0;
}

// The tags of the text that can find a file no earlier tag found: a repeat, in any ASCII case
// (the catalogue compares tags so), finds nothing new, nor does anything after "*".
std::vector<std::u16string> TagsWorthSearching(std::u16string_view text) {
  std::vector<std::u16string> tags;
  std::unordered_set<std::u16string> searched;
  for (std::u16string& tag : SplitTagUnits(text)) {
    std::u16string folded = tag;
    for (char16_t& c : folded) c = FoldAsciiCase(c);
    if (!searched.insert(std::move(folded)).second) continue;
    tags.push_back(std::move(tag));
    if (tags.back() == u"*") break;
  }
  return tags;
}

}  // namespace

std::uint32_t SearchFiles(TagDatabase& db, std::u16string_view text, const FoundFileSink& sink) {
  // IDs grow with every edit, so the set covers every ID rather than a fixed range.
  std::unordered_set<std::int32_t> seen;
  DatabaseBatch batch(db, DatabaseBatch::Kind::kRead);
  FileRecord record;
  bool wantsMore = true;
  std::uint32_t found = 0;
  for (const std::u16string& tag : TagsWorthSearching(text)) {
    const bool all = tag == u"*";
    if (!(all ? db.Execute(kAllTaggedFiles) : db.Execute(kFilesOfTag, tag))) continue;
    for (; !db.AtEnd(); db.MoveNext()) {
      const std::int32_t id = AsInteger(db.GetFieldValue(u"ID"), db.ReadReporter());
      // "*" comes last and lists each file once: its files need no remembering.
      if (id <= 0 || (all ? seen.contains(id) : !seen.insert(id).second)) continue;
      ++found;
      if (!wantsMore) continue;
      record.ID = id;
      ReadFileTexts(db, record);
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
