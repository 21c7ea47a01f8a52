// The file list of the main window: the files of the current filter, sorted by a column, and
// the search box, header clicks, double clicks and the list's context menus.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "catalogue/tag_search.h"
#include "catalogue/tag_text.h"
#include "framework/message_box.h"
#include "framework/resource_text.h"
#include "resources/resource.h"
#include "shell/app/quillon_app.h"
#include "shell/files/record_actions.h"
#include "shell/main_window/quillon_dlg.h"
#include "ui/popup_menu.h"

namespace quillon {
namespace {

// Widths of "File Name", "Tags" and "Path" as inserted; the first is then narrowed.
constexpr std::array<int, 3> kColumnWidths = {250, 150, 180};
constexpr int kFileNameWidth = 100;

}  // namespace

void CQuillonDlg::InitFileList() {
  HWND list = Item(IDC_FILE_LIST);
  fileList_.Attach(list);
  // The shell's list of file-type icons is shared by every program: the list must never
  // destroy it.
  ::SetWindowLongW(list, GWL_STYLE, ::GetWindowLongW(list, GWL_STYLE) | LVS_SHAREIMAGELISTS);
  SHFILEINFOW info{};
  const auto systemIcons = reinterpret_cast<HIMAGELIST>(::SHGetFileInfoW(
      L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  ::SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(systemIcons));
  ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  fileList_.AddColumns(kColumnWidths);
  fileList_.SetColumnWidth(0, kFileNameWidth);
  sort_.Reset();
  previewHover_.Attach(list, files_, &app_.Preview());
}

void CQuillonDlg::ListFiles(const std::u16string& tagText) {
  const std::u16string filter = ListingFilter(tagText);
  TagDatabase& db = app_.Database();
  std::uint32_t found = 0;
  const ReadAccess access =
      ReadInOneSnapshot(db, [&] { found = SearchByTags(db, files_, filter); });
  if (access != ReadAccess::kReadable) {
    // The list keeps what it showed; the status line says why it did not change.
    if (access == ReadAccess::kInUse) ShowInUseStatus();
    return;
  }
  filesFound_ = found;
  ShowFileListing(filter);
  if (loaded_) ShowReadyStatus();
}

void CQuillonDlg::Refresh() {
  // A catalogue that another program held at start is loaded once it is free.
  TagDatabase& db = app_.Database();
  if (!db.IsOpen() && db.LastOpenFailure() == OpenFailure::kInUse) {
    if (app_.Loading().Finished()) app_.Loading().Start(app_, Handle());
    return;
  }
  ListFiles(CurrentFilter());
}

void CQuillonDlg::ListFoundFiles(const std::u16string& tagText, FileTable&& found,
                                 std::uint32_t foundCount) {
  files_ = std::move(found);
  filesFound_ = foundCount;
  ShowFileListing(ListingFilter(tagText));
}

void CQuillonDlg::ShowReadyStatus() {
  loaded_ = true;
  const std::u16string text =
      ReadyStatusText(LoadResourceString(IDS_READY), files_.Count(), filesFound_);
  if (text != StatusText()) SetStatusText(text, true);
}

void CQuillonDlg::ShowInUseStatus() {
  const std::u16string text = LoadResourceString(IDS_STATUS_IN_USE);
  if (text != StatusText()) SetStatusText(text, true);
}

void CQuillonDlg::ShowFileListing(const std::u16string& filter) {
  if (ShowsInSearchBox(filter)) SetItemText(IDC_SEARCH_BOX, filter);
  currentFilter_ = filter;
  const RedrawPause pause(fileList_.Handle());
  fileList_.Fill(files_, [this](const FileRecord& file) {
    return fileIcons_.SmallIconIndex(file.FileName);
  });
  SortFileList();
  previewHover_.Rebuild();
}

void CQuillonDlg::SortFileList() {
  fileList_.Sort(sort_.Column(), [this](int comparison) { return sort_.Order(comparison); });
}

void CQuillonDlg::RunSearchBox() { ListFiles(NormalizeTagText(ItemText(IDC_SEARCH_BOX))); }

std::vector<FileRecord> CQuillonDlg::RecordsOfSelectedRows() const {
  return quillon::RecordsOfSelectedRows(fileList_, files_);
}

std::vector<FileRecord> CQuillonDlg::SelectedRecords() {
  return SelectedRecordsOrAsk(Handle(), fileList_, files_);
}

bool CQuillonDlg::OnNotify(int id, NMHDR& header, LRESULT& result) {
  // Tree and list tell of clicks the same way whether they speak ANSI or Unicode.
  const UINT code = header.code;
  if (id == IDC_FOLDER_TREE) {
    if (code == TVN_SELCHANGEDW || code == TVN_SELCHANGEDA) {
      OnFolderSelected();
      return true;
    }
    if (code == NM_RCLICK) {
      OnTreeRightClick();
      result = TRUE;  // no default context menu
      return true;
    }
  } else if (id == IDC_FILE_LIST) {
    if (code == LVN_DELETEALLITEMS) {
      result = TRUE;  // no notice per row: a refill deletes up to 10,000 rows at once
      return true;
    }
    if (code == LVN_COLUMNCLICK) {
      OnFileListHeaderClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
      return true;
    }
    if (code == NM_DBLCLK) {
      OnFileListDoubleClick(reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
      return true;
    }
    if (code == NM_RCLICK) {
      OnFileListRightClick();
      result = TRUE;
      return true;
    }
  }
  return false;
}

void CQuillonDlg::OnFileListHeaderClick(int column) {
  sort_.ClickColumn(column);
  const RedrawPause pause(fileList_.Handle());
  SortFileList();
}

void CQuillonDlg::OnFileListDoubleClick(int row) {
  if (row != -1 && fileList_.SelectedCount() == 1) OpenFiles();
}

void CQuillonDlg::OnFileListRightClick() {
  previewHover_.Hide();
  POINT cursor{};
  ::GetCursorPos(&cursor);
  PopupMenuAt(fileList_.SelectedCount() > 0 ? IDR_MENU_FILES : IDR_MENU_LIST, Handle(), cursor.x,
              cursor.y);
}

}  // namespace quillon
