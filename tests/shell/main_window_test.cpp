// The main window driven for real: its frame (layout, skin, splitter, resizing, maximising),
// its menus and command routing, the keys it takes before the dialog, the settings file and
// the Run value its toggles write, the tray icon, "Exit", help, web pages and the about box.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/file_store.h"
#include "catalogue/schema.h"
#include "catalogue/tag_database.h"
#include "framework/wide.h"
#include "resources/resource.h"
#include "resources/user_texts.h"
#include "settings/settings_keys.h"
#include "shell/app/quillon_app.h"
#include "shell/main_window/quillon_dlg.h"
#include "shell/model/frame_geometry.h"
#include "shell/tray/autorun.h"
#include "tests/shell/main_window_driver.h"
#include "ui/button_ex.h"

namespace quillon::testing {
namespace {

// ---- Helpers ----

std::optional<std::u16string> RunValue() {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  wchar_t data[1024] = {};
  DWORD size = sizeof(data) - sizeof(wchar_t);
  DWORD type = 0;
  const LONG status = ::RegQueryValueExW(key, kRunValueName, nullptr, &type,
                                         reinterpret_cast<BYTE*>(data), &size);
  ::RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
  return FromWide(data);
}

bool SameRect(const RECT& a, const PixelRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

SIZE ClientSize(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  return {client.right, client.bottom};
}

bool TrayIconExists(HWND window) {
  NOTIFYICONDATAW record{};
  record.cbSize = NOTIFYICONDATAW_V3_SIZE;
  record.hWnd = window;
  record.uID = IDR_MAINFRAME;
  return ::Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
}

void TrayClick(HWND window, UINT mouseMessage) {
  ::SendMessageW(window, WM_TRAY_NOTIFY, IDR_MAINFRAME, mouseMessage);
}

// ---- Frame and skin ----

TEST_F(MainWindowTest, ControlsArePlacedInPixelsAndButtonsAreSkinned) {
  Start();
  const SIZE size = ClientSize(Main());
  ASSERT_EQ(size.cx, 700);
  ASSERT_EQ(size.cy, 500);
  const MainWindowLayout layout = LayoutMainWindow(700, 500, 210);
  const std::pair<int, PixelRect> expected[] = {
      {IDC_SEARCH_BOX, layout.searchBox},   {IDC_BTN_SEARCH, layout.searchButton},
      {IDC_BTN_FILE, layout.fileMenu},      {IDC_BTN_HELP, layout.helpMenu},
      {IDC_TOOL_ADD_FILE, layout.toolbar[0]}, {IDC_TOOL_HELP, layout.toolbar[4]},
      {IDC_BTN_MINIMIZE, layout.minimize},  {IDC_BTN_CLOSE, layout.close},
      {IDC_FOLDER_TREE, layout.tree},       {IDC_FILE_LIST, layout.list},
      {IDC_STATUS, layout.status},
  };
  for (const auto& [id, rect] : expected) {
    EXPECT_TRUE(SameRect(ClientRectOf(window_->Item(id), Main()), rect)) << id;
  }
  // Every button is a skinned, owner-drawn button with its own bitmap.
  const std::pair<int, UINT> skins[] = {
      {IDC_BTN_MINIMIZE, IDB_BTN_MINIMIZE}, {IDC_BTN_MAXIMIZE, IDB_BTN_MAXIMIZE},
      {IDC_BTN_CLOSE, IDB_BTN_CLOSE},       {IDC_BTN_EDIT, IDB_BTN_MENU},
      {IDC_TOOL_OPEN, IDB_TOOL_OPEN},       {IDC_BTN_SEARCH, IDB_BTN_SEARCH},
  };
  for (const auto& [id, bitmap] : skins) {
    const auto* button = dynamic_cast<ButtonEx*>(CWindow::FromHandle(window_->Item(id)));
    ASSERT_NE(button, nullptr) << id;
    EXPECT_EQ(button->SkinBitmap(), bitmap) << id;
    EXPECT_EQ(::GetWindowLongW(window_->Item(id), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW) << id;
  }
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(MainWindowTest, SkinLinesAndBandsArePaintedAroundTreeAndList) {
  Start();
  const DesktopLock screenPixels;
  ::SetWindowPos(Main(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ::RedrawWindow(Main(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpPending();
  WindowDC dc(Main());
  EXPECT_EQ(::GetPixel(dc, 210, 300), RGB(0xB9, 0xB9, 0xB9));  // splitter line
  EXPECT_EQ(::GetPixel(dc, 207, 300), RGB(0xEE, 0xEE, 0xEE));  // splitter band
  EXPECT_EQ(::GetPixel(dc, 5, 300), RGB(0xA8, 0xB0, 0xBF));    // frame left of the tree
  EXPECT_EQ(::GetPixel(dc, 400, 106), RGB(0x91, 0xBD, 0xFC));  // line under the search band
  EXPECT_EQ(::GetPixel(dc, 697, 300), RGB(0xFF, 0xFF, 0xFF));  // margin right of the list
  // The top band comes from the skin bitmaps: not the white dialog background.
  EXPECT_NE(::GetPixel(dc, 500, 10), RGB(0xFF, 0xFF, 0xFF));
  EXPECT_NE(::GetPixel(dc, 2, 200), RGB(0xFF, 0xFF, 0xFF));
}

TEST_F(MainWindowTest, SplitterDragMovesTreeAndListWithinLimits) {
  Start();
  MouseDown(207, 200);
  EXPECT_EQ(::GetCapture(), Main());
  MouseDrag(300, 200);
  EXPECT_EQ(window_->SplitterPosition(), 302);
  RECT tree = ClientRectOf(window_->Item(IDC_FOLDER_TREE), Main());
  RECT list = ClientRectOf(window_->Item(IDC_FILE_LIST), Main());
  EXPECT_EQ(tree.right - tree.left, 302 - 12);
  EXPECT_EQ(list.left, 303);
  EXPECT_EQ(ClientRectOf(window_->Item(IDC_SEARCH_BOX), Main()).left, 342);
  // Too close to either side: the splitter stays.
  MouseDrag(100, 200);
  EXPECT_EQ(window_->SplitterPosition(), 302);
  MouseDrag(400, 200);  // W - 300
  EXPECT_EQ(window_->SplitterPosition(), 302);
  MouseDrag(399, 200);
  EXPECT_EQ(window_->SplitterPosition(), 401);
  MouseUp(399, 200);
  EXPECT_NE(::GetCapture(), Main());
  // With the button up, moving no longer drags.
  ::SendMessageW(Main(), WM_MOUSEMOVE, 0, At(250, 200));
  EXPECT_EQ(window_->SplitterPosition(), 401);
  list = ClientRectOf(window_->Item(IDC_FILE_LIST), Main());
  EXPECT_EQ(list.left, 402);
}

TEST_F(MainWindowTest, OnAStandardDisplayTheSplitterStartsAt210AndANarrowWindowKeepsIt) {
  Start();
  // A standard Windows display at 96 DPI: template 102 is 492 pixels wide.
  ASSERT_EQ(window_->DialogUnitsToPixels(RECT{0, 0, 328, 202}).right, 492);
  EXPECT_EQ(window_->SplitterPosition(), 210);
  const auto listLeft = [&] { return ClientRectOf(window_->Item(IDC_FILE_LIST), Main()).left; };
  const RECT tree = ClientRectOf(window_->Item(IDC_FOLDER_TREE), Main());
  EXPECT_EQ(tree.right - tree.left, 210 - 12);
  EXPECT_EQ(listLeft(), 211);

  // Narrowed: the controls keep the list in the window, the splitter stays the user's.
  ::SetWindowPos(Main(), nullptr, 0, 0, 500, 500, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(listLeft(), SplitterWithin(210, 500) + 1);
  EXPECT_LT(listLeft(), 211);
  EXPECT_EQ(window_->SplitterPosition(), 210);
  ::SetWindowPos(Main(), nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(listLeft(), 211);
}

TEST_F(MainWindowTest, ResizeDragsFollowTheCursorButNeverGoBelowTheMinimum) {
  Start();
  const RECT start = ScreenRect(Main());
  // Right edge: to 800 wide, then an attempt at 450 is ignored.
  MouseDown(698, 200);
  MouseDrag(800, 200);
  EXPECT_EQ(ScreenRect(Main()).right - start.left, 800);
  MouseDrag(450, 200);
  EXPECT_EQ(ScreenRect(Main()).right - start.left, 800);
  MouseUp(450, 200);
  EXPECT_EQ(ClientSize(Main()).cx, 800);
  // The layout followed the size.
  EXPECT_EQ(ClientRectOf(window_->Item(IDC_BTN_CLOSE), Main()).left, 800 - 28);

  // Bottom-right corner to 400 x 200: held at 500 x 300, top-left unmoved.
  MouseDown(795, 495);
  MouseDrag(400, 200);
  MouseUp(400, 200);
  RECT now = ScreenRect(Main());
  EXPECT_EQ(now.left, start.left);
  EXPECT_EQ(now.top, start.top);
  EXPECT_EQ(now.right - now.left, 500);
  EXPECT_EQ(now.bottom - now.top, 300);
  EXPECT_EQ(ClientRectOf(window_->Item(IDC_STATUS), Main()).top, 300 - 20);

  // Left edge follows the cursor's screen position; the right edge stays.
  MouseDown(1, 150);
  MouseDrag(-50, 150);
  MouseUp(-50, 150);
  now = ScreenRect(Main());
  EXPECT_EQ(now.left, start.left - 50);
  EXPECT_EQ(now.right, start.left + 500);
}

TEST_F(MainWindowTest, PressInTheTopBandStartsAWindowMoveNotAResize) {
  Start();
  MouseDown(450, 20);
  EXPECT_NE(::GetCapture(), Main());
  // A press inside the window's body grabs nothing either.
  MouseDown(450, 300);
  EXPECT_NE(::GetCapture(), Main());
  MouseUp(450, 300);
}

TEST_F(MainWindowTest, MaximiseFillsTheWorkAreaAndRestoreGoesBack) {
  Start();
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  Command(IDC_BTN_MAXIMIZE);
  EXPECT_TRUE(::IsZoomed(Main()));
  RECT now = ScreenRect(Main());
  EXPECT_TRUE(EqualRect(&now, &work));
  EXPECT_EQ(ClientRectOf(window_->Item(IDC_BTN_CLOSE), Main()).left,
            (work.right - work.left) - 28);
  // Edges of a maximised window do not resize it.
  MouseDown(1, 200);
  EXPECT_NE(::GetCapture(), Main());
  // A double click on the top band restores.
  ::SendMessageW(Main(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(500, 10));
  EXPECT_FALSE(::IsZoomed(Main()));
  now = ScreenRect(Main());
  EXPECT_EQ(now.left, 150);
  EXPECT_EQ(now.top, 80);
  EXPECT_EQ(now.right - now.left, 700);
  EXPECT_EQ(now.bottom - now.top, 500);
  // Not on the band's left border, nor below the band.
  ::SendMessageW(Main(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(4, 10));
  ::SendMessageW(Main(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(500, 40));
  EXPECT_FALSE(::IsZoomed(Main()));
}

TEST_F(MainWindowTest, CursorShowsTheZoneUnderIt) {
  Start();
  const DesktopLock cursor;
  const auto cursorAt = [&](int x, int y) {
    POINT point{x, y};
    ::ClientToScreen(Main(), &point);
    ::SetCursorPos(point.x, point.y);
    ::SendMessageW(Main(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Main()),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return ::GetCursor();
  };
  EXPECT_EQ(cursorAt(698, 250), ::LoadCursorW(nullptr, IDC_SIZEWE));
  EXPECT_EQ(cursorAt(350, 498), ::LoadCursorW(nullptr, IDC_SIZENS));
  EXPECT_EQ(cursorAt(692, 492), ::LoadCursorW(nullptr, IDC_SIZENWSE));
  EXPECT_EQ(cursorAt(208, 250), ::LoadCursorW(nullptr, IDC_SIZEWE));
  EXPECT_EQ(cursorAt(350, 60), ::LoadCursorW(nullptr, IDC_ARROW));
}

// ---- Tray, closing and quitting ----

TEST_F(MainWindowTest, CaptionButtonsAndCloseHideToTheTray) {
  Start();
  EXPECT_TRUE(TrayIconExists(Main()));
  for (const int hide : {IDC_BTN_MINIMIZE, IDC_BTN_CLOSE, 0}) {
    ::ShowWindow(Main(), SW_SHOWNORMAL);
    if (hide) {
      Command(hide);
    } else {
      ::SendMessageW(Main(), WM_CLOSE, 0, 0);
    }
    EXPECT_FALSE(window_->IsVisible()) << hide;
    EXPECT_FALSE(window_->Ended()) << hide;
    EXPECT_TRUE(TrayIconExists(Main())) << hide;
  }
  // "Open Quillon" shows it again.
  Command(ID_TRAY_OPEN);
  EXPECT_TRUE(window_->IsVisible());
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(MainWindowTest, TrayLeftClickTogglesTheWindow) {
  Start();
  TrayClick(Main(), WM_LBUTTONUP);
  EXPECT_FALSE(window_->IsVisible());
  TrayClick(Main(), WM_LBUTTONUP);
  EXPECT_TRUE(window_->IsVisible());
  EXPECT_FALSE(::IsIconic(Main()));
  // Other mouse messages of the icon do nothing.
  TrayClick(Main(), WM_MOUSEMOVE);
  TrayClick(Main(), WM_LBUTTONDOWN);
  EXPECT_TRUE(window_->IsVisible());
}

TEST_F(MainWindowTest, TrayRightClickOpensItsMenuWhoseOpenQuillonShowsTheWindow) {
  Start();
  Command(IDC_BTN_CLOSE);
  ASSERT_FALSE(window_->IsVisible());
  MenuSeen seen;
  const DesktopLock cursorAndMenus;  // the menu opens at the cursor
  ASSERT_TRUE(WhenShown(
      OpenPopupMenu,
      [&](HWND popup) {
        seen = Inspect(popup);
        Key(popup, VK_UP);  // from nothing to the last item, "Exit"
        Key(popup, VK_UP);  // "Open Quillon"
        Key(popup, VK_RETURN);
      },
      [&] { TrayClick(Main(), WM_RBUTTONUP); }));
  EXPECT_EQ(seen.commands,
            (std::vector<UINT>{ID_TRAY_BUG_REPORT, ID_TRAY_UPDATES, 0, ID_TRAY_ADD_FILE, 0,
                               ID_TRAY_SHOW_HIDE_QUICK_BAR, ID_TRAY_OPEN, ID_TRAY_EXIT}));
  EXPECT_TRUE(window_->IsVisible());
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(MainWindowTest, ExitAsksAndOnlyYesEndsTheRun) {
  Start();
  boxes.SetAnswer(IDNO);
  Command(ID_FILE_EXIT);
  ASSERT_EQ(boxes.Count(), 1u);
  const MessageBoxRequest box = boxes.Boxes()[0];
  EXPECT_EQ(box.text, UserText(TEXT_QUIT_CONFIRM));
  EXPECT_EQ(box.caption, UserText(TEXT_QUIT_CAPTION));
  EXPECT_EQ(box.flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(box.owner, Main());
  EXPECT_FALSE(window_->Ended());
  EXPECT_TRUE(TrayIconExists(Main()));

  boxes.SetAnswer(IDYES);
  Command(ID_TRAY_EXIT);
  EXPECT_EQ(boxes.Count(), 2u);
  EXPECT_TRUE(window_->Ended());
  EXPECT_EQ(window_->Result(), IDOK);
  EXPECT_FALSE(TrayIconExists(Main()));
}

TEST_F(MainWindowTest, QuitSavesTheQuickBarPlaceEvenWhenItIsHidden) {
  WriteSettings("[QuickBar]\r\nAutoshow=No\r\n");
  MakeQuickBar();
  Start();
  EXPECT_FALSE(::IsWindowVisible(quickBar_));
  ::MoveWindow(quickBar_, 345, 456, 200, 40, FALSE);
  boxes.SetAnswer(IDYES);
  Command(ID_FILE_EXIT);
  EXPECT_TRUE(window_->Ended());
  EXPECT_EQ(Setting(L"Software", L"QuickBarX"), u"345");
  EXPECT_EQ(Setting(L"Software", L"QuickBarY"), u"456");
}

TEST_F(MainWindowTest, QuitWithoutAQuickBarWritesNoPlace) {
  Start();
  boxes.SetAnswer(IDYES);
  Command(ID_FILE_EXIT);
  EXPECT_TRUE(window_->Ended());
  EXPECT_EQ(Setting(L"Software", L"QuickBarX"), u"<absent>");
}

// ---- Settings, autorun and the quick bar ----

TEST_F(MainWindowTest, FirstStartWithFreshSettingsUnregistersAndRecordsItRan) {
  Start();
  EXPECT_EQ(Setting(L"Software", L"Autorun"), u"No");
  EXPECT_EQ(Setting(L"Software", L"WindowsMode"), u"No");
  EXPECT_FALSE(RunValue().has_value());
}

TEST_F(MainWindowTest, FirstStartWithAutorunOffRegistersTheRunValue) {
  WriteSettings("[Software]\r\nAutorun=No\r\nWindowsMode=Yes\r\n");
  Start();
  EXPECT_EQ(Setting(L"Software", L"Autorun"), u"Yes");
  EXPECT_EQ(Setting(L"Software", L"WindowsMode"), u"No");
  EXPECT_EQ(RunValue(), AutorunCommand(ProgramPath()));
  EXPECT_EQ(RunValue().value_or(u"").substr(RunValue().value_or(u"").size() - 3), u" -m");
}

TEST_F(MainWindowTest, LaterStartsLeaveTheStartItemAlone) {
  WriteSettings("[Software]\r\nAutorun=No\r\nWindowsMode=No\r\n");
  Start();
  EXPECT_EQ(Setting(L"Software", L"Autorun"), u"No");
  EXPECT_FALSE(RunValue().has_value());
}

TEST_F(MainWindowTest, StartItemToggleWritesTheSettingAndTheRunValue) {
  Start();
  ASSERT_EQ(Setting(L"Software", L"Autorun"), u"No");
  EXPECT_FALSE(window_->IsStartItemOn());
  Command(ID_EDIT_START_ITEM);
  EXPECT_EQ(Setting(L"Software", L"Autorun"), u"Yes");
  EXPECT_EQ(RunValue(), AutorunCommand(ProgramPath()));
  EXPECT_TRUE(window_->IsStartItemOn());
  Command(ID_EDIT_START_ITEM);
  EXPECT_EQ(Setting(L"Software", L"Autorun"), u"No");
  EXPECT_FALSE(RunValue().has_value());
}

TEST_F(MainWindowTest, EditMenuCheckMarkFollowsTheSettingsFile) {
  Start();
  MenuSeen seen = DropDown([&] { Command(IDC_BTN_EDIT); });
  EXPECT_EQ(seen.commands,
            (std::vector<UINT>{ID_EDIT_FILE_TAGS, ID_EDIT_FOLDER_TAGS, 0, ID_EDIT_DELETE_FILES,
                               ID_EDIT_DELETE_FOLDER, 0, ID_EDIT_START_ITEM}));
  EXPECT_TRUE(seen.checked.empty());
  // Read anew at every drop-down: a change behind the window's back shows.
  ::WritePrivateProfileStringW(L"Software", L"Autorun", L"Yes", SettingsPath().wstring().c_str());
  seen = DropDown([&] { Command(IDC_BTN_EDIT); });
  EXPECT_EQ(seen.checked, (std::vector<UINT>{ID_EDIT_START_ITEM}));
  // The menu opens at the button's left edge, 30 pixels below its top.
  const RECT button = ScreenRect(window_->Item(IDC_BTN_EDIT));
  EXPECT_EQ(seen.place.left, button.left);
  EXPECT_EQ(seen.place.top, button.top + 30);
}

TEST_F(MainWindowTest, QuickBarMenuCheckMarkAndAutoshowToggle) {
  Start();
  // Absent counts as on.
  MenuSeen seen = DropDown([&] { Command(IDC_BTN_QUICK_BAR); });
  EXPECT_EQ(seen.commands, (std::vector<UINT>{ID_QUICK_BAR_SHOW_HIDE, ID_QUICK_BAR_AUTOSHOW}));
  EXPECT_EQ(seen.checked, (std::vector<UINT>{ID_QUICK_BAR_AUTOSHOW}));
  Command(ID_QUICK_BAR_AUTOSHOW);
  EXPECT_EQ(Setting(L"QuickBar", L"Autoshow"), u"No");
  EXPECT_TRUE(DropDown([&] { Command(IDC_BTN_QUICK_BAR); }).checked.empty());
  Command(ID_QUICK_BAR_AUTOSHOW);
  EXPECT_EQ(Setting(L"QuickBar", L"Autoshow"), u"Yes");
  // Only "Yes" exactly is on.
  ::WritePrivateProfileStringW(L"QuickBar", L"Autoshow", L"yes", SettingsPath().wstring().c_str());
  EXPECT_FALSE(window_->IsQuickBarAutoshowOn());
  EXPECT_TRUE(DropDown([&] { Command(IDC_BTN_QUICK_BAR); }).checked.empty());
  Command(ID_QUICK_BAR_AUTOSHOW);
  EXPECT_EQ(Setting(L"QuickBar", L"Autoshow"), u"Yes");
}

TEST_F(MainWindowTest, QuickBarShowsAtStartWhenAutoshowIsOnAndTogglesFromBothMenus) {
  MakeQuickBar();
  Start();
  EXPECT_TRUE(::IsWindowVisible(quickBar_));
  Command(ID_QUICK_BAR_SHOW_HIDE);
  EXPECT_FALSE(::IsWindowVisible(quickBar_));
  Command(ID_TRAY_SHOW_HIDE_QUICK_BAR);
  EXPECT_TRUE(::IsWindowVisible(quickBar_));
}

TEST_F(MainWindowTest, QuickBarStaysHiddenAtStartWhenAutoshowIsOff) {
  WriteSettings("[QuickBar]\r\nAutoshow=yes\r\n");
  MakeQuickBar();
  ::ShowWindow(quickBar_, SW_SHOWNOACTIVATE);
  Start();
  EXPECT_FALSE(::IsWindowVisible(quickBar_));
}

TEST_F(MainWindowTest, MenuButtonsDropDownTheirMenus) {
  Start();
  const MenuSeen file = DropDown([&] { Command(IDC_BTN_FILE); });
  ASSERT_EQ(file.commands.size(), 5u);  // "Add" submenu, separator, open, separator, exit
  EXPECT_EQ(file.commands[2], static_cast<UINT>(ID_FILE_OPEN_SELECTED));
  EXPECT_EQ(file.commands[4], static_cast<UINT>(ID_FILE_EXIT));
  const MenuSeen help = DropDown([&] { Command(IDC_BTN_HELP); });
  EXPECT_EQ(help.commands,
            (std::vector<UINT>{ID_HELP_CONTENTS, ID_HELP_ONLINE, 0, ID_HELP_WEBSITE,
                               ID_HELP_UPDATES, ID_HELP_BUG_REPORT, 0, ID_HELP_ABOUT}));
}

TEST_F(MainWindowTest, ExitChosenFromTheFileMenuAsks) {
  boxes.SetAnswer(IDNO);
  Start();
  ASSERT_TRUE(WhenShown(
      OpenPopupMenu,
      [](HWND popup) {
        Key(popup, VK_UP);  // the last item, "Exit"
        Key(popup, VK_RETURN);
      },
      [&] { Command(IDC_BTN_FILE); }));
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, UserText(TEXT_QUIT_CONFIRM));
  EXPECT_FALSE(window_->Ended());
}

// ---- Keys and drops ----

TEST_F(MainWindowTest, EscapeIsSwallowedAndEnterInTheSearchBoxSearchesAndSelectsIt) {
  Start();
  const HWND searchBox = window_->Item(IDC_SEARCH_BOX);
  ::SetFocus(searchBox);
  MSG escape{searchBox, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
  EXPECT_TRUE(window_->PreTranslateMessage(escape));

  ::SetWindowTextW(searchBox, L"photo  trip");
  MSG enter{searchBox, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_TRUE(window_->PreTranslateMessage(enter));
  const std::u16string text = window_->ItemText(IDC_SEARCH_BOX);
  EXPECT_EQ(text, u"photo;trip;");
  EXPECT_EQ(window_->CurrentFilter(), u"photo;trip;");
  DWORD start = 0, end = 0;
  ::SendMessageW(searchBox, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, text.size());
  EXPECT_FALSE(window_->Ended());
}

TEST_F(MainWindowTest, EnterElsewhereOpensTheSelectedFilesAndLeavesTheRestToTheDialog) {
  Start();
  ::SetFocus(window_->Item(IDC_FILE_LIST));
  MSG enter{window_->Item(IDC_FILE_LIST), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_FALSE(window_->PreTranslateMessage(enter));
  // Nothing selected: the open command says so.
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, UserText(TEXT_SELECT_FILE));
}

TEST_F(MainWindowTest, F5ListsTheCurrentFilterAgain) {
  Start();
  const HWND list = window_->Item(IDC_FILE_LIST);
  const auto rows = [&] { return ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0); };
  const LRESULT before = rows();
  FileRecord record;
  record.Path = u"C:\\Documents";
  record.FileName = u"added-behind-the-window.txt";
  record.Tags = u"later;";
  ASSERT_TRUE(InsertFile(app_->Database(), record));
  EXPECT_EQ(rows(), before);
  MSG f5{list, WM_KEYDOWN, VK_F5, 0, 0, {}};
  EXPECT_TRUE(window_->PreTranslateMessage(f5));
  EXPECT_EQ(rows(), before + 1);
}

TEST_F(MainWindowTest, DroppedFilesWaitForInitialisationAndEmptyFoldersBringNothing) {
  Start();
  Command(IDC_BTN_CLOSE);
  // An empty folder and a path that does not exist: nothing is added, the window stays hidden.
  SendDroppedFiles(Main(), {MakeFolder(u"empty"), (folder_.Path() / "gone.txt").u16string()},
                            POINT{300, 300});
  EXPECT_FALSE(window_->IsVisible());
  EXPECT_EQ(boxes.Count(), 0u);

  // A file shows the window and opens the Edit Tags dialog for it.
  const std::filesystem::path file = folder_.Path() / "letter.txt";
  std::ofstream(file) << "hello";
  int dialogs = 0;
  {
    WhileModal cancel([&] {
      if (CDialog* dialog = OpenDialog(IDD_EDIT_FILE)) {
        ++dialogs;
        Press(*dialog, IDCANCEL);
      }
    });
    SendDroppedFiles(Main(), {file.u16string()}, POINT{300, 300});
  }
  EXPECT_TRUE(window_->IsVisible());
  EXPECT_EQ(dialogs, 1);
}

// ---- Help, web pages and about ----

TEST_F(MainWindowTest, HelpFileOpensFromTheDataFolderForEveryHelpCommand) {
  Start();
  Command(ID_HELP_CONTENTS);
  Command(IDC_TOOL_HELP);
  HELPINFO help{sizeof(help), HELPINFO_WINDOW, 0, nullptr, 0, {}};
  EXPECT_NE(::SendMessageW(Main(), WM_HELP, 0, reinterpret_cast<LPARAM>(&help)), 0);
  const std::vector<ShellOpenRequest> requests = shell.Requests();
  ASSERT_EQ(requests.size(), 3u);
  for (const ShellOpenRequest& request : requests) {
    EXPECT_EQ(request.verb, u"open");
    EXPECT_EQ(request.file, DataFolder() + u"\\help.chm");
    EXPECT_TRUE(request.parameters.empty());
    EXPECT_TRUE(request.directory.empty());
    EXPECT_EQ(request.show, SW_SHOWNORMAL);
  }
}

TEST_F(MainWindowTest, WebCommandsStartTheBrowserOnTheirPages) {
  Start();
  const std::pair<int, std::u16string> pages[] = {
      {ID_HELP_ONLINE, u"/quillon/help.php?client=1"},
      {ID_HELP_WEBSITE, u"/index.php?client=1"},
      {ID_HELP_UPDATES, u"/update.php?product=quillon&ver=1.0.0"},
      {ID_TRAY_UPDATES, u"/update.php?product=quillon&ver=1.0.0"},
      {ID_HELP_BUG_REPORT, u"/bug.php?product=quillon"},
      {ID_TRAY_BUG_REPORT, u"/bug.php?product=quillon"},
  };
  for (const auto& [command, page] : pages) Command(command);
  const std::vector<ShellOpenRequest> requests = shell.Requests();
  ASSERT_EQ(requests.size(), std::size(pages));
  for (std::size_t i = 0; i < requests.size(); ++i) {
    const std::u16string& address = requests[i].parameters;
    EXPECT_TRUE(requests[i].verb.empty()) << i;
    EXPECT_EQ(requests[i].file, u"iexplore") << i;
    EXPECT_EQ(address.rfind(u"http://", 0), 0u) << i;
    ASSERT_GE(address.size(), pages[i].second.size());
    EXPECT_EQ(address.substr(address.size() - pages[i].second.size()), pages[i].second) << i;
  }
  // Both "Check for Updates" commands start the very same page.
  EXPECT_EQ(requests[2].parameters, requests[3].parameters);
}

HWND AboutBox() {
  const CDialog* about = OpenDialog(IDD_ABOUTBOX);
  return about ? about->Handle() : nullptr;
}

TEST_F(MainWindowTest, AboutBoxShowsTheBannerAndItsHelpKeyOpensTheHelpFile) {
  Start();
  bool banner = false;
  RECT place{};
  ASSERT_TRUE(WhenShown(
      AboutBox,
      [&](HWND box) {
        banner = ::SendDlgItemMessageW(box, IDC_ABOUT_BANNER, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
        place = ScreenRect(box);
        HELPINFO help{sizeof(help), HELPINFO_WINDOW, 0, nullptr, 0, {}};
        ::SendMessageW(box, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
      },
      [&] { Command(ID_HELP_ABOUT); }));
  EXPECT_TRUE(banner);
  // Over the middle of the main window.
  const RECT main = ScreenRect(Main());
  EXPECT_LE(std::abs((place.left + place.right) - (main.left + main.right)), 2);
  EXPECT_LE(std::abs((place.top + place.bottom) - (main.top + main.bottom)), 2);
  ASSERT_EQ(shell.Count(), 1u);
  EXPECT_EQ(shell.Requests()[0].file, DataFolder() + u"\\help.chm");
  EXPECT_EQ(AboutBox(), nullptr);
}

TEST_F(MainWindowTest, SystemMenuCarriesTheAboutItemForCommandsSixteenToThirtyOne) {
  Start();
  const HMENU systemMenu = ::GetSystemMenu(Main(), FALSE);
  const int last = ::GetMenuItemCount(systemMenu) - 1;
  ASSERT_GT(last, 0);
  wchar_t text[64] = {};
  ::GetMenuStringW(systemMenu, last, text, 64, MF_BYPOSITION);
  EXPECT_EQ(std::wstring(text), L"" TEXT_ABOUTBOX);
  EXPECT_EQ(::GetMenuItemID(systemMenu, last), static_cast<UINT>(IDM_ABOUTBOX));
  for (const UINT command : {0x10u, 0x1Fu}) {
    EXPECT_TRUE(WhenShown(
        AboutBox, [](HWND box) { ::PostMessageW(box, WM_COMMAND, IDOK, 0); },
        [&] { ::SendMessageW(Main(), WM_SYSCOMMAND, command, 0); }))
        << command;
  }
}

}  // namespace
}  // namespace quillon::testing
