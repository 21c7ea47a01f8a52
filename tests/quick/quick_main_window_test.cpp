// The quick bar inside the program: the application's own bar beside the real main window.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

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

}  // namespace
}  // namespace quillon::testing
