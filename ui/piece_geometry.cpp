#include "ui/piece_geometry.h"

#include <algorithm>

namespace quillon {

std::optional<BitmapPiece> ClipPieceToBitmap(const BitmapPiece& piece, int bitmapWidth,
                                             int bitmapHeight) {
  BitmapPiece clipped = piece;
  // A source origin left of or above the bitmap skips the destination pixels it cannot serve.
  if (clipped.sourceX < 0) {
    clipped.dest.left -= clipped.sourceX;
    clipped.sourceX = 0;
  }
  if (clipped.sourceY < 0) {
    clipped.dest.top -= clipped.sourceY;
    clipped.sourceY = 0;
  }
  clipped.dest.right =
      std::min(clipped.dest.right, clipped.dest.left + bitmapWidth - clipped.sourceX);
  clipped.dest.bottom =
      std::min(clipped.dest.bottom, clipped.dest.top + bitmapHeight - clipped.sourceY);
  if (clipped.dest.Empty()) return std::nullopt;
  return clipped;
}

}  // namespace quillon
