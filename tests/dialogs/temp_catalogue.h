// A fresh catalogue in its own temporary folder for one test, with the database errors it
// reported; the folder is removed afterwards.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/folder_store.h"
#include "catalogue/tables.h"
#include "catalogue/tag_database.h"

namespace quillon::testing {

class RecordingReporter : public CatalogueReporter {
 public:
  void ReportDatabaseError(const std::u16string& text) override { errors.push_back(text); }
  void ReportReadError(const std::u16string& text) override { errors.push_back(text); }
  std::vector<std::u16string> errors;
};

class TempCatalogue {
 public:
  TempCatalogue();
  ~TempCatalogue();
  TempCatalogue(const TempCatalogue&) = delete;
  TempCatalogue& operator=(const TempCatalogue&) = delete;

  TagDatabase& Database() { return db_; }
  FolderTable& Folders() { return folders_; }
  const RootFolder& Root() const { return root_; }
  const std::vector<std::u16string>& Errors() const { return reporter_.errors; }
  const std::filesystem::path& Folder() const { return folder_; }

  // Catalogues a file directly and returns its ID.
  std::int32_t AddFile(std::u16string_view fullPath, std::u16string_view tags,
                       std::u16string_view comment = u"");
  // Adds a folder under the root, in the table and in the database; returns its index.
  std::int32_t AddFolder(std::u16string_view name, std::u16string_view tags);

  // Fills the folder table's free slots with made-up folders (in memory only).
  void FillFolderTable();

  // The value of `column` in the first row of `query`, as text ("" when there is no row).
  std::u16string Text(const std::u16string& query, std::u16string_view column);
  std::int32_t Number(const std::u16string& query, std::u16string_view column);
  // The db_taglist tags of a file, in the order of their rows.
  std::vector<std::u16string> TagRows(std::int32_t fileId);

 private:
  std::filesystem::path folder_;
  RecordingReporter reporter_;
  TagDatabase db_;
  FolderTable folders_;
  RootFolder root_;
};

}  // namespace quillon::testing
