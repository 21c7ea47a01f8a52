#include "catalogue/tables.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(FolderTable, AppendFillsTheNextSlotAndCountsIt) {
  FolderTable table;
  EXPECT_EQ(table.Count(), 0u);
  EXPECT_EQ(table.AppendFolder(7, u"Root", 0, u"*;"), 0);
  EXPECT_EQ(table.AppendFolder(9, u"Work", 7, u"report;"), 1);
  EXPECT_EQ(table.Count(), 2u);

  const FolderRecord work = table.GetFolder(1);
  EXPECT_EQ(work.index, 1);
  EXPECT_EQ(work.ID, 9);
  EXPECT_EQ(work.FatherID, 7);
  EXPECT_EQ(work.DirName, u"Work");
  EXPECT_EQ(work.Tags, u"report;");
  EXPECT_EQ(work.deleted, 0);
}

TEST(FolderTable, AppendKeepsTheViewHandleTheSlotHolds) {
  FolderTable table;
  table.AppendFolder(1, u"a", 0, u"");
  table.SetViewHandle(0, 0x1234);
  EXPECT_EQ(table.GetFolder(0).viewHandle, 0x1234u);
  FolderRecord edited = table.GetFolder(0);
  edited.DirName = u"b";
  table.SetFolder(edited);
  EXPECT_EQ(table.GetFolder(0).DirName, u"b");
  EXPECT_EQ(table.GetFolder(0).viewHandle, 0x1234u);
}

TEST(FolderTable, FindByViewHandleTakesTheFirstMatchDeletedOnesIncluded) {
  FolderTable table;
  table.AppendFolder(1, u"a", 0, u"");
  table.AppendFolder(2, u"b", 1, u"");
  table.AppendFolder(3, u"c", 1, u"");
  table.SetViewHandle(1, 55);
  table.SetViewHandle(2, 55);
  table.MarkDeleted(1);
  const FolderRecord found = table.FindFolderByViewHandle(55);
  EXPECT_EQ(found.ID, 2);
  EXPECT_EQ(found.deleted, 1);
  EXPECT_EQ(table.FindFolderByViewHandle(99).ID, -1);
}

TEST(FolderTable, DeletedFolderKeepsItsSlotAndLaterIndexes) {
  FolderTable table;
  table.AppendFolder(1, u"a", 0, u"x;");
  table.AppendFolder(2, u"b", 1, u"y;");
  table.MarkDeleted(0);
  EXPECT_EQ(table.Count(), 2u);
  EXPECT_EQ(table.GetFolder(0).deleted, 1);
  EXPECT_EQ(table.GetFolder(0).DirName, u"a");
  EXPECT_EQ(table.GetFolder(1).index, 1);
  EXPECT_EQ(table.AppendFolder(3, u"c", 1, u""), 2);
}

TEST(FolderTable, NeverWritesPastItsCapacity) {
  FolderTable table;
  for (std::uint32_t i = 0; i < kTableCapacity; ++i) {
    ASSERT_EQ(table.AppendFolder(static_cast<std::int32_t>(i + 1), u"f", 0, u""),
              static_cast<std::int32_t>(i));
  }
  EXPECT_TRUE(table.IsFull());
  EXPECT_EQ(table.AppendFolder(99999, u"one too many", 0, u""), -1);
  EXPECT_EQ(table.Count(), kTableCapacity);

  // Indexes outside the records in use change nothing and read as not found.
  FolderRecord stray;
  stray.index = static_cast<std::int32_t>(kTableCapacity);
  table.SetFolder(stray);
  table.MarkDeleted(-1);
  table.SetId(static_cast<std::int32_t>(kTableCapacity) + 5, 1);
  EXPECT_EQ(table.GetFolder(static_cast<std::int32_t>(kTableCapacity)).ID, -1);
  EXPECT_EQ(table.GetFolder(-3).ID, -1);
}

FileRecord File(std::u16string path, std::u16string name, std::int32_t id = 1) {
  FileRecord record;
  record.ID = id;
  record.Path = std::move(path);
  record.FileName = std::move(name);
  return record;
}

TEST(FileTable, FullPathJoinsPathAndNameWithABackslash) {
  EXPECT_EQ(File(u"D:\\docs", u"a.txt").FullPath(), u"D:\\docs\\a.txt");
  EXPECT_EQ(File(u"D:", u"a.txt").FullPath(), u"D:\\a.txt");
}

TEST(FileTable, FindByPathIsExactAndCaseSensitive) {
  FileTable table;
  table.Append(File(u"d:\\docs", u"a.txt", 1));
  table.Append(File(u"D:\\docs", u"a.txt", 2));
  EXPECT_EQ(table.FindFileByPath(u"D:\\docs\\a.txt").ID, 2);
  EXPECT_EQ(table.IndexOfPath(u"D:\\docs\\a.txt"), 1);
  // "D:\docs\a" + ".txt" split differently must not match either record.
  table.Append(File(u"D:\\docs\\a", u"txt", 3));
  EXPECT_EQ(table.FindFileByPath(u"D:\\docs\\a\\txt").ID, 3);
  EXPECT_EQ(table.IndexOfPath(u"D:\\docs\\A.txt"), -1);

  const FileRecord missing = table.FindFileByPath(u"E:\\none");
  EXPECT_TRUE(missing.Path.empty() && missing.FileName.empty() && missing.Tags.empty() &&
              missing.Comment.empty());
}

TEST(FileTable, ResetHidesEarlierRecords) {
  FileTable table;
  for (int i = 1; i <= 5; ++i) table.Append(File(u"C:", u"f" + std::u16string(1, u'0' + i), i));
  table.Reset();
  for (int i = 1; i <= 3; ++i) table.Append(File(u"C:", u"g" + std::u16string(1, u'0' + i), i));
  EXPECT_EQ(table.Count(), 3u);
  EXPECT_EQ(table.IndexOfPath(u"C:\\f4"), -1);
  EXPECT_EQ(table.IndexOfPath(u"C:\\f5"), -1);
  EXPECT_TRUE(table.GetFile(3).FileName.empty());
  EXPECT_TRUE(table.GetFile(4).FileName.empty());
  EXPECT_EQ(table.GetFile(2).FileName, u"g3");
}

TEST(FileTable, MarkDeletedFlagsOnlyThatRecordAndAppendClearsTheFlag) {
  FileTable table;
  table.Append(File(u"C:", u"a"));
  FileRecord flagged = File(u"C:", u"b");
  flagged.deleted = 1;
  table.Append(flagged);
  EXPECT_EQ(table.GetFile(1).deleted, 0);
  table.MarkDeleted(0);
  table.MarkDeleted(7);
  EXPECT_EQ(table.GetFile(0).deleted, 1);
  EXPECT_EQ(table.GetFile(1).deleted, 0);
  EXPECT_EQ(table.FindFileByPath(u"C:\\a").deleted, 1);
}

TEST(FileTable, HoldsAtMostItsCapacity) {
  FileTable table;
  for (std::uint32_t i = 0; i < kTableCapacity; ++i) ASSERT_TRUE(table.Append(File(u"C:", u"x")));
  EXPECT_FALSE(table.Append(File(u"C:", u"y")));
  EXPECT_EQ(table.Count(), kTableCapacity);
  EXPECT_EQ(table.IndexOfPath(u"C:\\y"), -1);
}

}  // namespace
}  // namespace quillon
