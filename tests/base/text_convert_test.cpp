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

TEST(TextConvert, BrokenInputBecomesReplacementCharacters) {
  EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800)) + u"x"), "\xef\xbf\xbdx");
  EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xDC00))), "\xef\xbf\xbd");
  EXPECT_EQ(FromUtf8("a\xff" "b"), u"a\uFFFDb");
  EXPECT_EQ(FromUtf8("\xe6\x97"), u"\uFFFD\uFFFD");  // cut short
  EXPECT_EQ(FromUtf8("\xed\xa0\x80"), u"\uFFFD\uFFFD\uFFFD");  // an encoded surrogate
}

}  // namespace
}  // namespace quillon
