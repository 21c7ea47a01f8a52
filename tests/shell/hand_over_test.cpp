// Files for the running main window: those of its own command line, and those a second start
// hands over (WM_COPYDATA), reach AddFiles after "Ready" and once no dialog is open; a
// malformed message is refused without effect.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "resources/user_texts.h"
#include "shell/model/command_line.h"
#include "tests/shell/main_window_driver.h"

namespace quillon::testing {
namespace {

using Lines = std::vector<std::u16string>;

class HandOverTest : public MainWindowTest {
 protected:
  // The first modal dialog AddFiles opens for the files (today Edit Tags, one per file), seen
  // with the status line and whether the about box was open, then cancelled.
  void Step() {
    if (CDialog* dialog = OpenDialog(IDD_EDIT_FILE)) {
      seen_.push_back(dialog->ItemText(IDC_PATH_BOX) + (OpenDialog(IDD_ABOUTBOX) ? u"!" : u""));
      statusSeen_ = Window().StatusText();
      Press(*dialog, IDCANCEL);
    }
  }
  LRESULT Send(std::uintptr_t kind, const std::u16string& payload, std::size_t bytes) {
    COPYDATASTRUCT data{kind, static_cast<DWORD>(bytes),
                        payload.empty() ? nullptr : const_cast<char16_t*>(payload.data())};
    return ::SendMessageW(Main(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
  }
  Lines seen_;
  std::u16string statusSeen_;
};

TEST_F(HandOverTest, FilesOnTheCommandLineAreAddedOnceTheCatalogueIsReady) {
  const std::u16string blanks = MakeFile(u"a b \u00c4rger \u65e5\u672c.txt");
  const std::u16string plan = MakeFile(u"plan.htm");
  WhileModal steps([this] { Step(); });
  ASSERT_TRUE(Create(u"\"C:\\Quillon\\quillon.exe\" \"" + blanks + u"\" " + plan));
  ASSERT_TRUE(PumpUntil([&] { return seen_.size() == 2; }));
  EXPECT_EQ(seen_, (Lines{blanks, plan}));
  EXPECT_EQ(statusSeen_, UserText(TEXT_READY));
  EXPECT_TRUE(Window().IsVisible());  // a file ending in "m" does not hide it
}

TEST_F(HandOverTest, OnlyWellFormedFilesAreTakenAndTheyWaitUntilTheOpenDialogIsClosed) {
  Start();
  const std::u16string good = EncodeHandOver({MakeFile(u"good.txt")}).at(0);
  const std::size_t bytes = good.size() * 2;
  const std::u16string relative(u"good.txt\0\0", 10);
  Lines answers;
  int ticks = 0;
  WhileModal steps([&] {
    Step();
    CDialog* about = OpenDialog(IDD_ABOUTBOX);
    if (!about || ++ticks < 20) return;
    for (const auto& [kind, payload, size] :
         {std::tuple{std::uintptr_t{0x1234}, good, bytes}, {kHandOverFiles, good, bytes - 1},
          {kHandOverFiles, std::u16string(), 64}, {kHandOverFiles, good, bytes - 2},
          {kHandOverFiles, relative, std::size_t{20}}, {kHandOverShow, good, bytes},
          {kHandOverFiles, good, bytes}}) {
      answers.push_back(Send(kind, payload, size) ? u"taken" : u"refused");
    }
    Press(*about, IDOK);
  });
  Command(ID_HELP_ABOUT);
  ASSERT_TRUE(PumpUntil([&] { return seen_.size() == 1; }));
  PumpPending();
  EXPECT_EQ(answers, (Lines{u"refused", u"refused", u"refused", u"refused", u"refused",
                            u"refused", u"taken"}));
  EXPECT_EQ(seen_, (Lines{MakeFile(u"good.txt")}));  // no "!": after the about box
  EXPECT_EQ(boxes.Count(), 0u);
}

}  // namespace
}  // namespace quillon::testing
