// Drives the real main window under Wine: the application object on a temporary catalogue, the
// main window created modeless and loaded by its loading thread, and readers for the tree, the
// list and the boxes and shell requests the program makes.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/dialog.h"
#include "resources/resource.h"
#include "shell/quillon_app.h"
#include "shell/quillon_dlg.h"
#include "tests/catalogue/catalogue_fixture.h"
#include "tests/support/shell_open_recorder.h"
#include "tests/support/windows_test_support.h"

namespace quillon::testing {

// Calls `step` every few milliseconds while the program runs a modal loop of its own (a
// dialog, a popup menu), for as long as the object lives. The newest one steps alone.
class WhileModal {
 public:
  explicit WhileModal(std::function<void()> step);
  ~WhileModal();
  WhileModal(const WhileModal&) = delete;
  WhileModal& operator=(const WhileModal&) = delete;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  static inline WhileModal* current_ = nullptr;
  std::function<void()> step_;
  UINT_PTR timer_ = 0;
};

// The dialog of `templateId` that is open on this thread and not yet ended, or null.
CDialog* OpenDialog(int templateId);
// Ends a dialog as its button would.
void Press(CDialog& dialog, int button);
// The commands of the popup menu that is open now; empty when none is. The menu is closed.
std::vector<UINT> CloseOpenMenu();

class MainWindowTest : public CatalogueTest {
 protected:
  void TearDown() override;

  // A folder row, before Start(); its ID.
  std::int32_t AddFolderRow(const std::u16string& name, std::int32_t fatherId,
                            const std::u16string& tags);
  // A real file in the test's folder; its full path.
  std::u16string MakeFile(const std::u16string& name) const;
  std::u16string MakeFolder(const std::u16string& name) const;

  // The application on the test's catalogue and its main window, loaded ("Ready").
  void Start();
  CQuillonDlg& Window() const { return *window_; }
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

  MessageBoxRecorder boxes;
  ShellOpenRecorder shell;
  std::unique_ptr<CQuillonApp> app_;
  std::unique_ptr<CQuillonDlg> window_;
};

}  // namespace quillon::testing
