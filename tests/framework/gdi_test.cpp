// Ownership wrappers, the message-box switch, the command table and subclassed controls.
#include <gtest/gtest.h>
#include <windows.h>

#include "framework/command_table.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "framework/message_box.h"
#include "resources/resource.h"
#include "tests/support/windows_test_support.h"

namespace quillon {
namespace {

TEST(GdiTest, WrappersReleaseTheirObjectExactlyOnce) {
  HBRUSH raw = ::CreateSolidBrush(RGB(1, 2, 3));
  {
    GdiObject<HBRUSH> brush(raw);
    EXPECT_EQ(::GetObjectType(raw), static_cast<DWORD>(OBJ_BRUSH));
    GdiObject<HBRUSH> moved(std::move(brush));
    EXPECT_FALSE(brush);
    EXPECT_EQ(moved.Get(), raw);
  }
  EXPECT_EQ(::GetObjectType(raw), 0u);

  HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  OwnedHandle owned(event);
  owned.Reset();
  DWORD flags = 0;
  EXPECT_FALSE(::GetHandleInformation(event, &flags));
}

TEST(GdiTest, SelectedObjectsAreRestoredAtTheEndOfTheScope) {
  WindowDC screen(nullptr);
  MemoryDC memory(screen);
  ASSERT_TRUE(memory);
  GdiObject<HBITMAP> bitmap(::CreateCompatibleBitmap(screen, 4, 4));
  const HGDIOBJ before = ::GetCurrentObject(memory, OBJ_BITMAP);
  {
    SelectObjectScope keep(memory, bitmap);
    EXPECT_EQ(::GetCurrentObject(memory, OBJ_BITMAP), bitmap.Get());
    ::SetPixel(memory, 1, 1, RGB(200, 10, 20));
    EXPECT_EQ(::GetPixel(memory, 1, 1), RGB(200, 10, 20));
  }
  EXPECT_EQ(::GetCurrentObject(memory, OBJ_BITMAP), before);
}

TEST(MessageBoxTest, EveryKindOfBoxHasItsIconAndTheHandlerChoosesTheAnswer) {
  {
    testing::MessageBoxRecorder boxes;
    boxes.SetAnswer(IDNO);
    EXPECT_FALSE(AskYesNo(nullptr, u"Remove?", u"Remove"));
    ShowInformation(nullptr, u"Done.");
    ShowError(nullptr, u"Failed.", u"Quit");
    boxes.SetAnswer(IDYES);
    EXPECT_TRUE(AskYesNo(nullptr, u"Quit?", u"Quit"));
    const auto seen = boxes.Boxes();
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].text, u"Remove?");
    EXPECT_EQ(seen[0].caption, u"Remove");
    EXPECT_EQ(seen[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    // No caption given: the platform's default caption is asked for.
    EXPECT_EQ(seen[1].caption, u"");
    EXPECT_EQ(seen[1].flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(seen[2].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(seen[3].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  }
  // The recorder put back what it replaced: here, the real message box.
  const MessageBoxHandler previous = SetMessageBoxHandler({});
  EXPECT_FALSE(previous);
}

class Router {
 public:
  void Open() { ++opened; }
  void Quit() { ++quit; }
  int opened = 0;
  int quit = 0;
  static const CommandRoute<Router> kRoutes[];
};
const CommandRoute<Router> Router::kRoutes[] = {
    {ID_LIST_OPEN, &Router::Open}, {ID_FILE_OPEN_SELECTED, &Router::Open},
    {ID_FILE_EXIT, &Router::Quit}};

TEST(CommandTableTest, RoutesKnownIdsAndRefusesOthers) {
  Router router;
  EXPECT_TRUE(RunCommand(router, Router::kRoutes, ID_LIST_OPEN));
  EXPECT_TRUE(RunCommand(router, Router::kRoutes, ID_FILE_OPEN_SELECTED));
  EXPECT_TRUE(RunCommand(router, Router::kRoutes, ID_FILE_EXIT));
  EXPECT_FALSE(RunCommand(router, Router::kRoutes, ID_HELP_ABOUT));
  EXPECT_EQ(router.opened, 2);
  EXPECT_EQ(router.quit, 1);
}

// A subclassed push button that counts pointer moves and draws itself.
class ProbeButton : public CWindow {
 public:
  int moves = 0;
  POINT lastPoint{};
  int draws = 0;
  HWND drawnItem = nullptr;

 protected:
  bool OnMouseMove(UINT, POINT point) override {
    ++moves;
    lastPoint = point;
    return false;  // the button's own handling still runs
  }
  bool OnDrawSelf(const DRAWITEMSTRUCT& item) override {
    ++draws;
    drawnItem = item.hwndItem;
    return true;
  }
};

class Host : public CDialog {
 public:
  Host() : CDialog(IDD_EDIT_FOLDER) {}
};

TEST(SubclassTest, AttachedControlGetsItsMessagesAndKeepsItsOwnBehaviour) {
  testing::InitCommonControlsForTests();
  Host host;
  ASSERT_TRUE(host.Create(nullptr));
  HWND button = host.Item(IDC_BTN_DELETE);
  const LONG_PTR ownProc = ::GetWindowLongPtrW(button, GWLP_WNDPROC);
  {
    ProbeButton probe;
    ASSERT_TRUE(probe.Attach(button));
    EXPECT_FALSE(probe.Attach(button));
    EXPECT_EQ(CWindow::FromHandle(button), &probe);

    ::SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(7, 9));
    EXPECT_EQ(probe.moves, 1);
    EXPECT_EQ(probe.lastPoint.x, 7);
    EXPECT_EQ(probe.lastPoint.y, 9);
    // Messages the handlers leave reach the control.
    ::SetWindowTextW(button, L"Remove");
    EXPECT_EQ(probe.Text(), u"Remove");

    // Owner-drawn, the parent reflects the drawing request to the control's object.
    ::SetWindowLongW(button, GWL_STYLE,
                     (::GetWindowLongW(button, GWL_STYLE) & ~BS_TYPEMASK) | BS_OWNERDRAW);
    ::ShowWindow(host.Handle(), SW_SHOWNA);
    ::InvalidateRect(button, nullptr, TRUE);
    ::UpdateWindow(button);
    EXPECT_GE(probe.draws, 1);
    EXPECT_EQ(probe.drawnItem, button);
  }
  // The object is gone: the control has its own procedure back and no binding.
  EXPECT_EQ(::GetWindowLongPtrW(button, GWLP_WNDPROC), ownProc);
  EXPECT_EQ(CWindow::FromHandle(button), nullptr);
  ::SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
}

}  // namespace
}  // namespace quillon
