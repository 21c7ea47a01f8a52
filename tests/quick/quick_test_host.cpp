#include "tests/quick/quick_test_host.h"

#include <commctrl.h>

#include <filesystem>
#include <fstream>

#include "framework/wide.h"

namespace quillon::testing {

QuickBarTest::QuickBarTest() {
  InitCommonControlsForTests();
  mainWindow_ = ::CreateWindowExW(0, L"STATIC", L"main window", WS_POPUP, 150, 80, 700, 500,
                                  nullptr, nullptr, nullptr, nullptr);
}

QuickBarTest::~QuickBarTest() {
  bar_.reset();
  ::DestroyWindow(mainWindow_);
}

void QuickBarTest::Start(bool show) {
  bar_ = std::make_unique<CQuickBar>(*this);
  ASSERT_TRUE(bar_->Create());
  if (show) ::ShowWindow(bar_->Handle(), SW_SHOWNORMAL);
  PumpPending();
}

RECT QuickBarTest::BarRect() const {
  RECT rect{};
  ::GetWindowRect(bar_->Handle(), &rect);
  return rect;
}

RECT QuickBarTest::ResultsRect() const {
  RECT rect{};
  ::GetWindowRect(Results().Handle(), &rect);
  return rect;
}

std::u16string QuickBarTest::PathOf(const std::u16string& name) const {
  return folder_.Path().u16string() + u"\\" + name;
}

std::u16string QuickBarTest::AddCatalogued(const std::u16string& name, const std::u16string& tags) {
  const std::u16string path = PathOf(name);
  std::ofstream(std::filesystem::path(path)) << "content";
  CatalogueTest::AddFile(path, tags);
  return path;
}

void QuickBarTest::Type(const std::u16string& text) {
  for (const char16_t unit : text) {
    ::SendMessageW(SearchBox(), WM_CHAR, unit, 1);
    PumpPending();
  }
}

void QuickBarTest::PressKey(HWND window, UINT key) {
  ::PostMessageW(window, WM_KEYDOWN, key, 1);
  PumpPending();
}

void QuickBarTest::Click(int buttonId) {
  ::SendMessageW(bar_->Item(buttonId), BM_CLICK, 0, 0);
  PumpPending();
}

std::vector<std::u16string> QuickBarTest::ResultNames() const {
  std::vector<std::u16string> names;
  const HWND list = Results().List();
  const int rows = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < rows; ++row) {
    wchar_t text[260] = {};
    LVITEMW cell{};
    cell.pszText = text;
    cell.cchTextMax = 260;
    ::SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&cell));
    names.push_back(FromWide(text));
  }
  return names;
}

void QuickBarTest::SelectResults(const std::vector<std::u16string>& fileNames) {
  const HWND list = Results().List();
  const std::vector<std::u16string> names = ResultNames();
  for (int row = 0; row < static_cast<int>(names.size()); ++row) {
    bool wanted = false;
    for (const std::u16string& name : fileNames) wanted = wanted || name == names[row];
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    state.state = wanted ? LVIS_SELECTED : 0;
    ::SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
  }
}

std::vector<std::u16string> QuickBarTest::BoxTexts() const {
  std::vector<std::u16string> texts;
  for (const MessageBoxRequest& box : boxes_.Boxes()) texts.push_back(box.text);
  return texts;
}

void QuickBarTest::ListFiles(const std::u16string& tagText) {
  filter_ = tagText;
  listed_.push_back(tagText);
}

void QuickBarTest::AddFiles(const std::vector<std::u16string>& paths,
                            const std::u16string& proposedTags) {
  std::vector<std::u16string> drop{proposedTags};
  drop.insert(drop.end(), paths.begin(), paths.end());
  dropped_.push_back(drop);
}

}  // namespace quillon::testing
