// Drives the real quick bar and result list under Wine on a catalogue of their own. The test
// itself is the program around them: it records what the bar asks of the main window (listings,
// the search box, added and dropped files) and keeps a plain window as the main window.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "quick/quick_bar.h"
#include "resources/resource.h"
#include "tests/catalogue/catalogue_fixture.h"
#include "tests/support/shell_open_recorder.h"
#include "tests/support/windows_test_support.h"

namespace quillon::testing {

class QuickBarTest : public CatalogueTest, public QuickBarHost, public CatalogueContext {
 protected:
  QuickBarTest();
  ~QuickBarTest() override;

  // The bar, created as the program creates it, then shown unless `show` is false.
  void Start(bool show = true);
  CQuickBar& Bar() const { return *bar_; }
  CQuickResult& Results() const { return bar_->Results(); }
  HWND SearchBox() const { return bar_->Item(IDC_QUICK_SEARCH); }
  bool ResultsShown() const { return Results().IsVisible(); }
  RECT BarRect() const;
  RECT ResultsRect() const;

  // A real file in the test's folder, catalogued with `tags`; its full path.
  std::u16string AddCatalogued(const std::u16string& name, const std::u16string& tags);
  std::u16string PathOf(const std::u16string& name) const;
  // Types `text` into the search box one character at a time, as the keyboard does.
  void Type(const std::u16string& text);
  // A key pressed in `window`, through the program's message loop.
  void PressKey(HWND window, UINT key);
  void Click(int buttonId);
  // The file names of the result list, top to bottom.
  std::vector<std::u16string> ResultNames() const;
  void SelectResults(const std::vector<std::u16string>& fileNames);
  std::vector<std::u16string> BoxTexts() const;

  // QuickBarHost and CatalogueContext: what the bar sees of the program.
  CatalogueContext& Catalogue() override { return *this; }
  std::u16string DataFolder() const override { return folder_.Path().u16string(); }
  std::u16string CurrentFilter() const override { return filter_; }
  void ListFiles(const std::u16string& tagText) override;
  void SetSearchBoxText(const std::u16string& text) override { mainSearchBox_ = text; }
  void AddFiles(const std::vector<std::u16string>& paths,
                const std::u16string& proposedTags) override;
  CPreviewPage* Preview() override { return nullptr; }
  TagDatabase& Database() override { return *database_; }
  FolderTable& Folders() override { return folders_; }
  std::int32_t RootFolderId() const override { return 1; }
  void SetCurrentFilter(const std::u16string& tagText) override { filter_ = tagText; }
  void OpenHelpFile() override { ++helpRequests_; }
  HWND MainWindow() const override { return mainWindow_; }

  MessageBoxRecorder boxes_;
  ShellOpenRecorder shell_;
  FolderTable folders_;
  TagDatabase* database_ = &db_;  // a test may hand the bar a catalogue that failed to open
  HWND mainWindow_ = nullptr;
  std::u16string filter_;
  std::u16string mainSearchBox_ = u"(untouched)";
  std::vector<std::u16string> listed_;
  // Each drop: the tags it was proposed with, then its paths.
  std::vector<std::vector<std::u16string>> dropped_;
  int helpRequests_ = 0;
  std::unique_ptr<CQuickBar> bar_;
};

}  // namespace quillon::testing
