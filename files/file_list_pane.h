// FileListPane: one list of catalogued files in a window. It owns the list-view control's side
// (FileListView), the records the list shows (its FileTable), their icons, the hover preview
// over them, and the record commands (open, open with, copy paths, edit tags, remove, same
// tags) with the list's notifications. The main window's list and the quick result list are
// two panes that differ in their style and in what their owner does after a command:
//
//   FileListPane pane_{*this, kStyle};          // the owner implements FileListPaneOwner
//   pane_.Attach(Handle(), Item(IDC_FILE_LIST), preview);   // in OnInitDialog
//   SearchByTags(db, pane_.Files(), tags); pane_.Show();
//   OnNotify: if (id == IDC_FILE_LIST) return pane_.OnNotify(header, result);
//   OnCommand: RunCommand(pane_, kListCommands, id), a table of the owner's command ids
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "catalogue/tables.h"
#include "dialogs/catalogue_context.h"
#include "files/file_list_view.h"
#include "files/file_rules.h"
#include "files/file_type_icons.h"
#include "files/missing_files.h"
#include "files/preview_hover.h"
#include "relocate/relocation_pass.h"

namespace quillon {

class PreviewPopup;

// What the window around a pane decides.
class FileListPaneOwner {
 public:
  virtual ~FileListPaneOwner() = default;

  // The catalogue the commands change and the editing dialogs see.
  virtual CatalogueContext& PaneCatalogue() = 0;
  // Runs Edit Tags or Remove, which change the catalogue, now or once the owner allows it; the
  // command finds its records by path in Files() when it runs.
  virtual void PaneRunCommand(std::function<void()> command) = 0;
  // After Edit Tags and Remove: `changed` when records were edited or a removal confirmed.
  virtual void PaneFilesChanged(bool changed) = 0;
  // "Same Tags": the merged tags of the selected rows, empty for none.
  virtual void PaneSameTags(const std::u16string& tags) = 0;
};

struct FileListPaneStyle {
  int imageList;       // LVSIL_SMALL in report view, LVSIL_NORMAL in icon view
  bool fullRowSelect;
  int fileNameWidth;   // of the first column; the others keep their inserted widths
  bool ownIcons;       // files whose icon is their own show it, asked for as their rows show
  bool sortsByColumn;  // header clicks sort the rows, and every Show keeps that order
  UINT menuWithSelection;
  UINT menuWithoutSelection;
};

class FileListPane {
 public:
  FileListPane(FileListPaneOwner& owner, const FileListPaneStyle& style)
      : owner_(owner), style_(style) {}

  // Takes over `list`, a control of `window`, which owns the boxes and receives the context
  // menus' commands. A null `preview` shows no popup.
  void Attach(HWND window, HWND list, PreviewPopup* preview);

  FileTable& Files() { return files_; }
  const FileTable& Files() const { return files_; }
  HWND List() const { return view_.Handle(); }
  int RowCount() const { return view_.RowCount(); }

  // Shows the table's records: in the sort order of a sorting pane, in table order otherwise.
  void Show();
  // Rows of the files in `missing` are drawn greyed; the set outlives the pane. Null: none.
  void ShowMissing(const MissingFiles* missing) { missing_ = missing; }
  // Files found again at other places: the records and rows of those listed show their new
  // places. Every row is drawn again, so the greyed ones follow the missing set too.
  void ApplyMoves(const std::vector<Relocation>& moves);

  // The list's notifications; true when handled.
  bool OnNotify(NMHDR& header, LRESULT& result);
  void RelayMouseMove(const MSG& message) { hover_.RelayMouseMove(message); }
  void HideHover() { hover_.Hide(); }
  // The shell's icon list stays alive: the list lets go of it before the program ends.
  void ReleaseImages() const;

  // The record commands. Those that need a record ask "Please select a file from the list."
  // when no row is selected.
  void OpenSelected();
  void OpenSelectedWith();
  void CopySelectedPaths();
  // The two that change the catalogue take the selected paths now and run through the owner's
  // PaneRunCommand. Remove asks first, even without a selection.
  void EditSelectedTags();
  void RemoveSelected();
  void SearchSameTags();

 private:
  std::vector<FileRecord> SelectedRecords() const;
  std::vector<FileRecord> SelectedRecordsOrAsk() const;
  // Removes the files of `paths` that are catalogued, as one unit, with progress for many.
  void RemoveFiles(const std::vector<std::u16string>& paths) const;
  void Sort();
  void OnRightClick();
  // The icon of a row whose file has an icon of its own, asked for when the row shows.
  void ShowOwnIcon(LVITEMW& item);
  // The list's custom draw: the text of a missing file's row in the system's grey.
  bool DrawRow(NMLVCUSTOMDRAW& draw, LRESULT& result) const;
  int IconOf(const FileRecord& file);

  FileListPaneOwner& owner_;
  const FileListPaneStyle style_;
  HWND window_ = nullptr;
  FileTable files_;
  const MissingFiles* missing_ = nullptr;
  FileListView view_;
  FileTypeIcons icons_;
  FileListSort sort_;
  PreviewHover hover_;
};

}  // namespace quillon
