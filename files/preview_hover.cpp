#include "files/preview_hover.h"

#include <commctrl.h>
#include <windowsx.h>

#include "files/preview_popup.h"

namespace quillon {
namespace {

constexpr int kFullPathColumn = 2;

// The text of one cell, however long (catalogued paths may pass MAX_PATH).
std::u16string CellText(HWND list, int row, int column) {
  std::u16string text(MAX_PATH, u'\0');
  for (;;) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<wchar_t*>(text.data());
    item.cchTextMax = static_cast<int>(text.size());
    const auto length = static_cast<std::size_t>(
        ::SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
    if (length + 1 < text.size()) {
      text.resize(length);
      return text;
    }
    text.resize(text.size() * 2);
  }
}

}  // namespace

void PreviewHover::Attach(HWND list, const FileTable& files, PreviewPopup* preview) {
  list_ = list;
  files_ = &files;
  preview_ = preview;
  Rebuild();
}

void PreviewHover::Rebuild() {
  indexByPath_.clear();
  if (!files_) return;
  indexByPath_.reserve(files_->Count());
  // The first record of a path wins, deleted ones included, as FindFileByPath has it.
  for (std::uint32_t i = 0; i < files_->Count(); ++i) {
    const auto index = static_cast<std::int32_t>(i);
    indexByPath_.try_emplace(files_->GetFile(index).FullPath(), index);
  }
}

void PreviewHover::RelayMouseMove(const MSG& message) {
  if (message.message == WM_MOUSELEAVE) {
    leaveAsked_ = false;
    PointerLeft();
    return;
  }
  if (message.message != WM_MOUSEMOVE) return;
  // The pointer may leave straight from a row to another program, where the owner sees no
  // movement: the list asks to be told, once until told. Other windows track for themselves.
  if (!leaveAsked_ && list_ && (message.hwnd == list_ || ::IsChild(list_, message.hwnd))) {
    TRACKMOUSEEVENT leave{sizeof(leave), TME_LEAVE, message.hwnd, 0};
    leaveAsked_ = ::TrackMouseEvent(&leave) != FALSE;
  }
  // The movement's own point, not the cursor's later place.
  POINT screen{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
  ::ClientToScreen(message.hwnd, &screen);
  PointerMoved(screen);
}

void PreviewHover::PointerMoved(POINT screen) {
  if (!preview_ || !preview_->PopupWindow() || !list_) return;
  const int row = RowAt(screen);
  if (row < 0) {
    preview_->HidePreview();
    return;
  }
  preview_->ShowFile(RecordOfRow(row), screen.x, screen.y);
}

void PreviewHover::PointerLeft() {
  // The notice may come late, after the pointer came back over a row: judged where it is now.
  POINT cursor{};
  ::GetCursorPos(&cursor);
  PointerMoved(cursor);
}

void PreviewHover::Hide() {
  leaveAsked_ = false;  // a leave may be lost to another message loop: asked for anew
  if (preview_ && preview_->PopupWindow()) preview_->HidePreview();
}

int PreviewHover::RowAt(POINT screen) const {
  if (!list_ || !::IsWindowVisible(list_)) return -1;
  POINT client = screen;
  ::ScreenToClient(list_, &client);
  RECT area{};
  ::GetClientRect(list_, &area);
  if (!::PtInRect(&area, client)) return -1;
  LVHITTESTINFO hit{};
  hit.pt = client;
  const int row = static_cast<int>(::SendMessageW(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return (hit.flags & LVHT_ONITEM) ? row : -1;
}

FileRecord PreviewHover::RecordOfRow(int row) {
  if (!files_) return {};
  const std::u16string fullPath = CellText(list_, row, kFullPathColumn);
  for (int attempt = 0; attempt < 2; ++attempt) {
    const auto found = indexByPath_.find(fullPath);
    if (found == indexByPath_.end()) return {};
    FileRecord record = files_->GetFile(found->second);
    if (record.FullPath() == fullPath) return record;
    // The table was refilled without a Rebuild: index it again once.
    Rebuild();
  }
  return {};
}

}  // namespace quillon
