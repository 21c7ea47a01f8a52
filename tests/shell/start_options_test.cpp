#include "shell/model/start_options.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "base/text_convert.h"

namespace quillon {
namespace {

using namespace std::string_literals;

TEST(StartupRulesTest, OnlyALastArgumentMinusMStartsHiddenAndTheOthersAreTheFiles) {
  using Files = std::vector<std::u16string>;
  const std::tuple<const char16_t*, bool, Files> cases[] = {
      {u"\"C:\\Program Files\\q.exe\" -m", true, {}},
      {u"q.exe C:\\notes\\plan.htm", false, {u"C:\\notes\\plan.htm"}},
      {u"q.exe \"C:\\a b\\-m\"\t\"D:\\\u65e5 \u00c4\" -m ", true,
       {u"C:\\a b\\-m", u"D:\\\u65e5 \u00c4"}},
      {u"q.exe -M", false, {u"-M"}},
      {u"C:\\-m", false, {}},
      // Backslashes escape only before a quote; "" inside quotes is a quote.
      {u"q.exe \"C:\\d\\\\\" a\\\"b \"c\"\"d\" e\\f", false,
       {u"C:\\d\\", u"a\"b", u"c\"d", u"e\\f"}},
  };
  for (const auto& [line, hidden, files] : cases) {
    EXPECT_EQ(StartsHidden(line), hidden) << ToUtf8(line);
    EXPECT_EQ(PathArguments(SplitCommandLine(line)), files) << ToUtf8(line);
  }
}

TEST(StartupRulesTest, DataFolderAndCatalogueHaveNoDoubledSeparators) {
  const std::u16string folder = DataFolderUnder(u"C:\\Users\\ann\\AppData\\Roaming");
  EXPECT_EQ(folder, u"C:\\Users\\ann\\AppData\\Roaming\\Veldmark\\Quillon");
  EXPECT_EQ(CataloguePathIn(folder), folder + u"\\data.dat");
}

TEST(HandOverTest, ReceivedPayloadsBreakingAnyRuleAreRefused) {
  const std::u16string longest = u"C:\\" + std::u16string(kMaxHandedPathLength - 3, u'x');
  std::u16string tooMany;
  for (std::size_t i = 0; i <= kMaxHandedPaths; ++i) tooMany += u"C:\\a\0"s;
  const std::pair<std::u16string, bool> cases[] = {
      {u"C:\\a b\0\\\\server\\c\0\0"s, true}, {longest + u"\0\0"s, true},
      {longest + u"y\0\0"s, false}, {u""s, false}, {u"\0\0\0"s, false}, {u"C:\\a"s, false},
      {u"C:\\a\0"s, false}, {u"C:\\a\0\0C:\\b\0\0"s, false}, {u"a.txt\0\0"s, false},
      {u"C:a\0\0"s, false}, {u"\\a\0\0"s, false}, {tooMany + u"\0"s, false},
      {std::u16string(kMaxHandOverChars + 1, u'\0'), false}};
  for (const auto& [payload, accepted] : cases) {
    EXPECT_EQ(DecodeHandOver(payload.data(), payload.size()).has_value(), accepted)
        << ToUtf8(payload.substr(0, 9));
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
