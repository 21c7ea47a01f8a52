#include "quick/quick_result.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "catalogue/tag_search.h"
#include "dialogs/file_picker.h"
#include "framework/gdi.h"
#include "framework/wide.h"
#include "preview/preview_page.h"
#include "quick/quick_bar.h"
#include "quick/quick_layout.h"
#include "resources/resource.h"
#include "ui/bitmap_piece.h"

namespace quillon {
namespace {

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

}  // namespace

const CommandRoute<CQuickResult> CQuickResult::kCommands[] = {
    {ID_RESULT_ADD_FILE, &CQuickResult::AddFileWithPicker},
};

const CommandRoute<FileListPane> CQuickResult::kListCommands[] = {
    {ID_RESULT_OPEN, &FileListPane::OpenSelected},
    {ID_RESULT_OPEN_WITH, &FileListPane::OpenSelectedWith},
    {ID_RESULT_COPY_PATHS, &FileListPane::CopySelectedPaths},
    {ID_RESULT_EDIT_TAGS, &FileListPane::EditSelectedTags},
    {ID_RESULT_REMOVE, &FileListPane::RemoveSelected},
    {ID_RESULT_SAME_TAGS, &FileListPane::SearchSameTags},
};

// Icon view: "File Name" shows, the other columns carry what the commands read. A file whose
// icon is its own shows it; the rows come in ordered by name.
const FileListPaneStyle CQuickResult::kStyle = {
    LVSIL_NORMAL, false, 250, true, false, IDR_MENU_RESULT, IDR_MENU_RESULT_EMPTY,
};

CQuickResult::CQuickResult(QuickBarHost& host, CQuickBar& bar)
    : CDialog(IDD_QUICK_RESULT), host_(host), bar_(bar) {}

bool CQuickResult::Create(HWND bar) { return CDialog::Create(bar); }

bool CQuickResult::OnInitDialog() {
  const HWND list = Item(IDC_FILE_LIST);
  pane_.Attach(Handle(), list, host_.Preview());
  pane_.ShowMissing(host_.Missing());

  RECT window{};
  ::GetWindowRect(Handle(), &window);
  OnSize(SIZE_RESTORED, window.right - window.left, window.bottom - window.top);
  ::ShowWindow(list, SW_SHOWNA);
  return false;
}

bool CQuickResult::FillResults(const std::u16string& tagText) {
  TagDatabase& db = host_.Catalogue().Database();
  if (ReadInOneSnapshot(db, [&] { SearchByTags(db, pane_.Files(), tagText); }) !=
      ReadAccess::kReadable) {
    return false;  // the list keeps what it showed
  }
  resultTagText_ = tagText;
  SortByFileName(pane_.Files());
  pane_.Show();
  return true;
}

void CQuickResult::FocusFirstRow() {
  ::SetFocus(pane_.List());
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  ::SendMessageW(pane_.List(), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
}

bool CQuickResult::PreTranslateMessage(MSG& message) {
  // The preview follows the pointer over the window and its list.
  pane_.RelayMouseMove(message);
  if (message.message != WM_KEYDOWN) return false;
  if (message.wParam == VK_RETURN) {
    pane_.OpenSelected();
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
  pane_.HideHover();
  ::ShowWindow(Handle(), SW_HIDE);
}

bool CQuickResult::OnCommand(int id, int, HWND) {
  return RunCommand(*this, kCommands, id) || RunCommand(pane_, kListCommands, id);
}

bool CQuickResult::OnNotify(int id, NMHDR& header, LRESULT& result) {
  return id == IDC_FILE_LIST && pane_.OnNotify(header, result);
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
  if (!pane_.List()) return false;  // the size the window is created with
  // A window without frame: its client size is its size.
  const PixelRect region = ResultWindowRegion(width, height);
  // The window owns the region once it is set.
  ::SetWindowRgn(Handle(),
                 ::CreateRoundRectRgn(region.left, region.top, region.right, region.bottom,
                                      kQuickCornerEllipse, kQuickCornerEllipse),
                 IsVisible());
  const PixelRect place = ResultListControlPlace(width, height);
  ::SetWindowPos(pane_.List(), nullptr, place.left, place.top, place.Width(), place.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

bool CQuickResult::OnTimer(UINT_PTR id) { return mainWindowWait_.OnTimer(id); }

void CQuickResult::RunWhenMainWindowFree(std::function<void()> command) {
  mainWindowWait_.Run(Handle(), host_.Catalogue().MainWindow(), std::move(command));
}

bool CQuickResult::OnActivate(UINT, HWND, bool) {
  pane_.HideHover();
  return false;
}

bool CQuickResult::OnHelp(const HELPINFO&) {
  host_.Catalogue().OpenHelpFile();
  return true;
}

bool CQuickResult::OnDropFiles(const std::vector<std::u16string>& paths, POINT) {
  RunWhenMainWindowFree([this, paths] { host_.AddFiles(paths, resultTagText_); });
  return true;
}

void CQuickResult::PaneRunCommand(std::function<void()> command) {
  const bool held = MainWindowWait::MainWindowBusy(host_.Catalogue().MainWindow());
  RunWhenMainWindowFree([this, held, command = std::move(command)] {
    // Read again: the dialog the command waited for may have changed the records.
    if (held) FillResults(resultTagText_);
    command();
  });
}

void CQuickResult::PaneFilesChanged(bool changed) {
  if (changed) FillResults(resultTagText_);
  host_.ListFiles(host_.CurrentFilter());
}

void CQuickResult::PaneSameTags(const std::u16string& tags) {
  bar_.SetSearchText(tags);  // runs the bar's typing search
  FillResults(tags);
}

void CQuickResult::AddFileWithPicker() {
  RunWhenMainWindowFree([this] {
    const std::vector<std::u16string> paths = PickExistingFiles(Handle());
    if (!paths.empty()) host_.AddFiles(paths, host_.CurrentFilter());
    FillResults(resultTagText_);
  });
}

}  // namespace quillon
