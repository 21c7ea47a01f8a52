#include "catalogue/tag_search.h"

#include <gtest/gtest.h>

#include "base/text_convert.h"
#include "catalogue_fixture.h"

namespace quillon {
namespace {

class TagSearchTest : public testing::CatalogueTest {
 protected:
  std::vector<std::u16string> Search(std::u16string_view text) {
    SearchByTags(db_, table_, text);
    std::vector<std::u16string> paths;
    for (std::uint32_t i = 0; i < table_.Count(); ++i) {
      paths.push_back(table_.GetFile(static_cast<std::int32_t>(i)).FullPath());
    }
    return paths;
  }
  // A file row with a chosen ID and its tag rows, as a long-used catalogue may hold.
  void AddFileWithId(std::int32_t id, const std::u16string& name,
                     const std::vector<std::u16string>& tags) {
    Run(u"INSERT INTO db_filetags(ID, FileName, Path, Tags, Comment) VALUES(" + SqlInteger(id) +
        u", '" + name + u"', 'C:\\ids', '', '')");
    for (const auto& tag : tags) {
      Run(u"INSERT INTO db_taglist(FileID, Tag) VALUES(" + SqlInteger(id) + u", '" + tag + u"')");
    }
  }

  FileTable table_;
};

using Paths = std::vector<std::u16string>;

TEST_F(TagSearchTest, TextsWithoutAUnitFindNothing) {
  AddFile(u"C:\\a\\x.txt", u"a;");
  EXPECT_TRUE(Search(u"").empty());
  EXPECT_TRUE(Search(u"a").empty());  // a tag typed without normalising
  EXPECT_EQ(Search(u"a;b"), Paths{u"C:\\a\\x.txt"});  // text after the last ";" is ignored
}

TEST_F(TagSearchTest, EachFileOnceAtThePlaceOfTheFirstTagThatFoundIt) {
  AddFile(u"C:\\s\\both.txt", u"a;b;");
  AddFile(u"C:\\s\\x.txt", u"a;");
  AddFile(u"C:\\s\\y.txt", u"b;");
  EXPECT_EQ(Search(u"a;b;"), (Paths{u"C:\\s\\both.txt", u"C:\\s\\x.txt", u"C:\\s\\y.txt"}));
  EXPECT_EQ(Search(u"b;a;"), (Paths{u"C:\\s\\both.txt", u"C:\\s\\y.txt", u"C:\\s\\x.txt"}));
}

TEST_F(TagSearchTest, RecordsCarryTheStoredValues) {
  const std::int32_t id = AddFile(u"C:\\s\\x.txt", u"a;b;", u"notes");
  SearchByTags(db_, table_, u"b;");
  ASSERT_EQ(table_.Count(), 1u);
  const FileRecord record = table_.GetFile(0);
  EXPECT_EQ(record.ID, id);
  EXPECT_EQ(record.Path, u"C:\\s");
  EXPECT_EQ(record.FileName, u"x.txt");
  EXPECT_EQ(record.Tags, u"a;b;");  // the whole tag text, not the tag that matched
  EXPECT_EQ(record.Comment, u"notes");
  EXPECT_EQ(record.deleted, 0);
}

TEST_F(TagSearchTest, WildcardListsEveryFileThatHasATag) {
  AddFile(u"C:\\w\\one.txt", u"a;");
  AddFile(u"C:\\w\\none.txt", u"");
  AddFile(u"C:\\w\\two.txt", u"b;c;");
  EXPECT_EQ(Search(u"*;"), (Paths{u"C:\\w\\one.txt", u"C:\\w\\two.txt"}));
  // "*" matches only as a whole tag.
  EXPECT_TRUE(Search(u"*a;").empty());
}

TEST_F(TagSearchTest, UnknownTagContributesNothingAndTheNextTagsStillCount) {
  AddFile(u"C:\\u\\x.txt", u"a;");
  EXPECT_EQ(Search(u"nothing;a;"), Paths{u"C:\\u\\x.txt"});
}

TEST_F(TagSearchTest, TagsMatchWholeAndWithoutRegardToAsciiCase) {
  AddFile(u"C:\\c\\x.txt", u"Photo;");
  EXPECT_EQ(Search(u"photo;"), Paths{u"C:\\c\\x.txt"});
  EXPECT_TRUE(Search(u"phot;").empty());
  EXPECT_TRUE(Search(u"photos;").empty());
}

TEST_F(TagSearchTest, ANewSearchHidesTheRecordsOfAnEarlierOne) {
  for (int i = 0; i < 5; ++i) {
    AddFile(u"C:\\n\\f" + SqlInteger(i) + u".txt", i < 3 ? u"few;many;" : u"many;");
  }
  EXPECT_EQ(Search(u"many;").size(), 5u);
  EXPECT_EQ(Search(u"few;").size(), 3u);
  EXPECT_EQ(table_.IndexOfPath(u"C:\\n\\f3.txt"), -1);
  EXPECT_EQ(table_.IndexOfPath(u"C:\\n\\f4.txt"), -1);
}

TEST_F(TagSearchTest, HighIdsAreToldApartAndListedOnce) {
  // 20000 and 30000 share their last four digits, 9999 and 10000 sit on either side of 10000.
  AddFileWithId(9999, u"low.txt", {u"a"});
  AddFileWithId(10000, u"edge.txt", {u"a", u"b"});
  AddFileWithId(20000, u"twenty.txt", {u"a", u"b"});
  AddFileWithId(30000, u"thirty.txt", {u"b"});
  EXPECT_EQ(Search(u"a;b;"), (Paths{u"C:\\ids\\low.txt", u"C:\\ids\\edge.txt",
                                    u"C:\\ids\\twenty.txt", u"C:\\ids\\thirty.txt"}));
  EXPECT_EQ(Search(u"*;").size(), 4u);
}

TEST_F(TagSearchTest, FilesComeInTheOrderOfTheirTagRowsAndRepeatedTagsAddNothing) {
  // Tag rows in another order than the files' IDs, as a long-edited catalogue may hold them:
  // a search led by the file table would list these by ID.
  for (const std::int32_t id : {1, 2, 3}) AddFileWithId(id, SqlInteger(id), {});
  Run(u"INSERT INTO db_taglist(FileID, Tag) VALUES(3, 'a'), (1, 'b'), (1, 'A'), (3, 'a'), "
      u"(2, 'a'), (2, 'c')");
  const Paths threeOneTwo{u"C:\\ids\\3", u"C:\\ids\\1", u"C:\\ids\\2"};
  const Paths byId{u"C:\\ids\\1", u"C:\\ids\\2", u"C:\\ids\\3"};
  const std::pair<const char16_t*, Paths> cases[] = {
      {u"a;", threeOneTwo}, {u"a;A;a;b;", threeOneTwo},
      {u"b;a;", {u"C:\\ids\\1", u"C:\\ids\\3", u"C:\\ids\\2"}},
      {u"*;", byId}, {u"*;*;a;*;", byId},
      {u"c;*;a;", {u"C:\\ids\\2", u"C:\\ids\\1", u"C:\\ids\\3"}}};
  for (const auto& [text, expected] : cases) EXPECT_EQ(Search(text), expected) << ToUtf8(text);
}

TEST_F(TagSearchTest, TagRowsOfVanishedFilesAreSkipped) {
  AddFile(u"C:\\o\\real.txt", u"a;");
  Run(u"INSERT INTO db_taglist(FileID, Tag) VALUES(777, 'a')");
  EXPECT_EQ(Search(u"a;"), Paths{u"C:\\o\\real.txt"});
  EXPECT_EQ(Search(u"*;"), Paths{u"C:\\o\\real.txt"});
  EXPECT_TRUE(reporter_.databaseErrors.empty());
  EXPECT_TRUE(reporter_.readErrors.empty());
}

TEST_F(TagSearchTest, NullTextsOfAFileReadAsEmpty) {
  Run(u"INSERT INTO db_filetags(ID, FileName, Path, Tags, Comment) VALUES(5, 'n.txt', 'C:', "
      u"NULL, NULL)");
  Run(u"INSERT INTO db_taglist(FileID, Tag) VALUES(5, 'n')");
  SearchByTags(db_, table_, u"n;");
  ASSERT_EQ(table_.Count(), 1u);
  EXPECT_EQ(table_.GetFile(0).Tags, u"");
  EXPECT_EQ(table_.GetFile(0).Comment, u"");
  EXPECT_EQ(reporter_.readErrors.size(), 1u);  // two nulls, one report
}

TEST_F(TagSearchTest, TheTableReceivesAtMostItsCapacity) {
  Run(u"INSERT INTO db_filetags(FileName, Path, Tags, Comment) WITH RECURSIVE n(i) AS (SELECT 1 "
      u"UNION ALL SELECT i + 1 FROM n WHERE i < 10003) SELECT 'f' || i || '.txt', 'C:\\bulk', "
      u"'bulk;', '' FROM n");
  Run(u"INSERT INTO db_taglist(FileID, Tag) SELECT ID, 'bulk' FROM db_filetags ORDER BY ID");
  AddFile(u"C:\\later\\extra.txt", u"extra;");
  const Paths found = Search(u"bulk;extra;");
  EXPECT_EQ(found.size(), kTableCapacity);
  EXPECT_EQ(found.back(), u"C:\\bulk\\f10000.txt");
  // The files it cannot hold are counted, not hidden; with room for all, the count is exact.
  EXPECT_EQ(SearchByTags(db_, table_, u"bulk;extra;"), 10004u);
  EXPECT_EQ(SearchByTags(db_, table_, u"extra;"), 1u);

  // Without the table's limit every match reaches the caller, the newest file included.
  Paths every;
  EXPECT_EQ(SearchFiles(db_, u"bulk;extra;", [&every](const FileRecord& file) {
              every.push_back(file.FullPath());
              return true;
            }),
            10004u);
  ASSERT_EQ(every.size(), 10004u);
  EXPECT_EQ(every.back(), u"C:\\later\\extra.txt");
}

TEST_F(TagSearchTest, DamagedTagRowsArePassedOverAndHideNoOtherFile) {
  // Rows before every real one, as a repair tool or an old version may leave them.
  Run(u"INSERT INTO db_taglist(FileID, Tag) VALUES(NULL, 'a')");
  Run(u"INSERT INTO db_taglist(FileID, Tag) VALUES(0, 'a')");
  Run(u"INSERT INTO db_taglist(FileID, Tag) VALUES(-3, 'a')");
  Run(u"INSERT INTO db_taglist(FileID, Tag) VALUES('junk', 'a')");
  AddFile(u"C:\\d\\one.txt", u"a;");
  AddFile(u"C:\\d\\two.txt", u"b;");
  EXPECT_EQ(Search(u"*;"), (Paths{u"C:\\d\\one.txt", u"C:\\d\\two.txt"}));
  EXPECT_EQ(Search(u"a;b;"), (Paths{u"C:\\d\\one.txt", u"C:\\d\\two.txt"}));
}

TEST_F(TagSearchTest, MissingColumnsAreReportedOncePerSearchNotPerField) {
  for (int i = 0; i < 30; ++i) AddFile(u"C:\\m\\f" + SqlInteger(i) + u".txt", u"a;");
  Run(u"ALTER TABLE db_filetags DROP COLUMN Tags");
  Run(u"ALTER TABLE db_filetags DROP COLUMN Comment");
  EXPECT_EQ(Search(u"*;").size(), 30u);
  ASSERT_EQ(reporter_.readErrors.size(), 1u);
  EXPECT_NE(reporter_.readErrors[0].find(u"Tags"), std::u16string::npos);
  EXPECT_EQ(Search(u"a;").size(), 30u);  // the next search may tell again
  EXPECT_EQ(reporter_.readErrors.size(), 2u);
}

TEST_F(TagSearchTest, AFailingTagQueryIsReportedAndTheOthersStillRun) {
  AddFile(u"C:\\f\\x.txt", u"a;");
  Run(u"ALTER TABLE db_taglist RENAME COLUMN Tag TO Label");
  EXPECT_TRUE(Search(u"a;").empty());
  EXPECT_EQ(reporter_.databaseErrors.size(), 1u);
  EXPECT_EQ(Search(u"*;"), Paths{u"C:\\f\\x.txt"});  // needs no Tag column
}

}  // namespace
}  // namespace quillon
