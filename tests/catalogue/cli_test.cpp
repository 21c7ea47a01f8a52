// quillon-catalogue run as its users run it: the built program in its own process.
#include <gtest/gtest.h>

#include <fstream>

#include "catalogue/tag_database.h"
#include "catalogue/tag_search.h"
#include "base/text_convert.h"
#include "catalogue_fixture.h"
#include "run_program.h"

namespace quillon {
namespace {

using testing::ProgramRun;
using testing::TempFolder;

class CatalogueCliTest : public ::testing::Test {
 protected:
  CatalogueCliTest() : dir_(Native(folder_.Path() / "catalogue")) {}

  static std::u16string Native(const std::filesystem::path& path) { return path.u16string(); }

  // The full path under which the program catalogues a file: Windows' own path, or on Linux
  // the path as Wine shows it.
  static std::string CataloguedPath(const std::filesystem::path& file) {
#ifdef _WIN32
    return ToUtf8(file.u16string());
#else
    std::string path = "Z:" + file.string();
    for (char& c : path) {
      if (c == '/') c = '\\';
    }
    return path;
#endif
  }

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
            "Cannot open the file. Maybe the file is not exist now. \nFile Path: " + ToUtf8(missing) +
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

}  // namespace
}  // namespace quillon
