// The folder walk's rules (what is left out, what is counted, the batch limit), the picker's
// result and the filled-in texts, on a made-up file system.
#include <gtest/gtest.h>

#include <map>

#include "base/file_gathering.h"
#include "base/text_fill.h"

namespace quillon {
namespace {

using Paths = std::vector<std::u16string>;

// C:\x.txt and the folders of the map; a folder absent from it (Locked) cannot be read.
class FakeFolders : public FolderReader {
 public:
  std::map<std::u16string, std::vector<FolderEntry>> folders = {
      {u"C:\\Holidays",
       {{u"a.jpg"}, {u"thumbs.db", false, true}, {u"Rome", true}, {u".trash", true, true},
        {u"loop", true, false, true}, {u"Locked", true}, {std::u16string(260, u'n')}}},
      {u"C:\\Holidays\\Rome", {{u"b.jpg"}, {u"c.jpg"}}},
      {u"C:\\Holidays\\.trash", {{u"old.jpg"}}}};

  PathKind Kind(const std::u16string& path) override {
    if (folders.contains(path)) return PathKind::kFolder;
    return path == u"C:\\x.txt" ? PathKind::kFile : PathKind::kMissing;
  }
  bool Read(const std::u16string& folder, std::vector<FolderEntry>& entries) override {
    if (!folders.contains(folder)) return false;
    entries = folders[folder];
    return true;
  }
};

TEST(FileGathering, WalksFoldersLeavingOutHiddenSystemAndLinksAndCountsWhatItCannotTake) {
  struct Case {
    const char* name;
    Paths dropped;
    GatherOptions options;
    Paths files;
    std::size_t tooLong, unreadable, missing;
    bool tooMany;
  };
  const std::u16string longPath = u"C:\\" + std::u16string(260, u'p');
  const Case cases[] = {
      {"recursive", {u"C:\\Holidays", u"C:\\x.txt", u"C:\\gone.txt"}, {},
       {u"C:\\Holidays\\a.jpg", u"C:\\Holidays\\Rome\\b.jpg", u"C:\\Holidays\\Rome\\c.jpg",
        u"C:\\x.txt"}, 1, 1, 1, false},
      {"only the folder's own files", {u"C:\\Holidays"}, {.recursive = false},
       {u"C:\\Holidays\\a.jpg"}, 1, 0, 0, false},
      {"a dropped path over 260", {longPath, u"C:\\x.txt"}, {}, {u"C:\\x.txt"}, 1, 0, 0, false},
      {"over the limit", {u"C:\\Holidays"}, {.limit = 2}, {}, 0, 0, 0, true},
      {"at the limit", {u"C:\\Holidays\\Rome"}, {.limit = 2},
       {u"C:\\Holidays\\Rome\\b.jpg", u"C:\\Holidays\\Rome\\c.jpg"}, 0, 0, 0, false},
  };
  for (const Case& c : cases) {
    FakeFolders fs;
    const GatheredFiles found = GatherFiles(c.dropped, fs, c.options);
    EXPECT_EQ(found.files, c.files) << c.name;
    EXPECT_EQ(found.tooLong, c.tooLong) << c.name;
    EXPECT_EQ(found.unreadableFolders, c.unreadable) << c.name;
    EXPECT_EQ(found.missing, c.missing) << c.name;
    EXPECT_EQ(found.tooMany, c.tooMany) << c.name;
  }
  FakeFolders fs;
  EXPECT_EQ(GatherFiles({u"C:\\Holidays\\Rome", u"C:\\Holidays"}, fs).firstFolder, u"Rome");
}

TEST(FileGathering, SplitsThePickersResultIntoFullPaths) {
  using namespace std::string_view_literals;
  EXPECT_EQ(SplitPickedFiles(u"C:\\docs\\a.txt\0\0"sv), (Paths{u"C:\\docs\\a.txt"}));
  EXPECT_EQ(SplitPickedFiles(u"C:\\docs\0a.txt\0b c.txt\0\0"sv),
            (Paths{u"C:\\docs\\a.txt", u"C:\\docs\\b c.txt"}));
  EXPECT_EQ(SplitPickedFiles(u"C:\\\0a.txt\0b.txt\0\0"sv), (Paths{u"C:\\a.txt", u"C:\\b.txt"}));
  EXPECT_EQ(SplitPickedFiles(u"\0\0"sv), Paths{});
}

TEST(TextFill, FillsEveryBlankOnceAndKeepsTheRest) {
  EXPECT_EQ(FillIn(u"Added {added} files; {already} were", {{u"{added}", NumberText(21)},
                                                             {u"{already}", NumberText(0)}}),
            u"Added 21 files; 0 were");
  EXPECT_EQ(FillIn(u"{n} and {n}", {{u"{n}", u"{n}{n}"}}), u"{n}{n} and {n}{n}");
  EXPECT_EQ(FillIn(u"{folder}", {{u"{count}", u"3"}}), u"{folder}");
  EXPECT_EQ(NumberText(10000), u"10000");
}

}  // namespace
}  // namespace quillon
