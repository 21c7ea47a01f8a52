// What a second start hands to the running main window (WM_COPYDATA), and the files of the
// program's own command line: they reach AddFiles after "Ready", wait for a modal dialog, and
// a malformed message is refused without effect.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "resources/user_texts.h"
#include "shell/model/command_line.h"
#include "tests/shell/main_window_driver.h"

namespace quillon::testing {
namespace {

using Lines = std::vector<std::u16string>;

class HandOverTest : public MainWindowTest {
 protected:
  // The first modal dialog AddFiles opens for the given paths (today: Edit Tags, one per file)
  // is recorded with the status line and whether another dialog was open, then cancelled.
  void RecordAddFilesDialogs() {
    answer_ = std::make_unique<WhileModal>([this] {
      CDialog* dialog = OpenDialog(IDD_EDIT_FILE);
      if (!dialog) return;
      seen_.push_back(dialog->ItemText(IDC_PATH_BOX));
      statusSeen_ = Window().StatusText();
      Press(*dialog, IDCANCEL);
    });
  }

  LRESULT Send(std::uintptr_t kind, const std::u16string& payload, DWORD bytes) {
    COPYDATASTRUCT data{kind, bytes, payload.empty() ? nullptr : const_cast<char16_t*>(payload.data())};
    return ::SendMessageW(Main(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
  }
  LRESULT SendFiles(const Lines& paths) {
    const std::u16string payload = EncodeHandOver(paths).at(0);
    return Send(kHandOverFiles, payload, static_cast<DWORD>(payload.size() * 2));
  }

  Lines seen_;
  std::u16string statusSeen_;
  std::unique_ptr<WhileModal> answer_;
};

TEST_F(HandOverTest, FilesOnTheCommandLineAreAddedOnceTheCatalogueIsReady) {
  const std::u16string blanks = MakeFile(u"a b \u00c4rger \u65e5\u672c.txt");
  const std::u16string plain = MakeFile(u"plan.htm");
  RecordAddFilesDialogs();
  ASSERT_TRUE(Create(u"\"C:\\Quillon\\quillon.exe\" \"" + blanks + u"\" " + plain));
  ASSERT_TRUE(PumpUntil([&] { return seen_.size() == 2; }));
  EXPECT_EQ(seen_, (Lines{blanks, plain}));
  EXPECT_EQ(statusSeen_, UserText(TEXT_READY));
  // A file ending in "m" does not hide the window.
  EXPECT_TRUE(Window().IsVisible());
}

TEST_F(HandOverTest, HandedFilesWaitUntilTheOpenDialogIsClosed) {
  Start();
  const std::u16string file = MakeFile(u"later.txt");
  bool taken = false;
  bool addedWhileAboutOpen = false;
  int ticksWithAbout = 0;
  WhileModal steps([&] {
    if (OpenDialog(IDD_EDIT_FILE)) {
      addedWhileAboutOpen = OpenDialog(IDD_ABOUTBOX) != nullptr;
      seen_.push_back(OpenDialog(IDD_EDIT_FILE)->ItemText(IDC_PATH_BOX));
      Press(*OpenDialog(IDD_EDIT_FILE), IDCANCEL);
    } else if (CDialog* about = OpenDialog(IDD_ABOUTBOX)) {
      if (!taken) taken = SendFiles({file}) == TRUE;
      if (++ticksWithAbout == 20) Press(*about, IDOK);
    }
  });
  Command(ID_HELP_ABOUT);
  EXPECT_TRUE(taken);
  ASSERT_TRUE(PumpUntil([&] { return seen_.size() == 1; }));
  EXPECT_EQ(seen_, (Lines{file}));
  EXPECT_FALSE(addedWhileAboutOpen);
}

TEST_F(HandOverTest, MalformedMessagesAreRefusedAndOnlyTheGoodOneAddsItsFile) {
  Start();
  const std::u16string good = MakeFile(u"good.txt");
  const std::u16string files = EncodeHandOver({good}).at(0);
  const DWORD bytes = static_cast<DWORD>(files.size() * 2);
  struct Case {
    const char* what;
    std::uintptr_t kind;
    std::u16string payload;
    DWORD bytes;
    LRESULT answer;
  };
  const Case cases[] = {
      {"another kind", 0x1234, files, bytes, FALSE},
      {"an odd size", kHandOverFiles, files, bytes - 1, FALSE},
      {"no data", kHandOverFiles, u"", 0, FALSE},
      {"a size without data", kHandOverFiles, u"", 64, FALSE},
      {"not ended", kHandOverFiles, files, bytes - 2, FALSE},
      {"a relative path", kHandOverFiles, std::u16string(u"good.txt\0\0", 10), 20, FALSE},
      {"show with data", kHandOverShow, files, bytes, FALSE},
      {"the good one", kHandOverFiles, files, bytes, TRUE},
  };
  RecordAddFilesDialogs();
  for (const Case& c : cases) EXPECT_EQ(Send(c.kind, c.payload, c.bytes), c.answer) << c.what;
  ASSERT_TRUE(PumpUntil([&] { return seen_.size() == 1; }));
  PumpPending();
  EXPECT_EQ(seen_, (Lines{good}));
  EXPECT_EQ(boxes.Count(), 0u);
}

}  // namespace
}  // namespace quillon::testing
