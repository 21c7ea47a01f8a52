#include "ui/button_geometry.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(ButtonState, PrecedenceOfTheFourConditions) {
  EXPECT_EQ(ButtonStateFor({}), ButtonState::kNormal);
  EXPECT_EQ(ButtonStateFor({.focused = true}), ButtonState::kFocused);
  EXPECT_EQ(ButtonStateFor({.hover = true, .focused = true}), ButtonState::kHover);
  EXPECT_EQ(ButtonStateFor({.pressed = true, .hover = true, .focused = true}),
            ButtonState::kPressed);
  // A disabled button under the pointer draws strip 1, not strip 2.
  EXPECT_EQ(ButtonStateFor({.disabled = true, .hover = true}), ButtonState::kDisabled);
  EXPECT_EQ(ButtonStateFor({.disabled = true, .pressed = true, .hover = true, .focused = true}),
            ButtonState::kDisabled);
}

TEST(ButtonSkinPlan, SixtyPixelButtonOnAnEightyFivePixelSkin) {
  // M = 65: one middle tile from 10 to 75 (clipped at 60 by the button), then the caps.
  const auto plan = ButtonSkinPlan({0, 0, 60, 34}, 85, ButtonState::kNormal);
  ASSERT_EQ(plan.size(), 3u);
  EXPECT_EQ(plan[0], (BitmapPiece{10, 0, {10, 0, 75, 34}}));
  EXPECT_EQ(plan[1], (BitmapPiece{0, 0, {0, 0, 10, 34}}));
  EXPECT_EQ(plan[2], (BitmapPiece{75, 0, {50, 0, 60, 34}}));
}

TEST(ButtonSkinPlan, StripRowFollowsStateAndButtonHeight) {
  const auto hover = ButtonSkinPlan({0, 0, 60, 34}, 85, ButtonState::kHover);
  for (const BitmapPiece& piece : hover) EXPECT_EQ(piece.sourceY, 68);
  const auto focused = ButtonSkinPlan({5, 38, 37, 68}, 32, ButtonState::kFocused);
  for (const BitmapPiece& piece : focused) EXPECT_EQ(piece.sourceY, 120);
}

TEST(ButtonSkinPlan, TilesCoverWideButtonsFromTheItemsLeftEdge) {
  // The "Search" button: 80 wide from a 112-pixel skin, placed away from the origin.
  const auto plan = ButtonSkinPlan({300, 72, 380, 106}, 112, ButtonState::kPressed);
  ASSERT_EQ(plan.size(), 3u);
  EXPECT_EQ(plan[0], (BitmapPiece{10, 3 * 34, {310, 72, 402, 106}}));
  EXPECT_EQ(plan[2], (BitmapPiece{102, 3 * 34, {370, 72, 380, 106}}));

  // A narrow middle repeats: 22-pixel caption button skin, M = 2, 22 / 2 + 1 tiles.
  const auto caption = ButtonSkinPlan({0, 0, 22, 20}, 22, ButtonState::kNormal);
  ASSERT_EQ(caption.size(), 12u + 2u);
  for (int k = 0; k < 12; ++k) {
    EXPECT_EQ(caption[static_cast<std::size_t>(k)].dest.left, 10 + 2 * k);
    EXPECT_EQ(caption[static_cast<std::size_t>(k)].dest.Width(), 2);
  }
  // The tiles leave no gap between the caps.
  EXPECT_GE(caption[11].dest.right, 12);
}

TEST(ButtonSkinPlan, SkinsWithoutMiddlePartGetOnlyTheCaps) {
  // The quick bar's 12-pixel buttons: the two caps overlap and together reproduce the skin.
  const auto small = ButtonSkinPlan({351, 2, 363, 17}, 12, ButtonState::kHover);
  ASSERT_EQ(small.size(), 2u);
  EXPECT_EQ(small[0], (BitmapPiece{0, 30, {351, 2, 361, 17}}));
  EXPECT_EQ(small[1], (BitmapPiece{2, 30, {353, 2, 363, 17}}));
  // Exactly 20 pixels wide: no middle, and no division by zero.
  EXPECT_EQ(ButtonSkinPlan({0, 0, 40, 20}, 20, ButtonState::kNormal).size(), 2u);
}

TEST(ButtonCaption, CentredWithTruncatingHalvesAndPressedShift) {
  EXPECT_EQ(ButtonCaptionOrigin({0, 0, 60, 34}, 21, 13, false), (PixelPoint{30 - 10, 17 - 6}));
  EXPECT_EQ(ButtonCaptionOrigin({0, 0, 60, 34}, 21, 13, true), (PixelPoint{21, 12}));
  EXPECT_EQ(ButtonCaptionOrigin({5, 3, 10, 8}, 3, 3, false), (PixelPoint{7 - 1, 5 - 1}));
  // A caption wider than the button starts left of it rather than being moved.
  EXPECT_EQ(ButtonCaptionOrigin({0, 0, 12, 15}, 40, 13, false), (PixelPoint{-14, 1}));
}

TEST(ClipPieceToBitmap, KeepsTheCopyInsideTheSource) {
  const BitmapPiece band{0, 0, {470, 0, 5000, 34}};
  const auto clipped = ClipPieceToBitmap(band, 3840, 34);
  ASSERT_TRUE(clipped);
  EXPECT_EQ(clipped->dest, (PixelRect{470, 0, 4310, 34}));

  const BitmapPiece inside{0, 34, {5, 68, 700, 73}};
  EXPECT_EQ(ClipPieceToBitmap(inside, 3840, 39)->dest, inside.dest);

  // Rows 34.. of a 39-row bitmap supply only five rows.
  EXPECT_EQ(ClipPieceToBitmap({0, 34, {5, 68, 700, 80}}, 3840, 39)->dest,
            (PixelRect{5, 68, 700, 73}));
  // A source origin outside the bitmap supplies nothing.
  EXPECT_FALSE(ClipPieceToBitmap({3840, 0, {0, 0, 10, 10}}, 3840, 39));
  EXPECT_FALSE(ClipPieceToBitmap({0, 39, {0, 0, 10, 10}}, 3840, 39));
  // A negative origin skips the destination pixels it cannot serve.
  EXPECT_EQ(ClipPieceToBitmap({-3, 0, {10, 0, 20, 5}}, 5, 5)->dest, (PixelRect{13, 0, 18, 5}));
  EXPECT_FALSE(ClipPieceToBitmap({0, 0, {10, 10, 10, 20}}, 5, 5));
}

}  // namespace
}  // namespace quillon
