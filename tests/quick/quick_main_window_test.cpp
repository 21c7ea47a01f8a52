// The quick bar inside the program: the application's own bar beside the real main window.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>

#include "preview/preview_page.h"
#include "quick/quick_bar.h"
#include "resources/resource.h"
#include "tests/shell/main_window_driver.h"
#include "tests/support/modal_step.h"

namespace quillon::testing {
namespace {

using Lines = std::vector<std::u16string>;

class QuickBarInProgramTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    AddFile(MakeFile(u"a.txt"), u"work;");
    AddFile(MakeFile(u"b.txt"), u"home;");
    MakeQuickBar();
    Start();
  }
  CQuickBar& Bar() { return app_->QuickBar(); }
  CQuickResult& Results() { return Bar().Results(); }
  void Click(int buttonId) {
    ::SendMessageW(Bar().Item(buttonId), BM_CLICK, 0, 0);
    PumpPending();
  }
  Lines ResultNames() {
    Lines names;
    for (int row = 0; row < Results().RowCount(); ++row) {
      wchar_t text[260] = {};
      LVITEMW cell{};
      cell.pszText = text;
      cell.cchTextMax = 260;
      ::SendMessageW(Results().List(), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&cell));
      names.push_back(std::u16string(reinterpret_cast<const char16_t*>(text)));
    }
    return names;
  }
};

TEST_F(QuickBarInProgramTest, PlaceWrittenAtAConfirmedQuitIsWhereTheNextStartPutsIt) {
  EXPECT_TRUE(Bar().IsVisible());  // Autoshow is on when absent
  ::SetWindowPos(quickBar_, nullptr, 345, 456, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  boxes.SetAnswer(IDNO);
  Command(ID_FILE_EXIT);
  EXPECT_EQ(Setting(L"Software", L"QuickBarX"), u"<absent>");
  boxes.SetAnswer(IDYES);
  Command(ID_FILE_EXIT);
  EXPECT_EQ(Setting(L"Software", L"QuickBarX"), u"345");
  EXPECT_EQ(Setting(L"Software", L"QuickBarY"), u"456");

  CQuillonApp next(DataFolder());
  ASSERT_TRUE(next.CreateQuickBar());
  RECT place{};
  ::GetWindowRect(next.QuickBarWindow(), &place);
  EXPECT_EQ(place.left, 345);
  EXPECT_EQ(place.top, 456);
}

TEST_F(QuickBarInProgramTest, SearchButtonListsInTheMainWindowAndASecondPressHidesIt) {
  ::ShowWindow(Main(), SW_HIDE);
  Bar().SetSearchText(u"work");
  Click(IDC_BTN_SEARCH);
  EXPECT_TRUE(::IsWindowVisible(Main()));
  EXPECT_EQ(SearchBox(), u"work;");
  EXPECT_EQ(Window().CurrentFilter(), u"work;");
  EXPECT_EQ(ListColumn(0), (Lines{u"a.txt"}));
  Click(IDC_BTN_SEARCH);
  EXPECT_FALSE(::IsWindowVisible(Main()));
}

TEST_F(QuickBarInProgramTest, F5AfterARemovalInTheMainWindowDropsTheFile) {
  Bar().SetSearchText(u"work");
  EXPECT_EQ(ResultNames(), (Lines{u"a.txt"}));
  Window().ListFiles(u"work;");
  SelectRows({u"a.txt"});
  boxes.SetAnswer(IDYES);
  Command(ID_LIST_REMOVE);
  EXPECT_TRUE(ListColumn(0).empty());
  EXPECT_EQ(ResultNames(), (Lines{u"a.txt"}));  // until refreshed
  ::PostMessageW(Results().List(), WM_KEYDOWN, VK_F5, 1);
  PumpPending();
  EXPECT_TRUE(ResultNames().empty());
}

TEST_F(QuickBarInProgramTest, FilesDroppedOnTheBarProposeItsTagsAndAppearInItsList) {
  Bar().SetSearchText(u"work");
  const std::u16string file = MakeFile(u"c.txt");
  std::u16string proposed;
  const WhileModal answer([&] {
    if (CDialog* dialog = OpenDialog(IDD_EDIT_FILE)) {
      proposed = dialog->ItemText(IDC_ADD_TAGS);
      Press(*dialog, IDOK);
    }
  });
  SendDroppedFiles(quickBar_, {file}, POINT{20, 20});
  PumpPending();
  EXPECT_EQ(proposed, u"work;");
  // AddFile repeated the bar's search, which now finds the new file too.
  EXPECT_EQ(ResultNames(), (Lines{u"a.txt", u"c.txt"}));
  EXPECT_TRUE(::IsWindowVisible(Main()));
}

TEST_F(QuickBarInProgramTest, ThePreviewFollowsThePointerOverTheResults) {
  const DesktopLock cursor;  // the popup is placed by the pointer
  ::SetCursorPos(20, 20);
  CPreviewPage& preview = app_->Preview();
  Bar().SetSearchText(u"work home");
  ASSERT_EQ(ResultNames(), (Lines{u"a.txt", u"b.txt"}));
  const auto moveOver = [](HWND window, POINT client) {
    PointerTo(window, client);
    ::PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    PumpPending();
  };
  const auto rowCentre = [&](int row) {
    RECT bounds{};
    bounds.left = LVIR_ICON;
    ::SendMessageW(Results().List(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
    return POINT{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
  };
  moveOver(Results().List(), rowCentre(1));
  ASSERT_TRUE(preview.IsVisible());
  EXPECT_EQ(preview.ItemText(IDC_PREVIEW_NAME), u"b.txt");
  EXPECT_EQ(preview.ItemText(IDC_PREVIEW_TAGS), u"home;");
  moveOver(Results().List(), rowCentre(0));
  EXPECT_EQ(preview.ItemText(IDC_PREVIEW_NAME), u"a.txt");
  // Over the list's empty part, and over the window's own frame: hidden.
  RECT client{};
  ::GetClientRect(Results().List(), &client);
  moveOver(Results().List(), POINT{client.right - 20, client.bottom - 20});
  EXPECT_FALSE(preview.IsVisible());
  moveOver(Results().List(), rowCentre(0));
  ASSERT_TRUE(preview.IsVisible());
  moveOver(Results().Handle(), POINT{3, 3});
  EXPECT_FALSE(preview.IsVisible());
  // A change of activation hides it too.
  moveOver(Results().List(), rowCentre(1));
  ASSERT_TRUE(preview.IsVisible());
  ::SendMessageW(Results().Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_FALSE(preview.IsVisible());
}

// The windows floating over the desktop: what the X screen shows of them (Wine keeps its own
// z-order and the X server's), which hides with which, who takes the focus, what waits.
class FloatingWindowsTest : public QuickBarInProgramTest {
 protected:
  static void Hover(HWND list, int row) {
    RECT icon{};
    ListView_GetItemRect(list, row, &icon, LVIR_ICON);
    const POINT at{(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2};
    PointerTo(list, at);
    ::PostMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    PumpPending();
  }
  // The screen's DC, not the popup's own, shows its border left and right (the X server draws
  // a moment later).
  bool PopupOnScreen() {
    const RECT popup = ScreenRect(app_->Preview().Handle());
    const int y = (popup.top + popup.bottom) / 2;
    const HDC screen = ::GetDC(nullptr);
    const bool shown = PumpUntil([&] {
      return ::GetPixel(screen, popup.left + 1, y) == RGB(48, 175, 254) &&
             ::GetPixel(screen, popup.right - 2, y) == RGB(48, 175, 254);
    }, 3000);
    ::ReleaseDC(nullptr, screen);
    return shown;
  }
};

TEST_F(FloatingWindowsTest, WithTheBarShownThePreviewOverTheMainListIsOnTheScreen) {
  const DesktopLock desktop;  // the pointer and the screen's pixels
  Window().ListFiles(u"*;");
  Hover(List(), 0);
  ASSERT_TRUE(app_->Preview().IsVisible());
  EXPECT_TRUE(PopupOnScreen());
}

TEST_F(FloatingWindowsTest, ThePreviewShowsAboveTheResultListWithoutTakingTheFocus) {
  const DesktopLock desktop;  // the pointer and the screen's pixels
  // Left on the screen: the popup opens right of the pointer, over the list.
  ::SetWindowPos(quickBar_, nullptr, 100, 900, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Bar().SetSearchText(u"work home");
  const HWND focus = ::GetFocus();
  Hover(Results().List(), 0);
  RECT popup = ScreenRect(app_->Preview().Handle()), list = ScreenRect(Results().Handle()), both{};
  ASSERT_TRUE(::IntersectRect(&both, &popup, &list) && ::EqualRect(&both, &popup));
  EXPECT_TRUE(PopupOnScreen());
  EXPECT_EQ(::GetFocus(), focus);
}

TEST_F(FloatingWindowsTest, ShowHideQuickBarHidesTheListWithTheBarAndBringsBackTheBarAlone) {
  for (const int command : {ID_QUICK_BAR_SHOW_HIDE, ID_TRAY_SHOW_HIDE_QUICK_BAR}) {
    Bar().SetSearchText(u"work");
    Command(command);
    EXPECT_FALSE(Bar().IsVisible() || Results().IsVisible()) << command;
    EXPECT_EQ(Bar().ResultsButtonBitmap(), static_cast<UINT>(IDB_QUICK_RESULTS_HIDDEN));
    Command(command);
    EXPECT_TRUE(Bar().IsVisible() && !Results().IsVisible()) << command;
  }
}

TEST_F(FloatingWindowsTest, ThePreviewHidesWithItsListAndWhenThePointerLeavesIt) {
  const DesktopLock desktop;  // the pointer and the screen's pixels
  const std::function<void()> hides[] = {
      [&] { Bar().SetSearchText(u"nothing"); },
      [&] { ::SendMessageW(quickBar_, WM_COMMAND, IDCANCEL, 0); },
      [&] { Click(IDC_BTN_RESULTS); },
      [&] { Command(ID_QUICK_BAR_SHOW_HIDE); },
      // Straight from a row to the empty desktop: the list gets no movement, only the leave.
      [&] { ::SetCursorPos(5, ::GetSystemMetrics(SM_CYSCREEN) - 5); },
  };
  for (const auto& hide : hides) {
    if (!Bar().IsVisible()) Command(ID_QUICK_BAR_SHOW_HIDE);
    Bar().SetSearchText(u"work home");
    Hover(Results().List(), 1);
    ASSERT_TRUE(app_->Preview().IsVisible());
    hide();
    EXPECT_TRUE(PumpUntil([&] { return !app_->Preview().IsVisible(); }, 3000)) << &hide - hides;
  }
}

TEST_F(FloatingWindowsTest, AHiddenBarTakesNoFocusFromATextWrittenIntoItsBox) {
  Command(ID_QUICK_BAR_SHOW_HIDE);
  ::SetForegroundWindow(Main());
  Bar().SetSearchText(u"work");  // as "Search for the files with same tags" does
  EXPECT_EQ(::GetForegroundWindow(), Main());
  EXPECT_FALSE(Bar().IsVisible() || Results().IsVisible());
}

// Also run under Wine's default metrics (quick_wine_metrics_tests), where the template's dialog
// units make the window larger than the bar then makes it.
TEST_F(FloatingWindowsTest, ResultListKeepsItsListInsideTheFrameAtAnyDialogUnitSize) {
  Bar().SetSearchText(u"work");
  const RECT window = ScreenRect(Results().Handle()), list = ScreenRect(Results().List());
  EXPECT_EQ(window.right - window.left, 380);
  EXPECT_EQ(list.left - window.left, 9);
  EXPECT_EQ(window.right - list.right, 10);
  EXPECT_EQ(window.bottom - list.bottom, 11);
}

TEST_F(FloatingWindowsTest, ChangingCommandsWaitForTheMainWindowsDialogWhileReadingGoesOn) {
  Bar().SetSearchText(u"work");
  ListView_SetItemState(Results().List(), 0, LVIS_SELECTED, LVIS_SELECTED);
  Window().ListFiles(u"work;");
  SelectRows({u"a.txt"});
  boxes.SetAnswer(IDYES);
  std::optional<std::size_t> boxesDuring;
  Lines typedDuring;
  {
    const WhileModal step([&] {
      CDialog* dialog = OpenDialog(IDD_EDIT_FILE);
      if (!dialog || boxesDuring) return;
      // Removing the file whose dialog is open waits; a typed search does not.
      ::SendMessageW(Results().Handle(), WM_COMMAND, ID_RESULT_REMOVE, 0);
      boxesDuring = boxes.Count();
      Bar().SetSearchText(u"home");
      typedDuring = ResultNames();
      Press(*dialog, IDOK);
    });
    Command(ID_LIST_EDIT_TAGS);
  }
  EXPECT_EQ(boxesDuring, 0u);
  EXPECT_EQ(typedDuring, (Lines{u"b.txt"}));
  // Once the dialog is closed the removal asks and removes the file it was given.
  ASSERT_TRUE(PumpUntil([&] { return boxes.Count() == 1; }, 3000));
  Window().ListFiles(u"*;");
  EXPECT_EQ(ListColumn(0), (Lines{u"b.txt"}));
}

}  // namespace
}  // namespace quillon::testing
