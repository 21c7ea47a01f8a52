#include <gtest/gtest.h>

#include "catalogue/file_store.h"
#include "dialogs/edit_file_rules.h"
#include "dialogs/edit_folder_rules.h"
#include "folder_catalogue_test.h"

namespace quillon {
namespace {


TEST(ProposedTagText, TheWildcardIsNotProposed) {
  FileRecord record;
  record.Tags = u"photo;trip;";
  EXPECT_EQ(ProposedTagText(record), u"photo;trip;");
  record.Tags = u"*;";
  EXPECT_EQ(ProposedTagText(record), u"");
  record.Tags = u"*;x;";
  EXPECT_EQ(ProposedTagText(record), u"*;x;");
}

class FilePathCheck : public testing::FolderCatalogueTest {
 protected:
  std::int32_t a = AddFile(u"D:\\docs\\a.txt", u"work;");
  std::int32_t b = AddFile(u"D:\\docs\\b.txt", u"home;");
};

TEST_F(FilePathCheck, NewFileIsAcceptedAndSplitIntoTheRecord) {
  FileRecord record;
  record.ID = kNewFileId;
  EXPECT_EQ(CheckFilePath(db_, record, true, u"D:\\docs\\sub\\c.txt"),
            FilePathVerdict::kAccepted);
  EXPECT_EQ(record.Path, u"D:\\docs\\sub");
  EXPECT_EQ(record.FileName, u"c.txt");
}

TEST_F(FilePathCheck, NewFileRefusesAnyCataloguedPath) {
  FileRecord record;
  record.ID = kNewFileId;
  EXPECT_EQ(CheckFilePath(db_, record, true, u"D:\\docs\\a.txt"),
            FilePathVerdict::kAlreadyCatalogued);
  // Even a record that names the entry itself: adding it a second time is refused.
  record.ID = a;
  EXPECT_EQ(CheckFilePath(db_, record, true, u"D:\\docs\\a.txt"),
            FilePathVerdict::kAlreadyCatalogued);
}

TEST_F(FilePathCheck, EditAcceptsItsOwnPathAndNewPathsButNotAnotherEntrys) {
  FileRecord record;
  record.ID = a;
  EXPECT_EQ(CheckFilePath(db_, record, false, u"D:\\docs\\a.txt"),
            FilePathVerdict::kAccepted);
  EXPECT_EQ(CheckFilePath(db_, record, false, u"E:\\moved.txt"),
            FilePathVerdict::kAccepted);
  EXPECT_EQ(CheckFilePath(db_, record, false, u"D:\\docs\\b.txt"),
            FilePathVerdict::kAlreadyCatalogued);
  // Edit mode on a record that was never catalogued (Browse back to the starting path).
  record.ID = kNewFileId;
  EXPECT_EQ(CheckFilePath(db_, record, false, u"D:\\docs\\b.txt"),
            FilePathVerdict::kAlreadyCatalogued);
  EXPECT_TRUE(reporter_.databaseErrors.empty());
}

TEST_F(FilePathCheck, PathWithoutBackslashIsRefusedAndLeavesTheRecord) {
  FileRecord record;
  record.Path = u"D:\\docs";
  record.FileName = u"a.txt";
  EXPECT_EQ(CheckFilePath(db_, record, true, u"bare-name.txt"),
            FilePathVerdict::kNoFolderPart);
  EXPECT_EQ(record.Path, u"D:\\docs");
  EXPECT_EQ(record.FileName, u"a.txt");
}

TEST_F(FilePathCheck, StoringANewFileAddsAnEntryAndItsTagRows) {
  FileRecord record;
  record.ID = kNewFileId;
  ASSERT_EQ(CheckFilePath(db_, record, true, u"D:\\it's\\c.txt"),
            FilePathVerdict::kAccepted);
  record.Tags = u"trip;photo;";
  record.Comment = u"line 1\r\nline 2";
  ASSERT_TRUE(StoreFile(db_, record, true));
  const std::int32_t id = FindFileId(db_, record);
  ASSERT_GT(id, b);
  EXPECT_EQ(TagRows(id), (std::vector<std::u16string>{u"trip", u"photo"}));
  EXPECT_EQ(Value(u"SELECT Comment FROM db_filetags WHERE ID = " + SqlInteger(id),
                           u"Comment"),
            u"line 1\r\nline 2");
  EXPECT_TRUE(reporter_.databaseErrors.empty());
}

TEST_F(FilePathCheck, StoringAnEditedFileRepointsItsEntry) {
  FileRecord record;
  record.ID = a;
  ASSERT_EQ(CheckFilePath(db_, record, false, u"E:\\moved.txt"),
            FilePathVerdict::kAccepted);
  record.Tags = u"moved;";
  ASSERT_TRUE(StoreFile(db_, record, false));
  EXPECT_EQ(Count(u"SELECT COUNT(*) AS n FROM db_filetags WHERE ID = " + SqlInteger(a)),
            0);
  EXPECT_EQ(Count(u"SELECT COUNT(*) AS n FROM db_taglist WHERE FileID = " +
                                 SqlInteger(a)),
            0);
  const std::int32_t id = FindFileId(db_, record);
  EXPECT_GT(id, b);
  EXPECT_EQ(TagRows(id), (std::vector<std::u16string>{u"moved"}));
  EXPECT_EQ(Count(u"SELECT COUNT(*) AS n FROM db_filetags"), 2);
}

class FolderOk : public testing::FolderCatalogueTest {
 protected:
  std::int32_t work = AddFolder(u"Work", u"report;");
  std::int32_t home = AddFolder(u"Home", u"family;");
};

TEST_F(FolderOk, NameIsTrimmedAndAccepted) {
  const auto decision = DecideFolderOk(folders_, std::nullopt, u"  Trips ", u"a;");
  EXPECT_EQ(decision.verdict, FolderVerdict::kAccepted);
  EXPECT_EQ(decision.name, u"Trips");
}

TEST_F(FolderOk, ChecksComeInOrderBlankThenTakenThenTags) {
  EXPECT_EQ(DecideFolderOk(folders_, std::nullopt, u"   ", u"").verdict,
            FolderVerdict::kBlankName);
  EXPECT_EQ(DecideFolderOk(folders_, std::nullopt, u"", u"a;").verdict,
            FolderVerdict::kBlankName);
  const auto taken = DecideFolderOk(folders_, std::nullopt, u" WORK ", u"");
  EXPECT_EQ(taken.verdict, FolderVerdict::kNameTaken);
  EXPECT_EQ(taken.name, u"WORK");
  const auto noTags = DecideFolderOk(folders_, std::nullopt, u" Trips", u"");
  EXPECT_EQ(noTags.verdict, FolderVerdict::kNoTags);
  EXPECT_EQ(noTags.name, u"Trips");
}

TEST_F(FolderOk, EveryRecordTakesPartButTheEditedOne) {
  const auto& root = folders_.GetFolder(root_.index);
  EXPECT_EQ(DecideFolderOk(folders_, std::nullopt, root.DirName, u"a;").verdict,
            FolderVerdict::kNameTaken);
  // Renaming Home to "work" clashes; Work keeping its name does not.
  EXPECT_EQ(DecideFolderOk(folders_, home, u"work", u"a;").verdict,
            FolderVerdict::kNameTaken);
  EXPECT_EQ(DecideFolderOk(folders_, work, u"work", u"a;").verdict,
            FolderVerdict::kAccepted);
  // A folder removed in this run still holds its name.
  DeleteFolderRow(db_, folders_, home);
  EXPECT_EQ(DecideFolderOk(folders_, std::nullopt, u"home", u"a;").verdict,
            FolderVerdict::kNameTaken);
  // Only the letters A to Z are folded.
  AddFolder(u"\u00c9t\u00e9", u"a;");
  EXPECT_EQ(DecideFolderOk(folders_, std::nullopt, u"\u00e9t\u00e9", u"a;").verdict,
            FolderVerdict::kAccepted);
}

TEST_F(FolderOk, StoringANewFolderPutsItUnderTheRootInTableAndDatabase) {
  FolderRecord record;
  record.DirName = u"Trip's";
  record.Tags = u"trip;photo;";
  const std::uint32_t before = folders_.Count();
  ASSERT_TRUE(StoreFolder(db_, folders_, root_.id, record,
                          true));
  ASSERT_EQ(folders_.Count(), before + 1);
  const FolderRecord stored = folders_.GetFolder(before);
  EXPECT_EQ(stored.DirName, u"Trip's");
  EXPECT_EQ(stored.FatherID, root_.id);
  EXPECT_EQ(record.index, static_cast<std::int32_t>(before));
  ASSERT_GT(stored.ID, 0);
  const std::u16string row = u" FROM db_virtualdir WHERE ID = " + SqlInteger(stored.ID);
  EXPECT_EQ(Value(u"SELECT DirName" + row, u"DirName"), u"Trip's");
  EXPECT_EQ(Value(u"SELECT Tags" + row, u"Tags"), u"trip;photo;");
  EXPECT_EQ(Value(u"SELECT FatherID" + row, u"FatherID"), SqlInteger(root_.id));
  EXPECT_TRUE(reporter_.databaseErrors.empty());
}

TEST_F(FolderOk, StoringAnEditedFolderKeepsItsPlace) {
  FolderRecord record = folders_.GetFolder(work);
  record.DirName = u"Office";
  record.Tags = u"memo;";
  ASSERT_TRUE(StoreFolder(db_, folders_, root_.id, record,
                          false));
  const FolderRecord stored = folders_.GetFolder(work);
  EXPECT_EQ(stored.DirName, u"Office");
  EXPECT_EQ(stored.Tags, u"memo;");
  const std::u16string row = u" FROM db_virtualdir WHERE ID = " + SqlInteger(stored.ID);
  EXPECT_EQ(Value(u"SELECT DirName" + row, u"DirName"), u"Office");
  EXPECT_EQ(Value(u"SELECT FatherID" + row, u"FatherID"), SqlInteger(root_.id));
  EXPECT_EQ(Count(u"SELECT COUNT(*) AS n FROM db_virtualdir"), 3);
}

TEST_F(FolderOk, AFullTableTakesNoNewFolderAndWritesNothing) {
  FillFolderTable();
  FolderRecord record;
  record.DirName = u"One too many";
  record.Tags = u"x;";
  EXPECT_FALSE(StoreFolder(db_, folders_, root_.id,
                           record, true));
  EXPECT_EQ(folders_.Count(), kTableCapacity);
  EXPECT_EQ(Count(u"SELECT COUNT(*) AS n FROM db_virtualdir"), 3);
}

}  // namespace
}  // namespace quillon
