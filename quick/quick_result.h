// The quick result list (template 171): the popup the quick bar opens against itself with the
// files its search found, each as its shell icon and name, with the file commands of the main
// window's list: a file-list pane of its own. The bar places, shows and hides it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "catalogue/tables.h"
#include "files/file_list_pane.h"
#include "framework/command_table.h"
#include "framework/dialog.h"
#include "quick/main_window_wait.h"
#include "quick/quick_host.h"

namespace quillon {

class CQuickBar;

class CQuickResult : public CDialog, private FileListPaneOwner {
 public:
  CQuickResult(QuickBarHost& host, CQuickBar& bar);

  // Creates the hidden window, owned by the bar's window.
  bool Create(HWND bar);

  // Lists the files of `tagText`, ordered by file name, and remembers the text; false, the
  // list unchanged, when the catalogue could not be read.
  bool FillResults(const std::u16string& tagText);
  const std::u16string& ResultTagText() const { return resultTagText_; }
  void SetResultTagText(const std::u16string& tagText) { resultTagText_ = tagText; }
  // Files found again at other places: the rows of those listed show their new places.
  void ApplyMoves(const std::vector<Relocation>& moves) { pane_.ApplyMoves(moves); }
  int RowCount() const { return pane_.RowCount(); }
  HWND List() const { return pane_.List(); }

  // Gives the list the focus with its first row selected and focused.
  void FocusFirstRow();
  // Hides the window and the preview of its rows; the button is the bar's to mark.
  void HideWindow();

  bool PreTranslateMessage(MSG& message) override;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnNotify(int id, NMHDR& header, LRESULT& result) override;
  bool OnPaint() override;
  // The list and the region follow the window's size: the bar makes it as wide as itself.
  bool OnSize(UINT type, int width, int height) override;
  bool OnTimer(UINT_PTR id) override;
  bool OnActivate(UINT state, HWND other, bool minimized) override;
  bool OnHelp(const HELPINFO& help) override;
  bool OnDropFiles(const std::vector<std::u16string>& paths, POINT point) override;
  void OnOK() override {}
  // Escape hides the list and tells the bar.
  void OnCancel() override;

 private:
  void Hide();
  // Menu 192's "Add File": the main window catalogues the picked file.
  void AddFileWithPicker();
  // Runs a command that changes the catalogue once no modal dialog of the main window is open.
  void RunWhenMainWindowFree(std::function<void()> command);

  // The pane's owner side: its changing commands wait for the main window's dialog and read
  // the list again first; after edits and removals the list searches again and the main
  // window lists its filter again; "Same Tags" goes into the bar.
  CatalogueContext& PaneCatalogue() override { return host_.Catalogue(); }
  void PaneRunCommand(std::function<void()> command) override;
  void PaneFilesChanged(bool changed) override;
  void PaneSameTags(const std::u16string& tags) override;

  static const CommandRoute<CQuickResult> kCommands[];
  // The commands of menus 193 and 192 on the selected records.
  static const CommandRoute<FileListPane> kListCommands[];
  static const FileListPaneStyle kStyle;

  QuickBarHost& host_;
  CQuickBar& bar_;
  std::u16string resultTagText_;
  FileListPane pane_{*this, kStyle};
  MainWindowWait mainWindowWait_;
};

}  // namespace quillon
