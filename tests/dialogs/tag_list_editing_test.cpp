#include "dialogs/tag_list_editing.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

using Tags = std::vector<std::u16string>;

TEST(EqualsFoldingAToZ, FoldsOnlyAsciiLetters) {
  EXPECT_TRUE(EqualsFoldingAToZ(u"Work", u"wORK"));
  EXPECT_TRUE(EqualsFoldingAToZ(u"", u""));
  EXPECT_FALSE(EqualsFoldingAToZ(u"\u00c9t\u00e9", u"\u00e9t\u00e9"));  // É is not folded
  EXPECT_FALSE(EqualsFoldingAToZ(u"work", u"works"));
  // '@' and '[' sit next to 'A' and 'Z' and must not be mistaken for letters.
  EXPECT_FALSE(EqualsFoldingAToZ(u"@", u"`"));
  EXPECT_FALSE(EqualsFoldingAToZ(u"[", u"{"));
}

TEST(TagsToAdd, KeepsInputOrderAndSkipsSeparatorRuns) {
  EXPECT_EQ(TagsToAdd({}, u" a;;b  c; "), (Tags{u"a", u"b", u"c"}));
  EXPECT_TRUE(TagsToAdd({u"x"}, u"  ; ;").empty());
}

TEST(TagsToAdd, ATagTypedInSeveralCasesIsAddedOnceAsFirstTyped) {
  EXPECT_EQ(TagsToAdd({}, u"Foo foo FOO"), (Tags{u"Foo"}));
}

TEST(TagsToAdd, TagsAlreadyListedInAnyAsciiCaseAreSkipped) {
  EXPECT_EQ(TagsToAdd({u"Trip", u"photo"}, u"TRIP new PHOTO \u00c9t\u00e9"),
            (Tags{u"new", u"\u00c9t\u00e9"}));
  EXPECT_EQ(TagsToAdd({u"\u00e9t\u00e9"}, u"\u00c9t\u00e9"), (Tags{u"\u00c9t\u00e9"}));
}

TEST(TagsToAdd, TabsAndLineBreaksStayInsideTags) {
  EXPECT_EQ(TagsToAdd({}, u"a\tb c\nd"), (Tags{u"a\tb", u"c\nd"}));
}

}  // namespace
}  // namespace quillon
