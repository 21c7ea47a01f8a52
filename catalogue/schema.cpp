#include "catalogue/schema.h"

#include <filesystem>
#include <system_error>

#include <sqlite3.h>

#include "catalogue/tag_database.h"
#include "base/text_convert.h"

namespace quillon {
namespace {

// Text comparisons in WHERE ignore case as the catalogue's users expect; each index shares
// its column's collation, or the engine could not use it for Tag = '...'.
constexpr char kTables[] =
    "BEGIN;"
    "CREATE TABLE db_virtualdir(ID INTEGER PRIMARY KEY AUTOINCREMENT, FatherID INTEGER, "
    "DirName TEXT, Tags TEXT);"
    "CREATE TABLE db_filetags(ID INTEGER PRIMARY KEY AUTOINCREMENT, "
    "FileName TEXT COLLATE NOCASE, Path TEXT COLLATE NOCASE, Tags TEXT, Comment TEXT);"
    "CREATE TABLE db_taglist(FileID INTEGER, Tag TEXT COLLATE NOCASE);"
    "CREATE INDEX db_taglist_tag ON db_taglist(Tag);"
    "CREATE INDEX db_taglist_fileid ON db_taglist(FileID);"
    "CREATE INDEX db_filetags_path ON db_filetags(Path, FileName);";

int InsertRootFolder(sqlite3* db) {
  const std::string name = ToUtf8(kRootFolderName);
  const std::string tags = ToUtf8(kRootFolderTags);
  sqlite3_stmt* insert = nullptr;
  int rc = sqlite3_prepare_v2(
      db, "INSERT INTO db_virtualdir(FatherID, DirName, Tags) VALUES(0, ?, ?)", -1, &insert,
      nullptr);
  if (rc == SQLITE_OK) {
    sqlite3_bind_text(insert, 1, name.data(), static_cast<int>(name.size()), SQLITE_STATIC);
    sqlite3_bind_text(insert, 2, tags.data(), static_cast<int>(tags.size()), SQLITE_STATIC);
    rc = sqlite3_step(insert) == SQLITE_DONE ? SQLITE_OK : sqlite3_errcode(db);
  }
  sqlite3_finalize(insert);
  return rc;
}

void SetError(std::u16string* error, std::u16string text) {
  if (error != nullptr) *error = std::move(text);
}

}  // namespace

bool HasIdentityTable(TagDatabase& db) {
  std::lock_guard lock(DatabaseLock());
  return db.Execute(u"SELECT count(*) AS n FROM sqlite_master WHERE type = 'table' AND "
                    u"name = 'db_fileidentity'") &&
         AsInteger(db.GetFieldValue(u"n")) > 0;
}

bool CreateCatalogue(const std::u16string& path, std::u16string* error) {
  const std::filesystem::path file(path);
  std::error_code status;
  if (std::filesystem::exists(file, status) || status) {
    SetError(error, u"The file already exists: " + path);
    return false;
  }
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(ToUtf8(path).c_str(), &db,
                           SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (rc == SQLITE_OK) rc = sqlite3_exec(db, kTables, nullptr, nullptr, nullptr);
  if (rc == SQLITE_OK) rc = InsertRootFolder(db);
  if (rc == SQLITE_OK) rc = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) {
    SetError(error, u"Cannot create the catalogue " + path + u": " +
                        FromUtf8(db != nullptr ? sqlite3_errmsg(db) : "out of memory"));
  }
  sqlite3_close_v2(db);
  if (rc != SQLITE_OK) {
    // The engine makes the file empty before it writes; an empty leftover would only block the
    // next attempt, while a file with content may be another program's and stays.
    if (std::filesystem::file_size(file, status) == 0 && !status) {
      std::filesystem::remove(file, status);
    }
    return false;
  }
  return true;
}

}  // namespace quillon
