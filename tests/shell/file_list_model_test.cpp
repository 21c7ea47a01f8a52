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

}  // namespace
}  // namespace quillon
