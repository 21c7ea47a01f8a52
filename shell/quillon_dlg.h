// The main window (template 102), run modally for the life of the program.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/command_table.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
// Folder tree, file list and file commands.
#include <vector>

#include "catalogue/tables.h"
#include "shell/file_list_rules.h"
#include "shell/file_list_view.h"
#include "shell/file_type_icons.h"
#include "shell/main_window_catalogue.h"
#include "shell/owned_image_list.h"

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
  // Lists `found`, the result of a tag search for `tagText` made away from the window's thread.
  void ListFoundFiles(const std::u16string& tagText, FileTable&& found);
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
  // Files dropped at `point` (client): the folder under the point is selected, then each file
  // (not folder) is added with its tags as proposed tags.
  void AddDroppedFiles(const std::vector<std::u16string>& paths, POINT point);

  // What the editing dialogs see of the catalogue around them.
  CatalogueContext& Catalogue() { return catalogue_; }

  // ---- end of folder tree, file list and file commands ----

 protected:
  bool OnInitDialog() override;
  bool OnPaint() override;
  bool OnSize(UINT type, int width, int height) override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnClose() override;
  bool OnDestroy() override;
  // Neither Enter nor Escape ends the run.
  void OnOK() override {}
  void OnCancel() override {}

 private:
  void CloseWindow();
  void PlaceControls(int width, int height);

  static const CommandRoute<CQuillonDlg> kCommands[];

  CQuillonApp& app_;
  std::int32_t rootFolderIndex_ = -1;
  int splitter_ = 210;  // x of the boundary between folder tree and file list
  std::u16string statusText_;
  bool initialised_ = false;
  bool firstPaint_ = false;
  OwnedIcon bigIcon_;
  OwnedIcon smallIcon_;

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
  void ShowFileListing();
  // The record of the folder selected in the tree (the not-found record when none is).
  FolderRecord SelectedFolder() const;
  std::vector<FileRecord> RecordsOfSelectedRows() const;

  FileTable files_;
  std::u16string currentFilter_;
  FolderRecord currentFolder_;
  FileListSort sort_;
  FileTypeIcons fileIcons_;
  FileListView fileList_;
  OwnedImageList treeImages_;
  bool fillingTree_ = false;  // the rebuild's own selection changes list nothing
  MainWindowCatalogue catalogue_{*this};
  // ---- end of folder tree, file list and file commands ----
};

}  // namespace quillon
