#include "temp_catalogue.h"

#include <random>
#include <stdexcept>

#include "catalogue/file_store.h"
#include "catalogue/schema.h"

namespace quillon::testing {
namespace {

std::filesystem::path MakeUniqueFolder() {
  std::random_device random;
  for (;;) {
    auto folder = std::filesystem::temp_directory_path() /
                  ("quillon-dialogs-" + std::to_string(random()));
    if (std::filesystem::create_directory(folder)) return folder;
  }
}

}  // namespace

TempCatalogue::TempCatalogue() : folder_(MakeUniqueFolder()) {
  const std::u16string file = (folder_ / "data.dat").u16string();
  if (!CreateCatalogue(file) || db_.Open(file) != 1) {
    throw std::runtime_error("cannot create the test catalogue");
  }
  db_.SetReporter(&reporter_);
  root_ = ReadFolderRows(db_, folders_);
}

TempCatalogue::~TempCatalogue() {
  db_.SetReporter(nullptr);
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

std::int32_t TempCatalogue::AddFile(std::u16string_view fullPath, std::u16string_view tags,
                                    std::u16string_view comment) {
  FileRecord record;
  SplitFilePath(record, fullPath);
  record.Tags = tags;
  record.Comment = comment;
  InsertFile(db_, record);
  return FindFileId(db_, record);
}

std::int32_t TempCatalogue::AddFolder(std::u16string_view name, std::u16string_view tags) {
  const std::int32_t index =
      folders_.AppendFolder(0, std::u16string(name), root_.id, std::u16string(tags));
  InsertFolderRow(db_, folders_, index);
  return index;
}

void TempCatalogue::FillFolderTable() {
  while (!folders_.IsFull()) {
    std::u16string name = u"filler ";
    name += SqlInteger(folders_.Count());
    folders_.AppendFolder(0, std::move(name), root_.id, u"x;");
  }
}

std::u16string TempCatalogue::Text(const std::u16string& query, std::u16string_view column) {
  db_.Execute(query);
  return AsText(db_.GetFieldValue(column));
}

std::int32_t TempCatalogue::Number(const std::u16string& query, std::u16string_view column) {
  db_.Execute(query);
  return AsInteger(db_.GetFieldValue(column));
}

std::vector<std::u16string> TempCatalogue::TagRows(std::int32_t fileId) {
  std::vector<std::u16string> tags;
  db_.Execute(u"SELECT rowid AS r, Tag FROM db_taglist WHERE FileID = " + SqlInteger(fileId) +
              u" ORDER BY rowid");
  while (AsInteger(db_.GetFieldValue(u"r")) != 0) {
    tags.push_back(AsText(db_.GetFieldValue(u"Tag")));
    db_.MoveNext();
  }
  return tags;
}

}  // namespace quillon::testing
