// What the main window's skin paints, as pure functions: the bitmap pieces of its frame, bands
// and search band, then the solid lines and bands around the tree and the list, for a window of
// W x H pixels with the splitter at S and its controls placed by LayoutMainWindow.
#pragma once

#include <vector>

#include "shell/model/frame_geometry.h"
#include "ui/menu_geometry.h"
#include "ui/piece_geometry.h"

namespace quillon {

// One unscaled copy from a bitmap resource of the program.
struct SkinPiece {
  unsigned bitmapId = 0;
  BitmapPiece piece;
  bool operator==(const SkinPiece&) const = default;
};

struct SkinFill {
  PixelRect rect;
  Rgb colour;
  bool operator==(const SkinFill&) const = default;
};

// In painting order.
std::vector<SkinPiece> MainWindowSkinPieces(const MainWindowLayout& layout, int width, int height,
                                            int splitter);
// Painted after the pieces, in this order.
std::vector<SkinFill> MainWindowSkinFills(int width, int height, int splitter);

}  // namespace quillon
