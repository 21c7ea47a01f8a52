// Files for the running main window, from its own command line or handed over by a second
// start (WM_COPYDATA): added after "Ready" and once no dialog is open; malformed ones refused.
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

LRESULT Send(HWND window, std::uintptr_t kind, const std::u16string& payload, std::size_t bytes) {
  COPYDATASTRUCT data{kind, static_cast<DWORD>(bytes),
                      payload.empty() ? nullptr : const_cast<char16_t*>(payload.data())};
  return ::SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

TEST_F(MainWindowTest, HandedFilesWaitForReadyAndForTheOpenDialogAndOnlyWellFormedOnesCount) {
  const std::u16string named = MakeFile(u"a b \u00c4rger \u65e5\u672c plan.htm");
  const std::u16string handed = MakeFile(u"handed.txt");
  const std::u16string good = EncodeHandOver({handed}).at(0);
  const std::size_t bytes = good.size() * 2;
  // The first dialog AddFiles opens for a file (today Edit Tags), seen with the status line and
  // "!" if the about box was open, then cancelled; the about box takes the messages.
  Lines seen;
  Lines answers;
  int ticks = 0;
  WhileModal steps([&] {
    if (CDialog* dialog = OpenDialog(IDD_EDIT_FILE)) {
      seen.push_back(dialog->ItemText(IDC_PATH_BOX) + (OpenDialog(IDD_ABOUTBOX) ? u"!" : u"") +
                     u" " + Window().StatusText());
      Press(*dialog, IDCANCEL);
    }
    CDialog* about = OpenDialog(IDD_ABOUTBOX);
    if (!about || ++ticks < 20) return;
    for (const auto& [kind, payload, size] :
         {std::tuple{std::uintptr_t{0x1234}, good, bytes},
          {kHandOverFiles, good, bytes - 1},
          {kHandOverFiles, std::u16string(), 64},
          {kHandOverFiles, good, bytes - 2},
          {kHandOverFiles, std::u16string(u"a.txt\0\0", 7), std::size_t{14}},
          {kHandOverShow, good, bytes},
          {kHandOverFiles, good, bytes}}) {
      answers.push_back(Send(Main(), kind, payload, size) ? u"taken" : u"refused");
    }
    Press(*about, IDOK);
  });
  ASSERT_TRUE(Create(u"\"C:\\Quillon\\quillon.exe\" \"" + named + u"\""));
  ASSERT_TRUE(PumpUntil([&] { return seen.size() == 1; }));
  EXPECT_TRUE(Window().IsVisible());  // a file ending in "m" does not hide it
  Command(ID_HELP_ABOUT);
  ASSERT_TRUE(PumpUntil([&] { return seen.size() == 2; }));
  PumpPending();
  const std::u16string ready = UserText(" " TEXT_READY);
  EXPECT_EQ(seen, (Lines{named + ready, handed + ready}));
  EXPECT_EQ(answers, (Lines{u"refused", u"refused", u"refused", u"refused", u"refused", u"refused",
                            u"taken"}));
  EXPECT_EQ(boxes.Count(), 0u);
}

}  // namespace
}  // namespace quillon::testing
