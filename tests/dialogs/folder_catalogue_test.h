// A catalogue test that also holds the folder table read from the catalogue, as the
// application does after its start-up load.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/folder_store.h"
#include "catalogue/tables.h"
#include "tests/catalogue/catalogue_fixture.h"

namespace quillon::testing {

class FolderCatalogueTest : public CatalogueTest {
 protected:
  FolderCatalogueTest() : root_(ReadFolderRows(db_, folders_)) {}

  // Adds a folder under the root, in the table and in the database; returns its index.
  std::int32_t AddFolder(std::u16string_view name, std::u16string_view tags);
  // Fills the table's free slots with made-up folders (in memory only).
  void FillFolderTable();

  // The value of `column` in the first row of `query`; "" when there is none.
  std::u16string Value(const std::u16string& query, std::u16string_view column);
  // The db_taglist tags of a file, in the order they were written.
  std::vector<std::u16string> TagRows(std::int32_t fileId);
  std::u16string StoredTags(std::int32_t fileId);

  FolderTable folders_;
  RootFolder root_;
};

}  // namespace quillon::testing
