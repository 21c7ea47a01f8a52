#include "tests/shell/main_window_driver.h"

#include <commctrl.h>

#include <filesystem>
#include <fstream>

#include "framework/wide.h"
#include "resources/resource.h"
#include "shell/tray/autorun.h"
#include "resources/user_texts.h"

namespace quillon::testing {
namespace {

std::u16string NodeText(HWND tree, HTREEITEM node) {
  wchar_t text[512] = {};
  TVITEMW item{};
  item.mask = TVIF_TEXT;
  item.hItem = node;
  item.pszText = text;
  item.cchTextMax = 512;
  ::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return FromWide(text);
}

HTREEITEM Next(HWND tree, HTREEITEM node, UINT relation) {
  return reinterpret_cast<HTREEITEM>(
      ::SendMessageW(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(node)));
}

void Walk(HWND tree, HTREEITEM first, int depth,
          const std::function<void(HTREEITEM, int)>& visit) {
  for (HTREEITEM node = first; node; node = Next(tree, node, TVGN_NEXT)) {
    visit(node, depth);
    Walk(tree, Next(tree, node, TVGN_CHILD), depth + 1, visit);
  }
}

}  // namespace

void MainWindowTest::SetUp() {
  // The Run value is the user's, not the test's: every test starts without it, and no other
  // test program's main window writes it meanwhile. Taken before any desktop lock, always.
  runValue_ = std::make_unique<DesktopLock>(kRunValueLock);
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
    ::RegDeleteValueW(key, kRunValueName);
    ::RegCloseKey(key);
  }
}

void MainWindowTest::TearDown() {
  if (window_) window_->Destroy();
  window_.reset();
  app_.reset();
  runValue_.reset();
}

std::int32_t MainWindowTest::AddFolderRow(const std::u16string& name, std::int32_t fatherId,
                                          const std::u16string& tags) {
  EXPECT_EQ(db_.Execute(u"INSERT INTO db_virtualdir(FatherID, DirName, Tags) VALUES(?, ?, ?)",
                        fatherId, name, tags),
            1);
  return static_cast<std::int32_t>(db_.LastInsertRowId());
}

std::u16string MainWindowTest::MakeFile(const std::u16string& name) const {
  const auto path = folder_.Path() / std::filesystem::path(name);
  std::ofstream(path) << "content";
  return path.u16string();
}

std::u16string MainWindowTest::MakeFolder(const std::u16string& name) const {
  const auto path = folder_.Path() / std::filesystem::path(name);
  std::filesystem::create_directory(path);
  return path.u16string();
}

bool MainWindowTest::Create(std::u16string commandLine, std::u16string dataFolder) {
  app_ = std::make_unique<CQuillonApp>(dataFolder.empty() ? DataFolder() : dataFolder);
  app_->SetCommandLine(std::move(commandLine));
  app_->SetSeeksMovedFiles(seeksMovedFiles_);
  app_->InitInstance();
  if (withQuickBar_) {
    EXPECT_TRUE(app_->CreateQuickBar());
    quickBar_ = app_->QuickBarWindow();
  }
  window_ = std::make_unique<CQuillonDlg>(*app_);
  if (!window_->Create(nullptr)) return false;
  // A standard Windows display at 96 DPI: template 102 is 492 pixels wide (the test prefix's
  // LogPixels); Wine's own default metrics would hide layout faults. A run asked for under
  // those (QUILLON_WINE_METRICS=wine) checks that it has them.
  const bool wineMetrics = ::GetEnvironmentVariableW(L"QUILLON_WINE_METRICS", nullptr, 0) > 0;
  EXPECT_EQ(window_->DialogUnitsToPixels(RECT{0, 0, 328, 202}).right == 492, !wineMetrics)
      << "the tests do not run under the dialog units they were asked for";
  return true;
}

bool MainWindowTest::WaitForLoad() {
  const bool ended = PumpUntil([&] { return app_->Loading().Finished(); });
  PumpPending();
  return ended;
}

void MainWindowTest::Start() {
  ASSERT_TRUE(Create());
  ASSERT_TRUE(WaitForLoad());
  ASSERT_EQ(window_->StatusText(), UserText(TEXT_READY));
}

std::vector<std::u16string> MainWindowTest::TreeLines() const {
  std::vector<std::u16string> lines;
  const HWND tree = Tree();
  Walk(tree, Next(tree, nullptr, TVGN_ROOT), 0, [&](HTREEITEM node, int depth) {
    lines.push_back(std::u16string(2 * depth, u' ') + NodeText(tree, node));
  });
  return lines;
}

HTREEITEM MainWindowTest::FindNode(const std::u16string& name) const {
  HTREEITEM found = nullptr;
  const HWND tree = Tree();
  Walk(tree, Next(tree, nullptr, TVGN_ROOT), 0, [&](HTREEITEM node, int) {
    if (!found && NodeText(tree, node) == name) found = node;
  });
  return found;
}

void MainWindowTest::SelectFolder(const std::u16string& name) {
  const HTREEITEM node = FindNode(name);
  ASSERT_NE(node, nullptr) << "no folder node named so";
  ::SendMessageW(Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node));
  PumpPending();
}

POINT MainWindowTest::NodePoint(const std::u16string& name) const {
  // TVM_GETITEMRECT reads the node from where it writes the rectangle.
  union {
    HTREEITEM node;
    RECT rect;
  } label{};
  label.node = FindNode(name);
  ::SendMessageW(Tree(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&label));
  POINT centre{(label.rect.left + label.rect.right) / 2, (label.rect.top + label.rect.bottom) / 2};
  ::MapWindowPoints(Tree(), window_->Handle(), &centre, 1);
  return centre;
}

std::vector<std::u16string> MainWindowTest::ListColumn(int column) const {
  std::vector<std::u16string> texts;
  const int rows = static_cast<int>(::SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < rows; ++row) {
    wchar_t text[1024] = {};
    LVITEMW cell{};
    cell.iSubItem = column;
    cell.pszText = text;
    cell.cchTextMax = 1024;
    ::SendMessageW(List(), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&cell));
    texts.push_back(FromWide(text));
  }
  return texts;
}

int MainWindowTest::RowOf(const std::u16string& fileName) const {
  const std::vector<std::u16string> names = ListColumn(0);
  for (std::size_t row = 0; row < names.size(); ++row) {
    if (names[row] == fileName) return static_cast<int>(row);
  }
  return -1;
}

void MainWindowTest::SelectRows(const std::vector<std::u16string>& fileNames) {
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = 0;
  ::SendMessageW(List(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&state));
  for (const std::u16string& name : fileNames) {
    const int row = RowOf(name);
    ASSERT_GE(row, 0) << "no row for a file of that name";
    state.state = LVIS_SELECTED;
    state.stateMask = LVIS_SELECTED;
    ::SendMessageW(List(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
  }
}

void MainWindowTest::Command(int id) {
  ::SendMessageW(window_->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
  PumpPending();
}

std::vector<std::u16string> MainWindowTest::BoxTexts() const {
  std::vector<std::u16string> texts;
  for (const MessageBoxRequest& box : boxes.Boxes()) texts.push_back(box.text);
  return texts;
}

MenuSeen MainWindowTest::DropDown(const std::function<void()>& open) {
  MenuSeen seen;
  const bool shown = WhenShown(
      OpenPopupMenu,
      [&](HWND popup) {
        seen = Inspect(popup);
        Key(popup, VK_ESCAPE);
      },
      open);
  EXPECT_TRUE(shown) << "no menu opened";
  return seen;
}

void MainWindowTest::MouseDown(int x, int y) {
  ::SendMessageW(Main(), WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
}

void MainWindowTest::MouseDrag(int x, int y) {
  ::SendMessageW(Main(), WM_MOUSEMOVE, MK_LBUTTON, At(x, y));
}

void MainWindowTest::MouseUp(int x, int y) { ::SendMessageW(Main(), WM_LBUTTONUP, 0, At(x, y)); }

void MainWindowTest::WriteSettings(const std::string& text) const {
  std::ofstream(SettingsPath(), std::ios::binary) << text;
}

std::u16string MainWindowTest::Setting(const wchar_t* section, const wchar_t* key) const {
  wchar_t value[260] = {};
  ::GetPrivateProfileStringW(section, key, L"<absent>", value, 260,
                             SettingsPath().wstring().c_str());
  return FromWide(value);
}

void MainWindowTest::MakeQuickBar() { withQuickBar_ = true; }

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

void Key(HWND window, UINT key) {
  ::PostMessageW(window, WM_KEYDOWN, key, 0);
  ::PostMessageW(window, WM_KEYUP, key, 0xC0000000);
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

MenuSeen Inspect(HWND popup) {
  MenuSeen seen;
  ::GetWindowRect(popup, &seen.place);
  seen.commands = MenuCommands(popup);
  const auto menu = reinterpret_cast<HMENU>(::SendMessageW(popup, MN_GETHMENU, 0, 0));
  for (int i = 0; menu && i < ::GetMenuItemCount(menu); ++i) {
    if (::GetMenuState(menu, i, MF_BYPOSITION) & MF_CHECKED) seen.checked.push_back(seen.commands[i]);
  }
  return seen;
}

}  // namespace quillon::testing
