#include "ui/popup_menu.h"

#include <gtest/gtest.h>

#include <functional>

#include "resources/resource.h"
#include "tests/support/modal_step.h"
#include "tests/ui/test_surface.h"
#include "ui/menu_geometry.h"

namespace quillon {
namespace {

using test::OwnerDialog;

// Opens `menu` for `owner` and, once the popup shows, lets `step` answer with keys as a user
// would; returns the command chosen.
UINT OpenWith(HWND owner, UINT menu, const std::function<void(HWND)>& step,
              std::initializer_list<UINT> checked = {}) {
  UINT chosen = 0;
  EXPECT_TRUE(testing::WhenShown(testing::OpenPopupMenu, step,
                                 [&] { chosen = PopupMenuAt(menu, owner, 100, 100, checked); }));
  return chosen;
}

void Key(HWND window, UINT key) {
  ::PostMessageW(window, WM_KEYDOWN, key, 0);
  ::PostMessageW(window, WM_KEYUP, key, 0xC0000000);
}

class PopupMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(owner.Create(nullptr));
    ::SetWindowPos(owner.Handle(), nullptr, 0, 0, 50, 50, SWP_NOZORDER | SWP_SHOWWINDOW);
    ::SetForegroundWindow(owner.Handle());
  }
  void TearDown() override { owner.Destroy(); }
  OwnerDialog owner;
};

TEST_F(PopupMenuTest, ChosenCommandReachesTheOwnerAndIsReturned) {
  const UINT chosen = OpenWith(owner.Handle(), IDR_MENU_FILES, [](HWND popup) {
    Key(popup, VK_DOWN);
    Key(popup, VK_DOWN);  // "Open with..."
    Key(popup, VK_RETURN);
  });
  EXPECT_EQ(chosen, static_cast<UINT>(ID_LIST_OPEN_WITH));
  EXPECT_EQ(owner.commands, 1);
  EXPECT_EQ(owner.lastCommand, ID_LIST_OPEN_WITH);
}

TEST_F(PopupMenuTest, CancelledMenuSendsNothing) {
  const UINT chosen =
      OpenWith(owner.Handle(), IDR_MENU_TREE, [](HWND popup) { Key(popup, VK_ESCAPE); });
  EXPECT_EQ(chosen, 0u);
  EXPECT_EQ(owner.commands, 0);
}

TEST_F(PopupMenuTest, OpenMenuIsDrawnInTheOfficeLook) {
  const testing::DesktopLock screenPixels;
  COLORREF column = CLR_INVALID;
  RECT popupRect{};
  OpenWith(owner.Handle(), IDR_MENU_QUICK_BAR,
           [&](HWND popup) {
             ::UpdateWindow(popup);
             ::GetWindowRect(popup, &popupRect);
             // The first item's left edge, inside the popup's border.
             WindowDC screen(nullptr);
             column = ::GetPixel(screen, popupRect.left + 8, popupRect.top + 10);
             Key(popup, VK_ESCAPE);
           },
           {ID_QUICK_BAR_AUTOSHOW});
  EXPECT_EQ(column, RGB(99, 190, 255));
  // Items were measured by the menu: text width + 33, wider than the bare text would be.
  EXPECT_GT(popupRect.right - popupRect.left, 200);
}

TEST_F(PopupMenuTest, MissingMenuShowsNothing) {
  EXPECT_EQ(PopupMenuAt(4711, owner.Handle(), 10, 10), 0u);
  EXPECT_EQ(owner.commands, 0);
}

}  // namespace
}  // namespace quillon
