#include "shell/model/start_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text_convert.h"

namespace quillon {
namespace {

TEST(StartupRulesTest, OnlyALastArgumentMinusMStartsHiddenAndTheOthersAreTheFiles) {
  struct Case {
    const char16_t* commandLine;
    bool hidden;
    std::vector<std::u16string> files;
  };
  const Case cases[] = {
      {u"\"C:\\Program Files\\q.exe\" -m", true, {}},
      {u"q.exe C:\\notes\\plan.htm", false, {u"C:\\notes\\plan.htm"}},
      {u"q.exe \"C:\\a b\\-m\"\t\"D:\\\u65e5 \u00c4\" -m ",
       true,
       {u"C:\\a b\\-m", u"D:\\\u65e5 \u00c4"}},
      {u"q.exe -M", false, {u"-M"}},
      {u"C:\\-m", false, {}},
      // Backslashes escape only before a quote; "" inside quotes is a quote.
      {u"q.exe \"C:\\dir\\\\\" a\\\"b \"c\"\"d\" e\\f",
       false,
       {u"C:\\dir\\", u"a\"b", u"c\"d", u"e\\f"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StartsHidden(c.commandLine), c.hidden) << ToUtf8(c.commandLine);
    EXPECT_EQ(PathArguments(SplitCommandLine(c.commandLine)), c.files) << ToUtf8(c.commandLine);
  }
}

TEST(HandOverTest, ReceivedPayloadsBreakingAnyRuleAreRefused) {
  const std::u16string longest = u"C:\\" + std::u16string(kMaxHandedPathLength - 3, u'x');
  std::u16string tooMany;
  for (std::size_t i = 0; i <= kMaxHandedPaths; ++i) tooMany += std::u16string(u"C:\\a\0", 5);
  const std::pair<std::u16string, bool> cases[] = {
      {std::u16string(u"C:\\a b\0\\\\server\\c\0\0", 19), true},
      {longest + u'\0' + u'\0', true},
      {longest + u"y" + u'\0' + u'\0', false},
      {u"", false},
      {std::u16string(u"\0\0\0", 3), false},
      {u"C:\\a.txt", false},
      {std::u16string(u"C:\\a\0", 5), false},
      {std::u16string(u"C:\\a\0\0C:\\b\0\0", 12), false},
      {std::u16string(u"a.txt\0\0", 7), false},
      {std::u16string(u"C:a.txt\0\0", 9), false},
      {std::u16string(u"\\a.txt\0\0", 8), false},
      {tooMany + u'\0', false},
      {std::u16string(kMaxHandOverChars + 1, u'\0'), false},
  };
  for (const auto& [payload, accepted] : cases) {
    EXPECT_EQ(DecodeHandOver(payload.data(), payload.size()).has_value(), accepted)
        << ToUtf8(payload.substr(0, 20));
  }
}

TEST(HandOverTest, FiveHundredPathsArriveWholeAndLongListsSplitWithinTheLimits) {
  std::vector<std::u16string> paths(500, u"C:\\Fotos \u00c4rger\\m");
  for (std::size_t i = 0; i < paths.size(); ++i) paths[i] += FromUtf8(std::to_string(i));
  // Forty of the longest paths take two messages.
  paths.resize(540, u"C:\\" + std::u16string(kMaxHandedPathLength - 3, u'y'));
  std::vector<std::u16string> received;
  for (const std::u16string& payload : EncodeHandOver(paths)) {
    const std::vector<std::u16string> decoded =
        DecodeHandOver(payload.data(), payload.size()).value();
    received.insert(received.end(), decoded.begin(), decoded.end());
  }
  EXPECT_EQ(EncodeHandOver(paths).size(), 2u);
  EXPECT_EQ(received, paths);
}

}  // namespace
}  // namespace quillon
