#include "base/text_convert.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(TextConvert, RoundTripsEveryLengthOfSequence) {
  const std::u16string text = u"a\u00e9\u65e5\U0001F600z";
  const std::string utf8 = ToUtf8(text);
  EXPECT_EQ(utf8, "a\xc3\xa9\xe6\x97\xa5\xf0\x9f\x98\x80z");
  EXPECT_EQ(FromUtf8(utf8), text);
  EXPECT_EQ(ToUtf8(u""), "");
  EXPECT_EQ(ToUtf8(std::u16string(1000, u'\u65e5')).size(), 3000u);
}

TEST(TextConvert, UnpairedSurrogatesRoundTripAndBrokenInputBecomesReplacements) {
  // A Windows file name may hold any 16-bit units: each comes back as it went in.
  const std::u16string lone[] = {std::u16string{char16_t(0xD800), u'x'},
                                 std::u16string{u'a', char16_t(0xDFFF)},
                                 std::u16string{char16_t(0xDC00), char16_t(0xD800)}};
  for (const auto& text : lone) {
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    EXPECT_FALSE(IsValidUtf8(ToUtf8(text)));
    EXPECT_NE(ToUtf8(text), ToUtf8(u"\uFFFD"));
  }
  EXPECT_EQ(ToUtf8(lone[0]), "\xed\xa0\x80x");
  EXPECT_TRUE(IsValidUtf8(ToUtf8(u"a\u00e9\U0001F600")));

  EXPECT_EQ(FromUtf8("a\xff" "b"), u"a\uFFFDb");
  EXPECT_EQ(FromUtf8("\xe6\x97"), u"\uFFFD\uFFFD");  // cut short
  EXPECT_EQ(FromUtf8("\xc0\x80"), u"\uFFFD\uFFFD");  // overlong: one unit, one spelling
  for (const char* broken : {"a\xff", "\xe6\x97", "\xc0\x80", "\xf4\x90\x80\x80"}) {
    EXPECT_FALSE(IsValidUtf8(broken)) << broken;
  }
}

}  // namespace
}  // namespace quillon
