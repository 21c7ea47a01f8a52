#include "files/file_list_view.h"

#include <commctrl.h>

#include "framework/resource_text.h"
#include "framework/wide.h"
#include "resources/resource.h"

namespace quillon {
namespace {

// The column that holds a row's full path.
constexpr int kFullPathColumn = 2;

void SetCellText(HWND list, int row, int column, const std::u16string& text) {
  LVITEMW cell{};
  cell.iSubItem = column;
  cell.pszText = const_cast<wchar_t*>(Wide(text));
  ::SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&cell));
}

// What the sort's comparison reads: each row's text, by the row's item data.
struct SortTexts {
  std::vector<std::u16string> byItemData;
  const std::function<int(int)>* order;
};

int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM context) {
  const auto& sort = *reinterpret_cast<const SortTexts*>(context);
  return (*sort.order)(::lstrcmpW(Wide(sort.byItemData[first]), Wide(sort.byItemData[second])));
}

}  // namespace

void FileListView::AddColumns(const std::array<int, 3>& widths) const {
  const UINT titles[] = {IDS_COLUMN_FILE_NAME, IDS_COLUMN_TAGS, IDS_COLUMN_PATH};
  for (int column = 0; column < 3; ++column) {
    const std::u16string title = LoadResourceString(titles[column]);
    LVCOLUMNW format{};
    format.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    format.fmt = LVCFMT_LEFT;
    format.cx = widths[column];
    format.pszText = const_cast<wchar_t*>(Wide(title));
    format.iSubItem = column;
    ::SendMessageW(list_, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&format));
  }
}

void FileListView::SetColumnWidth(int column, int width) const {
  ::SendMessageW(list_, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0));
}

void FileListView::Fill(const FileTable& files,
                        const std::function<int(const FileRecord&)>& iconOf) const {
  ::SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
  ::SendMessageW(list_, LVM_SETITEMCOUNT, files.Count(), 0);
  for (std::uint32_t index = 0; index < files.Count(); ++index) {
    const FileRecord record = files.GetFile(static_cast<std::int32_t>(index));
    if (record.deleted) continue;
    LVITEMW row{};
    row.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    row.iItem = static_cast<int>(index);
    row.pszText = const_cast<wchar_t*>(Wide(record.FileName));
    row.iImage = iconOf(record);
    row.lParam = static_cast<LPARAM>(index);
    const auto inserted = static_cast<int>(
        ::SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row)));
    if (inserted < 0) continue;
    SetCellText(list_, inserted, 1, record.Tags);
    SetCellText(list_, inserted, kFullPathColumn, record.FullPath());
  }
}

void FileListView::Sort(int column, const std::function<int(int)>& order) const {
  // The comparison runs n log n times: it reads texts gathered once, not the control.
  SortTexts texts{{}, &order};
  const int rows = RowCount();
  for (int row = 0; row < rows; ++row) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    ::SendMessageW(list_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    const auto key = static_cast<std::size_t>(item.lParam);
    if (key >= texts.byItemData.size()) texts.byItemData.resize(key + 1);
    texts.byItemData[key] = Text(row, column);
  }
  ::SendMessageW(list_, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&texts),
                 reinterpret_cast<LPARAM>(&CompareRows));
}

void FileListView::ShowMoved(std::int32_t index, const FileRecord& record, int icon) const {
  LVFINDINFOW find{};
  find.flags = LVFI_PARAM;
  find.lParam = static_cast<LPARAM>(index);
  const auto row = static_cast<int>(
      ::SendMessageW(list_, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
  if (row < 0) return;
  LVITEMW name{};
  name.mask = LVIF_TEXT | LVIF_IMAGE;
  name.iItem = row;
  name.pszText = const_cast<wchar_t*>(Wide(record.FileName));
  name.iImage = icon;
  ::SendMessageW(list_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&name));
  SetCellText(list_, row, kFullPathColumn, record.FullPath());
}

int FileListView::RowCount() const {
  return static_cast<int>(::SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
}

std::u16string FileListView::Text(int row, int column) const {
  // The control copies at most the buffer's size less one; a full buffer may have cut it.
  for (std::size_t size = 260;; size *= 2) {
    std::u16string text(size, u'\0');
    LVITEMW cell{};
    cell.iSubItem = column;
    cell.pszText = reinterpret_cast<wchar_t*>(text.data());
    cell.cchTextMax = static_cast<int>(size);
    const auto length = static_cast<std::size_t>(
        ::SendMessageW(list_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&cell)));
    if (length + 1 < size) {
      text.resize(length);
      return text;
    }
  }
}

int FileListView::SelectedCount() const {
  return static_cast<int>(::SendMessageW(list_, LVM_GETSELECTEDCOUNT, 0, 0));
}

std::vector<std::u16string> FileListView::SelectedFullPaths() const {
  std::vector<std::u16string> paths;
  for (int row = -1;;) {
    row = static_cast<int>(::SendMessageW(list_, LVM_GETNEXTITEM, row, LVNI_SELECTED));
    if (row < 0) return paths;
    paths.push_back(Text(row, kFullPathColumn));
  }
}

RedrawPause::RedrawPause(HWND control) : control_(control) {
  ::SendMessageW(control_, WM_SETREDRAW, FALSE, 0);
}

RedrawPause::~RedrawPause() {
  ::SendMessageW(control_, WM_SETREDRAW, TRUE, 0);
  ::RedrawWindow(control_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace quillon
