#include "shell/model/frame_geometry.h"

namespace quillon {
namespace {

PixelRect Place(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

bool Within(int value, int low, int high) { return low <= value && value <= high; }
// Strictly between: the zones at the right and bottom stop short of the last pixel.
bool Between(int value, int low, int high) { return low < value && value < high; }

// The splitter may be dragged while the cursor stays this far from both sides.
constexpr int kSplitterLeftMargin = 100;
constexpr int kSplitterRightMargin = 300;
// The splitter line sits two pixels right of the cursor that drags it.
constexpr int kSplitterCursorOffset = 2;

// Rows of the window in which the splitter can be grabbed: below the toolbar, above the
// status line.
bool InSplitterRows(int y, int height) { return Between(y, 72, height - 20); }

// One dimension of a corner drag held at its minimum: the edge that was not dragged stays
// where it was before the drag step.
void HoldAtMinimum(int& low, int& high, int previousLow, int previousHigh, bool draggedLow,
                   int minimum) {
  if (draggedLow) {
    high = previousHigh;
    low = previousHigh - minimum;
  } else {
    low = previousLow;
    high = previousLow + minimum;
  }
}

}  // namespace

MainWindowLayout LayoutMainWindow(int width, int height, int splitter) {
  const int w = width;
  const int h = height;
  const int s = splitter;
  MainWindowLayout layout;
  layout.minimize = Place(w - 72, 0, 22, 20);
  layout.maximize = Place(w - 50, 0, 22, 20);
  layout.close = Place(w - 28, 0, 23, 20);
  layout.fileMenu = Place(150, 0, 60, 34);
  layout.editMenu = Place(210, 0, 60, 34);
  layout.quickBarMenu = Place(270, 0, 60, 34);
  layout.helpMenu = Place(330, 0, 60, 34);
  for (int i = 0; i < static_cast<int>(layout.toolbar.size()); ++i) {
    layout.toolbar[i] = Place(5 + 32 * i, 38, 32, 30);
  }
  layout.tree = Place(6, 79, s - 12, h - 108);
  layout.searchBox = Place(s + 40, 79, w - s - 150, 21);
  layout.searchButton = Place(layout.searchBox.right, 72, 80, 34);
  layout.list = Place(s + 1, 108, w - s - 5, h - 133);
  // As wide as the bottom edge left of the resize grip: "Ready" may be followed by counts of
  // shown, moved and missing files.
  layout.status = Place(8, h - 20, w - 28, 20);
  return layout;
}

unsigned WindowEdgesAt(PixelPoint p, int width, int height) {
  const int x = p.x;
  const int y = p.y;
  const int w = width;
  const int h = height;
  if (Within(x, 1, 5) && Within(y, 1, 5)) return kEdgeLeft | kEdgeTop;
  if (Between(x, w - 15, w) && Between(y, h - 15, h)) return kEdgeRight | kEdgeBottom;
  if (Within(x, 1, 5) && Between(y, h - 7, h)) return kEdgeLeft | kEdgeBottom;
  if (Between(x, w - 7, w) && Within(y, 1, 5)) return kEdgeTop | kEdgeRight;
  if (x == 1 || x == 2) return kEdgeLeft;
  if (y == 1 || y == 2) return kEdgeTop;
  if (Between(x, w - 4, w)) return kEdgeRight;
  if (Between(y, h - 4, h)) return kEdgeBottom;
  return kEdgeNone;
}

unsigned DragEdgesAt(PixelPoint p, int width, int height, int splitter) {
  unsigned edges = WindowEdgesAt(p, width, height);
  if (InSplitterRows(p.y, height) && Within(p.x, splitter - 5, splitter)) edges |= kEdgeSplitter;
  return edges;
}

bool PressMovesWindow(PixelPoint p, unsigned edges) {
  return edges == kEdgeNone && p.y <= kCaptionBandBottom;
}

bool DoubleClickTogglesMaximized(PixelPoint p) { return p.y <= kCaptionBandBottom && p.x > 5; }

FrameCursor CursorForEdges(unsigned edges) {
  const unsigned window = edges & ~static_cast<unsigned>(kEdgeSplitter);
  if (window == (kEdgeLeft | kEdgeTop) || window == (kEdgeRight | kEdgeBottom)) {
    return FrameCursor::kNorthWestSouthEast;
  }
  if (window == (kEdgeLeft | kEdgeBottom) || window == (kEdgeTop | kEdgeRight)) {
    return FrameCursor::kNorthEastSouthWest;
  }
  if (window == kEdgeLeft || window == kEdgeRight) return FrameCursor::kWestEast;
  if (window == kEdgeTop || window == kEdgeBottom) return FrameCursor::kNorthSouth;
  return edges & kEdgeSplitter ? FrameCursor::kWestEast : FrameCursor::kArrow;
}

FrameCursor CursorAt(PixelPoint p, int width, int height, int splitter) {
  if (const unsigned edges = WindowEdgesAt(p, width, height)) return CursorForEdges(edges);
  // One pixel narrower than the zone a press grabs.
  if (InSplitterRows(p.y, height) && Within(p.x, splitter - 4, splitter)) {
    return FrameCursor::kWestEast;
  }
  return FrameCursor::kArrow;
}

std::optional<PixelRect> ResizeWindow(const PixelRect& window, unsigned edges, PixelPoint client,
                                      PixelPoint screen) {
  const bool horizontal = (edges & (kEdgeLeft | kEdgeRight)) != 0;
  const bool vertical = (edges & (kEdgeTop | kEdgeBottom)) != 0;
  if (!horizontal && !vertical) return std::nullopt;
  const bool corner = horizontal && vertical;

  PixelRect result = window;
  if (edges & kEdgeRight) result.right = window.left + client.x;
  if (edges & kEdgeLeft) result.left = screen.x;
  if (edges & kEdgeBottom) result.bottom = window.top + client.y;
  if (edges & kEdgeTop) result.top = screen.y;

  const bool tooNarrow = result.Width() < kMinWindowWidth;
  const bool tooLow = result.Height() < kMinWindowHeight;
  if ((tooNarrow || tooLow) && !corner) return std::nullopt;
  if (tooNarrow) {
    HoldAtMinimum(result.left, result.right, window.left, window.right,
                  (edges & kEdgeLeft) != 0, kMinWindowWidth);
  }
  if (tooLow) {
    HoldAtMinimum(result.top, result.bottom, window.top, window.bottom, (edges & kEdgeTop) != 0,
                  kMinWindowHeight);
  }
  return result;
}

std::optional<int> SplitterForDrag(int x, int width) {
  if (!Between(x, kSplitterLeftMargin, width - kSplitterRightMargin)) return std::nullopt;
  return x + kSplitterCursorOffset;
}

int SplitterWithin(int splitter, int width) {
  const int rightmost = width - kSplitterRightMargin - 1 + kSplitterCursorOffset;
  const int leftmost = kSplitterLeftMargin + 1 + kSplitterCursorOffset;
  if (splitter > rightmost) splitter = rightmost;
  return splitter < leftmost ? leftmost : splitter;
}

}  // namespace quillon
