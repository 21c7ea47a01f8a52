// A fresh catalogue file in its own temporary folder for each test, opened, with every error
// it reports recorded.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/tag_database.h"

namespace quillon::testing {

class RecordingReporter : public CatalogueReporter {
 public:
  void ReportDatabaseError(const std::u16string& text) override { databaseErrors.push_back(text); }
  void ReportReadError(const std::u16string& text) override { readErrors.push_back(text); }
  std::vector<std::u16string> databaseErrors;
  std::vector<std::u16string> readErrors;
};

// A folder of its own below the system's temporary folder, removed with the object.
class TempFolder {
 public:
  TempFolder();
  // Below `base` instead.
  explicit TempFolder(const std::filesystem::path& base);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The full path under which the program catalogues a file: Windows' own path, or on Linux the
// path as Wine shows it (drive Z: the root), as UTF-8.
std::string CataloguedPath(const std::filesystem::path& file);

class CatalogueTest : public ::testing::Test {
 protected:
  CatalogueTest();
  ~CatalogueTest() override;

  // Runs a statement that the test expects to succeed.
  void Run(const std::u16string& statement);
  // The values of `column` in every row of `query`, as text.
  std::vector<std::u16string> Column(const std::u16string& query, std::u16string_view column);
  std::int64_t Count(const std::u16string& query);
  // Catalogues a file through the file store and returns its ID.
  std::int32_t AddFile(std::u16string_view fullPath, std::u16string_view tags,
                       std::u16string_view comment = u"");

  TempFolder folder_;
  std::u16string file_;
  RecordingReporter reporter_;
  TagDatabase db_;
};

}  // namespace quillon::testing
