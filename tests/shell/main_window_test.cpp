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
#include "shell/autorun.h"
#include "shell/frame_geometry.h"
#include "shell/quillon_app.h"
#include "shell/quillon_dlg.h"
#include "shell/settings_rules.h"
#include "tests/support/shell_open_recorder.h"
#include "tests/support/windows_test_support.h"
#include "ui/button_ex.h"

namespace quillon {
namespace {

using testing::MessageBoxRecorder;
using testing::PumpPending;
using testing::PumpUntil;
using testing::ShellOpenRecorder;

// ---- Helpers ----

// Runs `step` from a timer once a window that `find` finds has shown, while a modal loop (a
// popup menu's or a dialog's) is running; gives up after about three seconds.
class WhenShown {
 public:
  WhenShown(std::function<HWND()> find, std::function<void(HWND)> step) {
    find_ = std::move(find);
    step_ = std::move(step);
    ticks_ = 0;
    seen_ = false;
    timer_ = ::SetTimer(nullptr, 0, 30, &Tick);
  }
  ~WhenShown() {
    if (timer_) ::KillTimer(nullptr, timer_);
  }
  bool Seen() const { return seen_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
    if (++ticks_ > 100) {
      ::KillTimer(nullptr, timer);
      ::EndMenu();  // a menu that never showed the window: the test then fails
      return;
    }
    const HWND window = find_();
    if (!window || !::IsWindowVisible(window)) return;
    ::KillTimer(nullptr, timer);
    timer_ = 0;
    seen_ = true;
    step_(window);
  }

  static inline std::function<HWND()> find_;
  static inline std::function<void(HWND)> step_;
  static inline int ticks_ = 0;
  static inline bool seen_ = false;
  static inline UINT_PTR timer_ = 0;
};

HWND OpenPopupMenu() { return ::FindWindowW(L"#32768", nullptr); }

void Key(HWND window, UINT key) {
  ::PostMessageW(window, WM_KEYDOWN, key, 0);
  ::PostMessageW(window, WM_KEYUP, key, 0xC0000000);
}

// What an open popup menu shows.
struct MenuSeen {
  RECT place{};
  std::vector<UINT> commands;  // 0 for separators
  std::vector<UINT> checked;
};

MenuSeen Inspect(HWND popup) {
  MenuSeen seen;
  ::GetWindowRect(popup, &seen.place);
  const auto menu = reinterpret_cast<HMENU>(::SendMessageW(popup, MN_GETHMENU, 0, 0));
  for (int i = 0; menu && i < ::GetMenuItemCount(menu); ++i) {
    const UINT id = ::GetMenuItemID(menu, i);
    const UINT command = id == static_cast<UINT>(-1) ? 0 : id;
    seen.commands.push_back(command);
    if (::GetMenuState(menu, i, MF_BYPOSITION) & MF_CHECKED) seen.checked.push_back(command);
  }
  return seen;
}

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

void DeleteRunValue() {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
    ::RegDeleteValueW(key, kRunValueName);
    ::RegCloseKey(key);
  }
}

RECT ClientRectOf(HWND control, HWND parent) {
  RECT rect{};
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

RECT ScreenRect(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return rect;
}

bool SameRect(const RECT& a, const PixelRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// ---- Fixture ----

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::temp_directory_path() / "quillon-main" / info->name();
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    ASSERT_TRUE(CreateCatalogue((folder_ / "data.dat").u16string()));
    DeleteRunValue();
  }
  void TearDown() override {
    if (window_) window_->Destroy();
    window_.reset();
    app_.reset();
    if (quickBar_) ::DestroyWindow(quickBar_);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  std::u16string DataFolder() const { return folder_.u16string(); }
  std::filesystem::path SettingsPath() const { return folder_ / "update.dat"; }

  void WriteSettings(const std::string& text) {
    std::ofstream(SettingsPath(), std::ios::binary) << text;
  }
  // The value as the file holds it; "<absent>" when it has none.
  std::u16string Setting(const wchar_t* section, const wchar_t* key) const {
    wchar_t value[260] = {};
    ::GetPrivateProfileStringW(section, key, L"<absent>", value, 260,
                               SettingsPath().wstring().c_str());
    return FromWide(value);
  }

  // A stand-in for the quick bar's window, registered before the main window starts.
  void MakeQuickBar() {
    quickBar_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"quick bar", WS_POPUP, 321, 234,
                                  200, 40, nullptr, nullptr, nullptr, nullptr);
  }

  void Start() {
    app_ = std::make_unique<CQuillonApp>(DataFolder());
    app_->SetCommandLine(u"quillon.exe");
    app_->InitInstance();
    if (quickBar_) app_->SetQuickBarWindow(quickBar_);
    window_ = std::make_unique<CQuillonDlg>(*app_);
    ASSERT_TRUE(window_->Create(nullptr));
    ASSERT_TRUE(PumpUntil([&] { return app_->Loading().Finished(); }));
    PumpPending();
    ASSERT_EQ(window_->StatusText(), u"Ready");
  }

  HWND Main() const { return window_->Handle(); }
  void Command(int id) { ::SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  SIZE Size() const {
    RECT client{};
    ::GetClientRect(Main(), &client);
    return {client.right, client.bottom};
  }
  void Press(int x, int y) { ::SendMessageW(Main(), WM_LBUTTONDOWN, MK_LBUTTON, At(x, y)); }
  void DragTo(int x, int y) { ::SendMessageW(Main(), WM_MOUSEMOVE, MK_LBUTTON, At(x, y)); }
  void Release(int x, int y) { ::SendMessageW(Main(), WM_LBUTTONUP, 0, At(x, y)); }

  bool TrayIconExists() const {
    NOTIFYICONDATAW record{};
    record.cbSize = NOTIFYICONDATAW_V3_SIZE;
    record.hWnd = Main();
    record.uID = IDR_MAINFRAME;
    return ::Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
  }
  void TrayClick(UINT mouseMessage) {
    ::SendMessageW(Main(), WM_TRAY_NOTIFY, IDR_MAINFRAME, mouseMessage);
  }

  // Opens a menu through `open` and returns what it showed; the menu is cancelled.
  MenuSeen DropDown(const std::function<void()>& open) {
    MenuSeen seen;
    WhenShown menu(OpenPopupMenu, [&](HWND popup) {
      seen = Inspect(popup);
      Key(popup, VK_ESCAPE);
    });
    open();
    EXPECT_TRUE(menu.Seen());
    return seen;
  }

  std::filesystem::path folder_;
  HWND quickBar_ = nullptr;
  std::unique_ptr<CQuillonApp> app_;
  std::unique_ptr<CQuillonDlg> window_;
};

// ---- Frame and skin ----

TEST_F(MainWindowTest, ControlsArePlacedInPixelsAndButtonsAreSkinned) {
  MessageBoxRecorder boxes;
  Start();
  const SIZE size = Size();
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
  Press(207, 200);
  EXPECT_EQ(::GetCapture(), Main());
  DragTo(300, 200);
  EXPECT_EQ(window_->SplitterPosition(), 302);
  RECT tree = ClientRectOf(window_->Item(IDC_FOLDER_TREE), Main());
  RECT list = ClientRectOf(window_->Item(IDC_FILE_LIST), Main());
  EXPECT_EQ(tree.right - tree.left, 302 - 12);
  EXPECT_EQ(list.left, 303);
  EXPECT_EQ(ClientRectOf(window_->Item(IDC_SEARCH_BOX), Main()).left, 342);
  // Too close to either side: the splitter stays.
  DragTo(100, 200);
  EXPECT_EQ(window_->SplitterPosition(), 302);
  DragTo(400, 200);  // W - 300
  EXPECT_EQ(window_->SplitterPosition(), 302);
  DragTo(399, 200);
  EXPECT_EQ(window_->SplitterPosition(), 401);
  Release(399, 200);
  EXPECT_NE(::GetCapture(), Main());
  // With the button up, moving no longer drags.
  ::SendMessageW(Main(), WM_MOUSEMOVE, 0, At(250, 200));
  EXPECT_EQ(window_->SplitterPosition(), 401);
  list = ClientRectOf(window_->Item(IDC_FILE_LIST), Main());
  EXPECT_EQ(list.left, 402);
}

TEST_F(MainWindowTest, ResizeDragsFollowTheCursorButNeverGoBelowTheMinimum) {
  Start();
  const RECT start = ScreenRect(Main());
  // Right edge: to 800 wide, then an attempt at 450 is ignored.
  Press(698, 200);
  DragTo(800, 200);
  EXPECT_EQ(ScreenRect(Main()).right - start.left, 800);
  DragTo(450, 200);
  EXPECT_EQ(ScreenRect(Main()).right - start.left, 800);
  Release(450, 200);
  EXPECT_EQ(Size().cx, 800);
  // The layout followed the size.
  EXPECT_EQ(ClientRectOf(window_->Item(IDC_BTN_CLOSE), Main()).left, 800 - 28);

  // Bottom-right corner to 400 x 200: held at 500 x 300, top-left unmoved.
  Press(795, 495);
  DragTo(400, 200);
  Release(400, 200);
  RECT now = ScreenRect(Main());
  EXPECT_EQ(now.left, start.left);
  EXPECT_EQ(now.top, start.top);
  EXPECT_EQ(now.right - now.left, 500);
  EXPECT_EQ(now.bottom - now.top, 300);
  EXPECT_EQ(ClientRectOf(window_->Item(IDC_STATUS), Main()).top, 300 - 20);

  // Left edge follows the cursor's screen position; the right edge stays.
  Press(1, 150);
  DragTo(-50, 150);
  Release(-50, 150);
  now = ScreenRect(Main());
  EXPECT_EQ(now.left, start.left - 50);
  EXPECT_EQ(now.right, start.left + 500);
}

TEST_F(MainWindowTest, PressInTheTopBandStartsAWindowMoveNotAResize) {
  Start();
  Press(450, 20);
  EXPECT_NE(::GetCapture(), Main());
  // A press inside the window's body grabs nothing either.
  Press(450, 300);
  EXPECT_NE(::GetCapture(), Main());
  Release(450, 300);
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
  Press(1, 200);
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
  MessageBoxRecorder boxes;
  Start();
  EXPECT_TRUE(TrayIconExists());
  for (const int hide : {IDC_BTN_MINIMIZE, IDC_BTN_CLOSE, 0}) {
    ::ShowWindow(Main(), SW_SHOWNORMAL);
    if (hide) {
      Command(hide);
    } else {
      ::SendMessageW(Main(), WM_CLOSE, 0, 0);
    }
    EXPECT_FALSE(window_->IsVisible()) << hide;
    EXPECT_FALSE(window_->Ended()) << hide;
    EXPECT_TRUE(TrayIconExists()) << hide;
  }
  // "Open Quillon" shows it again.
  Command(ID_TRAY_OPEN);
  EXPECT_TRUE(window_->IsVisible());
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(MainWindowTest, TrayLeftClickTogglesTheWindow) {
  Start();
  TrayClick(WM_LBUTTONUP);
  EXPECT_FALSE(window_->IsVisible());
  TrayClick(WM_LBUTTONUP);
  EXPECT_TRUE(window_->IsVisible());
  EXPECT_FALSE(::IsIconic(Main()));
  // Other mouse messages of the icon do nothing.
  TrayClick(WM_MOUSEMOVE);
  TrayClick(WM_LBUTTONDOWN);
  EXPECT_TRUE(window_->IsVisible());
}

TEST_F(MainWindowTest, TrayRightClickOpensItsMenuWhoseOpenQuillonShowsTheWindow) {
  MessageBoxRecorder boxes;
  Start();
  Command(IDC_BTN_CLOSE);
  ASSERT_FALSE(window_->IsVisible());
  MenuSeen seen;
  WhenShown menu(OpenPopupMenu, [&](HWND popup) {
    seen = Inspect(popup);
    Key(popup, VK_UP);  // from nothing to the last item, "Exit"
    Key(popup, VK_UP);  // "Open Quillon"
    Key(popup, VK_RETURN);
  });
  POINT cursor{};
  ::GetCursorPos(&cursor);
  TrayClick(WM_RBUTTONUP);
  ASSERT_TRUE(menu.Seen());
  EXPECT_EQ(seen.commands,
            (std::vector<UINT>{ID_TRAY_BUG_REPORT, ID_TRAY_UPDATES, 0, ID_TRAY_ADD_FILE, 0,
                               ID_TRAY_SHOW_HIDE_QUICK_BAR, ID_TRAY_OPEN, ID_TRAY_EXIT}));
  EXPECT_TRUE(window_->IsVisible());
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(MainWindowTest, ExitAsksAndOnlyYesEndsTheRun) {
  MessageBoxRecorder boxes;
  Start();
  boxes.SetAnswer(IDNO);
  Command(ID_FILE_EXIT);
  ASSERT_EQ(boxes.Count(), 1u);
  const MessageBoxRequest box = boxes.Boxes()[0];
  EXPECT_EQ(box.text, u"Quit Veldmark Quillon now?");
  EXPECT_EQ(box.caption, u"Quit");
  EXPECT_EQ(box.flags, static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(box.owner, Main());
  EXPECT_FALSE(window_->Ended());
  EXPECT_TRUE(TrayIconExists());

  boxes.SetAnswer(IDYES);
  Command(ID_TRAY_EXIT);
  EXPECT_EQ(boxes.Count(), 2u);
  EXPECT_TRUE(window_->Ended());
  EXPECT_EQ(window_->Result(), IDOK);
  EXPECT_FALSE(TrayIconExists());
}

TEST_F(MainWindowTest, QuitSavesTheQuickBarPlaceEvenWhenItIsHidden) {
  WriteSettings("[QuickBar]\r\nAutoshow=No\r\n");
  MakeQuickBar();
  MessageBoxRecorder boxes;
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
  MessageBoxRecorder boxes;
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
  MessageBoxRecorder boxes;
  boxes.SetAnswer(IDNO);
  Start();
  WhenShown menu(OpenPopupMenu, [](HWND popup) {
    Key(popup, VK_UP);  // the last item, "Exit"
    Key(popup, VK_RETURN);
  });
  Command(IDC_BTN_FILE);
  ASSERT_TRUE(menu.Seen());
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, u"Quit Veldmark Quillon now?");
  EXPECT_FALSE(window_->Ended());
}

// ---- Keys and drops ----

TEST_F(MainWindowTest, EscapeIsSwallowedAndEnterInTheSearchBoxSearchesAndSelectsIt) {
  MessageBoxRecorder boxes;
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
  MessageBoxRecorder boxes;
  Start();
  ::SetFocus(window_->Item(IDC_FILE_LIST));
  MSG enter{window_->Item(IDC_FILE_LIST), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_FALSE(window_->PreTranslateMessage(enter));
  // Nothing selected: the open command says so.
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, u"Please select a file from the list.");
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

TEST_F(MainWindowTest, DroppedFilesWaitForInitialisationAndFoldersAreSkipped) {
  MessageBoxRecorder boxes;
  Start();
  Command(IDC_BTN_CLOSE);
  // A folder and a path that does not exist: nothing is added, the window stays hidden.
  testing::SendDroppedFiles(Main(), {folder_.u16string(), (folder_ / "gone.txt").u16string()},
                            POINT{300, 300});
  EXPECT_FALSE(window_->IsVisible());
  EXPECT_EQ(boxes.Count(), 0u);

  // A file shows the window and opens the Edit Tags dialog for it.
  const std::filesystem::path file = folder_ / "letter.txt";
  std::ofstream(file) << "hello";
  bool dialogSeen = false;
  WhenShown dialog(
      [&] {
        HWND found = nullptr;
        for (HWND w = ::GetWindow(::GetDesktopWindow(), GW_CHILD); w && !found;
             w = ::GetWindow(w, GW_HWNDNEXT)) {
          if (w != Main() && ::GetWindow(w, GW_OWNER) == Main() && ::IsWindowVisible(w)) {
            wchar_t name[32] = {};
            ::GetClassNameW(w, name, 32);
            if (std::wstring(name) == L"#32770") found = w;
          }
        }
        return found;
      },
      [&](HWND edit) {
        dialogSeen = true;
        ::PostMessageW(edit, WM_COMMAND, IDCANCEL, 0);
      });
  testing::SendDroppedFiles(Main(), {file.u16string()}, POINT{300, 300});
  EXPECT_TRUE(window_->IsVisible());
  EXPECT_TRUE(dialogSeen);
}

// ---- Help, web pages and about ----

TEST_F(MainWindowTest, HelpFileOpensFromTheDataFolderForEveryHelpCommand) {
  ShellOpenRecorder shell;
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
  ShellOpenRecorder shell;
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

HWND AboutBox() { return ::FindWindowW(L"#32770", L"About Veldmark Quillon"); }

TEST_F(MainWindowTest, AboutBoxShowsTheBannerAndItsHelpKeyOpensTheHelpFile) {
  ShellOpenRecorder shell;
  Start();
  bool banner = false;
  RECT place{};
  WhenShown about(AboutBox, [&](HWND box) {
    banner = ::SendDlgItemMessageW(box, IDC_ABOUT_BANNER, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
    place = ScreenRect(box);
    HELPINFO help{sizeof(help), HELPINFO_WINDOW, 0, nullptr, 0, {}};
    ::SendMessageW(box, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  Command(ID_HELP_ABOUT);
  ASSERT_TRUE(about.Seen());
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
  EXPECT_EQ(std::wstring(text), L"&About Quillon...");
  EXPECT_EQ(::GetMenuItemID(systemMenu, last), static_cast<UINT>(IDM_ABOUTBOX));
  for (const UINT command : {0x10u, 0x1Fu}) {
    WhenShown about(AboutBox, [](HWND box) { ::PostMessageW(box, WM_COMMAND, IDOK, 0); });
    ::SendMessageW(Main(), WM_SYSCOMMAND, command, 0);
    EXPECT_TRUE(about.Seen()) << command;
  }
}

}  // namespace
}  // namespace quillon
