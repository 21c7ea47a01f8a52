#include "shell/model/skin_layout.h"

#include "resources/resource.h"

namespace quillon {
namespace {

SkinPiece Piece(unsigned bitmap, int sourceX, int sourceY, int left, int top, int right,
                int bottom) {
  return {bitmap, {sourceX, sourceY, {left, top, right, bottom}}};
}

constexpr Rgb kSearchBandLine{0x91, 0xBD, 0xFC};
constexpr Rgb kSearchBandShadow{0xE0, 0xE7, 0xF2};
constexpr Rgb kSplitterLine{0xB9, 0xB9, 0xB9};
constexpr Rgb kWhite{0xFF, 0xFF, 0xFF};
constexpr Rgb kTreeBand{0xEE, 0xEE, 0xEE};
constexpr Rgb kTreeFrame{0xA8, 0xB0, 0xBF};

}  // namespace

std::vector<SkinPiece> MainWindowSkinPieces(const MainWindowLayout& layout, int width, int height,
                                            int splitter) {
  const int w = width;
  const int h = height;
  const int s = splitter;
  const int helpRight = layout.helpMenu.right;
  const int toolbarRight = layout.toolbar.back().right;
  const int searchLeft = layout.searchBox.left;
  const int searchRight = layout.searchBox.right;
  const int buttonRight = layout.searchButton.right;
  return {
      // The top band with the menu buttons and the caption buttons.
      Piece(IDB_SKIN_TOP_LEFT, 0, 0, 0, 0, 135, 34),
      Piece(IDB_SKIN_TOP, 0, 0, 135, 0, 150, 34),
      Piece(IDB_SKIN_TOP, 0, 0, helpRight, 0, w - 80, 34),
      Piece(IDB_SKIN_TOP_RIGHT, 0, 0, w - 80, 0, w, 34),
      // The toolbar band.
      Piece(IDB_SKIN_TOOLBAR_LEFT, 0, 0, 0, 34, 5, 73),
      Piece(IDB_SKIN_TOOLBAR, 0, 0, 5, 34, w - 5, 38),
      Piece(IDB_SKIN_TOOLBAR, 0, 34, 5, 68, w - 5, 73),
      Piece(IDB_SKIN_TOOLBAR, 0, 4, toolbarRight, 38, w - 5, 68),
      Piece(IDB_SKIN_TOOLBAR_RIGHT, 0, 0, w - 5, 34, w, 73),
      // The side and bottom borders.
      Piece(IDB_SKIN_LEFT, 0, 0, 0, 73, 5, h - 25),
      Piece(IDB_SKIN_RIGHT, 0, 0, w - 5, 72, w, h - 25),
      Piece(IDB_SKIN_BOTTOM_LEFT, 0, 0, 0, h - 25, 5, h),
      Piece(IDB_SKIN_BOTTOM, 0, 0, 5, h - 25, w - 25, h),
      Piece(IDB_SKIN_BOTTOM_RIGHT, 0, 0, w - 25, h - 25, w, h),
      // The search band around the search box and its button.
      Piece(IDB_SKIN_SEARCH_BAND, 0, 0, s + 1, 72, searchLeft, 106),
      Piece(IDB_SKIN_SEARCH_BAND, 0, 0, searchLeft, 72, searchRight, 79),
      Piece(IDB_SKIN_SEARCH_BAND, 0, 28, searchLeft, 100, searchRight, 106),
      Piece(IDB_SKIN_SEARCH_BAND, 0, 0, buttonRight, 72, w - 1, 106),
  };
}

std::vector<SkinFill> MainWindowSkinFills(int width, int height, int splitter) {
  const int w = width;
  const int h = height;
  const int s = splitter;
  return {
      {{s + 1, 106, w - 1, 107}, kSearchBandLine},
      {{s + 1, 107, w - 1, 108}, kSearchBandShadow},
      {{s, 72, s + 1, h - 25}, kSplitterLine},
      {{w - 5, 108, w - 1, h - 25}, kWhite},
      {{s - 5, 73, s, h - 25}, kTreeBand},
      {{2, 73, s - 5, 78}, kTreeBand},
      {{2, h - 28, s, h - 25}, kTreeBand},
      // The frame around the tree.
      {{5, 78, s - 5, 79}, kTreeFrame},
      {{5, 79, 6, h - 28}, kTreeFrame},
      {{s - 6, 79, s - 5, h - 28}, kTreeFrame},
      {{5, h - 29, s - 5, h - 28}, kTreeFrame},
  };
}

}  // namespace quillon
