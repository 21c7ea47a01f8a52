#include "catalogue/tag_text.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(NormalizeTagText, SplitsAtBlanksAndSemicolons) {
  EXPECT_EQ(NormalizeTagText(u"a b;c"), u"a;b;c;");
  EXPECT_EQ(NormalizeTagText(u"  a;;b "), u"a;b;");
  EXPECT_EQ(NormalizeTagText(u"word"), u"word;");
  EXPECT_EQ(NormalizeTagText(u"a a"), u"a;a;");
}

TEST(NormalizeTagText, EmptyAndSeparatorOnlyTextsGiveEmpty) {
  EXPECT_EQ(NormalizeTagText(u""), u"");
  EXPECT_EQ(NormalizeTagText(u" ; ;; "), u"");
}

TEST(NormalizeTagText, KeepsTabsAndCaseInsideTags) {
  EXPECT_EQ(NormalizeTagText(u"Ph\toto\nX"), u"Ph\toto\nX;");
}

TEST(NormalizeTagText, CanonicalTextIsAFixedPoint) {
  for (const std::u16string text : {u"a;b;c;", u"x;", u"", u"*;", u"\u00e9t\u00e9;A;"}) {
    EXPECT_EQ(NormalizeTagText(text), text);
  }
}

TEST(TrimBlanks, StripsOnlyOuterBlanks) {
  EXPECT_EQ(TrimBlanks(u"  a b ").value(), u"a b");
  EXPECT_EQ(TrimBlanks(u"\tname").value(), u"\tname");
  EXPECT_EQ(TrimBlanks(u"x").value(), u"x");
}

TEST(TrimBlanks, FailsOnEmptyOrAllBlankText) {
  EXPECT_FALSE(TrimBlanks(u"").has_value());
  EXPECT_FALSE(TrimBlanks(u"    ").has_value());
}

TEST(MergeTagText, AppendsOnlyMissingUnits) {
  std::u16string target = u"a;b;";
  MergeTagText(target, u"b c");
  EXPECT_EQ(target, u"a;b;c;");

  std::u16string empty;
  MergeTagText(empty, u"x;x");
  EXPECT_EQ(empty, u"x;");
}

TEST(MergeTagText, ContainmentIsASubstringTest) {
  std::u16string target = u"xb;";
  MergeTagText(target, u"b");
  EXPECT_EQ(target, u"xb;");
  MergeTagText(target, u"x");
  EXPECT_EQ(target, u"xb;x;");
}

TEST(SplitTagUnits, TakesTextUpToEachSemicolon) {
  EXPECT_EQ(SplitTagUnits(u"a;;b;tail"), (std::vector<std::u16string>{u"a", u"", u"b"}));
  EXPECT_TRUE(SplitTagUnits(u"no separator").empty());
  EXPECT_EQ(JoinTags({u"trip", u"photo"}), u"trip;photo;");
}

}  // namespace
}  // namespace quillon
