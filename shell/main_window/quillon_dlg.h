// The main window (template 102), run modally for the life of the program. It is the
// coordinator: it owns the command table and the state the commands share (the listing, the
// current filter and folder), and hands the rest to its collaborators: the frame (placement,
// skin and drags, main_frame.h), the folder tree (folder_tree_view.h), the file list
// (files/file_list_view.h) and the tray icon (shell/tray/tray_icon.h). It meets the program
// around it through its host (main_window_host.h); the loading thread reaches it as a loading
// target, the quick bar through its port.
//
// Its sources, one concern each, in shell/main_window/:
//   quillon_dlg.cpp           initialisation, status line, paint, size and mouse hand-offs
//   quillon_dlg_commands.cpp  the command table and the menu buttons' drop-down menus
//   keys_and_drops.cpp        keys before the dialog, pointer movement, tooltips, drops, colours
//   folder_commands.cpp       the tree's rebuild, selection, context menus and folder commands
//   file_listing.cpp          listing a filter, sorting, the list's notifications
//   file_commands.cpp         add, open, open with, copy paths, edit, remove, same tags
//   settings_commands.cpp     start item, quick bar visibility and autoshow, first start
//   help_commands.cpp         help file, web pages, about box
//   quit_and_hide.cpp         hiding to the tray, the tray's messages, "Exit"
//   moved_files.cpp           the search for moved files after the load and on F5, its results
//   hand_over.cpp             what a second start hands over: come to the front, add files
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/file_gathering.h"
#include "catalogue/tables.h"
#include "files/file_list_pane.h"
#include "framework/command_table.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "quick/main_window_wait.h"
#include "shell/main_window/folder_tree_view.h"
#include "shell/main_window/loading_target.h"
#include "shell/main_window/main_frame.h"
#include "shell/main_window/main_window_catalogue.h"
#include "shell/main_window/main_window_host.h"
#include "shell/main_window/main_window_port.h"
#include "shell/model/file_list_model.h"
#include "shell/tray/tray_icon.h"

namespace quillon {

class CQuillonDlg : public CDialog,
                    public LoadingTarget,
                    public MainWindowPort,
                    private FileListPaneOwner {
 public:
  explicit CQuillonDlg(MainWindowHost& host);
  ~CQuillonDlg() override;

  // Lists the files of a tag text and makes it the current filter.
  void ListFiles(const std::u16string& tagText) override;
  std::u16string CurrentFilter() const override { return currentFilter_; }

  // ---- State the commands share, readable from outside ----

  const std::u16string& StatusText() const { return statusText_; }
  // Position of the root folder in the application's folder table; -1 before the load.
  std::int32_t RootFolderIndex() const { return rootFolderIndex_; }
  // The records of the current listing.
  const FileTable& Files() const { return fileList_.Files(); }

  // The splitter as the user placed it (pixels from the left edge).
  int SplitterPosition() const { return frame_.Splitter(); }
  const FolderRecord& CurrentFolder() const { return currentFolder_; }
  // Set at the end of the window's initialisation; drops and tray clicks wait for it.
  bool IsInitialised() const { return initialised_; }
  // The two settings the menus show with check marks, read from update.dat each time.
  bool IsStartItemOn() const;
  bool IsQuickBarAutoshowOn() const;

  bool PreTranslateMessage(MSG& message) override;

 protected:
  bool OnInitDialog() override;
  bool OnDestroy() override;
  // Neither Enter nor Escape ends the run.
  void OnOK() override {}
  void OnCancel() override {}

 private:
  static const CommandRoute<CQuillonDlg> kCommands[];

  // ---- The loading target ----
  HWND LoadingWindow() const override { return Handle(); }
  void LoadingShown() override;
  void FoldersReady(std::int32_t rootIndex) override;
  // Lists `found`, the result of a tag search for `tagText` made away from the window's thread
  // that found `foundCount` files.
  void FilesReady(const std::u16string& tagText, FileTable&& found,
                  std::uint32_t foundCount) override;
  // "Ready", saying how many files the list shows when a search found more than it holds;
  // from now on every listing keeps the status line up to date.
  void Ready() override;
  void CatalogueInUse() override;
  void LoadFailed() override;

  // ---- The rest of the port the quick bar and its dialogs use ----
  HWND WindowHandle() const override { return Handle(); }
  void SetCurrentFilter(const std::u16string& tagText) override { currentFilter_ = tagText; }
  void SetSearchBoxText(const std::u16string& text) override;
  // The files, and the files inside folders, are added with `proposedTags` proposed, the window
  // brought up for the dialogs: one file through its own dialog; several, after asking, all
  // together in one dialog or one dialog each. Then the current filter is listed again and
  // the quick bar repeats its last search.
  void AddFiles(const std::vector<std::u16string>& paths,
                const std::u16string& proposedTags) override;
  // help.chm of the data folder.
  void OpenHelpFile() override;

  // ---- What a second start hands over (hand_over.cpp) ----
  // kHandOverShow brings the window to the front; kHandOverFiles keeps checked full paths for
  // AddHandedFiles. Anything else is refused (FALSE).
  bool OnCopyData(HWND sender, const COPYDATASTRUCT& data) override;
  bool OnTimer(UINT_PTR id) override;
  // The files named on the program's own command line, made full, kept like handed ones.
  void KeepCommandLineFiles();
  // Shows the window as "Open Quillon" does and puts it (or its open dialog) in front.
  void BringToFront();
  // AddHandedFiles now, or once the modal dialog open now is closed.
  void AddHandedFilesWhenFree();
  // The kept files to AddFiles with the selected folder's tags, as a drop adds them; before
  // "Ready" they stay kept.
  void AddHandedFiles();

  // Adds the notification-area icon (again: restores a lost one) and, with `hide`, hides the
  // window behind it.
  void AddTrayIcon(bool hide);
  // The commands the file list carries out on its selected records.
  static const CommandRoute<FileListPane> kListCommands[];
  static const FileListPaneStyle kFileListStyle;

  // The file list's owner side: its commands run at once (its own dialogs are modal); after
  // edits and removals the current filter is listed again; "Same Tags" goes into the search
  // box and is listed.
  CatalogueContext& PaneCatalogue() override { return catalogue_; }
  void PaneRunCommand(std::function<void()> command) override { command(); }
  void PaneFilesChanged(bool changed) override;
  void PaneSameTags(const std::u16string& tags) override;

  // Message handlers.
  bool OnPaint() override;
  bool OnSize(UINT type, int width, int height) override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnNotify(int id, NMHDR& header, LRESULT& result) override;
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
  // Activated or deactivated: the preview popup goes.
  bool OnActivate(UINT state, HWND other, bool minimized) override;
  bool OnAppMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  // Stores `text` and shows it in the status line; `repaint` also redraws the window's
  // background under it.
  void SetStatusText(const std::u16string& text, bool repaint);
  // Rebuilds the whole tree from the application's folder table.
  void FillFolderTree();
  // Checks that `path` is not yet catalogued and opens the Edit Tags dialog for it with
  // `proposedTags`.
  void AddFile(const std::u16string& path, const std::u16string& proposedTags);
  // Files dropped at `point` (client): the folder under the point is selected and listed, then
  // the files (and those inside dropped folders) are added with that folder's tags proposed.
  void AddDroppedFiles(const std::vector<std::u16string>& paths, POINT point);
  // The status line's "Ready" and how many of the found files the list shows.
  void ShowReadyStatus();
  // Another program holds the catalogue: the status line says so until a read gets through.
  void ShowInUseStatus();
  // F5: lists the current filter again, or loads a catalogue that was held at start.
  void Refresh();
  // After files were added: the listing and the quick bar's list may show them now.
  void ListAfterAdding();
  // Looks for moved files away from the window's thread: after the load and on F5.
  void SeekMovedFiles();
  // The search's results: the lists show the files found again at their new places and grey
  // the missing ones, and the status line counts both.
  void ApplyMovedFiles();
  // What the status line adds to "Ready" about moved and missing files.
  std::u16string MovedFilesStatus() const;
  // What was left out of a drop: said before anything is asked.
  void SayLeftOut(const GatheredFiles& found);
  // Several files: together, one by one, or none; false for none.
  bool AddSeveralFiles(const GatheredFiles& found, const std::u16string& proposedTags);

  // Initialisation.
  void AppendAboutToSystemMenu();
  void InitFileList();
  void CreateToolTips();
  void RunFirstStart();
  // Pointer movement over the window or any of its controls.
  void OnPointerMove(MSG& message);

  // Command handlers of the table.
  void HideToTray();
  void ShowNormally();
  void ToggleMaximized();
  void DropDownFileMenu();
  void DropDownEditMenu();
  void DropDownQuickBarMenu();
  void DropDownHelpMenu();
  // Opens a menu resource in the office look under one of the menu buttons.
  // `checkedCommand` (if not 0) shows with a check mark.
  void PopupMenuUnder(UINT menuId, int buttonId, UINT checkedCommand = 0);
  void AddFileWithPicker();
  // The search box's text in canonical form, listed.
  void RunSearchBox();
  // The folder commands: the Edit Folder dialog for a new folder or the current folder, and
  // the removal of the current folder after "Remove selected virtual folder?".
  void AddFolder();
  void EditFolder();
  void RemoveFolder();
  // The Edit menu's folder commands: they act on the folder selected in the tree.
  void EditSelectedFolder();
  void DeleteSelectedFolder();
  void ToggleStartItem();
  void ToggleQuickBarAutoshow();
  // Hides the quick bar if it is visible, else shows it.
  void ToggleQuickBar();
  // "Quit Veldmark Quillon now?"; Yes saves the quick bar's place, removes the tray icon and
  // ends the modal run.
  void QuitApplication();
  void OpenOnlineHelp();
  void OpenWebsite();
  void CheckForUpdates();
  void ReportBug();
  void OpenWebPage(const std::u16string& address);
  void ShowAbout();

  // Folder tree and file list.
  void OnFolderSelected();
  void OnTreeRightClick();
  // Shows the FileTable's records for `filter`, which becomes the current filter.
  void ShowFileListing(const std::u16string& filter);
  // The record of a node (the not-found record for none), of the selected node.
  FolderRecord FolderOfNode(std::uintptr_t node) const;
  FolderRecord SelectedFolder() const;
  bool IsRootFolder(const FolderRecord& folder) const;
  // Makes the folder selected in the tree the current folder; false, after saying why, when no
  // folder is selected or it is the root (`rootRefusal` says so).
  bool TakeSelectedFolder(UINT rootRefusal);

  MainWindowHost& host_;
  std::int32_t rootFolderIndex_ = -1;
  std::u16string statusText_;
  bool initialised_ = false;
  bool firstPaint_ = false;

  OwnedIcon bigIcon_;
  OwnedIcon smallIcon_;
  GdiObject<HBRUSH> backgroundBrush_;
  HWND toolTips_ = nullptr;  // owned by the window, destroyed with it
  MainFrame frame_;

  std::uint32_t filesFound_ = 0;  // by the search the list shows, perhaps more than it holds
  bool loaded_ = false;           // the status line says "Ready"
  // Files the search re-pointed since the last listing: the status line counts them until then.
  std::size_t filesFoundAgain_ = 0;
  std::u16string currentFilter_;
  FolderRecord currentFolder_;
  FolderTreeView folderTree_;
  MainWindowCatalogue catalogue_{host_, *this};
  FileListPane fileList_{*this, kFileListStyle};
  std::vector<std::u16string> handedFiles_;  // handed over or on the command line, not yet added
  MainWindowWait handedWait_;
  // Declared last, so destroyed first: the icon leaves the notification area while the
  // window it names still exists.
  CTrayIcon trayIcon_;
};

}  // namespace quillon
