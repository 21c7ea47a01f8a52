#include "shell/model/file_list_model.h"

#include <gtest/gtest.h>

#include <limits>

namespace quillon {
namespace {

TEST(FileListSortTest, HeaderClicksFlipEachColumnsOwnDirection) {
  FileListSort sort;
  sort.Reset();
  EXPECT_EQ(sort.Column(), 0);
  EXPECT_EQ(sort.Order(-3), -1);  // ascending: the comparison stands

  sort.ClickColumn(1);  // "Tags" once: descending
  EXPECT_EQ(sort.Column(), 1);
  EXPECT_FALSE(sort.Ascending(1));
  EXPECT_EQ(sort.Order(-3), 1);
  EXPECT_EQ(sort.Order(0), 0);

  sort.ClickColumn(1);  // twice: ascending again
  EXPECT_TRUE(sort.Ascending(1));
  EXPECT_EQ(sort.Order(7), 1);

  sort.ClickColumn(2);  // "Path": descending, and "Tags" keeps its own direction
  EXPECT_EQ(sort.Column(), 2);
  EXPECT_FALSE(sort.Ascending(2));
  EXPECT_TRUE(sort.Ascending(1));
  EXPECT_EQ(sort.Order(7), -1);

  sort.ClickColumn(3);  // no such column
  sort.ClickColumn(-1);
  EXPECT_EQ(sort.Column(), 2);

  sort.Reset();
  EXPECT_EQ(sort.Column(), 0);
  EXPECT_TRUE(sort.Ascending(2));
}

TEST(FileListSortTest, ExtremeComparisonsKeepTheirSign) {
  FileListSort sort;
  sort.ClickColumn(0);
  EXPECT_EQ(sort.Order(std::numeric_limits<int>::min()), 1);
  EXPECT_EQ(sort.Order(std::numeric_limits<int>::max()), -1);
}

TEST(ListingFilterTest, ALeadingSemicolonListsEverything) {
  EXPECT_EQ(ListingFilter(u";work;"), u"*;");
  EXPECT_EQ(ListingFilter(u";"), u"*;");
  EXPECT_EQ(ListingFilter(u"work;"), u"work;");
  EXPECT_EQ(ListingFilter(u""), u"");
  EXPECT_EQ(ListingFilter(u" ;a;"), u" ;a;");  // only the very first character counts
}

TEST(ListingFilterTest, TheSearchBoxShowsEveryFilterButTheWholeCatalogue) {
  EXPECT_FALSE(ShowsInSearchBox(u"*;"));
  EXPECT_TRUE(ShowsInSearchBox(u"*;a;"));
  EXPECT_TRUE(ShowsInSearchBox(u""));
  EXPECT_TRUE(ShowsInSearchBox(u"photo;"));
}

}  // namespace
}  // namespace quillon
