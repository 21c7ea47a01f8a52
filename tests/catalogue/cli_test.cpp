// quillon-catalogue run as its users run it: the built program in its own process.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <sqlite3.h>

#include "base/text_convert.h"
#include "catalogue/tag_database.h"
#include "catalogue/tag_search.h"
#include "catalogue_fixture.h"
#include "resources/user_texts.h"
#include "run_program.h"

namespace quillon {
namespace {

using testing::CataloguedPath;
using testing::ProgramRun;
using testing::TempFolder;

class CatalogueCliTest : public ::testing::Test {
 protected:
  CatalogueCliTest() : dir_(Native(folder_.Path() / "catalogue")) {}

  static std::u16string Native(const std::filesystem::path& path) { return path.u16string(); }

  ProgramRun Cli(const std::vector<std::u16string>& args) {
    return testing::RunProgram(QUILLON_CLI_PROGRAM, args, folder_.Path());
  }

  std::filesystem::path MakeFile(const std::filesystem::path& name) {
    const auto file = folder_.Path() / name;
    std::ofstream(file) << "content";
    return file;
  }

  std::filesystem::path Catalogue() const { return folder_.Path() / "catalogue" / "data.dat"; }

  TempFolder folder_;
  std::u16string dir_;
};

TEST_F(CatalogueCliTest, InitMakesTheFolderAndAnEmptyCatalogueOnce) {
  const ProgramRun init = Cli({u"init", dir_});
  ASSERT_EQ(init.exitCode, 0) << init.err;
  EXPECT_TRUE(std::filesystem::exists(Catalogue()));
  EXPECT_NE(init.out.find("data.dat"), std::string::npos);

  const ProgramRun folders = Cli({u"folders", dir_});
  ASSERT_EQ(folders.exitCode, 0) << folders.err;
  EXPECT_EQ(folders.out, "1\t0\tAll Files\t*;\n");
  EXPECT_EQ(Cli({u"search", dir_, u"*"}).out, "");

  // A second init refuses and leaves the catalogue as it was.
  const auto file = MakeFile("a.txt");
  ASSERT_EQ(Cli({u"add", dir_, Native(file), u"t"}).exitCode, 0);
  const ProgramRun again = Cli({u"init", dir_});
  EXPECT_EQ(again.exitCode, 1);
  EXPECT_NE(again.err.find("exists"), std::string::npos);
  EXPECT_EQ(Cli({u"search", dir_, u"t"}).out, CataloguedPath(file) + "\n");
}

TEST_F(CatalogueCliTest, AddTakesSeveralPathsAndFoldersAllOrNone) {
  ASSERT_EQ(Cli({u"init", dir_}).exitCode, 0);
  std::filesystem::create_directories(folder_.Path() / "pics" / "sub");
  const std::filesystem::path pics = "pics";
  const auto a = MakeFile(pics / "a.jpg");
  const auto b = MakeFile(pics / "sub" / "b.jpg");
  MakeFile(pics / ".hidden.jpg");
  const auto c = MakeFile("c.txt");
  ASSERT_EQ(Cli({u"add", dir_, Native(c), u"t"}).exitCode, 0);
  struct Case { std::vector<std::u16string> args; int exitCode; std::string out; };
  const Case cases[] = {
      // A missing path refuses the whole command.
      {{Native(folder_.Path() / "pics"), Native(folder_.Path() / "gone.txt"), u"t"}, 1, ""},
      {{Native(folder_.Path() / "pics"), Native(c), u"t"}, 0,
       "Added 1 files; 1 were already in Quillon and were left as they were.\n"},
      {{Native(folder_.Path() / "pics"), u"t", u"--recursive"}, 0,
       "Added 1 files; 1 were already in Quillon and were left as they were.\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::u16string> args{u"add", dir_};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const ProgramRun add = Cli(args);
    EXPECT_EQ(add.exitCode, c.exitCode) << add.err;
    EXPECT_EQ(add.out, c.out);
  }
  // The hidden file was left out.
  std::vector<std::string> expected, listed;
  for (const auto& file : {a, b, c}) expected.push_back(CataloguedPath(file));
  std::istringstream out(Cli({u"search", dir_, u"t"}).out);
  for (std::string line; std::getline(out, line);) listed.push_back(line);
  std::sort(expected.begin(), expected.end());
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, expected);
}

TEST_F(CatalogueCliTest, AddedFilesAreFoundByTheirTagsInOrder) {
  ASSERT_EQ(Cli({u"init", dir_}).exitCode, 0);
  const auto first = MakeFile("first.txt");
  const auto second = MakeFile("second file.txt");
  const ProgramRun add = Cli({u"add", dir_, Native(first), u"work  draft;"});
  ASSERT_EQ(add.exitCode, 0) << add.err;
  EXPECT_EQ(add.out, CataloguedPath(first) + "\n");
  ASSERT_EQ(Cli({u"add", dir_, Native(second), u"draft", u"--comment", u"it's \"quoted\""}).exitCode,
            0);

  EXPECT_EQ(Cli({u"search", dir_, u"draft"}).out,
            CataloguedPath(first) + "\n" + CataloguedPath(second) + "\n");
  EXPECT_EQ(Cli({u"search", dir_, u"nothing WORK"}).out, CataloguedPath(first) + "\n");
  EXPECT_EQ(Cli({u"search", dir_, u"*;"}).out,
            CataloguedPath(first) + "\n" + CataloguedPath(second) + "\n");
  // A path is catalogued in its full, plain form.
  std::filesystem::create_directory(folder_.Path() / "sub");
  const auto third = MakeFile("third.txt");
  const ProgramRun roundabout =
      Cli({u"add", dir_, Native(folder_.Path() / "sub" / ".." / "third.txt"), u"other"});
  EXPECT_EQ(roundabout.out, CataloguedPath(third) + "\n");

  // The program itself reads back what the command line stored.
  TagDatabase db;
  ASSERT_EQ(db.Open(Catalogue().u16string()), 1);
  FileTable table;
  SearchByTags(db, table, u"draft;");
  ASSERT_EQ(table.Count(), 2u);
  EXPECT_EQ(table.GetFile(0).Tags, u"work;draft;");
  EXPECT_EQ(table.GetFile(1).Comment, u"it's \"quoted\"");
  EXPECT_EQ(ToUtf8(table.GetFile(1).FullPath()), CataloguedPath(second));
}

TEST_F(CatalogueCliTest, TextsTravelAsUtf8) {
  ASSERT_EQ(Cli({u"init", dir_}).exitCode, 0);
  const auto file = MakeFile(u"\u00e9t\u00e9 \u65e5\u672c.txt");
  ASSERT_EQ(Cli({u"add", dir_, Native(file), u"f\u00eate"}).exitCode, 0);
  const ProgramRun search = Cli({u"search", dir_, u"f\u00eate"});
  EXPECT_EQ(search.out, CataloguedPath(file) + "\n");
  EXPECT_NE(search.out.find("\xc3\xa9t\xc3\xa9 \xe6\x97\xa5\xe6\x9c\xac.txt"), std::string::npos);
  ASSERT_EQ(Cli({u"folder", dir_, u"  F\u00eates ", u"f\u00eate"}).exitCode, 0);
  EXPECT_NE(Cli({u"folders", dir_}).out.find("\t1\tF\xc3\xaates\tf\xc3\xaate;\n"), std::string::npos);
}

TEST_F(CatalogueCliTest, RefusesACataloguedOrMissingFileWithTheProgramsTexts) {
  ASSERT_EQ(Cli({u"init", dir_}).exitCode, 0);
  const auto file = MakeFile("dup.txt");
  ASSERT_EQ(Cli({u"add", dir_, Native(file), u"a"}).exitCode, 0);
  const ProgramRun twice = Cli({u"add", dir_, Native(file), u"b"});
  EXPECT_EQ(twice.exitCode, 1);
  EXPECT_EQ(twice.err, "The file has been existed.\n");

  const std::u16string missing = Native(folder_.Path() / "gone.txt");
  const ProgramRun absent = Cli({u"add", dir_, missing, u"a"});
  EXPECT_EQ(absent.exitCode, 1);
  EXPECT_EQ(absent.err,
            "" TEXT_FILE_MISSING + ToUtf8(missing) +
                "\n");

  const ProgramRun untagged = Cli({u"add", dir_, Native(MakeFile("b.txt")), u" ; ;"});
  EXPECT_EQ(untagged.exitCode, 2);
  EXPECT_EQ(untagged.err, "You need to add at least 1 tag.\n");
  EXPECT_EQ(Cli({u"search", dir_, u"*"}).out, CataloguedPath(file) + "\n");
}

TEST_F(CatalogueCliTest, AMissingCatalogueIsAClearFailure) {
  for (const auto& command : {u"search", u"folders", u"add"}) {
    std::vector<std::u16string> args{command, dir_};
    if (command == std::u16string(u"search")) args.push_back(u"x");
    if (command == std::u16string(u"add")) args.insert(args.end(), {Native(MakeFile("f.txt")), u"x"});
    const ProgramRun run = Cli(args);
    EXPECT_EQ(run.exitCode, 1) << ToUtf8(command);
    EXPECT_NE(run.err.find("Cannot open the catalogue"), std::string::npos) << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(Catalogue()));  // nothing made on the way
}

TEST_F(CatalogueCliTest, BadArgumentsShowTheUsage) {
  const std::vector<std::vector<std::u16string>> bad = {
      {}, {u"frobnicate", dir_}, {u"init"}, {u"init", dir_, u"extra"},
      {u"search", dir_}, {u"add", dir_, u"x", u"t", u"--comment"}, {u"search", dir_, u"t", u"--fast"},
      {u"folder", dir_, u"   ", u"t"}};
  for (const auto& args : bad) {
    const ProgramRun run = Cli(args);
    EXPECT_EQ(run.exitCode, 2) << (args.empty() ? "" : ToUtf8(args[0]));
    EXPECT_FALSE(run.err.empty());
  }
  const ProgramRun help = Cli({u"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("quillon-catalogue add DIR PATH TAGS [--comment TEXT]"), std::string::npos);
}

TEST_F(CatalogueCliTest, AFailedStatementGivesTheEnginesTextAndAFailure) {
  ASSERT_EQ(Cli({u"init", dir_}).exitCode, 0);
  {
    TagDatabase db;
    ASSERT_EQ(db.Open(Catalogue().u16string()), 1);
    ASSERT_EQ(db.Execute(u"CREATE TRIGGER refuse BEFORE INSERT ON db_filetags BEGIN "
                         u"SELECT RAISE(ABORT, 'catalogue is frozen'); END"),
              1);
  }
  const ProgramRun add = Cli({u"add", dir_, Native(MakeFile("c.txt")), u"t"});
  EXPECT_EQ(add.exitCode, 1);
  EXPECT_NE(add.err.find("catalogue is frozen"), std::string::npos) << add.err;
  EXPECT_EQ(add.out, "");
}

TEST_F(CatalogueCliTest, FolderAddsAVirtualFolderUnderTheRoot) {
  ASSERT_EQ(Cli({u"init", dir_}).exitCode, 0);
  const ProgramRun folder = Cli({u"folder", dir_, u"Holiday", u"trip photo"});
  ASSERT_EQ(folder.exitCode, 0) << folder.err;
  EXPECT_EQ(folder.out, "2\n");
  EXPECT_EQ(Cli({u"folders", dir_}).out, "1\t0\tAll Files\t*;\n2\t1\tHoliday\ttrip;photo;\n");
  EXPECT_EQ(Cli({u"folder", dir_, u"Empty", u";"}).exitCode, 2);
}

TEST_F(CatalogueCliTest, SearchPrintsEveryMatchBeyondTheListsLimit) {
  ASSERT_EQ(Cli({u"init", dir_}).exitCode, 0);
  {
    TagDatabase db;
    ASSERT_EQ(db.Open(Catalogue().u16string()), 1);
    DatabaseBatch batch(db, DatabaseBatch::Kind::kWrite);
    ASSERT_EQ(db.Execute(u"INSERT INTO db_filetags(FileName, Path, Tags, Comment) WITH RECURSIVE "
                         u"n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10002) "
                         u"SELECT 'f' || i || '.txt', 'C:\\bulk', 'bulk;', '' FROM n"),
              1);
    ASSERT_EQ(db.Execute(u"INSERT INTO db_taglist(FileID, Tag) SELECT ID, 'bulk' FROM db_filetags"),
              1);
    ASSERT_TRUE(batch.Commit());
  }
  const ProgramRun search = Cli({u"search", dir_, u"bulk"});
  ASSERT_EQ(search.exitCode, 0) << search.err;
  EXPECT_EQ(std::count(search.out.begin(), search.out.end(), '\n'), 10002);
  EXPECT_NE(search.out.find("C:\\bulk\\f10002.txt\n"), std::string::npos);
}

// Another program (here: this test) holding the catalogue while the command runs.
class Holder {
 public:
  Holder(const std::filesystem::path& file, const char* begin) {
    sqlite3_open(ToUtf8(file.u16string()).c_str(), &db_);
    held_ = sqlite3_exec(db_, begin, nullptr, nullptr, nullptr) == SQLITE_OK;
  }
  ~Holder() { sqlite3_close(db_); }
  bool Held() const { return held_; }

 private:
  sqlite3* db_ = nullptr;
  bool held_ = false;
};

TEST_F(CatalogueCliTest, ACatalogueHeldByAnotherProgramIsSaidToBeInUse) {
  ASSERT_EQ(Cli({u"init", dir_}).exitCode, 0);
  const auto file = MakeFile("held.txt");
  {
    Holder writing(Catalogue(), "BEGIN IMMEDIATE");
    ASSERT_TRUE(writing.Held());
    const ProgramRun add = Cli({u"add", dir_, Native(file), u"t"});
    EXPECT_EQ(add.exitCode, 1);
    const auto first = add.err.find(TEXT_CATALOGUE_IN_USE);
    ASSERT_NE(first, std::string::npos) << add.err;
    EXPECT_EQ(add.err.find(TEXT_CATALOGUE_IN_USE, first + 1), std::string::npos) << add.err;
  }
  {
    Holder everything(Catalogue(), "BEGIN EXCLUSIVE");
    ASSERT_TRUE(everything.Held());
    const ProgramRun search = Cli({u"search", dir_, u"*"});
    EXPECT_EQ(search.exitCode, 1);
    EXPECT_NE(search.err.find(TEXT_CATALOGUE_IN_USE), std::string::npos) << search.err;
  }
  EXPECT_EQ(Cli({u"search", dir_, u"*"}).out, "");  // the refused add left nothing
  EXPECT_EQ(Cli({u"add", dir_, Native(file), u"t"}).exitCode, 0);
}

TEST_F(CatalogueCliTest, AddRefusesDeviceNamesInAnyCaseWithOrWithoutExtension) {
  ASSERT_EQ(Cli({u"init", dir_}).exitCode, 0);
  const std::pair<const char*, int> kNames[] = {
      {"CON", 1},        {"nul.txt", 1},   {"com1.log", 1}, {"aux.gif", 1}, {"lpt1.tga", 1},
      {"Prn.tar.gz", 1}, {"con .txt", 1},  {"CONSOLE.txt", 0}, {"com10.log", 0}, {"lpt0.tga", 0}};
  for (const auto& [name, code] : kNames) {
    if (code == 0) MakeFile(name);  // a device name is refused before it is looked for
    const ProgramRun add = Cli({u"add", dir_, Native(folder_.Path() / name), u"t"});
    EXPECT_EQ(add.exitCode, code) << name << ": " << add.err;
    EXPECT_EQ(add.err.find("reserved for a device") != std::string::npos, code == 1) << name;
  }
}

#ifndef _WIN32
TEST_F(CatalogueCliTest, AddRefusesNamesWindowsCannotOpen) {
  ASSERT_EQ(Cli({u"init", dir_}).exitCode, 0);
  for (const char* name : {"back\\slash.txt", "a<b.txt", "what?.txt", "pipe|.txt", "colon:.txt",
                           "star*.txt", "quote\".txt", "bell\a.txt", "ends in dot.",
                           "ends in blank "}) {
    const auto file = MakeFile(name);
    const ProgramRun add = Cli({u"add", dir_, Native(file), u"t"});
    EXPECT_EQ(add.exitCode, 1) << name;
    EXPECT_NE(add.err.find("Cannot catalogue"), std::string::npos) << name << ": " << add.err;
  }
  // A folder of such a name refuses its files too.
  std::filesystem::create_directory(folder_.Path() / "odd?");
  EXPECT_EQ(Cli({u"add", dir_, Native(MakeFile("odd?/inside.txt")), u"t"}).exitCode, 1);

  // A name that is not UTF-8 has no Windows spelling at all.
  const auto latin1 = MakeFile("caf\xe9.txt");
  const std::string program = QUILLON_CLI_PROGRAM;
  const std::string command = "'" + program + "' add '" + ToUtf8(dir_) + "' '" + latin1.string() +
                              "' t 2>/dev/null";
  EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 2);
  EXPECT_EQ(Cli({u"search", dir_, u"*"}).out, "");
}
#endif

}  // namespace
}  // namespace quillon
