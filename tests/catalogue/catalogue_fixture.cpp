#include "catalogue_fixture.h"

#include <random>
#include <stdexcept>

#include "catalogue/file_store.h"
#include "catalogue/schema.h"
#include "base/text_convert.h"

namespace quillon::testing {

TempFolder::TempFolder() : TempFolder(std::filesystem::temp_directory_path()) {}

TempFolder::TempFolder(const std::filesystem::path& base) {
  std::random_device random;
  for (;;) {
    path_ = base / ("quillon-catalogue-test-" + std::to_string(random()));
    if (std::filesystem::create_directory(path_)) return;
  }
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string CataloguedPath(const std::filesystem::path& file) {
#ifdef _WIN32
  return ToUtf8(file.u16string());
#else
  std::string path = "Z:" + file.string();
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
#endif
}

CatalogueTest::CatalogueTest() : file_((folder_.Path() / "data.dat").u16string()) {
  if (!CreateCatalogue(file_) || db_.Open(file_) != 1) {
    throw std::runtime_error("cannot make the test catalogue");
  }
  db_.SetReporter(&reporter_);
}

CatalogueTest::~CatalogueTest() { db_.SetReporter(nullptr); }

void CatalogueTest::Run(const std::u16string& statement) {
  ASSERT_EQ(db_.Execute(statement), 1) << ToUtf8(statement);
}

std::vector<std::u16string> CatalogueTest::Column(const std::u16string& query,
                                                  std::u16string_view column) {
  std::vector<std::u16string> values;
  if (db_.Execute(query) != 1) return values;
  // The integer 0 marks the end, so count the rows rather than stop at a 0 value.
  const std::int64_t rows = Count(u"SELECT count(*) AS n FROM (" + query + u")");
  db_.Execute(query);
  for (std::int64_t i = 0; i < rows; ++i) {
    values.push_back(AsText(db_.GetFieldValue(column)));
    db_.MoveNext();
  }
  return values;
}

std::int64_t CatalogueTest::Count(const std::u16string& query) {
  if (db_.Execute(query) != 1) return -1;
  const FieldValue value = db_.GetFieldValue(u"n");
  const auto* number = std::get_if<std::int64_t>(&value);
  return number != nullptr ? *number : -1;
}

std::int32_t CatalogueTest::AddFile(std::u16string_view fullPath, std::u16string_view tags,
                                    std::u16string_view comment) {
  FileRecord record;
  SplitFilePath(record, fullPath);
  record.Tags = tags;
  record.Comment = comment;
  EXPECT_TRUE(InsertFile(db_, record));
  return FindFileId(db_, record);
}

}  // namespace quillon::testing
