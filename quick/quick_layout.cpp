#include "quick/quick_layout.h"

namespace quillon {
namespace {

PixelRect At(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

// The default place keeps the bar clear of the task bar at the screen's bottom-right corner.
constexpr int kDefaultRightMargin = 390;
constexpr int kDefaultBottomMargin = 90;

}  // namespace

QuickBarLayout LayoutQuickBar() {
  return {At(70, 13, 190, 15), At(268, 0, 78, 39), At(351, 2, 12, 15), At(363, 2, 12, 15)};
}

PixelPoint QuickBarPosition(int storedX, int storedY, int screenWidth, int screenHeight) {
  if (storedX == kNoStoredPosition) {
    return {screenWidth - kDefaultRightMargin, screenHeight - kDefaultBottomMargin};
  }
  return {storedX, storedY};
}

PixelRect ShownResultsPlace(const PixelRect& bar, const PixelRect& list) {
  int top = bar.top - list.Height();
  if (top < 0) top = bar.bottom;
  return At(bar.left, top, bar.Width(), list.Height());
}

PixelRect HiddenResultsPlace(const PixelRect& bar, const PixelRect& list) {
  return At(bar.left, bar.top - list.Height(), bar.Width(), list.Height());
}

PixelRect ResultListControlPlace(int windowWidth, int windowHeight) {
  // Between the 9-pixel left side, the 10-pixel right side and the top and bottom frames.
  return {9, 10, windowWidth - 10, windowHeight - 11};
}

PixelRect ResultWindowRegion(int windowWidth, int windowHeight) {
  return {0, 0, windowWidth, windowHeight};
}

std::array<ResultFramePiece, 4> ResultFramePieces(int width, int height) {
  return {{
      {kResultFrameTop, {0, 0, {0, 0, width, 10}}},
      {kResultFrameSide, {0, 0, {0, 9, 9, height}}},
      {kResultFrameSide, {0, 0, {width - 10, 9, width, height}}},
      {kResultFrameBottom, {0, 0, {0, height - 11, width, height}}},
  }};
}

}  // namespace quillon
