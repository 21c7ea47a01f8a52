#include "catalogue/tag_database.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <sqlite3.h>

#include "catalogue/busy_wait.h"
#include "catalogue/file_store.h"
#include "catalogue/folder_store.h"
#include "catalogue/schema.h"
#include "catalogue/tag_search.h"
#include "base/text_convert.h"
#include "catalogue_fixture.h"
#include "resources/user_texts.h"

namespace quillon {
namespace {

using testing::CatalogueTest;
using testing::RecordingReporter;
using testing::TempFolder;

TEST(TagDatabaseOpen, RefusesAMissingFileAndNeverCreatesIt) {
  TempFolder folder;
  const auto missing = folder.Path() / "data.dat";
  RecordingReporter reporter;
  TagDatabase db;
  db.SetReporter(&reporter);
  EXPECT_EQ(db.Open(missing.u16string()), 0);
  EXPECT_FALSE(db.IsOpen());
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_TRUE(reporter.databaseErrors.empty());  // a failed open shows nothing itself

  // Every statement afterwards fails with one message and no result to read.
  EXPECT_EQ(db.Execute(u"SELECT * FROM db_virtualdir"), 0);
  EXPECT_EQ(reporter.databaseErrors.size(), 1u);
  EXPECT_EQ(AsUnsigned(db.GetFieldValue(u"ID")), 0u);
  EXPECT_EQ(reporter.readErrors.size(), 1u);
}

TEST(TagDatabaseOpen, RefusesFilesThatAreNoCatalogue) {
  TempFolder folder;
  const auto text = folder.Path() / "text.dat";
  std::ofstream(text) << "this is not a database, just some words in a file\n";
  TagDatabase db;
  EXPECT_EQ(db.Open(text.u16string()), 0);

  // An SQLite database without the three tables is not a catalogue either.
  const auto other = (folder.Path() / "other.dat").u16string();
  ASSERT_TRUE(CreateCatalogue(other));
  ASSERT_EQ(db.Open(other), 1);
  ASSERT_EQ(db.Execute(u"DROP TABLE db_taglist"), 1);
  EXPECT_EQ(db.Open(other), 0);
  EXPECT_FALSE(db.IsOpen());
  EXPECT_EQ(db.Open(folder.Path().u16string()), 0);  // a folder
}

TEST(CreateCatalogue, MakesTheTablesIndexesAndRootRowButNeverOverwrites) {
  TempFolder folder;
  const auto file = (folder.Path() / "data.dat").u16string();
  std::u16string error;
  ASSERT_TRUE(CreateCatalogue(file, &error));
  TagDatabase db;
  ASSERT_EQ(db.Open(file), 1);
  ASSERT_EQ(db.Execute(u"SELECT * FROM db_virtualdir"), 1);
  EXPECT_EQ(AsInteger(db.GetFieldValue(u"FatherID")), 0);
  EXPECT_GT(AsInteger(db.GetFieldValue(u"ID")), 0);
  EXPECT_EQ(AsText(db.GetFieldValue(u"DirName")), kRootFolderName);
  EXPECT_EQ(AsText(db.GetFieldValue(u"Tags")), u"*;");
  ASSERT_EQ(db.MoveNext(), 1);
  EXPECT_EQ(AsInteger(db.GetFieldValue(u"ID")), 0);  // exactly one row

  ASSERT_EQ(db.Execute(u"SELECT count(*) AS n FROM sqlite_master WHERE type = 'index' AND "
                       u"sql IS NOT NULL"),
            1);
  EXPECT_EQ(AsInteger(db.GetFieldValue(u"n")), 3);
  // The lookups the search makes use the indexes.
  ASSERT_EQ(db.Execute(u"EXPLAIN QUERY PLAN SELECT FileID FROM db_taglist WHERE Tag = 'x'"), 1);
  EXPECT_NE(AsText(db.GetFieldValue(u"detail")).find(u"INDEX"), std::u16string::npos);

  ASSERT_EQ(db.Execute(u"INSERT INTO db_virtualdir(FatherID, DirName, Tags) VALUES(1, 'k', '')"),
            1);
  EXPECT_FALSE(CreateCatalogue(file, &error));
  EXPECT_NE(error.find(u"exists"), std::u16string::npos);
  ASSERT_EQ(db.Execute(u"SELECT count(*) AS n FROM db_virtualdir"), 1);
  EXPECT_EQ(AsInteger(db.GetFieldValue(u"n")), 2);
}

class TagDatabaseTest : public CatalogueTest {};

TEST_F(TagDatabaseTest, ReadsRowsUntilTheEndGivesIntegerZero) {
  AddFile(u"C:\\a\\one.txt", u"x;");
  AddFile(u"C:\\a\\two.txt", u"x;");
  ASSERT_EQ(db_.Execute(u"SELECT ID, FileName FROM db_filetags ORDER BY ID"), 1);
  EXPECT_EQ(AsText(db_.GetFieldValue(u"FileName")), u"one.txt");
  ASSERT_EQ(db_.MoveNext(), 1);
  EXPECT_EQ(AsText(db_.GetFieldValue(u"FileName")), u"two.txt");
  ASSERT_EQ(db_.MoveNext(), 1);

  const FieldValue end = db_.GetFieldValue(u"FileName");
  ASSERT_TRUE(std::holds_alternative<std::int64_t>(end));
  EXPECT_EQ(std::get<std::int64_t>(end), 0);
  EXPECT_EQ(AsText(end), u"0");
  EXPECT_EQ(AsUnsigned(db_.GetFieldValue(u"no such column")), 0u);  // the end comes first
  EXPECT_TRUE(reporter_.readErrors.empty());

  // Moving past the end is an error, reported once.
  EXPECT_EQ(db_.MoveNext(), 0);
  EXPECT_EQ(reporter_.databaseErrors.size(), 1u);
}

TEST_F(TagDatabaseTest, ColumnNamesMatchWithoutRegardToCase) {
  AddFile(u"C:\\docs\\a.txt", u"x;");
  ASSERT_EQ(db_.Execute(u"SELECT id FROM db_filetags"), 1);
  const std::int32_t id = AsInteger(db_.GetFieldValue(u"ID"));
  EXPECT_GT(id, 0);
  EXPECT_EQ(AsInteger(db_.GetFieldValue(u"Id")), id);
  ASSERT_EQ(db_.Execute(u"SELECT * FROM db_filetags"), 1);
  EXPECT_EQ(AsText(db_.GetFieldValue(u"FILENAME")), u"a.txt");
  EXPECT_EQ(AsText(db_.GetFieldValue(u"path")), u"C:\\docs");
  EXPECT_TRUE(reporter_.readErrors.empty());
}

TEST_F(TagDatabaseTest, FailedStatementReportsTheEngineTextAndKeepsThePreviousResult) {
  AddFile(u"C:\\k\\keep.txt", u"x;");
  ASSERT_EQ(db_.Execute(u"SELECT FileName FROM db_filetags"), 1);
  EXPECT_EQ(db_.Execute(u"SELEC nonsense FROM"), 0);
  ASSERT_EQ(reporter_.databaseErrors.size(), 1u);
  EXPECT_NE(reporter_.databaseErrors[0].find(u"syntax error"), std::u16string::npos);
  EXPECT_NE(reporter_.databaseErrors[0].back(), u'\n');
  EXPECT_EQ(AsText(db_.GetFieldValue(u"FileName")), u"keep.txt");

  EXPECT_EQ(db_.Execute(u"SELECT * FROM no_such_table"), 0);
  ASSERT_EQ(reporter_.databaseErrors.size(), 2u);
  EXPECT_NE(reporter_.databaseErrors[1].find(u"no_such_table"), std::u16string::npos);
  EXPECT_EQ(AsText(db_.GetFieldValue(u"FileName")), u"keep.txt");
}

TEST_F(TagDatabaseTest, WritesLeaveAClosedResultWithoutRows) {
  ASSERT_EQ(db_.Execute(u"SELECT * FROM db_virtualdir"), 1);
  ASSERT_EQ(db_.Execute(u"INSERT INTO db_virtualdir(FatherID, DirName, Tags) VALUES(1, 'a', '')"),
            1);
  EXPECT_FALSE(std::holds_alternative<std::int64_t>(db_.GetFieldValue(u"ID")));
  ASSERT_EQ(reporter_.readErrors.size(), 1u);
  EXPECT_EQ(db_.MoveNext(), 0);
  EXPECT_EQ(reporter_.databaseErrors.size(), 1u);

  // The readers' loops end on a closed result rather than run on.
  EXPECT_EQ(AsUnsigned(db_.GetFieldValue(u"ID")), 0u);
  EXPECT_EQ(AsText(db_.GetFieldValue(u"DirName")), u"");
}

TEST_F(TagDatabaseTest, MissingColumnIsReportedAndReadsAsNothing) {
  ASSERT_EQ(db_.Execute(u"SELECT ID FROM db_virtualdir"), 1);
  const FieldValue value = db_.GetFieldValue(u"DirName");
  EXPECT_TRUE(std::holds_alternative<std::monostate>(value));
  ASSERT_EQ(reporter_.readErrors.size(), 1u);
  EXPECT_NE(reporter_.readErrors[0].find(u"DirName"), std::u16string::npos);
  EXPECT_EQ(AsText(value), u"");
}

TEST_F(TagDatabaseTest, BoundValuesAreStoredAndFoundExactlyAsGiven) {
  const std::pair<std::int64_t, std::u16string> rows[] = {
      {-2147483647 - 1, u"it's"}, {2147483647, u"'; DROP TABLE db_taglist; --"},
      {-1, u"\u00e9t\u00e9 \U0001F600"}, {0, u""}, {4294967296, std::u16string(u"a\0b'\0", 5)},
      {-9223372036854775807 - 1, u"lone \xD800 half"}, {7, u"?"},
      {8, std::u16string(10000, u'\'')}};
  for (const auto& [number, text] : rows) {
    ASSERT_EQ(db_.Execute(u"INSERT INTO db_virtualdir(FatherID, DirName, Tags) VALUES(?, ?, '')",
                          number, text), 1);
  }
  for (const auto& [number, text] : rows) {  // each pair finds its own row alone, intact
    ASSERT_EQ(db_.Execute(u"SELECT FatherID, DirName FROM db_virtualdir WHERE FatherID = ? AND "
                          u"DirName = ?", number, text), 1);
    EXPECT_EQ(db_.GetFieldValue(u"FatherID"), FieldValue{number});
    EXPECT_EQ(AsText(db_.GetFieldValue(u"DirName")), text) << number;
    db_.MoveNext();
    EXPECT_TRUE(db_.AtEnd()) << number;
  }
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_taglist"), 0);  // the table is still there
}

TEST_F(TagDatabaseTest, AWrongNumberOfValuesRunsNothing) {
  ASSERT_EQ(db_.Execute(u"SELECT ? AS v", 7), 1);
  EXPECT_EQ(db_.Execute(u"INSERT INTO db_virtualdir(FatherID, DirName) VALUES(?, ?)", 9), 0);
  EXPECT_EQ(db_.Execute(u"SELECT ? AS v"), 0);
  EXPECT_EQ(reporter_.databaseErrors.size(), 2u);
  EXPECT_EQ(AsInteger(db_.GetFieldValue(u"v")), 7);  // the last result is still readable
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_virtualdir"), 1);
}

TEST_F(TagDatabaseTest, OnlyOneStatementRunsAtATime) {
  EXPECT_EQ(db_.Execute(u"DELETE FROM db_virtualdir; DELETE FROM db_filetags"), 0);
  EXPECT_EQ(reporter_.databaseErrors.size(), 1u);
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_virtualdir"), 1);
  EXPECT_EQ(db_.Execute(u"   "), 0);
  // A trailing semicolon or comment is not a second statement.
  EXPECT_EQ(db_.Execute(u"SELECT 1 AS n; -- done"), 1);
}

TEST_F(TagDatabaseTest, LookupsThatDifferOnlyInTheirNumberEachGetTheirOwnRow) {
  const std::int32_t a = AddFile(u"C:\\d\\a.txt", u"x;");
  const std::int32_t b = AddFile(u"C:\\d\\b.txt", u"x;");
  for (int round = 0; round < 3; ++round) {
    ASSERT_EQ(db_.Execute(u"SELECT * FROM db_filetags WHERE ID = " + SqlInteger(a)), 1);
    EXPECT_EQ(AsText(db_.GetFieldValue(u"FileName")), u"a.txt");
    ASSERT_EQ(db_.Execute(u"SELECT * FROM db_filetags WHERE ID = " + SqlInteger(b)), 1);
    EXPECT_EQ(AsText(db_.GetFieldValue(u"FileName")), u"b.txt");
    ASSERT_EQ(db_.Execute(u"SELECT * FROM db_filetags WHERE ID = 999"), 1);
    EXPECT_EQ(AsInteger(db_.GetFieldValue(u"ID")), 0);
  }
  // Statements whose number cannot become a parameter still run as written.
  Run(u"PRAGMA user_version = 42");
  Run(u"PRAGMA user_version = 43");
  EXPECT_EQ(Count(u"SELECT user_version AS n FROM pragma_user_version"), 43);
  ASSERT_EQ(db_.Execute(u"SELECT 2 = 2"), 1);
  EXPECT_EQ(AsInteger(db_.GetFieldValue(u"2 = 2")), 1);
  EXPECT_TRUE(reporter_.readErrors.empty());
}

TEST(FieldValueConversions, ConvertIntegersTextsAndNulls) {
  RecordingReporter reporter;
  EXPECT_EQ(AsInteger(FieldValue{std::int64_t{-12}}, &reporter), -12);
  EXPECT_EQ(AsUnsigned(FieldValue{std::int64_t{4000000000}}, &reporter), 4000000000u);
  EXPECT_EQ(AsInteger(FieldValue{std::u16string(u" 42 ")}, &reporter), 42);
  EXPECT_EQ(AsInteger(FieldValue{2.5}, &reporter), 2);
  EXPECT_EQ(AsText(FieldValue{std::int64_t{-7}}, &reporter), u"-7");
  EXPECT_EQ(AsText(FieldValue{0.5}, &reporter), u"0.5");
  EXPECT_TRUE(reporter.readErrors.empty());

  EXPECT_EQ(AsInteger(FieldValue{std::int64_t{4000000000}}, &reporter), 0);
  EXPECT_EQ(AsUnsigned(FieldValue{std::int64_t{-1}}, &reporter), 0u);
  EXPECT_EQ(AsInteger(FieldValue{std::u16string(u"12abc")}, &reporter), 0);
  EXPECT_EQ(AsText(FieldValue{}, &reporter), u"");
  EXPECT_EQ(AsInteger(FieldValue{}, &reporter), 0);
  EXPECT_EQ(reporter.readErrors.size(), 5u);
  EXPECT_EQ(AsText(FieldValue{}), u"");  // without a reporter nothing is said
  EXPECT_EQ(SqlInteger(-2147483647 - 1), u"-2147483648");
}

TEST_F(TagDatabaseTest, NullTextsReadAsEmptyTexts) {
  Run(u"INSERT INTO db_filetags(FileName, Path, Tags, Comment) VALUES('n.txt', 'C:', 'x;', NULL)");
  ASSERT_EQ(db_.Execute(u"SELECT Comment FROM db_filetags"), 1);
  EXPECT_EQ(AsText(db_.GetFieldValue(u"Comment")), u"");
}

TEST_F(TagDatabaseTest, WriteBatchKeepsChangesOnlyWhenCommitted) {
  {
    DatabaseBatch batch(db_, DatabaseBatch::Kind::kWrite);
    Run(u"INSERT INTO db_virtualdir(FatherID, DirName, Tags) VALUES(1, 'undone', '')");
  }
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_virtualdir WHERE DirName = 'undone'"), 0);
  {
    DatabaseBatch batch(db_, DatabaseBatch::Kind::kWrite);
    Run(u"INSERT INTO db_virtualdir(FatherID, DirName, Tags) VALUES(1, 'kept', '')");
    {
      DatabaseBatch inner(db_, DatabaseBatch::Kind::kWrite);  // joins the outer batch
      Run(u"INSERT INTO db_virtualdir(FatherID, DirName, Tags) VALUES(1, 'inner', '')");
      EXPECT_TRUE(inner.Commit());
    }
    EXPECT_TRUE(batch.Commit());
  }
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_virtualdir WHERE FatherID = 1"), 2);
  EXPECT_TRUE(reporter_.databaseErrors.empty());
}

// Another process, such as a backup tool or quillon-catalogue, on its own connection.
class OtherProcess {
 public:
  explicit OtherProcess(const std::u16string& file) {
    sqlite3_open_v2(ToUtf8(file).c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr);
  }
  ~OtherProcess() { sqlite3_close_v2(db_); }
  // The folder count, or -1 when the file could not be read.
  int CountFolders() {
    sqlite3_stmt* query = nullptr;
    int count = -1;
    if (sqlite3_prepare_v2(db_, "SELECT count(*) FROM db_virtualdir", -1, &query, nullptr) ==
            SQLITE_OK &&
        sqlite3_step(query) == SQLITE_ROW) {
      count = sqlite3_column_int(query, 0);
    }
    sqlite3_finalize(query);
    return count;
  }
  bool AddFolder() { return Exec("INSERT INTO db_virtualdir(FatherID, DirName, Tags) VALUES(1, 'o', '')"); }
  bool Exec(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

 private:
  sqlite3* db_ = nullptr;
};

TEST_F(TagDatabaseTest, OtherProcessesReadWhileTheProgramWritesAndWriteBetweenItsBatches) {
  OtherProcess other(file_);
  {
    DatabaseBatch batch(db_, DatabaseBatch::Kind::kWrite);
    Run(u"INSERT INTO db_virtualdir(FatherID, DirName, Tags) VALUES(1, 'pending', '')");
    EXPECT_EQ(other.CountFolders(), 1);  // reads what was stored before the write began
    EXPECT_TRUE(batch.Commit());
  }
  EXPECT_EQ(other.CountFolders(), 2);
  EXPECT_TRUE(other.AddFolder());
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_virtualdir"), 3);
  EXPECT_TRUE(reporter_.databaseErrors.empty());
}

TEST_F(TagDatabaseTest, AWriteBatchInsideAReadBatchIsDecidedByItselfAlone) {
  OtherProcess other(file_);
  {
    DatabaseBatch read(db_, DatabaseBatch::Kind::kRead);
    EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_virtualdir"), 1);
    {
      DatabaseBatch write(db_, DatabaseBatch::Kind::kWrite);
      ASSERT_TRUE(write.Began());
      Run(u"INSERT INTO db_virtualdir(FatherID, DirName, Tags) VALUES(1, 'undone', '')");
    }
    {
      DatabaseBatch write(db_, DatabaseBatch::Kind::kWrite);
      Run(u"INSERT INTO db_virtualdir(FatherID, DirName, Tags) VALUES(1, 'kept', '')");
      EXPECT_TRUE(write.Commit());
    }
    EXPECT_EQ(other.CountFolders(), 2);  // stored before the read batch ends
  }
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_virtualdir WHERE DirName = 'undone'"), 0);
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_virtualdir WHERE DirName = 'kept'"), 1);

  // A joined batch that ends without committing takes the whole write with it.
  {
    DatabaseBatch outer(db_, DatabaseBatch::Kind::kWrite);
    Run(u"INSERT INTO db_virtualdir(FatherID, DirName, Tags) VALUES(9, 'outer', '')");
    {
      DatabaseBatch inner(db_, DatabaseBatch::Kind::kWrite);
      Run(u"INSERT INTO db_virtualdir(FatherID, DirName, Tags) VALUES(9, 'inner', '')");
    }
    EXPECT_FALSE(outer.Commit());
  }
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_virtualdir WHERE FatherID = 9"), 0);
  EXPECT_TRUE(reporter_.databaseErrors.empty());
}

// Waits measured on a clock of the test's own, so no test sleeps.
struct TestClock {
  explicit TestClock(TagDatabase& db) {
    db.Busy().SetClock([this] { return now; }, [this](int ms) {
      now += ms;
      slept += ms;
    });
  }
  std::int64_t now = 0;
  std::int64_t slept = 0;
};

TEST_F(TagDatabaseTest, WhileAnotherProgramHoldsTheFileWritesDoNothingAndAnActionWaitsOnce) {
  const std::int32_t keptId = AddFile(u"C:\\k\\kept.txt", u"k;");
  FolderTable folders;
  ReadFolderRows(db_, folders);
  FileTable listed;
  SearchByTags(db_, listed, u"*;");
  TestClock clock(db_);
  OtherProcess other(file_);

  // Another program writing: reads go on, writes wait, fail whole and say so once.
  ASSERT_TRUE(other.Exec("BEGIN IMMEDIATE"));
  FileRecord added;
  SplitFilePath(added, u"C:\\k\\new.txt");
  added.Tags = u"n;m;";
  FileRecord edited = listed.GetFile(0);
  edited.Tags = u"changed;";
  EXPECT_EQ(FindFileId(db_, added), 0);
  EXPECT_FALSE(InsertFile(db_, added));
  EXPECT_FALSE(ReplaceFile(db_, edited));
  EXPECT_FALSE(RemoveFileByPath(db_, listed.GetFile(0)));
  EXPECT_EQ(AddFileOnce(db_, added), AddResult::kFailed);
  EXPECT_LE(clock.slept, BusyWait::kBudgetMs);
  EXPECT_GE(clock.slept, BusyWait::kBudgetMs - BusyWait::kStepMs);
  ASSERT_EQ(reporter_.databaseErrors.size(), 1u);
  EXPECT_EQ(reporter_.databaseErrors[0], UserText(TEXT_CATALOGUE_IN_USE));

  // A later action waits again and is told again; folder writes leave the table as it was.
  clock.now += 10 * BusyWait::kSameActionMs;
  const FolderRecord root = folders.GetFolder(0);
  EXPECT_FALSE(DeleteFolderRow(db_, folders, 0));
  EXPECT_EQ(folders.GetFolder(0).deleted, 0);
  EXPECT_FALSE(UpdateFolderRow(db_, folders, 0));
  EXPECT_EQ(reporter_.databaseErrors.size(), 2u);
  EXPECT_LE(clock.slept, 2 * BusyWait::kBudgetMs);
  ASSERT_TRUE(other.Exec("ROLLBACK"));

  // Another program holding the whole file: even reads wait, within the same one budget.
  ASSERT_TRUE(other.Exec("BEGIN EXCLUSIVE"));
  clock.now += 10 * BusyWait::kSameActionMs;
  const std::int64_t before = clock.slept;
  EXPECT_EQ(FindFileId(db_, added), 0);
  EXPECT_FALSE(InsertFile(db_, added));
  SearchByTags(db_, listed, u"*;");
  EXPECT_LE(clock.slept - before, BusyWait::kBudgetMs);
  EXPECT_EQ(reporter_.databaseErrors.size(), 3u);
  ASSERT_TRUE(other.Exec("ROLLBACK"));

  // Nothing was left half written: the add now works, the kept file is untouched.
  EXPECT_EQ(AddFileOnce(db_, added), AddResult::kAdded);
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_filetags"), 2);
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_taglist"), 3);
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_filetags WHERE ID = " + SqlInteger(keptId)), 1);
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_virtualdir"), 1);
  EXPECT_EQ(reporter_.databaseErrors.size(), 3u);
}

TEST_F(TagDatabaseTest, KeysTypedUnderALockWaitBrieflyTellOnceAndLeaveTheListingAsItWas) {
  AddFile(u"C:\\k\\kept.txt", u"k;");
  FileTable listed;
  SearchByTags(db_, listed, u"k;");
  TestClock clock(db_);
  OtherProcess other(file_);
  ASSERT_TRUE(other.Exec("BEGIN EXCLUSIVE"));
  for (int key = 0; key < 3; ++key) {
    clock.now += 10 * BusyWait::kSameActionMs;  // keys seconds apart
    const std::int64_t before = clock.slept;
    const TypingWait typing(db_.Busy());
    EXPECT_EQ(ReadInOneSnapshot(db_, [&] { SearchByTags(db_, listed, u"none;"); }),
              ReadAccess::kInUse);
    EXPECT_LE(clock.slept - before, BusyWait::kTypingBudgetMs);
  }
  EXPECT_EQ(reporter_.databaseErrors, std::vector{UserText(TEXT_CATALOGUE_IN_USE)});
  EXPECT_EQ(listed.Count(), 1u);  // the listing as it was
}

std::string FileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The number of files a copy of data.dat alone lists.
std::uint32_t FilesInCopy(const std::filesystem::path& file, const std::filesystem::path& folder) {
  const auto copy = folder / "copy.dat";
  std::filesystem::copy_file(file, copy, std::filesystem::copy_options::overwrite_existing);
  TagDatabase db;
  if (db.Open(copy.u16string()) != 1) return 0;
  FileTable table;
  return SearchByTags(db, table, u"*;");
}

TEST(TagDatabaseJournal, OpeningChangesNothingAndEveryWriteIsInTheFileAlone) {
  TempFolder folder;
  const auto file = folder.Path() / "data.dat";
  ASSERT_TRUE(CreateCatalogue(file.u16string()));
  const std::string created = FileBytes(file);
  {
    TagDatabase db;
    ASSERT_EQ(db.Open(file.u16string()), 1);
    FolderTable folders;
    ReadFolderRows(db, folders);
    FileTable files;
    SearchByTags(db, files, u"*;");
  }
  EXPECT_EQ(FileBytes(file), created);

  TagDatabase db;
  ASSERT_EQ(db.Open(file.u16string()), 1);
  for (int i = 0; i < 50; ++i) {
    FileRecord record;
    SplitFilePath(record, u"C:\\j\\f" + SqlInteger(i) + u".txt");
    record.Tags = u"j;";
    ASSERT_TRUE(InsertFile(db, record));
  }
  // While the program still has the catalogue open, no side file holds any of it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                          std::filesystem::directory_iterator()),
            1);
  EXPECT_EQ(FilesInCopy(file, folder.Path()), 50u);
}

TEST(TagDatabaseJournal, ACatalogueLeftInWriteAheadModeReturnsToTheJournalWithItsLog) {
  TempFolder folder;
  const auto file = folder.Path() / "data.dat";
  ASSERT_TRUE(CreateCatalogue(file.u16string()));
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open(ToUtf8(file.u16string()).c_str(), &raw), SQLITE_OK);
  // Closed as a crash would leave it: the last change only in the log.
  sqlite3_db_config(raw, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
  ASSERT_EQ(sqlite3_exec(raw, "PRAGMA journal_mode=WAL; INSERT INTO db_virtualdir(FatherID, "
                              "DirName, Tags) VALUES(1, 'in the log', '')",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(raw);
  const auto log = folder.Path() / "data.dat-wal";
  ASSERT_TRUE(std::filesystem::exists(log));
  ASSERT_GT(std::filesystem::file_size(log), 0u);

  {
    TagDatabase db;
    ASSERT_EQ(db.Open(file.u16string()), 1);
    FolderTable folders;
    ReadFolderRows(db, folders);
    ASSERT_EQ(folders.Count(), 2u);
    EXPECT_EQ(folders.GetFolder(1).DirName, u"in the log");
    EXPECT_FALSE(std::filesystem::exists(log));
  }
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "data.dat-shm"));
  // The file alone now holds the change, in rollback-journal form (header bytes 18 and 19).
  const std::string bytes = FileBytes(file);
  ASSERT_GT(bytes.size(), 20u);
  EXPECT_EQ(bytes[18], 1);
  EXPECT_EQ(bytes[19], 1);
  TagDatabase copy;
  const auto copied = folder.Path() / "copy.dat";
  std::filesystem::copy_file(file, copied);
  ASSERT_EQ(copy.Open(copied.u16string()), 1);
  FolderTable folders;
  ReadFolderRows(copy, folders);
  EXPECT_EQ(folders.Count(), 2u);
}

TEST_F(TagDatabaseTest, LastInsertRowIdNamesTheNewRow) {
  Run(u"INSERT INTO db_virtualdir(FatherID, DirName, Tags) VALUES(1, 'n', '')");
  const std::int64_t id = db_.LastInsertRowId();
  EXPECT_EQ(Column(u"SELECT ID FROM db_virtualdir WHERE DirName = 'n'", u"ID"),
            std::vector<std::u16string>{SqlInteger(id)});
}

}  // namespace
}  // namespace quillon
