// The hover preview on the real main window: posted pointer movements over its list and its
// other controls, activation changes and the list's context menu.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "preview/preview_page.h"
#include "tests/shell/main_window_driver.h"

namespace quillon::testing {
namespace {

class PreviewHooksTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    cursor_ = std::make_unique<DesktopLock>();  // the popup is placed by the pointer
    ::SetCursorPos(20, 20);  // the popup opens right of the pointer
    AddFile(MakeFile(u"a.txt"), u"alpha;", u"first file");
    AddFile(MakeFile(u"b.txt"), u"beta;");
    Start();
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    cursor_.reset();
  }
  CPreviewPage& Preview() const { return app_->Preview(); }

  // A movement posted to `window` at a point of its client area, as the mouse gives it.
  static void MoveOver(HWND window, POINT client) {
    PointerTo(window, client);
    ::PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    PumpPending();
  }
  void MoveOverRow(int row, int dx = 20) const {
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    ::SendMessageW(List(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
    MoveOver(List(), POINT{bounds.left + dx, (bounds.top + bounds.bottom) / 2});
  }

 private:
  std::unique_ptr<DesktopLock> cursor_;
};

TEST_F(PreviewHooksTest, HoveringARowShowsItsFileAndLeavingTheRowsHidesIt) {
  ASSERT_TRUE(Preview().Handle());
  EXPECT_FALSE(Preview().IsVisible());  // created hidden at start-up, without owner
  EXPECT_EQ(::GetWindow(Preview().Handle(), GW_OWNER), nullptr);

  MoveOverRow(RowOf(u"a.txt"));
  ASSERT_TRUE(Preview().IsVisible());
  EXPECT_EQ(Preview().ItemText(IDC_PREVIEW_NAME), u"a.txt");
  EXPECT_EQ(Preview().ItemText(IDC_PREVIEW_COMMENT), u"first file\n");
  EXPECT_NE(::GetActiveWindow(), Preview().Handle());

  MoveOverRow(RowOf(u"b.txt"));
  EXPECT_EQ(Preview().ItemText(IDC_PREVIEW_NAME), u"b.txt");
  EXPECT_EQ(Preview().ItemText(IDC_PREVIEW_COMMENT), u"No Comment\n");

  // Any other control of the window: the tree.
  MoveOver(Tree(), POINT{5, 5});
  EXPECT_FALSE(Preview().IsVisible());
  // Hovering the file shown last shows it again.
  MoveOverRow(RowOf(u"b.txt"));
  EXPECT_TRUE(Preview().IsVisible());
  // The list below its rows.
  RECT client{};
  ::GetClientRect(List(), &client);
  MoveOver(List(), POINT{20, client.bottom - 5});
  EXPECT_FALSE(Preview().IsVisible());
}

TEST_F(PreviewHooksTest, ActivationChangesHideThePopup) {
  MoveOverRow(RowOf(u"a.txt"));
  ASSERT_TRUE(Preview().IsVisible());
  ::SendMessageW(Window().Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_FALSE(Preview().IsVisible());
  MoveOverRow(RowOf(u"a.txt"));
  ASSERT_TRUE(Preview().IsVisible());
  ::SendMessageW(Window().Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_FALSE(Preview().IsVisible());
}

TEST_F(PreviewHooksTest, TheListsContextMenuOpensWithThePopupHidden) {
  MoveOverRow(RowOf(u"a.txt"));
  ASSERT_TRUE(Preview().IsVisible());
  bool visibleWithMenu = true;
  std::vector<UINT> shown;
  {
    WhileModal closeMenu([&] {
      if (!shown.empty()) return;
      visibleWithMenu = Preview().IsVisible();
      shown = CloseOpenMenu();
    });
    NMHDR click{List(), IDC_FILE_LIST, static_cast<UINT>(NM_RCLICK)};
    ::SendMessageW(Window().Handle(), WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&click));
  }
  ASSERT_FALSE(shown.empty());
  EXPECT_FALSE(visibleWithMenu);
  EXPECT_TRUE(Preview().LastShown().FileName.empty());
}

TEST_F(PreviewHooksTest, ARefreshedListShowsTheNewRecords) {
  MoveOverRow(RowOf(u"a.txt"));
  AddFile(MakeFile(u"c.txt"), u"gamma;", u"added later");
  Window().ListFiles(u"*;");
  MoveOverRow(RowOf(u"c.txt"));
  EXPECT_EQ(Preview().ItemText(IDC_PREVIEW_COMMENT), u"added later\n");
  EXPECT_EQ(Preview().ItemText(IDC_PREVIEW_TAGS), u"gamma;");
}

}  // namespace
}  // namespace quillon::testing
