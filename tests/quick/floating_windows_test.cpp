// The windows that float over the desktop (the quick bar, its result list and the hover
// preview) beside the real main window: what the user sees of them on the X screen, which of
// them hides with which, who takes the focus, and what waits for a modal dialog.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>

#include "preview/preview_page.h"
#include "quick/quick_bar.h"
#include "resources/resource.h"
#include "tests/shell/main_window_driver.h"
#include "tests/support/modal_step.h"

namespace quillon::testing {
namespace {

using Lines = std::vector<std::u16string>;

constexpr COLORREF kPopupBorder = RGB(48, 175, 254);

// What the screen shows at a point: the X server's picture, not the window's own surface.
COLORREF ScreenPixel(POINT screen) {
  const HDC dc = ::GetDC(nullptr);
  const COLORREF colour = ::GetPixel(dc, screen.x, screen.y);
  ::ReleaseDC(nullptr, dc);
  return colour;
}

COLORREF OwnPixel(HWND window, POINT client) {
  const HDC dc = ::GetDC(window);
  const COLORREF colour = ::GetPixel(dc, client.x, client.y);
  ::ReleaseDC(window, dc);
  return colour;
}

// The X server draws a moment after the window does.
bool ScreenShows(POINT screen, COLORREF colour) {
  return PumpUntil([&] { return ScreenPixel(screen) == colour; }, 3000);
}

bool Inside(const RECT& rect, POINT point) { return ::PtInRect(&rect, point) != FALSE; }

class FloatingWindowsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    desktop_ = std::make_unique<DesktopLock>();  // the pointer and the screen's pixels
    AddFile(MakeFile(u"a.txt"), u"work;");
    AddFile(MakeFile(u"b.txt"), u"home;");
    MakeQuickBar();
    Start();
    ASSERT_TRUE(Bar().IsVisible());  // Autoshow is on when absent
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    desktop_.reset();
  }
  CQuickBar& Bar() { return app_->QuickBar(); }
  CQuickResult& Results() { return Bar().Results(); }
  CPreviewPage& Preview() { return app_->Preview(); }
  HWND BarSearchBox() { return Bar().Item(IDC_QUICK_SEARCH); }

  void Type(const std::u16string& text) {
    Bar().SetSearchText(text);
    PumpPending();
  }
  void MoveBar(int x, int y) {
    ::SetWindowPos(quickBar_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpPending();
  }
  // The pointer over a row of a list, as the mouse gives it: the real pointer moves there and
  // the list gets the movement.
  static void Hover(HWND list, int row) {
    RECT bounds{};
    bounds.left = LVIR_ICON;
    ::SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
    const POINT centre{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
    PointerTo(list, centre);
    ::PostMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
    PumpPending();
  }
  // Points of the popup's left and right border, half-way down.
  std::vector<POINT> PopupBorder() {
    const RECT popup = ScreenRect(Preview().Handle());
    const int middle = (popup.top + popup.bottom) / 2;
    return {POINT{popup.left + 1, middle}, POINT{popup.right - 2, middle}};
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

 private:
  std::unique_ptr<DesktopLock> desktop_;
};

TEST_F(FloatingWindowsTest, WithTheBarShownThePreviewOverTheMainListIsOnTheScreen) {
  Window().ListFiles(u"*;");
  Hover(List(), RowOf(u"a.txt"));
  ASSERT_TRUE(Preview().IsVisible());
  for (const POINT& point : PopupBorder()) {
    EXPECT_TRUE(ScreenShows(point, kPopupBorder)) << point.x << "," << point.y;
  }
  // The always-on-top bar, moved over the main window, shows there too.
  Preview().HidePreview();
  const RECT main = ScreenRect(Main());
  MoveBar(main.left + 100, main.top + 200);
  const POINT inBar{20, 20};
  POINT screen = inBar;
  ::ClientToScreen(quickBar_, &screen);
  EXPECT_TRUE(ScreenShows(screen, OwnPixel(quickBar_, inBar)));
}

TEST_F(FloatingWindowsTest, ThePreviewShowsAboveTheResultListWithoutTakingActivation) {
  MoveBar(100, 900);  // the popup opens right of the pointer, over the list
  Type(u"work home");
  ASSERT_TRUE(Results().IsVisible());
  const HWND foreground = ::GetForegroundWindow();
  const HWND focus = ::GetFocus();
  Hover(Results().List(), 0);
  ASSERT_TRUE(Preview().IsVisible());
  const RECT list = ScreenRect(Results().Handle());
  for (const POINT& point : PopupBorder()) {
    ASSERT_TRUE(Inside(list, point));
    EXPECT_TRUE(ScreenShows(point, kPopupBorder)) << point.x << "," << point.y;
  }
  EXPECT_EQ(::GetForegroundWindow(), foreground);
  EXPECT_EQ(::GetFocus(), focus);
  EXPECT_NE(::GetActiveWindow(), Preview().Handle());
}

TEST_F(FloatingWindowsTest, ShowHideQuickBarHidesTheListWithTheBarAndBringsBackTheBarAlone) {
  for (const int command : {ID_QUICK_BAR_SHOW_HIDE, ID_TRAY_SHOW_HIDE_QUICK_BAR}) {
    Type(u"work");
    ASSERT_TRUE(Results().IsVisible());
    Command(command);
    EXPECT_FALSE(Bar().IsVisible()) << command;
    EXPECT_FALSE(Results().IsVisible()) << command;
    EXPECT_EQ(Bar().ResultsButtonBitmap(), static_cast<UINT>(IDB_QUICK_RESULTS_HIDDEN));
    Command(command);
    EXPECT_TRUE(Bar().IsVisible()) << command;
    EXPECT_FALSE(Results().IsVisible()) << command;
  }
}

TEST_F(FloatingWindowsTest, ThePreviewHidesWithItsListAndWhenThePointerLeavesIt) {
  const struct {
    const char* path;
    std::function<void()> hide;
  } paths[] = {
      {"a search without rows", [&] { Type(u"nothing"); }},
      {"Escape", [&] { ::SendMessageW(quickBar_, WM_COMMAND, IDCANCEL, 0); }},
      {"the results button", [&] { ::SendMessageW(Bar().Item(IDC_BTN_RESULTS), BM_CLICK, 0, 0); }},
      {"the hide button",
       [&] {
         boxes.SetAnswer(IDYES);
         ::SendMessageW(Bar().Item(IDC_BTN_HIDE), BM_CLICK, 0, 0);
       }},
      {"Show/Hide Quick Bar", [&] { Command(ID_QUICK_BAR_SHOW_HIDE); }},
      {"the list's Escape", [&] { ::SendMessageW(Results().Handle(), WM_COMMAND, IDCANCEL, 0); }},
  };
  for (const auto& path : paths) {
    if (!Bar().IsVisible()) Command(ID_QUICK_BAR_SHOW_HIDE);
    Type(u"");
    Type(u"work home");
    Hover(Results().List(), 1);
    ASSERT_TRUE(Preview().IsVisible()) << path.path;
    path.hide();
    PumpPending();
    ASSERT_FALSE(Results().IsVisible()) << path.path;
    EXPECT_FALSE(Preview().IsVisible()) << path.path;
  }
  // Straight from a row to the empty desktop: the list gets no movement, only the leave.
  Type(u"work home");
  Hover(Results().List(), 0);
  ASSERT_TRUE(Preview().IsVisible());
  ::SetCursorPos(5, ::GetSystemMetrics(SM_CYSCREEN) - 5);
  EXPECT_TRUE(PumpUntil([&] { return !Preview().IsVisible(); }, 3000));
}

TEST_F(FloatingWindowsTest, AHiddenBarNeverTakesTheFocus) {
  Command(ID_QUICK_BAR_SHOW_HIDE);
  ASSERT_FALSE(Bar().IsVisible());
  const struct {
    const char* path;
    std::function<void()> run;
  } paths[] = {
      // What "Search for the files with same tags" does to the box.
      {"a text written into the box", [&] { Type(u"work"); }},
      {"a move of the bar", [&] { MoveBar(300, 300); }},
  };
  for (const auto& path : paths) {
    ::SetForegroundWindow(Main());
    ::SetFocus(Window().Item(IDC_SEARCH_BOX));
    PumpPending();
    path.run();
    EXPECT_EQ(::GetForegroundWindow(), Main()) << path.path;
    EXPECT_NE(::GetFocus(), BarSearchBox()) << path.path;
    EXPECT_FALSE(Bar().IsVisible()) << path.path;
    EXPECT_FALSE(Results().IsVisible()) << path.path;
  }
}

// Also run under Wine's default metrics (quick_wine_metrics_tests), where the template's dialog
// units give a larger window than the bar makes it.
TEST_F(FloatingWindowsTest, ResultListKeepsItsListInsideTheFrameAtAnyDialogUnitSize) {
  Type(u"work");
  ASSERT_TRUE(Results().IsVisible());
  const RECT window = ScreenRect(Results().Handle());
  ASSERT_EQ(window.right - window.left, 380);
  const RECT list = ScreenRect(Results().List());
  EXPECT_EQ(list.left, window.left + 9);
  EXPECT_EQ(list.top, window.top + 10);
  EXPECT_EQ(list.right, window.right - 10);
  EXPECT_EQ(list.bottom, window.bottom - 11);
  // The region shows the right and bottom frames.
  HRGN region = ::CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(::GetWindowRgn(Results().Handle(), region), ERROR);
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  EXPECT_TRUE(::PtInRegion(region, width - 2, height / 2));
  EXPECT_TRUE(::PtInRegion(region, width / 2, height - 2));
  ::DeleteObject(region);
}

TEST_F(FloatingWindowsTest, ChangingCommandsWaitForTheMainWindowsDialogWhileReadingGoesOn) {
  Type(u"work");
  ASSERT_EQ(ResultNames(), (Lines{u"a.txt"}));
  ListView_SetItemState(Results().List(), 0, LVIS_SELECTED, LVIS_SELECTED);
  Window().ListFiles(u"work;");
  SelectRows({u"a.txt"});
  boxes.SetAnswer(IDYES);
  std::size_t boxesDuring = 99;
  Lines typedDuring;
  bool stepped = false;
  bool dialogOnScreen = false;
  {
    const WhileModal step([&] {
      CDialog* dialog = OpenDialog(IDD_EDIT_FILE);
      if (!dialog || stepped) return;
      stepped = true;
      // The dialog shows over the main window.
      const POINT inDialog{30, 30};
      POINT screen = inDialog;
      ::ClientToScreen(dialog->Handle(), &screen);
      dialogOnScreen = Inside(ScreenRect(Main()), screen) &&
                       ScreenShows(screen, OwnPixel(dialog->Handle(), inDialog));
      // Removing the file whose dialog is open waits; a typed search does not.
      ::SendMessageW(Results().Handle(), WM_COMMAND, ID_RESULT_REMOVE, 0);
      PumpPending();
      boxesDuring = boxes.Count();
      Type(u"home");
      typedDuring = ResultNames();
      Press(*dialog, IDOK);
    });
    Command(ID_LIST_EDIT_TAGS);
  }
  ASSERT_TRUE(stepped);
  EXPECT_TRUE(dialogOnScreen);
  EXPECT_EQ(boxesDuring, 0u);
  EXPECT_EQ(typedDuring, (Lines{u"b.txt"}));
  // Once the dialog is closed the removal asks and removes the file it was given.
  ASSERT_TRUE(PumpUntil([&] { return boxes.Count() == 1; }, 3000));
  PumpPending();
  Type(u"work");
  EXPECT_TRUE(ResultNames().empty());
  Window().ListFiles(u"*;");
  EXPECT_EQ(ListColumn(0), (Lines{u"b.txt"}));
}

}  // namespace
}  // namespace quillon::testing
