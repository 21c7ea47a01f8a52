// Rectangles and unscaled bitmap pieces, in pixels, without <windows.h>: the shared vocabulary
// of the skins (buttons, the main window's frame, the quick bar and its result list).
#pragma once

#include <optional>

namespace quillon {

// Right and bottom are exclusive, as in the platform's rectangles.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
  bool operator==(const PixelRect&) const = default;
};

struct PixelPoint {
  int x = 0;
  int y = 0;
  bool operator==(const PixelPoint&) const = default;
};

// One unscaled copy: the destination rectangle receives the bitmap's pixels from
// (sourceX, sourceY) on, one to one.
struct BitmapPiece {
  int sourceX = 0;
  int sourceY = 0;
  PixelRect dest;
  bool operator==(const BitmapPiece&) const = default;
};

// The part of `piece` the bitmap can actually supply: the destination shrinks to what lies
// inside a bitmapWidth x bitmapHeight source. Nothing when no pixel of the source is reached,
// so a skin never copies pixels from outside its bitmap (a window wider than its band bitmap
// leaves the rest unpainted).
std::optional<BitmapPiece> ClipPieceToBitmap(const BitmapPiece& piece, int bitmapWidth,
                                             int bitmapHeight);

}  // namespace quillon
