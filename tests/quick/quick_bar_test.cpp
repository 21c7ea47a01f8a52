// The real quick bar under Wine: its place, typing search, buttons, keys, moves and drops.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>

#include "framework/wide.h"
#include "resources/resource.h"
#include "resources/user_texts.h"
#include "tests/quick/quick_test_host.h"
#include "tests/support/modal_step.h"

namespace quillon::testing {
namespace {

using Names = std::vector<std::u16string>;

int Width(const RECT& rect) { return rect.right - rect.left; }

class QuickBarWindowTest : public QuickBarTest {
 protected:
  void MakeCatalogue() {
    AddCatalogued(u"holiday.jpg", u"photo;trip;");
    AddCatalogued(u"Beach.png", u"photo;");
    AddCatalogued(u"ticket.pdf", u"trip;");
    AddCatalogued(u"notes.txt", u"work;");
  }
  void WriteSettings(const std::string& text) {
    std::ofstream(folder_.Path() / "update.dat") << text;
  }
};

TEST_F(QuickBarWindowTest, FirstStartHiddenOwnerlessTopmostToolWindowAtTheDefaultPlace) {
  Start(false);
  const HWND bar = Bar().Handle();
  EXPECT_FALSE(::IsWindowVisible(bar));
  EXPECT_EQ(::GetWindow(bar, GW_OWNER), nullptr);
  const RECT place = BarRect();
  EXPECT_EQ(place.left, ::GetSystemMetrics(SM_CXSCREEN) - 390);
  EXPECT_EQ(place.top, ::GetSystemMetrics(SM_CYSCREEN) - 90);
  EXPECT_EQ(Width(place), 380);
  EXPECT_EQ(place.bottom - place.top, 40);
  const LONG_PTR exStyle = ::GetWindowLongPtrW(bar, GWL_EXSTYLE);
  EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
  EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
  // Rounded: the corner pixel lies outside the region, the middle inside.
  HRGN region = ::CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(::GetWindowRgn(bar, region), ERROR);
  EXPECT_FALSE(::PtInRegion(region, 0, 0));
  EXPECT_TRUE(::PtInRegion(region, 190, 20));
  ::DeleteObject(region);
  // The list belongs to the bar and starts hidden with the wildcard text.
  EXPECT_EQ(::GetWindow(Results().Handle(), GW_OWNER), bar);
  EXPECT_FALSE(ResultsShown());
  EXPECT_EQ(Results().ResultTagText(), u"*;");
  EXPECT_EQ(Bar().ResultsButtonBitmap(), static_cast<UINT>(IDB_QUICK_RESULTS_HIDDEN));
}

TEST_F(QuickBarWindowTest, OnAStandardDisplayTheListStopsWhereTheRightFrameBegins) {
  MakeCatalogue();
  Start();
  Type(u"photo");
  ASSERT_TRUE(ResultsShown());
  // The template's 245 dialog units are 368 pixels at 96 DPI; the list, placed for that
  // width, leaves the 10-pixel frame of the 380-pixel window visible.
  const RECT window = ResultsRect();
  RECT list{};
  ::GetWindowRect(Results().List(), &list);
  EXPECT_EQ(list.right, window.right - 10);
  EXPECT_EQ(list.left, window.left + 9);
  EXPECT_EQ(list.bottom, window.bottom - 11);
}

TEST_F(QuickBarWindowTest, StoredPlaceUsedUnchangedAndAFarAwayBarCanBeBroughtBack) {
  WriteSettings("[Software]\r\nQuickBarX=-6000\r\nQuickBarY=9000\r\n");
  Start();
  EXPECT_EQ(BarRect().left, -6000);
  EXPECT_EQ(BarRect().top, 9000);
  // "Show/Hide Quick Bar" on a bar nobody can see brings it home instead of hiding it.
  Bar().ToggleVisible();
  EXPECT_TRUE(Bar().IsVisible());
  EXPECT_EQ(BarRect().left, ::GetSystemMetrics(SM_CXSCREEN) - 390);
  EXPECT_EQ(BarRect().top, ::GetSystemMetrics(SM_CYSCREEN) - 90);
  Bar().ToggleVisible();
  EXPECT_FALSE(Bar().IsVisible());
  Bar().ToggleVisible();
  EXPECT_TRUE(Bar().IsVisible());
}

TEST_F(QuickBarWindowTest, TypingSearchesAtEveryLetterAndListsWholeTagsAboveTheBar) {
  MakeCatalogue();
  AddCatalogued(u"pho.txt", u"phot0;");  // a near miss, never found
  Start();
  const std::u16string word = u"photo";
  for (std::size_t letters = 1; letters < word.size(); ++letters) {
    Type(word.substr(letters - 1, 1));
    EXPECT_FALSE(ResultsShown()) << "after " << letters << " letters";
    EXPECT_EQ(Bar().ResultsButtonBitmap(), static_cast<UINT>(IDB_QUICK_RESULTS_HIDDEN));
  }
  Type(u"o");
  EXPECT_EQ(Results().ResultTagText(), u"photo;");
  ASSERT_TRUE(ResultsShown());
  // Ordered by name with the platform's comparison: case does not put capitals first.
  EXPECT_EQ(ResultNames(), (Names{u"Beach.png", u"holiday.jpg"}));
  EXPECT_EQ(Bar().ResultsButtonBitmap(), static_cast<UINT>(IDB_QUICK_RESULTS_SHOWN));
  const RECT bar = BarRect();
  const RECT list = ResultsRect();
  EXPECT_EQ(list.bottom, bar.top);
  EXPECT_EQ(list.left, bar.left);
  EXPECT_EQ(Width(list), 380);
  EXPECT_EQ(::GetFocus(), SearchBox());

  // A second tag adds its files; deleting back to nothing hides the list again.
  Type(u" trip");
  EXPECT_EQ(ResultNames(), (Names{u"Beach.png", u"holiday.jpg", u"ticket.pdf"}));
  Bar().SetSearchText(u"");
  EXPECT_FALSE(ResultsShown());
  EXPECT_EQ(Bar().ResultsButtonBitmap(), static_cast<UINT>(IDB_QUICK_RESULTS_HIDDEN));
}

TEST_F(QuickBarWindowTest, NearTheScreenTopTheListOpensBelowTheBar) {
  MakeCatalogue();
  Start();
  ::SetWindowPos(Bar().Handle(), nullptr, 100, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Type(u"work");
  ASSERT_TRUE(ResultsShown());
  EXPECT_EQ(ResultsRect().top, BarRect().bottom);
  EXPECT_EQ(ResultsRect().left, 100);
}

TEST_F(QuickBarWindowTest, ResultsButtonListsEverythingForAnEmptyBoxOrATagWithoutFiles) {
  MakeCatalogue();
  Start();
  const Names all{u"Beach.png", u"holiday.jpg", u"notes.txt", u"ticket.pdf"};
  Click(IDC_BTN_RESULTS);
  EXPECT_TRUE(ResultsShown());
  EXPECT_EQ(ResultNames(), all);
  EXPECT_EQ(Results().ResultTagText(), u"*;");
  Click(IDC_BTN_RESULTS);
  EXPECT_FALSE(ResultsShown());
  EXPECT_EQ(Bar().ResultsButtonBitmap(), static_cast<UINT>(IDB_QUICK_RESULTS_HIDDEN));

  Type(u"nothing");
  Click(IDC_BTN_RESULTS);
  EXPECT_TRUE(ResultsShown());
  EXPECT_EQ(ResultNames(), all);
  EXPECT_EQ(Bar().ResultsButtonBitmap(), static_cast<UINT>(IDB_QUICK_RESULTS_SHOWN));
}

TEST_F(QuickBarWindowTest, SearchButtonHandsTheTextOverAndASecondPressHidesTheMainWindow) {
  MakeCatalogue();
  Start();
  Click(IDC_BTN_SEARCH);
  EXPECT_EQ(mainSearchBox_, u"");
  EXPECT_EQ(listed_, (Names{u"*;"}));
  EXPECT_TRUE(::IsWindowVisible(mainWindow_));
  Click(IDC_BTN_SEARCH);
  EXPECT_FALSE(::IsWindowVisible(mainWindow_));
  EXPECT_EQ(listed_.size(), 1u);

  Type(u"trip  photo");
  Click(IDC_BTN_SEARCH);
  EXPECT_EQ(mainSearchBox_, u"trip;photo;");
  EXPECT_EQ(listed_.back(), u"trip;photo;");
  EXPECT_TRUE(::IsWindowVisible(mainWindow_));
  Click(IDC_BTN_SEARCH);
  EXPECT_FALSE(::IsWindowVisible(mainWindow_));
  // A hidden main window is shown again even when it already holds that text.
  Click(IDC_BTN_SEARCH);
  EXPECT_TRUE(::IsWindowVisible(mainWindow_));
  EXPECT_EQ(listed_.size(), 3u);
}

TEST_F(QuickBarWindowTest, HideButtonAsksAndNoLeavesBarAndListAsTheyWere) {
  MakeCatalogue();
  Start();
  Type(u"photo");
  boxes_.SetAnswer(IDNO);
  Click(IDC_BTN_HIDE);
  ASSERT_EQ(boxes_.Count(), 1u);
  EXPECT_EQ(boxes_.Boxes()[0].text, UserText(TEXT_HIDE_QUICK_BAR_CONFIRM));
  EXPECT_EQ(boxes_.Boxes()[0].caption, UserText(TEXT_HIDE_CAPTION));
  EXPECT_EQ(boxes_.Boxes()[0].flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
  EXPECT_TRUE(Bar().IsVisible());
  EXPECT_TRUE(ResultsShown());
  EXPECT_EQ(Bar().ResultsButtonBitmap(), static_cast<UINT>(IDB_QUICK_RESULTS_SHOWN));

  boxes_.SetAnswer(IDYES);
  Click(IDC_BTN_HIDE);
  EXPECT_FALSE(Bar().IsVisible());
  EXPECT_FALSE(ResultsShown());
  EXPECT_EQ(Bar().ResultsButtonBitmap(), static_cast<UINT>(IDB_QUICK_RESULTS_HIDDEN));
}

TEST_F(QuickBarWindowTest, TheListFollowsEveryMoveShownOrHidden) {
  MakeCatalogue();
  Start();
  Type(u"photo");
  ::SetWindowPos(Bar().Handle(), nullptr, 300, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  PumpPending();
  EXPECT_TRUE(ResultsShown());
  EXPECT_EQ(ResultsRect().left, 300);
  EXPECT_EQ(ResultsRect().bottom, 500);
  EXPECT_EQ(::GetFocus(), SearchBox());

  PressKey(SearchBox(), VK_ESCAPE);
  ASSERT_FALSE(ResultsShown());
  EXPECT_TRUE(Bar().IsVisible());
  // Hidden, it follows above the bar even where it would not fit: no fall-back below.
  ::SetWindowPos(Bar().Handle(), nullptr, 40, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  PumpPending();
  EXPECT_FALSE(ResultsShown());
  EXPECT_EQ(ResultsRect().left, 40);
  EXPECT_EQ(ResultsRect().bottom, 20);
  EXPECT_EQ(Width(ResultsRect()), 380);
}

// Real pointer input: a press on the bar's background, a move and a release.
void SendPointer(DWORD flags, POINT screen) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = screen.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = screen.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &input, sizeof(input));
}

// The steps of a drag, run by a timer inside the drag's own loop: move, then release.
struct DragSteps {
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (step == 0) SendPointer(0, to);
    if (step == 1) SendPointer(MOUSEEVENTF_LEFTUP, to);
    ++step;
  }
  static inline int step = 0;
  static inline POINT to{};
};

TEST_F(QuickBarWindowTest, DraggingTheBackgroundMovesTheBarAndTheListAlong) {
  const DesktopLock pointer;  // real pointer input
  MakeCatalogue();
  Start();
  ::SetWindowPos(Bar().Handle(), nullptr, 400, 600, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Type(u"photo");
  ASSERT_TRUE(ResultsShown());
  const POINT grip{400 + 30, 600 + 5};  // left of the search box: the bar's own background
  DragSteps::step = 0;
  DragSteps::to = POINT{grip.x + 120, grip.y - 200};
  SendPointer(0, grip);
  PumpPending();
  SendPointer(MOUSEEVENTF_LEFTDOWN, grip);
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, &DragSteps::Tick);
  PumpUntil([] { return DragSteps::step > 3; }, 5000);
  ::KillTimer(nullptr, timer);
  EXPECT_EQ(BarRect().left, 520);
  EXPECT_EQ(BarRect().top, 400);
  EXPECT_TRUE(ResultsShown());
  EXPECT_EQ(ResultsRect().left, 520);
  EXPECT_EQ(ResultsRect().bottom, 400);
}

TEST_F(QuickBarWindowTest, EnterFocusesTheFirstRowOrSearchesAgainEscapeHidesTheList) {
  MakeCatalogue();
  Start();
  Type(u"trip");
  ASSERT_TRUE(ResultsShown());
  PressKey(SearchBox(), VK_RETURN);
  EXPECT_EQ(::GetFocus(), Results().List());
  EXPECT_EQ(::SendMessageW(Results().List(), LVM_GETNEXTITEM, -1, LVNI_SELECTED | LVNI_FOCUSED), 0);
  EXPECT_TRUE(ResultsShown());  // the bar's own OK does nothing

  PressKey(SearchBox(), VK_ESCAPE);
  EXPECT_FALSE(ResultsShown());
  EXPECT_TRUE(Bar().IsVisible());
  // With the list hidden, Enter runs the typing search again, which shows it.
  PressKey(SearchBox(), VK_RETURN);
  EXPECT_TRUE(ResultsShown());
  EXPECT_EQ(Bar().ResultsButtonBitmap(), static_cast<UINT>(IDB_QUICK_RESULTS_SHOWN));
}

TEST_F(QuickBarWindowTest, DropsProposeTheResultTagsAndF1OpensHelpHandOverSearchButton) {
  MakeCatalogue();
  Start();
  Type(u"trip");
  const std::u16string file = PathOf(u"new.txt");
  SendDroppedFiles(Bar().Handle(), {file}, POINT{20, 20});
  SendDroppedFiles(Results().Handle(), {file}, POINT{20, 20});
  ASSERT_EQ(dropped_.size(), 2u);
  EXPECT_EQ(dropped_[0], (Names{u"trip;", file}));
  EXPECT_EQ(dropped_[1], (Names{u"trip;", file}));

  HELPINFO help{};
  help.cbSize = sizeof(help);
  ::SendMessageW(Bar().Handle(), WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
  ::SendMessageW(Results().Handle(), WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
  EXPECT_EQ(helpRequests_, 2);

  RECT button{};
  ::GetWindowRect(Bar().Item(IDC_BTN_SEARCH), &button);
  const DesktopLock cursor;
  ::SetCursorPos((button.left + button.right) / 2, (button.top + button.bottom) / 2);
  ::SendMessageW(Bar().Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Bar().Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));
  ::SetCursorPos(button.left - 30, button.top + 5);
  EXPECT_EQ(::SendMessageW(Bar().Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Bar().Handle()),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
            FALSE);
}

TEST_F(QuickBarWindowTest, LongTextsApostrophesAndStatementFragmentsAreOnlyTags) {
  MakeCatalogue();
  AddCatalogued(u"irish.txt", u"o'brien;");
  Start();
  Bar().SetSearchText(u"o'brien x' OR '1'='1 ');DROP TABLE db_filetags;--");
  EXPECT_EQ(ResultNames(), (Names{u"irish.txt"}));
  EXPECT_EQ(Count(u"SELECT COUNT(*) AS n FROM db_filetags"), 5);

  std::u16string longText;
  while (longText.size() < 10000) longText += u"tag" + std::u16string(1, static_cast<char16_t>(u'a' + longText.size() % 26)) + u' ';
  longText += u"work";
  Bar().SetSearchText(longText);
  EXPECT_EQ(ResultNames(), (Names{u"notes.txt"}));
  EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(QuickBarWindowTest, ACatalogueThatFailedToOpenReportsEachSearchAndListsNothing) {
  TagDatabase unopened;
  unopened.SetReporter(&reporter_);
  database_ = &unopened;
  Start();
  Type(u"ab");
  EXPECT_EQ(reporter_.databaseErrors.size(), 2u);  // one failed statement per search
  EXPECT_FALSE(ResultsShown());
  Click(IDC_BTN_RESULTS);
  EXPECT_EQ(ResultNames(), Names{});
  Click(IDC_BTN_RESULTS);
  EXPECT_FALSE(ResultsShown());
  EXPECT_EQ(Bar().ResultsButtonBitmap(), static_cast<UINT>(IDB_QUICK_RESULTS_HIDDEN));
  bar_.reset();  // before the catalogue it was given
}

}  // namespace
}  // namespace quillon::testing
