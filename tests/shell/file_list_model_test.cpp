#include "shell/model/file_list_model.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

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

TEST(StatusTextTest, CountedAdditionsSayNothingForNoneAndTheNumberForMany) {
  const std::u16string_view one = u" - 1 file", many = u" - {count} files";
  EXPECT_EQ(CountedStatusText(one, many, 0), u"");
  EXPECT_EQ(CountedStatusText(one, many, 1), u" - 1 file");
  EXPECT_EQ(CountedStatusText(one, many, 2), u" - 2 files");
  EXPECT_EQ(CountedStatusText(one, many, 12345), u" - 12345 files");
}

}  // namespace
}  // namespace quillon
