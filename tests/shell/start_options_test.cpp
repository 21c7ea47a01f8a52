#include "shell/model/start_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text_convert.h"

namespace quillon {
namespace {

TEST(StartupRulesTest, OnlyALastArgumentMinusMStartsHidden) {
  struct Case {
    const char16_t* commandLine;
    bool hidden;
  };
  const Case cases[] = {
      {u"\"C:\\Program Files\\Quillon\\quillon.exe\" -m", true},
      {u"quillon.exe C:\\notes\\plan.htm", false},  // a file ending in "m"
      {u"quillon.exe program", false},
      {u"quillon.exe \"C:\\a b\\-m\"", false},
      {u"quillon.exe C:\\x.txt -m", true},
      {u"quillon.exe -m C:\\x.txt", false},
      {u"quillon.exe -M", false},
      {u"quillon.exe -m ", true},
      {u"quillon.exe \"-m\"", true},
      {u"C:\\-m", false},  // the program's own name
      {u"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(StartsHidden(c.commandLine), c.hidden) << ToUtf8(c.commandLine);
}

TEST(StartupRulesTest, CommandLinesSplitAsWindowsSplitsThem) {
  struct Case {
    const char16_t* commandLine;
    std::vector<std::u16string> arguments;
  };
  const Case cases[] = {
      {u"\"C:\\Program Files\\q.exe\" \"C:\\My Files\\a b.txt\" C:\\c.txt",
       {u"C:\\Program Files\\q.exe", u"C:\\My Files\\a b.txt", u"C:\\c.txt"}},
      {u"q.exe\t  C:\\Ζεύς\\日本.txt\t", {u"q.exe", u"C:\\Ζεύς\\日本.txt"}},
      // A trailing backslash before the closing quote: two make one and the quote closes.
      {u"q.exe \"C:\\dir\\\\\" next", {u"q.exe", u"C:\\dir\\", u"next"}},
      {u"q.exe a\\\"b \"c\"\"d\" \"\" e\\f", {u"q.exe", u"a\"b", u"c\"d", u"", u"e\\f"}},
      {u"q.exe C:\\a\" b\"c", {u"q.exe", u"C:\\a bc"}},
      {u"\"C:\\q.exe", {u"C:\\q.exe"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitCommandLine(c.commandLine), c.arguments) << ToUtf8(c.commandLine);
  EXPECT_EQ(PathArguments(SplitCommandLine(u"q.exe C:\\a.txt \"D:\\b c\" -m")),
            (std::vector<std::u16string>{u"C:\\a.txt", u"D:\\b c"}));
}

// A payload as a hostile sender may shape it.
std::u16string Payload(const char16_t* text, std::size_t chars) { return {text, chars}; }

TEST(HandOverTest, ReceivedPayloadsBreakingAnyRuleAreRefused) {
  const std::u16string longest = u"C:\\" + std::u16string(kMaxHandedPathLength - 3, u'x');
  std::u16string tooMany;
  for (std::size_t i = 0; i <= kMaxHandedPaths; ++i) tooMany += Payload(u"C:\\a", 5);
  struct Case {
    const char* what;
    std::u16string payload;
    bool accepted;
  };
  const Case cases[] = {
      {"two paths", Payload(u"C:\\a b.txt\0\\\\server\\share\\c\0\0", 29), true},
      {"the longest path", longest + u'\0' + u'\0', true},
      {"a path too long", longest + u"y" + u'\0' + u'\0', false},
      {"empty", u"", false},
      {"only the list's end", Payload(u"\0\0\0", 3), false},
      {"no end at all", u"C:\\a.txt", false},
      {"one NUL only", Payload(u"C:\\a.txt\0", 9), false},
      {"an empty path inside", Payload(u"C:\\a\0\0C:\\b\0\0", 12), false},
      {"a relative path", Payload(u"notes.txt\0\0", 11), false},
      {"a drive without root", Payload(u"C:notes.txt\0\0", 13), false},
      {"a rooted path without drive", Payload(u"\\notes.txt\0\0", 12), false},
      {"too many paths", tooMany + u'\0', false},
      {"too many characters", std::u16string(kMaxHandOverChars + 1, u'\0'), false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeHandOver(c.payload.data(), c.payload.size()).has_value(), c.accepted) << c.what;
  }
  EXPECT_FALSE(DecodeHandOver(nullptr, 0).has_value());
}

TEST(HandOverTest, FiveHundredPathsArriveWholeAndLargeListsSplitWithinTheLimits) {
  std::vector<std::u16string> paths;
  for (int i = 0; i < 500; ++i) paths.push_back(u"C:\\Fotos Ärger\\\"" + FromUtf8(std::to_string(i)) + u" m");
  const std::vector<std::u16string> one = EncodeHandOver(paths);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(DecodeHandOver(one[0].data(), one[0].size()), paths);

  // Forty paths of the longest length take two messages; none is lost.
  const std::vector<std::u16string> longPaths(40, u"C:\\" + std::u16string(kMaxHandedPathLength - 3, u'y'));
  std::size_t received = 0;
  for (const std::u16string& payload : EncodeHandOver(longPaths)) {
    EXPECT_LE(payload.size(), kMaxHandOverChars);
    received += DecodeHandOver(payload.data(), payload.size()).value_or(std::vector<std::u16string>{}).size();
  }
  EXPECT_EQ(received, longPaths.size());
}

TEST(HandOverTest, TheMutexNameIsTheUsersOwnWithinTheSession) {
  EXPECT_EQ(InstanceMutexName(u"S-1-5-21-1-2-3-1001"), u"Local\\Veldmark.Quillon.S-1-5-21-1-2-3-1001");
  EXPECT_EQ(InstanceMutexName(u"OFFICE\\ann"), u"Local\\Veldmark.Quillon.OFFICE_ann");
}

TEST(StartupRulesTest, DataFolderAndCatalogueHaveNoDoubledSeparators) {
  const std::u16string folder = DataFolderUnder(u"C:\\Users\\ann\\AppData\\Roaming");
  EXPECT_EQ(folder, u"C:\\Users\\ann\\AppData\\Roaming\\Veldmark\\Quillon");
  EXPECT_EQ(CataloguePathIn(folder), folder + u"\\data.dat");
}

}  // namespace
}  // namespace quillon
