// quillon-catalogue check and repair on real files, run as a separate process.
#include <gtest/gtest.h>

#include <fstream>

#include "catalogue_fixture.h"
#include "run_program.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;
using testing::ProgramRun;
using testing::CataloguedPath;

class RelocateCliTest : public ::testing::Test {
 protected:
  RelocateCliTest() : dir_((folder_.Path() / "catalogue").u16string()) {
    fs::create_directories(folder_.Path() / "docs");
    fs::create_directories(folder_.Path() / "far" / "away");
    EXPECT_EQ(Cli({u"init", dir_}).exitCode, 0);
    for (const char* name : {"a.txt", "b.txt"}) {
      std::ofstream(Docs(name)) << "content of " << name;
      EXPECT_EQ(Cli({u"add", dir_, Docs(name).u16string(), u"t"}).exitCode, 0);
    }
  }

  fs::path Docs(const char* name) const { return folder_.Path() / "docs" / name; }
  fs::path Far(const char* name) const { return folder_.Path() / "far" / "away" / name; }

  ProgramRun Cli(std::vector<std::u16string> args) {
    return testing::RunProgram(QUILLON_CLI_PROGRAM, args, folder_.Path());
  }
  std::string Listed() { return Cli({u"search", dir_, u"t"}).out; }

  testing::TempFolder folder_;
  std::u16string dir_;
};

#ifdef _WIN32
// Windows opens the file by its ID wherever it went on its volume.
TEST_F(RelocateCliTest, CheckFindsAFileMovedFarByItsId) {
  fs::rename(Docs("b.txt"), Far("renamed.txt"));
  const ProgramRun run = Cli({u"check", dir_});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "moved: " + CataloguedPath(Docs("b.txt")) + " -> " +
                         CataloguedPath(Far("renamed.txt")) + "\n");
}
#else
// Linux cannot open files by ID: a file moved far is found under a root given to repair.
TEST_F(RelocateCliTest, CheckAndRepairSayWhatMovedAndExitByWhatIsLeft) {
  const std::string a = CataloguedPath(Docs("a.txt"));
  const std::string b = CataloguedPath(Docs("b.txt"));
  const std::string renamed = CataloguedPath(Docs("renamed.txt"));
  const std::string far = CataloguedPath(Far("b.txt"));
  const std::string moved = "moved: " + a + " -> " + renamed + "\n";
  EXPECT_EQ(Cli({u"check", dir_}).exitCode, 0);

  fs::rename(Docs("a.txt"), Docs("renamed.txt"));  // found next to where it was
  fs::rename(Docs("b.txt"), Far("b.txt"));         // found only under a root given
  struct Step {
    std::vector<std::u16string> args;
    int exitCode;
    std::string out;
    bool changes;
  };
  const std::u16string root = (folder_.Path() / "far").u16string();
  const Step steps[] = {
      {{u"check", dir_}, 1, moved + "missing: " + b + "\n", false},
      {{u"repair", dir_, root, u"--dry-run"}, 0, moved + "moved: " + b + " -> " + far + "\n", false},
      {{u"repair", dir_}, 1, moved + "missing: " + b + "\n", true},
      {{u"repair", dir_, root}, 0, "moved: " + b + " -> " + far + "\n", true},
      {{u"check", dir_}, 0, "", false},
  };
  for (const Step& step : steps) {
    const std::string before = Listed();
    const ProgramRun run = Cli(step.args);
    EXPECT_EQ(run.exitCode, step.exitCode) << run.out << run.err;
    EXPECT_EQ(run.out, step.out);
    EXPECT_EQ(Listed() != before, step.changes) << run.out;
  }
  EXPECT_EQ(Listed(), renamed + "\n" + far + "\n");
}
#endif

}  // namespace
}  // namespace quillon
