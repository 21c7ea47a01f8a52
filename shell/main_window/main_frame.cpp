#include "shell/main_window/main_frame.h"

#include "resources/resource.h"
#include "shell/model/skin_layout.h"
#include "ui/bitmap_piece.h"
#include "ui/gdi_bridge.h"

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

}  // namespace

void MainFrame::Attach(HWND dialog) {
  dialog_ = dialog;
  splitter_ = kInitialSplitter;
  dragEdges_ = kEdgeNone;
  static_assert(std::size(kButtonSkins) == std::tuple_size_v<decltype(buttons_)>);
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    const ButtonSkin& skin = kButtonSkins[i];
    buttons_[i].Attach(Item(skin.id));
    buttons_[i].SetSkin(skin.bitmap, skin.skinWidth, skin.textColour);
  }
}

SIZE MainFrame::ClientSize() const {
  RECT client{};
  ::GetClientRect(dialog_, &client);
  return {client.right, client.bottom};
}

int MainFrame::PlacedSplitter() const { return SplitterWithin(splitter_, ClientSize().cx); }

void MainFrame::LayoutControls() const {
  const SIZE size = ClientSize();
  const MainWindowLayout layout = LayoutMainWindow(size.cx, size.cy, PlacedSplitter());
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

void MainFrame::PaintSkin(HDC dc) const {
  const SIZE size = ClientSize();
  const int splitter = PlacedSplitter();
  const MainWindowLayout layout = LayoutMainWindow(size.cx, size.cy, splitter);
  for (const SkinPiece& skin : MainWindowSkinPieces(layout, size.cx, size.cy, splitter)) {
    const PixelRect& to = skin.piece.dest;
    DrawBitmapPiece(dc, skin.bitmapId, skin.piece.sourceX, skin.piece.sourceY, to.left, to.top,
                    to.right, to.bottom);
  }
  for (const SkinFill& fill : MainWindowSkinFills(size.cx, size.cy, splitter)) {
    FillSolid(dc, fill.rect, ToColorRef(fill.colour));
  }
}

void MainFrame::ToggleMaximized() const {
  if (::IsZoomed(dialog_)) {
    ::ShowWindow(dialog_, SW_RESTORE);
    return;
  }
  ::ShowWindow(dialog_, SW_MAXIMIZE);
  // A window without a frame would cover the task bar: it takes the work area instead.
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  ::MoveWindow(dialog_, work.left, work.top, work.right - work.left, work.bottom - work.top,
               TRUE);
}

bool MainFrame::OnLButtonDown(POINT point) {
  const SIZE size = ClientSize();
  const PixelPoint press = ToPixelPoint(point);
  dragEdges_ = DragEdgesAt(press, size.cx, size.cy, PlacedSplitter());
  // A maximised window keeps its place and size; its splitter still moves.
  if (::IsZoomed(dialog_)) dragEdges_ &= kEdgeSplitter;
  if (dragEdges_ != kEdgeNone) {
    ::SetCapture(dialog_);
    ShowCursorShape(CursorForEdges(dragEdges_));
    return true;
  }
  if (PressMovesWindow(press, dragEdges_) && !::IsZoomed(dialog_)) {
    POINT screen = point;
    ::ClientToScreen(dialog_, &screen);
    ::PostMessageW(dialog_, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
    return true;
  }
  return false;
}

bool MainFrame::OnMouseMove(UINT keys, POINT point) {
  if (dragEdges_ == kEdgeNone) return false;
  // The button was released elsewhere or the capture was taken away: the drag is over.
  if (!(keys & MK_LBUTTON) || ::GetCapture() != dialog_) {
    dragEdges_ = kEdgeNone;
    return false;
  }
  DragTo(point);
  return true;
}

void MainFrame::DragTo(POINT point) {
  const SIZE size = ClientSize();
  if (dragEdges_ & kEdgeSplitter) {
    if (const std::optional<int> splitter = SplitterForDrag(point.x, size.cx)) {
      splitter_ = *splitter;
      ::InvalidateRect(dialog_, nullptr, TRUE);
      LayoutControls();
    }
  }
  const unsigned windowEdges = dragEdges_ & ~static_cast<unsigned>(kEdgeSplitter);
  if (windowEdges == kEdgeNone) return;
  RECT window{};
  ::GetWindowRect(dialog_, &window);
  POINT screen = point;
  ::ClientToScreen(dialog_, &screen);
  const std::optional<PixelRect> resized =
      ResizeWindow({window.left, window.top, window.right, window.bottom}, windowEdges,
                   ToPixelPoint(point), ToPixelPoint(screen));
  if (!resized) return;
  ::SetWindowPos(dialog_, nullptr, resized->left, resized->top, resized->Width(),
                 resized->Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  ::InvalidateRect(dialog_, nullptr, TRUE);
}

bool MainFrame::OnLButtonUp(POINT point) {
  if (dragEdges_ == kEdgeNone) return false;
  dragEdges_ = kEdgeNone;
  ::ReleaseCapture();
  ::InvalidateRect(Item(IDC_FILE_LIST), nullptr, TRUE);
  const SIZE size = ClientSize();
  ShowCursorShape(CursorAt(ToPixelPoint(point), size.cx, size.cy, PlacedSplitter()));
  return true;
}

bool MainFrame::OnLButtonDblClk(POINT point) const {
  if (!DoubleClickTogglesMaximized(ToPixelPoint(point))) return false;
  ToggleMaximized();
  return true;
}

bool MainFrame::OnSetCursor() const {
  POINT cursor{};
  ::GetCursorPos(&cursor);
  ::ScreenToClient(dialog_, &cursor);
  const SIZE size = ClientSize();
  const int splitter = PlacedSplitter();
  if (::IsZoomed(dialog_)) {
    // Only the splitter can be dragged in a maximised window.
    const bool overSplitter = CursorAt(ToPixelPoint(cursor), size.cx, size.cy, splitter) ==
                                  FrameCursor::kWestEast &&
                              WindowEdgesAt(ToPixelPoint(cursor), size.cx, size.cy) == kEdgeNone;
    ShowCursorShape(overSplitter ? FrameCursor::kWestEast : FrameCursor::kArrow);
    return true;
  }
  ShowCursorShape(CursorAt(ToPixelPoint(cursor), size.cx, size.cy, splitter));
  return true;
}

}  // namespace quillon
