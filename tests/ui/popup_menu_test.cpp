#include "ui/popup_menu.h"

#include <gtest/gtest.h>

#include <functional>

#include "resources/resource.h"
#include "tests/ui/test_surface.h"
#include "ui/menu_geometry.h"

namespace quillon {
namespace {

using test::OwnerDialog;

// Runs `step` from a timer while the menu's own loop is running; the step sees the open
// popup window and answers with keys, as a user would.
std::function<void(HWND)> g_step;
int g_ticks = 0;

void CALLBACK OnTick(HWND, UINT, UINT_PTR timer, DWORD) {
  if (++g_ticks > 100) {  // a menu that never shows: close it, the test then fails
    ::KillTimer(nullptr, timer);
    ::EndMenu();
    return;
  }
  const HWND popup = ::FindWindowW(L"#32768", nullptr);
  if (!popup || !::IsWindowVisible(popup)) return;
  ::KillTimer(nullptr, timer);
  g_step(popup);
}

UINT OpenWith(HWND owner, UINT menu, std::function<void(HWND)> step,
              std::initializer_list<UINT> checked = {}) {
  g_step = std::move(step);
  g_ticks = 0;
  ::SetTimer(nullptr, 0, 30, &OnTick);
  return PopupMenuAt(menu, owner, 100, 100, checked);
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
