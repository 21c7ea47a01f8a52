#include "shell/model/skin_layout.h"

#include <gtest/gtest.h>

#include "resources/resource.h"
#include "settings/settings_keys.h"

namespace quillon {
namespace {

PixelRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }

TEST(SkinPiecesTest, FrameBandsAndSearchBandForTheStartSize) {
  const int w = 700, h = 500, s = 210;
  const std::vector<SkinPiece> pieces =
      MainWindowSkinPieces(LayoutMainWindow(w, h, s), w, h, s);
  const std::vector<SkinPiece> expected = {
      {IDB_SKIN_TOP_LEFT, {0, 0, Rect(0, 0, 135, 34)}},
      {IDB_SKIN_TOP, {0, 0, Rect(135, 0, 150, 34)}},
      {IDB_SKIN_TOP, {0, 0, Rect(390, 0, 620, 34)}},
      {IDB_SKIN_TOP_RIGHT, {0, 0, Rect(620, 0, 700, 34)}},
      {IDB_SKIN_TOOLBAR_LEFT, {0, 0, Rect(0, 34, 5, 73)}},
      {IDB_SKIN_TOOLBAR, {0, 0, Rect(5, 34, 695, 38)}},
      {IDB_SKIN_TOOLBAR, {0, 34, Rect(5, 68, 695, 73)}},
      {IDB_SKIN_TOOLBAR, {0, 4, Rect(165, 38, 695, 68)}},
      {IDB_SKIN_TOOLBAR_RIGHT, {0, 0, Rect(695, 34, 700, 73)}},
      {IDB_SKIN_LEFT, {0, 0, Rect(0, 73, 5, 475)}},
      {IDB_SKIN_RIGHT, {0, 0, Rect(695, 72, 700, 475)}},
      {IDB_SKIN_BOTTOM_LEFT, {0, 0, Rect(0, 475, 5, 500)}},
      {IDB_SKIN_BOTTOM, {0, 0, Rect(5, 475, 675, 500)}},
      {IDB_SKIN_BOTTOM_RIGHT, {0, 0, Rect(675, 475, 700, 500)}},
      {IDB_SKIN_SEARCH_BAND, {0, 0, Rect(211, 72, 250, 106)}},
      {IDB_SKIN_SEARCH_BAND, {0, 0, Rect(250, 72, 590, 79)}},
      {IDB_SKIN_SEARCH_BAND, {0, 28, Rect(250, 100, 590, 106)}},
      {IDB_SKIN_SEARCH_BAND, {0, 0, Rect(670, 72, 699, 106)}},
  };
  EXPECT_EQ(pieces, expected);
}

TEST(SkinPiecesTest, SearchBandLeavesTheBoxAndTheButtonUncovered) {
  const int w = 1100, h = 700, s = 333;
  const MainWindowLayout layout = LayoutMainWindow(w, h, s);
  int bandPieces = 0;
  for (const SkinPiece& skin : MainWindowSkinPieces(layout, w, h, s)) {
    if (skin.bitmapId != IDB_SKIN_SEARCH_BAND) continue;
    ++bandPieces;
    const PixelRect& d = skin.piece.dest;
    for (const PixelRect& control : {layout.searchBox, layout.searchButton}) {
      const bool overlaps = d.left < control.right && control.left < d.right &&
                            d.top < control.bottom && control.top < d.bottom;
      EXPECT_FALSE(overlaps) << "piece at " << d.left << "," << d.top;
    }
  }
  EXPECT_EQ(bandPieces, 4);
}

TEST(SkinFillsTest, LinesAndBandsAroundTreeAndList) {
  const std::vector<SkinFill> fills = MainWindowSkinFills(700, 500, 210);
  ASSERT_EQ(fills.size(), 11u);
  EXPECT_EQ(fills[0], (SkinFill{Rect(211, 106, 699, 107), Rgb{0x91, 0xBD, 0xFC}}));
  EXPECT_EQ(fills[1], (SkinFill{Rect(211, 107, 699, 108), Rgb{0xE0, 0xE7, 0xF2}}));
  EXPECT_EQ(fills[2], (SkinFill{Rect(210, 72, 211, 475), Rgb{0xB9, 0xB9, 0xB9}}));
  EXPECT_EQ(fills[3], (SkinFill{Rect(695, 108, 699, 475), Rgb{0xFF, 0xFF, 0xFF}}));
  EXPECT_EQ(fills[4], (SkinFill{Rect(205, 73, 210, 475), Rgb{0xEE, 0xEE, 0xEE}}));
  EXPECT_EQ(fills[5], (SkinFill{Rect(2, 73, 205, 78), Rgb{0xEE, 0xEE, 0xEE}}));
  EXPECT_EQ(fills[6], (SkinFill{Rect(2, 472, 210, 475), Rgb{0xEE, 0xEE, 0xEE}}));
  const Rgb frame{0xA8, 0xB0, 0xBF};
  EXPECT_EQ(fills[7], (SkinFill{Rect(5, 78, 205, 79), frame}));
  EXPECT_EQ(fills[8], (SkinFill{Rect(5, 79, 6, 472), frame}));
  EXPECT_EQ(fills[9], (SkinFill{Rect(204, 79, 205, 472), frame}));
  EXPECT_EQ(fills[10], (SkinFill{Rect(5, 471, 205, 472), frame}));
}

TEST(SkinFillsTest, TreeFrameSurroundsTheTreeExactly) {
  const int w = 900, h = 640, s = 300;
  const PixelRect tree = LayoutMainWindow(w, h, s).tree;
  const std::vector<SkinFill> fills = MainWindowSkinFills(w, h, s);
  EXPECT_EQ(fills[7].rect.bottom, tree.top);            // top line just above
  EXPECT_EQ(fills[8].rect.right, tree.left);            // left line just left
  EXPECT_EQ(fills[9].rect.left, tree.right);            // right line just right
  EXPECT_EQ(fills[10].rect.bottom, tree.bottom + 1);    // bottom line at the last row below
}

TEST(SettingsRulesTest, OnlyExactYesIsOn) {
  EXPECT_TRUE(IsFlagOn(u"Yes"));
  EXPECT_FALSE(IsFlagOn(u"yes"));
  EXPECT_FALSE(IsFlagOn(u"YES"));
  EXPECT_FALSE(IsFlagOn(u"No"));
  EXPECT_FALSE(IsFlagOn(u""));
  EXPECT_FALSE(IsFlagOn(u"Yes "));
  EXPECT_EQ(FlagText(true), u"Yes");
  EXPECT_EQ(FlagText(false), u"No");
}

TEST(SettingsRulesTest, AutorunCommandStartsHiddenAndQuotesPathsWithBlanks) {
  EXPECT_EQ(AutorunCommand(u"C:\\Quillon\\quillon.exe"), u"C:\\Quillon\\quillon.exe -m");
  EXPECT_EQ(AutorunCommand(u"C:\\Program Files\\Quillon\\quillon.exe"),
            u"\"C:\\Program Files\\Quillon\\quillon.exe\" -m");
  EXPECT_EQ(SettingsPathIn(u"C:\\Data\\Veldmark\\Quillon"),
            u"C:\\Data\\Veldmark\\Quillon\\update.dat");
}

}  // namespace
}  // namespace quillon
