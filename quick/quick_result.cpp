#include "quick/quick_result.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <string>

#include "catalogue/file_store.h"
#include "catalogue/tag_search.h"
#include "dialogs/file_picker.h"
#include "framework/gdi.h"
#include "framework/message_box.h"
#include "framework/resource_text.h"
#include "framework/wide.h"
#include "quick/quick_bar.h"
#include "quick/quick_layout.h"
#include "resources/resource.h"
#include "shell/files/record_actions.h"
#include "shell/model/file_list_model.h"
#include "ui/bitmap_piece.h"
#include "ui/popup_menu.h"

namespace quillon {
namespace {

// "File Name", "Tags" and "Path": only the first shows in the icon view; the others carry what
// the commands read.
constexpr std::array<int, 3> kColumnWidths = {250, 150, 180};

constexpr UINT kFrameBitmaps[] = {IDB_RESULT_TOP, IDB_RESULT_SIDE, IDB_RESULT_BOTTOM};

// The platform's sort key of a text: two keys compare byte by byte as lstrcmpW compares the
// texts, so a sort asks the locale once per name instead of once per comparison.
std::string SortKey(const std::u16string& text) {
  std::string key(2 * text.size() + 16, '\0');
  for (;;) {
    const int size = ::LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, Wide(text),
                                    static_cast<int>(text.size()), reinterpret_cast<LPWSTR>(key.data()),
                                    static_cast<int>(key.size()));
    if (size > 0) {
      key.resize(static_cast<std::size_t>(size));
      return key;
    }
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) return {};
    key.resize(key.size() * 2);
  }
}

// Orders the table's records by file name, so the rows go in already in order: re-sorting
// 10,000 rows in the control costs a fifth of a second. The table is refilled in place, as a
// fresh one of 10,000 slots costs more than a small search.
void SortByFileName(FileTable& files) {
  struct Entry {
    std::string key;
    FileRecord record;
  };
  std::vector<Entry> entries;
  entries.reserve(files.Count());
  for (std::uint32_t i = 0; i < files.Count(); ++i) {
    FileRecord record = files.GetFile(static_cast<std::int32_t>(i));
    std::string key = SortKey(record.FileName);
    entries.push_back({std::move(key), std::move(record)});
  }
  std::stable_sort(entries.begin(), entries.end(),
                   [](const Entry& a, const Entry& b) { return a.key < b.key; });
  files.Reset();
  for (const Entry& entry : entries) files.Append(entry.record);
}

HIMAGELIST SystemSmallIcons() {
  SHFILEINFOW info{};
  return reinterpret_cast<HIMAGELIST>(
      ::SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

}  // namespace

const CommandRoute<CQuickResult> CQuickResult::kCommands[] = {
    {ID_RESULT_OPEN, &CQuickResult::OpenSelected},
    {ID_RESULT_OPEN_WITH, &CQuickResult::OpenSelectedWith},
    {ID_RESULT_COPY_PATHS, &CQuickResult::CopySelectedPaths},
    {ID_RESULT_EDIT_TAGS, &CQuickResult::EditSelectedTags},
    {ID_RESULT_REMOVE, &CQuickResult::RemoveSelected},
    {ID_RESULT_SAME_TAGS, &CQuickResult::SearchSameTags},
    {ID_RESULT_ADD_FILE, &CQuickResult::AddFileWithPicker},
};

CQuickResult::CQuickResult(QuickBarHost& host, CQuickBar& bar)
    : CDialog(IDD_QUICK_RESULT), host_(host), bar_(bar) {}

bool CQuickResult::Create(HWND bar) { return CDialog::Create(bar); }

bool CQuickResult::OnInitDialog() {
  const HWND list = Item(IDC_FILE_LIST);
  list_.Attach(list);
  // The shell's list of file-type icons is shared by every program: the list must never
  // destroy it.
  ::SetWindowLongW(list, GWL_STYLE, ::GetWindowLongW(list, GWL_STYLE) | LVS_SHAREIMAGELISTS);
  images_ = SystemSmallIcons();
  ::SendMessageW(list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images_));

  RECT window{};
  ::GetWindowRect(Handle(), &window);
  OnSize(SIZE_RESTORED, window.right - window.left, window.bottom - window.top);
  ::ShowWindow(list, SW_SHOWNA);
  list_.AddColumns(kColumnWidths);
  hover_.Attach(list, files_, host_.Preview());
  return false;
}

bool CQuickResult::FillResults(const std::u16string& tagText) {
  TagDatabase& db = host_.Catalogue().Database();
  if (ReadInOneSnapshot(db, [&] { SearchByTags(db, files_, tagText); }) !=
      ReadAccess::kReadable) {
    return false;  // the list keeps what it showed
  }
  resultTagText_ = tagText;
  SortByFileName(files_);
  const RedrawPause pause(list_.Handle());
  // A file whose icon is its own costs 5-7 ms to ask about: the list asks for those icons
  // only as their rows come into view.
  list_.Fill(files_, [this](const FileRecord& file) {
    return HasOwnIcon(FileTypeKey(file.FileName)) ? I_IMAGECALLBACK
                                                  : icons_.SmallIconIndex(file.FileName);
  });
  hover_.Rebuild();
  return true;
}

void CQuickResult::FocusFirstRow() {
  ::SetFocus(list_.Handle());
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  ::SendMessageW(list_.Handle(), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
}

bool CQuickResult::PreTranslateMessage(MSG& message) {
  // The preview follows the pointer over the window and its list.
  hover_.RelayMouseMove(message);
  if (message.message != WM_KEYDOWN) return false;
  if (message.wParam == VK_RETURN) {
    OpenSelected();
    Hide();
    return true;
  }
  if (message.wParam == VK_F5) {
    FillResults(resultTagText_);
    return true;
  }
  return false;
}

void CQuickResult::OnCancel() { Hide(); }

void CQuickResult::Hide() {
  bar_.MarkResultsHidden();
  HideWindow();
}

void CQuickResult::HideWindow() {
  // The preview belongs to the rows it shows: it never stays without them.
  hover_.Hide();
  ::ShowWindow(Handle(), SW_HIDE);
}

bool CQuickResult::OnCommand(int id, int, HWND) { return RunCommand(*this, kCommands, id); }

bool CQuickResult::OnNotify(int id, NMHDR& header, LRESULT& result) {
  if (id != IDC_FILE_LIST) return false;
  const UINT code = header.code;
  if (code == LVN_DELETEALLITEMS) {
    result = TRUE;  // no notice per row: a refill deletes up to 10,000 rows at once
    return true;
  }
  if (code == LVN_GETDISPINFOW) {
    ShowOwnIcon(reinterpret_cast<NMLVDISPINFOW&>(header).item);
    return true;
  }
  if (code == NM_DBLCLK) {
    if (reinterpret_cast<const NMITEMACTIVATE&>(header).iItem != -1 && list_.SelectedCount() == 1) {
      OpenSelected();
    }
    return true;
  }
  if (code == NM_RCLICK) {
    OnRightClick();
    result = TRUE;
    return true;
  }
  return false;
}

void CQuickResult::ShowOwnIcon(LVITEMW& item) {
  if (!(item.mask & LVIF_IMAGE)) return;
  // Rows carry their table index; the control keeps the icon once told.
  item.iImage = icons_.SmallIconIndexOfFile(files_.GetFile(static_cast<std::int32_t>(item.lParam)).FullPath());
  item.mask |= LVIF_DI_SETITEM;
}

void CQuickResult::OnRightClick() {
  POINT cursor{};
  ::GetCursorPos(&cursor);
  PopupMenuAt(list_.SelectedCount() > 0 ? IDR_MENU_RESULT : IDR_MENU_RESULT_EMPTY, Handle(),
              cursor.x, cursor.y);
}

bool CQuickResult::OnPaint() {
  PaintDC dc(Handle());
  RECT window{};
  ::GetWindowRect(Handle(), &window);
  for (const ResultFramePiece& frame :
       ResultFramePieces(window.right - window.left, window.bottom - window.top)) {
    const BitmapPiece& piece = frame.piece;
    DrawBitmapPiece(dc, kFrameBitmaps[frame.bitmap], piece.sourceX, piece.sourceY,
                    piece.dest.left, piece.dest.top, piece.dest.right, piece.dest.bottom);
  }
  return true;
}

bool CQuickResult::OnSize(UINT, int width, int height) {
  if (!list_.Handle()) return false;  // the size the window is created with
  // A window without frame: its client size is its size.
  const PixelRect region = ResultWindowRegion(width, height);
  // The window owns the region once it is set.
  ::SetWindowRgn(Handle(),
                 ::CreateRoundRectRgn(region.left, region.top, region.right, region.bottom,
                                      kQuickCornerEllipse, kQuickCornerEllipse),
                 IsVisible());
  const PixelRect place = ResultListControlPlace(width, height);
  ::SetWindowPos(list_.Handle(), nullptr, place.left, place.top, place.Width(), place.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

bool CQuickResult::OnTimer(UINT_PTR id) { return mainWindowWait_.OnTimer(id); }

void CQuickResult::RunWhenMainWindowFree(std::function<void()> command) {
  mainWindowWait_.Run(Handle(), host_.Catalogue().MainWindow(), std::move(command));
}

bool CQuickResult::OnActivate(UINT, HWND, bool) {
  hover_.Hide();
  return false;
}

bool CQuickResult::OnHelp(const HELPINFO&) {
  host_.Catalogue().OpenHelpFile();
  return true;
}

bool CQuickResult::OnDropFiles(const std::vector<std::u16string>& paths, POINT) {
  RunWhenMainWindowFree([this, paths] {
    host_.Catalogue().SetCurrentFilter(resultTagText_);
    host_.AddDroppedFiles(paths);
  });
  return true;
}

std::vector<FileRecord> CQuickResult::SelectedRecords() {
  return SelectedRecordsOrAsk(Handle(), list_, files_);
}

void CQuickResult::OpenSelected() { OpenFileRecords(Handle(), SelectedRecords()); }

void CQuickResult::OpenSelectedWith() { OpenFileRecordsWith(Handle(), SelectedRecords()); }

void CQuickResult::CopySelectedPaths() {
  const std::vector<FileRecord> records = SelectedRecords();
  if (!records.empty()) CopyFullPaths(Handle(), records);
}

// The commands that change the catalogue take the rows selected now and wait for a modal
// dialog of the main window to close before they ask or change anything.
void CQuickResult::EditSelectedTags() {
  std::vector<std::u16string> paths;
  for (const FileRecord& record : SelectedRecords()) paths.push_back(record.FullPath());
  RunWhenMainWindowFree([this, paths] {
    if (!paths.empty()) {
      // Read again: the dialog the command waited for may have changed the records.
      FillResults(resultTagText_);
      std::vector<FileRecord> records;
      for (const std::u16string& path : paths) {
        const std::int32_t index = files_.IndexOfPath(path);
        if (index >= 0) records.push_back(files_.GetFile(index));
      }
      EditFileRecords(host_.Catalogue(), records);
      FillResults(resultTagText_);
    }
    host_.ListFiles(host_.CurrentFilter());
  });
}

void CQuickResult::RemoveSelected() {
  // Every path is read before the first removal changes anything.
  const std::vector<std::u16string> paths = list_.SelectedFullPaths();
  RunWhenMainWindowFree([this, paths] {
    if (AskYesNo(Handle(), LoadResourceString(IDS_REMOVE_FILES_CONFIRM),
                 LoadResourceString(IDS_REMOVE_CAPTION))) {
      TagDatabase& db = host_.Catalogue().Database();
      // Found anew in the catalogue: the dialog the command waited for may have written a
      // record again, and a search typed meanwhile refilled the list's table.
      FileTable chosen;
      for (const std::u16string& path : paths) {
        FileRecord record;
        if (SplitFilePath(record, path) && (record.ID = FindFileId(db, record)) != 0) {
          chosen.Append(record);
        }
      }
      for (const std::u16string& path : paths) DeleteFileByPath(db, chosen, path);
      FillResults(resultTagText_);
    }
    host_.ListFiles(host_.CurrentFilter());
  });
}

void CQuickResult::SearchSameTags() {
  const std::u16string tags = SameTagsText(RecordsOfSelectedRows(list_, files_));
  bar_.SetSearchText(tags);  // runs the bar's typing search
  FillResults(tags);
}

void CQuickResult::AddFileWithPicker() {
  RunWhenMainWindowFree([this] {
    if (const auto path = PickExistingFile(Handle())) host_.AddFile(*path);
    FillResults(resultTagText_);
  });
}

}  // namespace quillon
