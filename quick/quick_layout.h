// The quick bar and its result list as pure geometry, in pixels and without <windows.h>: where
// the bar starts, where its controls sit, where the list opens against the bar, and the frame
// pieces the list paints over its edges.
#pragma once

#include <array>

#include "ui/piece_geometry.h"

namespace quillon {

inline constexpr int kQuickBarWidth = 380;
inline constexpr int kQuickBarHeight = 40;
// Both windows round their corners with this ellipse.
inline constexpr int kQuickCornerEllipse = 4;
// What QuickBarX and QuickBarY read when they are absent.
inline constexpr int kNoStoredPosition = -1;

// The bar's controls, relative to its top-left corner.
struct QuickBarLayout {
  PixelRect searchBox;
  PixelRect searchButton;
  PixelRect resultsButton;
  PixelRect hideButton;
};
QuickBarLayout LayoutQuickBar();

// The bar's top-left corner: the stored place unchanged (even off the screen), or, with no
// stored x, near the bottom-right corner of the screen.
PixelPoint QuickBarPosition(int storedX, int storedY, int screenWidth, int screenHeight);

// The shown list against the bar (screen rectangles): above it, as wide as the bar and as tall
// as it is, or below the bar when above would start above the screen's top edge.
PixelRect ShownResultsPlace(const PixelRect& bar, const PixelRect& list);
// The hidden list follows the bar always above it, with no fall-back below.
PixelRect HiddenResultsPlace(const PixelRect& bar, const PixelRect& list);

// The result list's list control within the window, from the window's size as it shows (as
// wide as the bar): inside the frame, whatever size the template's dialog units gave at first.
PixelRect ResultListControlPlace(int windowWidth, int windowHeight);
// The result window's region: the whole window, its corners rounded.
PixelRect ResultWindowRegion(int windowWidth, int windowHeight);

// The frame bitmaps over the result window's edges, for a window of width x height.
struct ResultFramePiece {
  int bitmap;  // which of the three frame bitmaps
  BitmapPiece piece;
};
enum ResultFrameBitmap : int { kResultFrameTop, kResultFrameSide, kResultFrameBottom };
std::array<ResultFramePiece, 4> ResultFramePieces(int width, int height);

}  // namespace quillon
