#include "files/file_rules.h"

#include <gtest/gtest.h>

#include <limits>

namespace quillon {
namespace {

FileRecord File(std::u16string path, std::u16string name, std::u16string tags = u"") {
  FileRecord record;
  record.Path = std::move(path);
  record.FileName = std::move(name);
  record.Tags = std::move(tags);
  return record;
}

TEST(FileListSortTest, HeaderClicksFlipEachColumnsOwnDirection) {
  FileListSort sort;
  sort.Reset();
  EXPECT_EQ(sort.Column(), 0);
  EXPECT_EQ(sort.Order(-3), -1);  // ascending: the comparison stands

  sort.ClickColumn(1);  // "Tags" once: descending
  EXPECT_EQ(sort.Column(), 1);
  EXPECT_FALSE(sort.Ascending(1));
  EXPECT_EQ(sort.Order(-3), 1);
  EXPECT_EQ(sort.Order(0), 0);

  sort.ClickColumn(1);  // twice: ascending again
  EXPECT_TRUE(sort.Ascending(1));
  EXPECT_EQ(sort.Order(7), 1);

  sort.ClickColumn(2);  // "Path": descending, and "Tags" keeps its own direction
  EXPECT_EQ(sort.Column(), 2);
  EXPECT_FALSE(sort.Ascending(2));
  EXPECT_TRUE(sort.Ascending(1));
  EXPECT_EQ(sort.Order(7), -1);

  sort.ClickColumn(3);  // no such column
  sort.ClickColumn(-1);
  EXPECT_EQ(sort.Column(), 2);

  sort.Reset();
  EXPECT_EQ(sort.Column(), 0);
  EXPECT_TRUE(sort.Ascending(2));
}

TEST(FileListSortTest, ExtremeComparisonsKeepTheirSign) {
  FileListSort sort;
  sort.ClickColumn(0);
  EXPECT_EQ(sort.Order(std::numeric_limits<int>::min()), 1);
  EXPECT_EQ(sort.Order(std::numeric_limits<int>::max()), -1);
}

TEST(JoinFullPathsTest, PathsAreJoinedBySemicolonAndBlankWithNothingAfterTheLast) {
  EXPECT_EQ(JoinFullPaths({File(u"C:\\a", u"1.txt"), File(u"D:", u"2.txt"),
                           File(u"C:\\b c", u"3;x.txt")}),
            u"C:\\a\\1.txt; D:\\2.txt; C:\\b c\\3;x.txt");
  EXPECT_EQ(JoinFullPaths({File(u"C:\\a", u"only.txt")}), u"C:\\a\\only.txt");
  EXPECT_EQ(JoinFullPaths({}), u"");
}

TEST(SameTagsTextTest, TagsAreMergedInOrderWithoutRepeats) {
  EXPECT_EQ(SameTagsText({File(u"C:", u"a", u"a;b;"), File(u"C:", u"b", u"b;c;")}), u"a;b;c;");
  EXPECT_EQ(SameTagsText({File(u"C:", u"a", u"x;x;"), File(u"C:", u"b", u"y;")}), u"x;y;");
  // A record found by no row (empty strings) adds nothing; no records give the empty text.
  EXPECT_EQ(SameTagsText({File(u"", u""), File(u"C:", u"b", u"b;")}), u"b;");
  EXPECT_EQ(SameTagsText({}), u"");
}

TEST(OpenWithParametersTest, TheChooserGetsThePathAfterItsEntryPoint) {
  EXPECT_EQ(OpenWithParameters(u"C:\\My Files\\a.xyz"),
            u"shell32.dll, OpenAs_RunDLL C:\\My Files\\a.xyz");
}

TEST(FileTypeKeyTest, NamesWithTheSameExtensionShareAKey) {
  EXPECT_EQ(FileTypeKey(u"Report.DOCX"), u"docx");
  EXPECT_EQ(FileTypeKey(u"notes.txt"), FileTypeKey(u"OTHER.TxT"));
  EXPECT_EQ(FileTypeKey(u"archive.tar.gz"), u"gz");
  EXPECT_EQ(FileTypeKey(u"README"), u"");
  EXPECT_EQ(FileTypeKey(u"trailing."), u"");
  EXPECT_EQ(FileTypeKey(u".profile"), u"profile");
  EXPECT_EQ(FileTypeKey(u"photo.\u00C9X"), u"\u00C9x");  // only A to Z are folded
  EXPECT_NE(FileTypeKey(u"a.txt"), FileTypeKey(u"a.txt2"));
}

TEST(HasOwnIconTest, ProgramsIconsAndShortcutsOnly) {
  for (const char16_t* own : {u"exe", u"ico", u"lnk", u"cur", u"url"}) EXPECT_TRUE(HasOwnIcon(own));
  for (const char16_t* typed : {u"txt", u"", u"exe2", u"png", u"dll"}) EXPECT_FALSE(HasOwnIcon(typed));
  EXPECT_TRUE(HasOwnIcon(FileTypeKey(u"Setup.EXE")));
}

}  // namespace
}  // namespace quillon
