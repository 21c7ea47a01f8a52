// The main window's own frame: skinned buttons, the placement of every control, moving,
// resizing and maximising the caption-less window, and the splitter between tree and list.
#include <windows.h>
#include <commctrl.h>

#include "resources/resource.h"
#include "shell/frame_geometry.h"
#include "shell/quillon_dlg.h"

namespace quillon {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

struct ButtonSkin {
  int id;
  UINT bitmap;
  int skinWidth;
  COLORREF textColour;
};

constexpr ButtonSkin kButtonSkins[] = {
    {IDC_BTN_MINIMIZE, IDB_BTN_MINIMIZE, 22, kBlack},
    {IDC_BTN_MAXIMIZE, IDB_BTN_MAXIMIZE, 22, kBlack},
    {IDC_BTN_CLOSE, IDB_BTN_CLOSE, 23, kBlack},
    {IDC_BTN_FILE, IDB_BTN_MENU, 85, kWhite},
    {IDC_BTN_EDIT, IDB_BTN_MENU, 85, kWhite},
    {IDC_BTN_QUICK_BAR, IDB_BTN_MENU, 85, kWhite},
    {IDC_BTN_HELP, IDB_BTN_MENU, 85, kWhite},
    {IDC_TOOL_ADD_FILE, IDB_TOOL_ADD_FILE, 32, kBlack},
    {IDC_TOOL_ADD_FOLDER, IDB_TOOL_ADD_FOLDER, 32, kBlack},
    {IDC_TOOL_EDIT_TAGS, IDB_TOOL_EDIT_TAGS, 32, kBlack},
    {IDC_TOOL_OPEN, IDB_TOOL_OPEN, 32, kBlack},
    {IDC_TOOL_HELP, IDB_TOOL_HELP, 32, kBlack},
    {IDC_BTN_SEARCH, IDB_BTN_SEARCH, 112, kBlack},
};

const wchar_t* CursorName(FrameCursor cursor) {
  switch (cursor) {
    case FrameCursor::kNorthWestSouthEast:
      return IDC_SIZENWSE;
    case FrameCursor::kNorthEastSouthWest:
      return IDC_SIZENESW;
    case FrameCursor::kWestEast:
      return IDC_SIZEWE;
    case FrameCursor::kNorthSouth:
      return IDC_SIZENS;
    case FrameCursor::kArrow:
      break;
  }
  return IDC_ARROW;
}

void ShowCursorShape(FrameCursor cursor) { ::SetCursor(::LoadCursorW(nullptr, CursorName(cursor))); }

SIZE ClientSize(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  return {client.right, client.bottom};
}

PixelPoint ToPixelPoint(POINT point) { return {point.x, point.y}; }

}  // namespace

void CQuillonDlg::SkinButtons() {
  static_assert(std::size(kButtonSkins) == std::tuple_size_v<decltype(buttons_)>);
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    const ButtonSkin& skin = kButtonSkins[i];
    buttons_[i].Attach(Item(skin.id));
    buttons_[i].SetSkin(skin.bitmap, skin.skinWidth, skin.textColour);
  }
}

void CQuillonDlg::LayoutControls() {
  const SIZE size = ClientSize(Handle());
  splitter_ = SplitterWithin(splitter_, size.cx);
  const MainWindowLayout layout = LayoutMainWindow(size.cx, size.cy, splitter_);
  struct Placement {
    int id;
    const PixelRect& rect;
    bool redraw;
  };
  // The caption buttons lie on the skin's top band, which the next paint draws anyway.
  const Placement placements[] = {
      {IDC_SEARCH_BOX, layout.searchBox, true},
      {IDC_BTN_FILE, layout.fileMenu, true},
      {IDC_BTN_EDIT, layout.editMenu, true},
      {IDC_BTN_QUICK_BAR, layout.quickBarMenu, true},
      {IDC_BTN_HELP, layout.helpMenu, true},
      {IDC_TOOL_ADD_FILE, layout.toolbar[0], true},
      {IDC_TOOL_ADD_FOLDER, layout.toolbar[1], true},
      {IDC_TOOL_EDIT_TAGS, layout.toolbar[2], true},
      {IDC_TOOL_OPEN, layout.toolbar[3], true},
      {IDC_TOOL_HELP, layout.toolbar[4], true},
      {IDC_BTN_SEARCH, layout.searchButton, true},
      {IDC_BTN_MINIMIZE, layout.minimize, false},
      {IDC_BTN_MAXIMIZE, layout.maximize, false},
      {IDC_BTN_CLOSE, layout.close, false},
      {IDC_FOLDER_TREE, layout.tree, true},
      {IDC_FILE_LIST, layout.list, true},
      {IDC_STATUS, layout.status, true},
  };
  for (const Placement& place : placements) {
    ::MoveWindow(Item(place.id), place.rect.left, place.rect.top, place.rect.Width(),
                 place.rect.Height(), place.redraw);
  }
}

void CQuillonDlg::ToggleMaximized() {
  if (::IsZoomed(Handle())) {
    ::ShowWindow(Handle(), SW_RESTORE);
    return;
  }
  ::ShowWindow(Handle(), SW_MAXIMIZE);
  // A window without a frame would cover the task bar: it takes the work area instead.
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  ::MoveWindow(Handle(), work.left, work.top, work.right - work.left, work.bottom - work.top,
               TRUE);
}

bool CQuillonDlg::OnSize(UINT type, int, int) {
  if (type != SIZE_MINIMIZED) LayoutControls();
  return false;
}

bool CQuillonDlg::OnLButtonDown(UINT, POINT point) {
  const SIZE size = ClientSize(Handle());
  const PixelPoint press = ToPixelPoint(point);
  dragEdges_ = DragEdgesAt(press, size.cx, size.cy, splitter_);
  // A maximised window keeps its place and size; its splitter still moves.
  if (::IsZoomed(Handle())) dragEdges_ &= kEdgeSplitter;
  if (dragEdges_ != kEdgeNone) {
    ::SetCapture(Handle());
    ShowCursorShape(CursorForEdges(dragEdges_));
    return true;
  }
  if (PressMovesWindow(press, dragEdges_) && !::IsZoomed(Handle())) {
    POINT screen = point;
    ::ClientToScreen(Handle(), &screen);
    ::PostMessageW(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
    return true;
  }
  return false;
}

bool CQuillonDlg::OnMouseMove(UINT keys, POINT point) {
  if (dragEdges_ == kEdgeNone) return false;
  // The button was released elsewhere or the capture was taken away: the drag is over.
  if (!(keys & MK_LBUTTON) || ::GetCapture() != Handle()) {
    dragEdges_ = kEdgeNone;
    return false;
  }
  DragTo(point);
  return true;
}

void CQuillonDlg::DragTo(POINT point) {
  const SIZE size = ClientSize(Handle());
  if (dragEdges_ & kEdgeSplitter) {
    if (const std::optional<int> splitter = SplitterForDrag(point.x, size.cx)) {
      splitter_ = *splitter;
      ::InvalidateRect(Handle(), nullptr, TRUE);
      LayoutControls();
    }
  }
  const unsigned windowEdges = dragEdges_ & ~static_cast<unsigned>(kEdgeSplitter);
  if (windowEdges == kEdgeNone) return;
  RECT window{};
  ::GetWindowRect(Handle(), &window);
  POINT screen = point;
  ::ClientToScreen(Handle(), &screen);
  const std::optional<PixelRect> resized =
      ResizeWindow({window.left, window.top, window.right, window.bottom}, windowEdges,
                   ToPixelPoint(point), ToPixelPoint(screen));
  if (!resized) return;
  ::SetWindowPos(Handle(), nullptr, resized->left, resized->top, resized->Width(),
                 resized->Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

bool CQuillonDlg::OnLButtonUp(UINT, POINT point) {
  if (dragEdges_ == kEdgeNone) return false;
  dragEdges_ = kEdgeNone;
  ::ReleaseCapture();
  ::InvalidateRect(Item(IDC_FILE_LIST), nullptr, TRUE);
  const SIZE size = ClientSize(Handle());
  ShowCursorShape(CursorAt(ToPixelPoint(point), size.cx, size.cy, splitter_));
  return true;
}

bool CQuillonDlg::OnLButtonDblClk(UINT, POINT point) {
  if (!DoubleClickTogglesMaximized(ToPixelPoint(point))) return false;
  ToggleMaximized();
  return true;
}

bool CQuillonDlg::OnSetCursor(HWND window, int hitTest, UINT) {
  if (window != Handle() || hitTest != HTCLIENT) return false;
  POINT cursor{};
  ::GetCursorPos(&cursor);
  ::ScreenToClient(Handle(), &cursor);
  const SIZE size = ClientSize(Handle());
  if (::IsZoomed(Handle())) {
    // Only the splitter can be dragged in a maximised window.
    const bool overSplitter = CursorAt(ToPixelPoint(cursor), size.cx, size.cy, splitter_) ==
                                  FrameCursor::kWestEast &&
                              WindowEdgesAt(ToPixelPoint(cursor), size.cx, size.cy) == kEdgeNone;
    ShowCursorShape(overSplitter ? FrameCursor::kWestEast : FrameCursor::kArrow);
    return true;
  }
  ShowCursorShape(CursorAt(ToPixelPoint(cursor), size.cx, size.cy, splitter_));
  return true;
}

}  // namespace quillon
