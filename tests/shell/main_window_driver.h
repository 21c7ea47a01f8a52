// Drives the real main window under Wine: the application object on a temporary catalogue, the
// main window created modeless and loaded by its loading thread, and readers for the tree, the
// list and the boxes and shell requests the program makes.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/dialog.h"
#include "resources/resource.h"
#include "shell/app/quillon_app.h"
#include "shell/main_window/quillon_dlg.h"
#include "tests/catalogue/catalogue_fixture.h"
#include "tests/support/modal_step.h"
#include "tests/support/shell_open_recorder.h"
#include "tests/support/windows_test_support.h"

namespace quillon::testing {

// What an open popup menu shows.
struct MenuSeen {
  RECT place{};
  std::vector<UINT> commands;  // 0 for separators
  std::vector<UINT> checked;
};

// The one fixture of the main window's tests: a temporary data folder with a catalogue (the
// root folder "All Files"), the application object on it, and the main window created
// modeless and loaded by its loading thread; every message box and shell request recorded.
// The window is checked to run under a standard Windows display's dialog units.
class MainWindowTest : public CatalogueTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A folder row, before Start(); its ID.
  std::int32_t AddFolderRow(const std::u16string& name, std::int32_t fatherId,
                            const std::u16string& tags);
  // A real file in the test's folder; its full path.
  std::u16string MakeFile(const std::u16string& name) const;
  std::u16string MakeFolder(const std::u16string& name) const;
  std::u16string DataFolder() const { return folder_.Path().u16string(); }

  // The application on `dataFolder` (the test's folder when empty) with `commandLine`, and its
  // main window, created; the loading thread may still be at work.
  bool Create(std::u16string commandLine = u"quillon.exe", std::u16string dataFolder = {});
  // Until the loading thread has ended and its last request was carried out.
  bool WaitForLoad();
  // Create and WaitForLoad on the test's catalogue: the window shows "Ready".
  void Start();
  CQuillonDlg& Window() const { return *window_; }
  HWND Main() const { return window_->Handle(); }
  HWND Tree() const { return window_->Item(IDC_FOLDER_TREE); }
  HWND List() const { return window_->Item(IDC_FILE_LIST); }

  // The tree as lines, each node's name indented by two blanks per level.
  std::vector<std::u16string> TreeLines() const;
  HTREEITEM FindNode(const std::u16string& name) const;
  void SelectFolder(const std::u16string& name);
  // The centre of a node's label, in the main window's client coordinates.
  POINT NodePoint(const std::u16string& name) const;

  // The texts of one column, top to bottom.
  std::vector<std::u16string> ListColumn(int column) const;
  int RowOf(const std::u16string& fileName) const;
  void SelectRows(const std::vector<std::u16string>& fileNames);
  std::u16string SearchBox() const { return window_->ItemText(IDC_SEARCH_BOX); }

  // A menu or button command, as the menus send it.
  void Command(int id);
  std::vector<std::u16string> BoxTexts() const;
  // Opens a popup menu through `open` and returns what it showed; the menu is cancelled.
  MenuSeen DropDown(const std::function<void()>& open);

  // The mouse on the window itself, at client points.
  void MouseDown(int x, int y);
  void MouseDrag(int x, int y);
  void MouseUp(int x, int y);

  // The settings file of the data folder.
  void WriteSettings(const std::string& text) const;
  // The value as the file holds it; "<absent>" when it has none.
  std::u16string Setting(const wchar_t* section, const wchar_t* key) const;
  std::filesystem::path SettingsPath() const { return folder_.Path() / "update.dat"; }
  // The application's quick bar is created at Start(), as the program creates it.
  void MakeQuickBar();

  MessageBoxRecorder boxes;
  ShellOpenRecorder shell;
  bool withQuickBar_ = false;
  // The search for moved files runs only in the tests of it: the other tests' catalogues name
  // files that were never there, and their status lines say "Ready" alone.
  bool seeksMovedFiles_ = false;
  HWND quickBar_ = nullptr;  // the quick bar's window, once created
  std::unique_ptr<CQuillonApp> app_;
  std::unique_ptr<CQuillonDlg> window_;

 private:
  std::unique_ptr<DesktopLock> runValue_;
};

// A point in client coordinates as mouse messages carry it.
LPARAM At(int x, int y);
// A key pressed and released in `window`, posted.
void Key(HWND window, UINT key);
// The rectangle of `control` in `parent`'s client coordinates; a window's screen rectangle.
RECT ClientRectOf(HWND control, HWND parent);
RECT ScreenRect(HWND window);
// What the popup menu `popup` shows.
MenuSeen Inspect(HWND popup);

}  // namespace quillon::testing
