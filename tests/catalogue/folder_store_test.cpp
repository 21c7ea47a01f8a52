#include "catalogue/folder_store.h"

#include <gtest/gtest.h>

#include "catalogue/schema.h"
#include "catalogue_fixture.h"

namespace quillon {
namespace {

class FolderStoreTest : public testing::CatalogueTest {
 protected:
  std::int32_t NewFolder(std::u16string name, std::u16string tags, std::int32_t fatherId) {
    const std::int32_t index = table_.AppendFolder(0, std::move(name), fatherId, std::move(tags));
    InsertFolderRow(db_, table_, index);
    return index;
  }

  FolderTable table_;
};

TEST_F(FolderStoreTest, AFreshCatalogueHoldsOnlyTheRoot) {
  const RootFolder root = ReadFolderRows(db_, table_);
  EXPECT_EQ(table_.Count(), 1u);
  EXPECT_EQ(root.index, 0);
  EXPECT_GT(root.id, 0);
  const FolderRecord record = table_.GetFolder(0);
  EXPECT_EQ(record.ID, root.id);
  EXPECT_EQ(record.FatherID, 0);
  EXPECT_EQ(record.DirName, kRootFolderName);
  EXPECT_EQ(record.Tags, u"*;");
}

TEST_F(FolderStoreTest, ReadsRowsInOrderAndTheLastRootWins) {
  Run(u"INSERT INTO db_virtualdir(FatherID, DirName, Tags) VALUES(1, 'Work', 'report;draft;')");
  Run(u"INSERT INTO db_virtualdir(FatherID, DirName, Tags) VALUES(0, 'Second root', 'a;')");
  Run(u"INSERT INTO db_virtualdir(FatherID, DirName, Tags) VALUES(1, NULL, NULL)");
  const RootFolder root = ReadFolderRows(db_, table_);
  ASSERT_EQ(table_.Count(), 4u);
  EXPECT_EQ(table_.GetFolder(1).DirName, u"Work");
  EXPECT_EQ(table_.GetFolder(1).Tags, u"report;draft;");
  EXPECT_EQ(root.index, 2);
  EXPECT_EQ(root.id, table_.GetFolder(2).ID);
  EXPECT_EQ(table_.GetFolder(3).DirName, u"");  // a NULL read as empty text
  EXPECT_TRUE(reporter_.databaseErrors.empty());
}

TEST_F(FolderStoreTest, RowsWithoutAPositiveIdAreSkippedWithOneReport) {
  // A table made by other means, whose IDs are not guarded by the schema.
  Run(u"DROP TABLE db_virtualdir");
  Run(u"CREATE TABLE db_virtualdir(ID, FatherID, DirName, Tags)");
  Run(u"INSERT INTO db_virtualdir VALUES(1, 0, 'root', '*;'), ('x', 1, 'text id', 'a;'), "
      u"(NULL, 1, 'no id', 'a;'), (0, 1, 'zero', 'a;'), (-4, 1, 'negative', 'a;'), "
      u"(7, 1, 'after', 'b;')");
  const RootFolder root = ReadFolderRows(db_, table_);
  ASSERT_EQ(table_.Count(), 2u);
  EXPECT_EQ(root.id, 1);
  EXPECT_EQ(table_.GetFolder(1).DirName, u"after");
  EXPECT_EQ(table_.GetFolder(1).ID, 7);
  EXPECT_EQ(reporter_.readErrors.size(), 1u);
}

TEST_F(FolderStoreTest, NewFolderIsWrittenAsGivenAndLearnsItsId) {
  const RootFolder root = ReadFolderRows(db_, table_);
  const std::int32_t index = NewFolder(u"Trip ", u"", root.id);
  const FolderRecord record = table_.GetFolder(index);
  EXPECT_GT(record.ID, root.id);
  EXPECT_EQ(Column(u"SELECT DirName FROM db_virtualdir WHERE ID = " + SqlInteger(record.ID),
                   u"DirName"),
            std::vector<std::u16string>{u"Trip "});  // the trailing blank is kept
  EXPECT_EQ(Column(u"SELECT Tags FROM db_virtualdir WHERE ID = " + SqlInteger(record.ID), u"Tags"),
            std::vector<std::u16string>{u""});

  // With its real ID the same run can change and remove it.
  FolderRecord edited = record;
  edited.DirName = u"Rome's trip";
  edited.Tags = u"rome;2024;";
  table_.SetFolder(edited);
  UpdateFolderRow(db_, table_, index);
  FolderTable reread;
  ReadFolderRows(db_, reread);
  ASSERT_EQ(reread.Count(), 2u);
  EXPECT_EQ(reread.GetFolder(1).DirName, u"Rome's trip");
  EXPECT_EQ(reread.GetFolder(1).Tags, u"rome;2024;");
  EXPECT_EQ(reread.GetFolder(1).FatherID, root.id);
}

TEST_F(FolderStoreTest, DeleteRemovesExactlyOneRowAndFlagsTheRecord) {
  const RootFolder root = ReadFolderRows(db_, table_);
  const std::int32_t parent = NewFolder(u"Parent", u"p;", root.id);
  const std::int32_t child = NewFolder(u"Child", u"c;", table_.GetFolder(parent).ID);
  DeleteFolderRow(db_, table_, parent);
  EXPECT_EQ(table_.GetFolder(parent).deleted, 1);
  EXPECT_EQ(table_.GetFolder(parent).DirName, u"Parent");
  EXPECT_EQ(Column(u"SELECT DirName FROM db_virtualdir ORDER BY ID", u"DirName"),
            (std::vector<std::u16string>{kRootFolderName, u"Child"}));
  EXPECT_EQ(table_.GetFolder(child).deleted, 0);

  // A deleted record is not written again.
  FolderRecord revived = table_.GetFolder(parent);
  revived.DirName = u"Again";
  table_.SetFolder(revived);
  UpdateFolderRow(db_, table_, parent);
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_virtualdir WHERE DirName = 'Again'"), 0);
}

TEST_F(FolderStoreTest, FailedInsertLeavesTheIdZeroAndWritesNothing) {
  ReadFolderRows(db_, table_);
  Run(u"CREATE TRIGGER no_folders BEFORE INSERT ON db_virtualdir BEGIN SELECT RAISE(ABORT, "
      u"'folders are locked'); END");
  const std::int32_t index = NewFolder(u"x", u"y;", 1);
  EXPECT_EQ(table_.GetFolder(index).ID, 0);
  ASSERT_EQ(reporter_.databaseErrors.size(), 1u);
  EXPECT_EQ(reporter_.databaseErrors[0], u"folders are locked");
  // Changing or deleting a folder without a row touches no other row.
  UpdateFolderRow(db_, table_, index);
  DeleteFolderRow(db_, table_, index);
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_virtualdir"), 1);
}

TEST_F(FolderStoreTest, ReadingStopsAtTheTableCapacity) {
  Run(u"INSERT INTO db_virtualdir(FatherID, DirName, Tags) WITH RECURSIVE n(i) AS (SELECT 1 "
      u"UNION ALL SELECT i + 1 FROM n WHERE i < 10004) SELECT 1, 'f' || i, '' FROM n");
  ReadFolderRows(db_, table_);
  EXPECT_EQ(table_.Count(), kTableCapacity);
  EXPECT_EQ(table_.GetFolder(static_cast<std::int32_t>(kTableCapacity) - 1).DirName, u"f9999");
}

TEST_F(FolderStoreTest, AFailedSelectAddsNoFolder) {
  Run(u"DROP TABLE db_virtualdir");
  ASSERT_EQ(db_.Execute(u"SELECT 5 AS ID, 'stale' AS DirName, 0 AS FatherID, '' AS Tags"), 1);
  const RootFolder root = ReadFolderRows(db_, table_);
  EXPECT_EQ(table_.Count(), 0u);  // the earlier result is not taken for folders
  EXPECT_EQ(root.index, -1);
  EXPECT_EQ(reporter_.databaseErrors.size(), 1u);
}

}  // namespace
}  // namespace quillon
