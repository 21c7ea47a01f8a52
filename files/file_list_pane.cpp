#include "files/file_list_pane.h"

#include <shellapi.h>

#include <array>

#include "catalogue/file_store.h"
#include "dialogs/batch_steps.h"
#include "files/record_actions.h"
#include "framework/message_box.h"
#include "framework/resource_text.h"
#include "resources/resource.h"
#include "ui/popup_menu.h"

namespace quillon {
namespace {

// Widths of "File Name", "Tags" and "Path" as inserted.
constexpr std::array<int, 3> kColumnWidths = {250, 150, 180};

HIMAGELIST SystemSmallIcons() {
  SHFILEINFOW info{};
  return reinterpret_cast<HIMAGELIST>(
      ::SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

}  // namespace

void FileListPane::Attach(HWND window, HWND list, PreviewPopup* preview) {
  window_ = window;
  view_.Attach(list);
  // The shell's list of file-type icons is shared by every program: the list must never
  // destroy it.
  ::SetWindowLongW(list, GWL_STYLE, ::GetWindowLongW(list, GWL_STYLE) | LVS_SHAREIMAGELISTS);
  ::SendMessageW(list, LVM_SETIMAGELIST, style_.imageList,
                 reinterpret_cast<LPARAM>(SystemSmallIcons()));
  if (style_.fullRowSelect) {
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  }
  view_.AddColumns(kColumnWidths);
  view_.SetColumnWidth(0, style_.fileNameWidth);
  hover_.Attach(list, files_, preview);
}

void FileListPane::ReleaseImages() const {
  ::SendMessageW(view_.Handle(), LVM_SETIMAGELIST, style_.imageList, 0);
}

void FileListPane::Show() {
  const RedrawPause pause(view_.Handle());
  // A file whose icon is its own costs 5-7 ms to ask about: the list asks for those icons
  // only as their rows come into view.
  view_.Fill(files_, [this](const FileRecord& file) { return IconOf(file); });
  if (style_.sortsByColumn) Sort();
  hover_.Rebuild();
}

int FileListPane::IconOf(const FileRecord& file) {
  return style_.ownIcons && HasOwnIcon(FileTypeKey(file.FileName))
             ? I_IMAGECALLBACK
             : icons_.SmallIconIndex(file.FileName);
}

void FileListPane::ApplyMoves(const std::vector<Relocation>& moves) {
  bool listed = false;
  for (const Relocation& move : moves) {
    const std::int32_t index = files_.IndexOfPath(move.oldFullPath);
    if (index < 0) continue;
    FileRecord record = files_.GetFile(index);
    if (!SplitFilePath(record, move.newFullPath)) continue;
    files_.SetFile(index, record);
    view_.ShowMoved(index, record, IconOf(record));
    listed = true;
  }
  if (listed) {
    hover_.Rebuild();
    // A new name or folder takes its place in the order the user chose.
    if (style_.sortsByColumn) {
      const RedrawPause pause(view_.Handle());
      Sort();
    }
  }
  if (view_.Handle()) ::InvalidateRect(view_.Handle(), nullptr, FALSE);
}

bool FileListPane::DrawRow(NMLVCUSTOMDRAW& draw, LRESULT& result) const {
  // Without missing files the list draws itself, asked nothing per row.
  if (missing_ == nullptr || missing_->Count() == 0) return false;
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
    result = CDRF_NOTIFYITEMDRAW;
    return true;
  }
  if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return false;
  // Rows carry their table index.
  const FileRecord file = files_.GetFile(static_cast<std::int32_t>(draw.nmcd.lItemlParam));
  if (missing_->Contains(file.FullPath())) draw.clrText = ::GetSysColor(COLOR_GRAYTEXT);
  result = CDRF_DODEFAULT;
  return true;
}

void FileListPane::Sort() {
  view_.Sort(sort_.Column(), [this](int comparison) { return sort_.Order(comparison); });
}

bool FileListPane::OnNotify(NMHDR& header, LRESULT& result) {
  // The list tells of clicks the same way whether it speaks ANSI or Unicode.
  const UINT code = header.code;
  if (code == LVN_DELETEALLITEMS) {
    result = TRUE;  // no notice per row: a refill deletes up to 10,000 rows at once
    return true;
  }
  if (code == NM_CUSTOMDRAW) {
    return DrawRow(reinterpret_cast<NMLVCUSTOMDRAW&>(header), result);
  }
  if (code == LVN_GETDISPINFOW) {
    ShowOwnIcon(reinterpret_cast<NMLVDISPINFOW&>(header).item);
    return true;
  }
  if (code == LVN_COLUMNCLICK && style_.sortsByColumn) {
    sort_.ClickColumn(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
    const RedrawPause pause(view_.Handle());
    Sort();
    return true;
  }
  if (code == NM_DBLCLK) {
    if (reinterpret_cast<const NMITEMACTIVATE&>(header).iItem != -1 &&
        view_.SelectedCount() == 1) {
      OpenSelected();
    }
    return true;
  }
  if (code == NM_RCLICK) {
    OnRightClick();
    result = TRUE;  // no default context menu
    return true;
  }
  return false;
}

void FileListPane::ShowOwnIcon(LVITEMW& item) {
  if (!(item.mask & LVIF_IMAGE)) return;
  // Rows carry their table index; the control keeps the icon once told.
  item.iImage =
      icons_.SmallIconIndexOfFile(files_.GetFile(static_cast<std::int32_t>(item.lParam)).FullPath());
  item.mask |= LVIF_DI_SETITEM;
}

void FileListPane::OnRightClick() {
  hover_.Hide();
  POINT cursor{};
  ::GetCursorPos(&cursor);
  PopupMenuAt(view_.SelectedCount() > 0 ? style_.menuWithSelection : style_.menuWithoutSelection,
              window_, cursor.x, cursor.y);
}

std::vector<FileRecord> FileListPane::SelectedRecords() const {
  std::vector<FileRecord> records;
  for (const std::u16string& path : view_.SelectedFullPaths()) {
    records.push_back(files_.FindFileByPath(path));
  }
  return records;
}

std::vector<FileRecord> FileListPane::SelectedRecordsOrAsk() const {
  std::vector<FileRecord> records = SelectedRecords();
  if (records.empty()) ShowInformation(window_, IDS_SELECT_FILE);
  return records;
}

void FileListPane::OpenSelected() { OpenFileRecords(window_, SelectedRecordsOrAsk()); }

void FileListPane::OpenSelectedWith() { OpenFileRecordsWith(window_, SelectedRecordsOrAsk()); }

void FileListPane::CopySelectedPaths() {
  const std::vector<FileRecord> records = SelectedRecordsOrAsk();
  if (!records.empty()) CopyFullPaths(window_, records);
}

void FileListPane::EditSelectedTags() {
  const std::vector<std::u16string> paths = view_.SelectedFullPaths();
  if (paths.empty()) ShowInformation(window_, IDS_SELECT_FILE);
  owner_.PaneRunCommand([this, paths] {
    std::vector<FileRecord> records;
    for (const std::u16string& path : paths) {
      const std::int32_t index = files_.IndexOfPath(path);
      if (index >= 0) records.push_back(files_.GetFile(index));
    }
    if (!records.empty()) EditFileRecords(owner_.PaneCatalogue(), records);
    owner_.PaneFilesChanged(!records.empty());
  });
}

void FileListPane::RemoveSelected() {
  // Every path is read before the first removal changes anything.
  const std::vector<std::u16string> paths = view_.SelectedFullPaths();
  owner_.PaneRunCommand([this, paths] {
    const bool confirmed = AskYesNo(window_, LoadResourceString(IDS_REMOVE_FILES_CONFIRM),
                                    LoadResourceString(IDS_REMOVE_CAPTION));
    if (confirmed) RemoveFiles(paths);
    owner_.PaneFilesChanged(confirmed);
  });
}

void FileListPane::RemoveFiles(const std::vector<std::u16string>& paths) const {
  TagDatabase& db = owner_.PaneCatalogue().Database();
  // Every delete in one write: all of them are kept, or, on Cancel or a failure, none.
  DatabaseBatch batch(db, DatabaseBatch::Kind::kWrite);
  if (!batch.Began()) return;  // another program holds the catalogue: said once
  const BatchEnd end = RunInSteps(window_, paths.size(), IDS_PROGRESS_REMOVING,
                                  [&](std::size_t i) {
    // Found anew in the catalogue: a dialog the command waited for may have written a record
    // again, and a search run meanwhile may have refilled the list's table.
    FileRecord record;
    return !SplitFilePath(record, paths[i]) || RemoveFileByPath(db, record);
  });
  if (end == BatchEnd::kDone) batch.Commit();
}

void FileListPane::SearchSameTags() { owner_.PaneSameTags(SameTagsText(SelectedRecords())); }

}  // namespace quillon
