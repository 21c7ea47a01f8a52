// The quick result list (template 171): the popup the quick bar opens against itself with the
// files its search found, each as its shell icon and name, with the file commands of the main
// window's list. It keeps its own FileTable; the bar places, shows and hides it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "catalogue/tables.h"
#include "framework/command_table.h"
#include "framework/dialog.h"
#include "preview/preview_hover.h"
#include "quick/main_window_wait.h"
#include "quick/quick_host.h"
#include "shell/files/file_list_view.h"
#include "shell/files/file_type_icons.h"

namespace quillon {

class CQuickBar;

class CQuickResult : public CDialog {
 public:
  CQuickResult(QuickBarHost& host, CQuickBar& bar);

  // Creates the hidden window, owned by the bar's window.
  bool Create(HWND bar);

  // Lists the files of `tagText`, ordered by file name, and remembers the text; false, the
  // list unchanged, when the catalogue could not be read.
  bool FillResults(const std::u16string& tagText);
  const std::u16string& ResultTagText() const { return resultTagText_; }
  void SetResultTagText(const std::u16string& tagText) { resultTagText_ = tagText; }
  int RowCount() const { return list_.RowCount(); }
  HWND List() const { return list_.Handle(); }
  const FileTable& Files() const { return files_; }
  // The platform's small icons of file types, which the list shows.
  HIMAGELIST Images() const { return images_; }

  // Gives the list the focus with its first row selected and focused.
  void FocusFirstRow();
  // Hides the window and the preview of its rows; the button is the bar's to mark.
  void HideWindow();

  bool PreTranslateMessage(MSG& message) override;

  // The commands of menus 193 and 192.
  void OpenSelected();
  void OpenSelectedWith();
  void CopySelectedPaths();
  void EditSelectedTags();
  void RemoveSelected();
  void SearchSameTags();
  void AddFileWithPicker();

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
  // The records of the selected rows, top to bottom; none, after "Please select a file from
  // the list.", when no row is selected.
  std::vector<FileRecord> SelectedRecords();
  void Hide();
  void OnRightClick();
  // The icon of a row whose file has an icon of its own, asked for when the row shows.
  void ShowOwnIcon(LVITEMW& item);
  // Runs a command that changes the catalogue once no modal dialog of the main window is open.
  void RunWhenMainWindowFree(std::function<void()> command);

  static const CommandRoute<CQuickResult> kCommands[];

  QuickBarHost& host_;
  CQuickBar& bar_;
  std::u16string resultTagText_;
  FileTable files_;
  FileListView list_;
  FileTypeIcons icons_;
  PreviewHover hover_;
  MainWindowWait mainWindowWait_;
  HIMAGELIST images_ = nullptr;  // the shell's, shared by every program: never destroyed
};

}  // namespace quillon
