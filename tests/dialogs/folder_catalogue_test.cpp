#include "folder_catalogue_test.h"

namespace quillon::testing {

std::int32_t FolderCatalogueTest::AddFolder(std::u16string_view name,
                                            std::u16string_view tags) {
  const std::int32_t index =
      folders_.AppendFolder(0, std::u16string(name), root_.id, std::u16string(tags));
  InsertFolderRow(db_, folders_, index);
  return index;
}

void FolderCatalogueTest::FillFolderTable() {
  while (!folders_.IsFull()) {
    std::u16string name = u"filler ";
    name += SqlInteger(folders_.Count());
    folders_.AppendFolder(0, std::move(name), root_.id, u"x;");
  }
}

std::u16string FolderCatalogueTest::Value(const std::u16string& query,
                                          std::u16string_view column) {
  const std::vector<std::u16string> values = Column(query, column);
  return values.empty() ? std::u16string() : values.front();
}

std::vector<std::u16string> FolderCatalogueTest::TagRows(std::int32_t fileId) {
  return Column(u"SELECT Tag FROM db_taglist WHERE FileID = " + SqlInteger(fileId) +
                    u" ORDER BY rowid",
                u"Tag");
}

std::u16string FolderCatalogueTest::StoredTags(std::int32_t fileId) {
  return Value(u"SELECT Tags FROM db_filetags WHERE ID = " + SqlInteger(fileId), u"Tags");
}

}  // namespace quillon::testing
