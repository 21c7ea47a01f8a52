#include "catalogue/file_store.h"

#include <gtest/gtest.h>

#include "catalogue/tag_search.h"
#include "catalogue_fixture.h"

namespace quillon {
namespace {

TEST(SplitFilePath, SplitsAtTheLastBackslash) {
  FileRecord record;
  ASSERT_TRUE(SplitFilePath(record, u"D:\\a.txt"));
  EXPECT_EQ(record.Path, u"D:");
  EXPECT_EQ(record.FileName, u"a.txt");
  ASSERT_TRUE(SplitFilePath(record, u"D:\\docs\\sub\\b.txt"));
  EXPECT_EQ(record.Path, u"D:\\docs\\sub");
  EXPECT_EQ(record.FileName, u"b.txt");
  ASSERT_TRUE(SplitFilePath(record, u"D:\\docs\\"));
  EXPECT_EQ(record.Path, u"D:\\docs");
  EXPECT_EQ(record.FileName, u"");

  EXPECT_FALSE(SplitFilePath(record, u"no-separator.txt"));
  EXPECT_EQ(record.Path, u"D:\\docs");  // nothing set
}

class FileStoreTest : public testing::CatalogueTest {
 protected:
  static FileRecord Record(std::u16string fullPath, std::u16string tags,
                           std::u16string comment = u"") {
    FileRecord record;
    SplitFilePath(record, fullPath);
    record.Tags = std::move(tags);
    record.Comment = std::move(comment);
    return record;
  }
  std::vector<std::u16string> TagRows(std::int32_t id) {
    return Column(u"SELECT Tag FROM db_taglist WHERE FileID = " + SqlInteger(id) +
                      u" ORDER BY rowid",
                  u"Tag");
  }
};

TEST_F(FileStoreTest, PathsWithUnpairedSurrogatesAreStoredExactly) {
  // Two Windows files whose names differ only where one holds a lone surrogate unit.
  const std::u16string lone = u"C:\\s\\a" + std::u16string(1, char16_t(0xD800)) + u".txt";
  const std::u16string replaced = u"C:\\s\\a\uFFFD.txt";
  const std::int32_t loneId = AddFile(lone, u"s;");
  EXPECT_EQ(AddFileOnce(db_, Record(replaced, u"s;")), AddResult::kAdded);
  EXPECT_EQ(AddFileOnce(db_, Record(lone, u"s;")), AddResult::kAlreadyCatalogued);
  EXPECT_EQ(FindFileId(db_, Record(lone, u"")), loneId);
  FileTable table;
  SearchByTags(db_, table, u"s;");
  ASSERT_EQ(table.Count(), 2u);
  EXPECT_EQ(table.GetFile(0).FullPath(), lone);
  EXPECT_EQ(table.GetFile(1).FullPath(), replaced);
}

TEST_F(FileStoreTest, InsertWritesTheFileRowAndOneTagRowPerUnit) {
  const FileRecord record = Record(u"D:\\docs\\a.txt", u"a;b;a;", u"");
  ASSERT_TRUE(InsertFile(db_, record));
  const std::int32_t id = FindFileId(db_, record);
  ASSERT_GT(id, 0);
  EXPECT_EQ(TagRows(id), (std::vector<std::u16string>{u"a", u"b", u"a"}));
  const std::u16string row = u"SELECT * FROM db_filetags WHERE ID = " + SqlInteger(id);
  EXPECT_EQ(Column(row, u"Path"), std::vector<std::u16string>{u"D:\\docs"});
  EXPECT_EQ(Column(row, u"FileName"), std::vector<std::u16string>{u"a.txt"});
  EXPECT_EQ(Column(row, u"Tags"), std::vector<std::u16string>{u"a;b;a;"});
  EXPECT_EQ(Column(row, u"Comment"), std::vector<std::u16string>{u""});
  EXPECT_TRUE(reporter_.databaseErrors.empty());
}

TEST_F(FileStoreTest, InsertWithoutTagsWritesNoTagRowAndIgnoresTextAfterTheLastSemicolon) {
  const std::int32_t plain = AddFile(u"C:\\p\\plain.txt", u"");
  EXPECT_GT(plain, 0);
  EXPECT_TRUE(TagRows(plain).empty());
  const std::int32_t tail = AddFile(u"C:\\p\\tail.txt", u"one;two");
  EXPECT_EQ(TagRows(tail), std::vector<std::u16string>{u"one"});
}

TEST_F(FileStoreTest, FindFileIdIsZeroForAFileNotCatalogued) {
  AddFile(u"C:\\p\\known.txt", u"k;");
  EXPECT_EQ(FindFileId(db_, Record(u"C:\\p\\unknown.txt", u"")), 0);
  EXPECT_EQ(FindFileId(db_, Record(u"C:\\q\\known.txt", u"")), 0);
  // The catalogue compares paths without regard to case, as Windows does.
  EXPECT_GT(FindFileId(db_, Record(u"c:\\P\\KNOWN.txt", u"")), 0);
}

TEST_F(FileStoreTest, ApostrophesInEveryTextAreStoredIntact) {
  const FileRecord record =
      Record(u"C:\\Bob's files\\it's.txt", u"o'neil;rock'n'roll;", u"Don't lose 'this'");
  ASSERT_TRUE(InsertFile(db_, record));
  const std::int32_t id = FindFileId(db_, record);
  ASSERT_GT(id, 0);
  EXPECT_EQ(TagRows(id), (std::vector<std::u16string>{u"o'neil", u"rock'n'roll"}));
  FileTable table;
  SearchByTags(db_, table, u"o'neil;");
  ASSERT_EQ(table.Count(), 1u);
  EXPECT_EQ(table.GetFile(0).FullPath(), u"C:\\Bob's files\\it's.txt");
  EXPECT_EQ(table.GetFile(0).Comment, u"Don't lose 'this'");
  EXPECT_TRUE(reporter_.databaseErrors.empty());
}

TEST_F(FileStoreTest, ReplaceGivesTheFileANewIdAndLeavesNothingOfTheOldOne) {
  const std::int32_t old = AddFile(u"C:\\r\\file.txt", u"old;");
  FileRecord record = Record(u"C:\\r\\file.txt", u"new;newer;", u"changed");
  record.ID = old;
  ASSERT_TRUE(ReplaceFile(db_, record));
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_filetags WHERE ID = " + SqlInteger(old)), 0);
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_taglist WHERE FileID = " + SqlInteger(old)), 0);
  const std::int32_t fresh = FindFileId(db_, record);
  EXPECT_GT(fresh, old);
  // The new rows belong to the new ID, even though old and new row shared the path for a while.
  EXPECT_EQ(TagRows(fresh), (std::vector<std::u16string>{u"new", u"newer"}));
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_filetags"), 1);
}

TEST_F(FileStoreTest, ReplaceCanMoveTheEntryToAnotherPath) {
  const std::int32_t old = AddFile(u"C:\\r\\before.txt", u"t;");
  FileRecord record = Record(u"C:\\r\\after.txt", u"t;");
  record.ID = old;
  ASSERT_TRUE(ReplaceFile(db_, record));
  EXPECT_EQ(FindFileId(db_, Record(u"C:\\r\\before.txt", u"")), 0);
  EXPECT_GT(FindFileId(db_, record), old);
}

TEST_F(FileStoreTest, AFailedReplaceKeepsTheOldEntry) {
  const std::int32_t old = AddFile(u"C:\\r\\keep.txt", u"kept;", u"first");
  Run(u"CREATE TRIGGER no_tags BEFORE INSERT ON db_taglist WHEN NEW.Tag = 'bad' BEGIN "
      u"SELECT RAISE(ABORT, 'tag refused'); END");
  FileRecord record = Record(u"C:\\r\\keep.txt", u"fine;bad;", u"second");
  record.ID = old;
  EXPECT_FALSE(ReplaceFile(db_, record));
  ASSERT_EQ(reporter_.databaseErrors.size(), 1u);
  EXPECT_EQ(reporter_.databaseErrors[0], u"tag refused");
  // Nothing of the attempt remains: the old row and its tags are as they were.
  EXPECT_EQ(FindFileId(db_, record), old);
  EXPECT_EQ(TagRows(old), std::vector<std::u16string>{u"kept"});
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_filetags"), 1);
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_taglist"), 1);
}

TEST_F(FileStoreTest, AFailedInsertWritesNoRowAtAllAndNoTagRowWithIdZero) {
  Run(u"CREATE TRIGGER no_files BEFORE INSERT ON db_filetags BEGIN "
      u"SELECT RAISE(ABORT, 'files refused'); END");
  EXPECT_FALSE(InsertFile(db_, Record(u"C:\\x\\y.txt", u"a;b;")));
  EXPECT_EQ(reporter_.databaseErrors.size(), 1u);
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_taglist"), 0);

  Run(u"DROP TRIGGER no_files");
  Run(u"CREATE TRIGGER some_tags BEFORE INSERT ON db_taglist WHEN NEW.Tag = 'b' BEGIN "
      u"SELECT RAISE(ABORT, 'tag refused'); END");
  EXPECT_FALSE(InsertFile(db_, Record(u"C:\\x\\y.txt", u"a;b;")));
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_filetags"), 0);  // no half-tagged file
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_taglist"), 0);
}

TEST_F(FileStoreTest, RemoveByPathRemovesThatFileOnly) {
  const std::int32_t gone = AddFile(u"D:\\docs\\a.txt", u"t;");
  const std::int32_t kept = AddFile(u"D:\\docs\\b.txt", u"t;");

  EXPECT_TRUE(RemoveFileByPath(db_, Record(u"D:\\docs\\a.txt", u"")));
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_filetags WHERE ID = " + SqlInteger(gone)), 0);
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_taglist WHERE FileID = " + SqlInteger(gone)), 0);
  EXPECT_EQ(TagRows(kept), std::vector<std::u16string>{u"t"});

  // A path not catalogued deletes nothing.
  EXPECT_TRUE(RemoveFileByPath(db_, Record(u"D:\\docs\\c.txt", u"")));
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_filetags"), 1);
  EXPECT_TRUE(reporter_.databaseErrors.empty());
}

}  // namespace
}  // namespace quillon
