#include <gtest/gtest.h>

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

}  // namespace
}  // namespace quillon
