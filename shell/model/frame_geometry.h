// The main window's own frame as pure functions: where every control goes for a window of
// W x H pixels with the tree/list boundary (the splitter) at S, which edges a mouse press
// grabs, the cursor over each zone, and how a drag resizes the window or moves the splitter.
// The window has no platform frame, so window and client size are the same.
#pragma once

#include <array>
#include <optional>

#include "ui/piece_geometry.h"

namespace quillon {

inline constexpr int kInitialSplitter = 210;
inline constexpr int kMinWindowWidth = 500;
inline constexpr int kMinWindowHeight = 300;
// Presses at or above this y move the window (the band with the menu buttons).
inline constexpr int kCaptionBandBottom = 34;

struct MainWindowLayout {
  PixelRect minimize, maximize, close;
  PixelRect fileMenu, editMenu, quickBarMenu, helpMenu;
  // Add a file, add a virtual folder, edit tags, open, help.
  std::array<PixelRect, 5> toolbar;
  PixelRect tree;
  PixelRect searchBox, searchButton;
  PixelRect list;
  PixelRect status;
};

MainWindowLayout LayoutMainWindow(int width, int height, int splitter);

// Which edges a drag moves; combined for the corners.
enum FrameEdge : unsigned {
  kEdgeNone = 0,
  kEdgeLeft = 1,
  kEdgeTop = 2,
  kEdgeRight = 4,
  kEdgeBottom = 8,
  kEdgeSplitter = 16,
};

// The window edges grabbed by a press at client point `p` (corners first).
unsigned WindowEdgesAt(PixelPoint p, int width, int height);
// Everything a press at `p` starts dragging: the window edges and, independently, the splitter.
unsigned DragEdgesAt(PixelPoint p, int width, int height, int splitter);
// A press that grabs nothing and lies in the top band moves the window.
bool PressMovesWindow(PixelPoint p, unsigned edges);
// A double click in the top band (not on its left border) maximises or restores.
bool DoubleClickTogglesMaximized(PixelPoint p);

enum class FrameCursor { kArrow, kNorthWestSouthEast, kNorthEastSouthWest, kWestEast, kNorthSouth };

// The resize cursor for a drag of `edges`; the arrow for none.
FrameCursor CursorForEdges(unsigned edges);
// The cursor over client point `p` while nothing is dragged.
FrameCursor CursorAt(PixelPoint p, int width, int height, int splitter);

// The window's new screen rectangle for a drag of `edges` with the cursor at `client` (in the
// window's current client coordinates) and `screen`: right and bottom edges follow the client
// point, left and top edges the screen point. A single edge that would make the window smaller
// than the minimum is not moved (nothing); a corner keeps the offending dimension at the
// minimum, with the opposite edge staying where it was.
std::optional<PixelRect> ResizeWindow(const PixelRect& window, unsigned edges, PixelPoint client,
                                      PixelPoint screen);

// The splitter for a drag at client x, or nothing when x is too close to either side.
std::optional<int> SplitterForDrag(int x, int width);
// The splitter kept where a drag could have put it, so that after the window shrank the list
// and the splitter stay inside the window.
int SplitterWithin(int splitter, int width);

}  // namespace quillon
