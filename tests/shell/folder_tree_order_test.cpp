#include "shell/model/folder_tree_order.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillon {
namespace {

struct Row {
  std::int32_t id;
  std::int32_t fatherId;
  const char16_t* name;
};

FolderTable TableOf(const std::vector<Row>& rows) {
  FolderTable table;
  for (const Row& row : rows) table.AppendFolder(row.id, row.name, row.fatherId, u"t;");
  return table;
}

// Each placed folder as "name<parent" ("name" alone for the root), in insertion order.
std::vector<std::u16string> Placed(const FolderTable& table, std::int32_t rootIndex = 0) {
  std::vector<std::u16string> placed;
  for (const FolderPlacement& place : PlaceFolders(table, rootIndex)) {
    std::u16string text = table.GetFolder(place.index).DirName;
    if (place.parentIndex >= 0) {
      text += u'<';
      text += table.GetFolder(place.parentIndex).DirName;
    }
    placed.push_back(text);
  }
  return placed;
}

using Names = std::vector<std::u16string>;

TEST(FolderTreeOrderTest, ChildStoredBeforeItsParentIsStillPlacedUnderIt) {
  // B (under A) comes first in the table; A's children are looked for only once A is placed.
  const FolderTable table = TableOf({{1, 0, u"root"}, {3, 2, u"B"}, {2, 1, u"A"}});
  EXPECT_EQ(Placed(table), (Names{u"root", u"A<root", u"B<A"}));
}

TEST(FolderTreeOrderTest, EachLevelComesBeforeTheNextAndSiblingsKeepTableOrder) {
  const FolderTable table = TableOf({{1, 0, u"root"},
                                     {2, 1, u"Work"},
                                     {4, 2, u"Reports"},
                                     {3, 1, u"Home"},
                                     {5, 3, u"Photos"},
                                     {6, 2, u"Drafts"}});
  EXPECT_EQ(Placed(table), (Names{u"root", u"Work<root", u"Home<root", u"Reports<Work",
                                  u"Drafts<Work", u"Photos<Home"}));
}

TEST(FolderTreeOrderTest, OrphansCyclesAndDeletedFoldersAreLeftOut) {
  FolderTable table = TableOf({{1, 0, u"root"},
                               {2, 99, u"orphan"},
                               {3, 4, u"cycleA"},
                               {4, 3, u"cycleB"},
                               {5, 1, u"gone"},
                               {6, 5, u"underGone"},
                               {7, 1, u"kept"}});
  table.MarkDeleted(4);
  // A deleted folder's children lose their way to the root as well.
  EXPECT_EQ(Placed(table), (Names{u"root", u"kept<root"}));
}

TEST(FolderTreeOrderTest, OfTwoRootRowsOnlyTheNamedRootAndItsSubtreeAreShown) {
  // The load names the last row with FatherID 0 the root: the tree shows that one, so the
  // folder shown as root is the folder the commands protect.
  const FolderTable table = TableOf({{3, 0, u"first"}, {5, 3, u"underFirst"}, {8, 0, u"second"},
                                     {9, 8, u"underSecond"}});
  EXPECT_EQ(Placed(table, 2), (Names{u"second", u"underSecond<second"}));
  EXPECT_EQ(Placed(table, 0), (Names{u"first", u"underFirst<first"}));
}

TEST(FolderTreeOrderTest, NoRootOrADeletedRootPlacesNothing) {
  EXPECT_TRUE(PlaceFolders(FolderTable{}, -1).empty());
  EXPECT_TRUE(PlaceFolders(TableOf({{2, 1, u"a"}, {3, 2, u"b"}}), -1).empty());
  EXPECT_TRUE(PlaceFolders(TableOf({{2, 0, u"a"}}), 5).empty());
  FolderTable table = TableOf({{1, 0, u"root"}, {2, 1, u"a"}});
  table.MarkDeleted(0);
  EXPECT_TRUE(PlaceFolders(table, 0).empty());
}

TEST(FolderTreeOrderTest, AFullTableOfDeepAndWideFoldersIsPlacedWhole) {
  // 1 root, 99 folders under it and 9900 under those: every one placed, parents first.
  FolderTable table;
  table.AppendFolder(1, u"root", 0, u"");
  for (int i = 0; i < 99; ++i) table.AppendFolder(2 + i, u"level1", 1, u"");
  for (int i = 0; i < 9900; ++i) table.AppendFolder(200 + i, u"level2", 2 + i % 99, u"");
  ASSERT_TRUE(table.IsFull());
  const std::vector<FolderPlacement> placed = PlaceFolders(table, 0);
  ASSERT_EQ(placed.size(), kTableCapacity);
  std::vector<bool> seen(kTableCapacity, false);
  for (const FolderPlacement& place : placed) {
    if (place.parentIndex >= 0) {
      EXPECT_TRUE(seen[place.parentIndex]) << place.index;
    }
    seen[place.index] = true;
  }
  EXPECT_EQ(placed[100].parentIndex, 1);  // the first of level 2 hangs under the first level 1
}

}  // namespace
}  // namespace quillon
