#include "tests/shell/main_window_driver.h"

#include <commctrl.h>

#include <filesystem>
#include <fstream>

#include "framework/wide.h"
#include "resources/resource.h"

namespace quillon::testing {
namespace {

constexpr UINT kTickMs = 15;

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

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  auto& search = *reinterpret_cast<std::pair<int, CDialog*>*>(found);
  auto* dialog = dynamic_cast<CDialog*>(CWindow::FromHandle(window));
  if (dialog && dialog->TemplateId() == search.first && !dialog->Ended()) {
    search.second = dialog;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

WhileModal::WhileModal(std::function<void()> step) : step_(std::move(step)) {
  current_ = this;
  timer_ = ::SetTimer(nullptr, 0, kTickMs, &Tick);
}

WhileModal::~WhileModal() {
  ::KillTimer(nullptr, timer_);
  if (current_ == this) current_ = nullptr;
}

void CALLBACK WhileModal::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (current_) current_->step_();
}

CDialog* OpenDialog(int templateId) {
  std::pair<int, CDialog*> search{templateId, nullptr};
  ::EnumThreadWindows(::GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

void Press(CDialog& dialog, int button) {
  ::SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(dialog.Item(button)));
}

std::vector<UINT> CloseOpenMenu() {
  std::vector<UINT> commands;
  const HWND popup = ::FindWindowW(L"#32768", nullptr);
  if (!popup || !::IsWindowVisible(popup)) return commands;
  const auto menu = reinterpret_cast<HMENU>(::SendMessageW(popup, MN_GETHMENU, 0, 0));
  for (int i = 0; menu && i < ::GetMenuItemCount(menu); ++i) {
    const UINT id = ::GetMenuItemID(menu, i);
    if (id != 0 && id != static_cast<UINT>(-1)) commands.push_back(id);
  }
  ::EndMenu();
  return commands;
}

void MainWindowTest::TearDown() {
  window_.reset();
  app_.reset();
}

std::int32_t MainWindowTest::AddFolderRow(const std::u16string& name, std::int32_t fatherId,
                                          const std::u16string& tags) {
  Run(u"INSERT INTO db_virtualdir(FatherID, DirName, Tags) VALUES(" + SqlInteger(fatherId) +
      u", '" + QuoteSqlText(name) + u"', '" + QuoteSqlText(tags) + u"')");
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

void MainWindowTest::Start() {
  app_ = std::make_unique<CQuillonApp>(folder_.Path().u16string());
  app_->InitInstance();
  window_ = std::make_unique<CQuillonDlg>(*app_);
  ASSERT_TRUE(window_->Create(nullptr));
  ASSERT_TRUE(PumpUntil([&] { return app_->Loading().Finished(); }));
  PumpPending();
  ASSERT_EQ(window_->StatusText(), u"Ready");
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

}  // namespace quillon::testing
