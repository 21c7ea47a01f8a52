// The main window (template 102), run modally for the life of the program.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/tables.h"
#include "framework/command_table.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "shell/file_list_rules.h"
#include "shell/file_list_view.h"
#include "shell/file_type_icons.h"
#include "shell/main_window_catalogue.h"
#include "shell/owned_image_list.h"
#include "ui/button_ex.h"

namespace quillon {

class CQuillonApp;

class CQuillonDlg : public CDialog {
 public:
  explicit CQuillonDlg(CQuillonApp& app);
  ~CQuillonDlg() override;

  CQuillonApp& App() { return app_; }

  // Stores `text` and shows it in the status line; `repaint` also redraws the window's
  // background under it.
  void SetStatusText(const std::u16string& text, bool repaint);
  const std::u16string& StatusText() const { return statusText_; }

  // Position of the root folder in the application's folder table; -1 before the load.
  std::int32_t RootFolderIndex() const { return rootFolderIndex_; }
  void SetRootFolderIndex(std::int32_t index) { rootFolderIndex_ = index; }

  // Set at the end of the window's initialisation; drops and tray clicks wait for it.
  bool IsInitialised() const { return initialised_; }

  bool PreTranslateMessage(MSG& message) override;

  // ---- Frame, skin, commands, settings, tray and help (shell/main_frame.cpp,
  // shell/skin_painter.cpp, shell/command_table.cpp, shell/main_input.cpp,
  // shell/settings_commands.cpp, shell/tray_icon.cpp, shell/help_commands.cpp) ----

  // Places every control from the window's size and the splitter.
  void LayoutControls();
  int SplitterPosition() const { return splitter_; }
  // Maximised to the desktop's work area, or restored.
  void ToggleMaximized();
  // Opens a menu resource in the office look under one of the menu buttons.
  // `checkedCommand` (if not 0) shows with a check mark.
  void PopupMenuUnder(UINT menuId, int buttonId, UINT checkedCommand = 0);

  // The settings that the Edit and Quick Bar menus show with check marks, read from update.dat
  // each time, and their toggles. The start item is the per-user Run value.
  bool IsStartItemOn() const;
  void ToggleStartItem();
  bool IsQuickBarAutoshowOn() const;
  void ToggleQuickBarAutoshow();
  // Hides the quick bar if it is visible, else shows it.
  void ToggleQuickBar();

  // Adds the notification-area icon (again: restores a lost one) and, with `hide`, hides the
  // window behind it.
  void AddTrayIcon(bool hide);
  // "Quit Veldmark Quillon now?"; Yes saves the quick bar's place, removes the tray icon and
  // ends the modal run.
  void QuitApplication();

  // help.chm of the data folder, a page of the vendor's site in the browser, the about box.
  void OpenHelpFile();
  void OpenWebPage(const std::u16string& address);
  void ShowAbout();

  // ---- end of frame, skin, commands, settings, tray and help ----

  // ---- Folder tree, file list and file commands (shell/folder_tree.cpp, shell/file_list.cpp,
  // shell/file_commands.cpp) ----

  // Rebuilds the whole tree from the application's folder table.
  void FillFolderTree();
  // The folder commands: the Edit Folder dialog for a new folder or the current folder, and
  // the removal of the current folder after "Remove selected virtual folder?".
  void AddFolder();
  void EditFolder();
  void RemoveFolder();
  // The Edit menu's folder commands: they act on the folder selected in the tree.
  void EditSelectedFolder();
  void DeleteSelectedFolder();
  const FolderRecord& CurrentFolder() const { return currentFolder_; }

  // Lists the files of a tag text and makes it the current filter.
  void ListFiles(const std::u16string& tagText);
  // Lists `found`, the result of a tag search for `tagText` made away from the window's thread
  // that found `foundCount` files.
  void ListFoundFiles(const std::u16string& tagText, FileTable&& found, std::uint32_t foundCount);
  // "Ready", saying how many files the list shows when a search found more than it holds;
  // from now on every listing keeps the status line up to date.
  void ShowReadyStatus();
  // The search box's text in canonical form, listed.
  void RunSearchBox();
  const std::u16string& CurrentFilter() const { return currentFilter_; }
  void SetCurrentFilter(const std::u16string& tagText) { currentFilter_ = tagText; }
  const FileTable& Files() const { return files_; }
  // The records of the selected rows in list order; none, after "Please select a file from the
  // list.", when no row is selected.
  std::vector<FileRecord> SelectedRecords();

  // The file commands.
  void AddFile(const std::u16string& path);
  void AddFileWithPicker();
  void OpenFiles();
  void OpenFilesWith();
  void CopyFilePaths();
  void EditFileTags();
  void RemoveFiles();
  void SearchSameTags();
  // Files dropped at `point` (client): the folder under the point is selected and listed, then
  // each file (folders are skipped) is added with that folder's tags proposed.
  void AddDroppedFiles(const std::vector<std::u16string>& paths, POINT point);

  // What the editing dialogs see of the catalogue around them.
  CatalogueContext& Catalogue() { return catalogue_; }

  // ---- end of folder tree, file list and file commands ----

 protected:
  bool OnInitDialog() override;
  bool OnDestroy() override;
  // Neither Enter nor Escape ends the run.
  void OnOK() override {}
  void OnCancel() override {}

 private:
  CQuillonApp& app_;
  std::int32_t rootFolderIndex_ = -1;
  std::u16string statusText_;
  bool initialised_ = false;
  bool firstPaint_ = false;

  // ---- Frame, skin, commands, settings, tray and help ----
  bool OnPaint() override;
  bool OnSize(UINT type, int width, int height) override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnClose() override;
  bool OnSysCommand(UINT command, LPARAM position) override;
  bool OnHelp(const HELPINFO& help) override;
  bool OnCtlColor(HDC dc, HWND control, UINT kind, HBRUSH& brush) override;
  bool OnDropFiles(const std::vector<std::u16string>& paths, POINT point) override;
  bool OnLButtonDown(UINT keys, POINT point) override;
  bool OnMouseMove(UINT keys, POINT point) override;
  bool OnLButtonUp(UINT keys, POINT point) override;
  bool OnLButtonDblClk(UINT keys, POINT point) override;
  bool OnSetCursor(HWND window, int hitTest, UINT mouseMessage) override;
  bool OnAppMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  void AppendAboutToSystemMenu();
  void SkinButtons();
  void CreateToolTips();
  void PaintSkin(HDC dc);
  void PaintIconic(HDC dc);
  // The drag under way, from the window's size at the press.
  void DragTo(POINT point);
  void OnTrayNotify(UINT mouseMessage);
  void RunFirstStart();
  void RemoveTrayIcon();
  // Command handlers of the routing table.
  void HideToTray();
  void ShowNormally();
  void DropDownFileMenu();
  void DropDownEditMenu();
  void DropDownQuickBarMenu();
  void DropDownHelpMenu();
  void OpenOnlineHelp();
  void OpenWebsite();
  void CheckForUpdates();
  void ReportBug();

  static const CommandRoute<CQuillonDlg> kCommands[];

  int splitter_ = 210;  // x of the boundary between folder tree and file list
  unsigned dragEdges_ = 0;  // FrameEdge flags of the drag under way
  OwnedIcon bigIcon_;
  OwnedIcon smallIcon_;
  GdiObject<HBRUSH> backgroundBrush_;
  HWND toolTips_ = nullptr;  // owned by the window, destroyed with it
  std::array<ButtonEx, 13> buttons_;
  // ---- end of frame, skin, commands, settings, tray and help ----

  // ---- Folder tree, file list and file commands ----
  bool OnNotify(int id, NMHDR& header, LRESULT& result) override;
  // The tree's image list and the list's style and columns, from the window's initialisation.
  void InitFolderTree();
  void InitFileList();
  void OnFolderSelected();
  void OnTreeRightClick();
  void OnFileListRightClick();
  void OnFileListDoubleClick(int row);
  void OnFileListHeaderClick(int column);
  void SortFileList();
  // Shows the FileTable's records for `filter`, which becomes the current filter.
  void ShowFileListing(const std::u16string& filter);
  // The record of the folder selected in the tree (the not-found record when none is).
  FolderRecord SelectedFolder() const;
  std::vector<FileRecord> RecordsOfSelectedRows() const;
  // An information box, and a Yes/No question captioned "Remove", owned by this window.
  void Inform(UINT textId) const;
  bool ConfirmRemoval(UINT questionId) const;

  FileTable files_;
  std::uint32_t filesFound_ = 0;  // by the search files_ holds, perhaps more than it holds
  bool loaded_ = false;           // the status line says "Ready"
  std::u16string currentFilter_;
  FolderRecord currentFolder_;
  FileListSort sort_;
  FileTypeIcons fileIcons_;
  FileListView fileList_;
  OwnedImageList treeImages_;
  // Set while the program itself changes the tree's selection: that lists nothing by itself.
  bool quietTreeSelection_ = false;
  MainWindowCatalogue catalogue_{*this};
  // ---- end of folder tree, file list and file commands ----
};

}  // namespace quillon
