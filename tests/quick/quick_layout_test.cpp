// Where the quick bar starts and where its result list opens against it.
#include "quick/quick_layout.h"

#include <gtest/gtest.h>

#include "settings/settings_keys.h"

namespace quillon {
namespace {

TEST(QuickBarPositionTest, DefaultNearTheBottomRightCornerStoredPlaceUnchanged) {
  EXPECT_EQ(QuickBarPosition(-1, -1, 1920, 1080), (PixelPoint{1530, 990}));
  // Only x decides whether a place was stored.
  EXPECT_EQ(QuickBarPosition(-1, 300, 1024, 768), (PixelPoint{634, 678}));
  EXPECT_EQ(QuickBarPosition(12, -1, 1024, 768), (PixelPoint{12, -1}));
  // Far off the screen is kept as it is.
  EXPECT_EQ(QuickBarPosition(-5000, 90000, 1024, 768), (PixelPoint{-5000, 90000}));
}

TEST(ResultsPlaceTest, AboveTheBarUnlessThatLeavesTheScreenTop) {
  const PixelRect list{0, 0, 368, 343};
  const PixelRect low{1530, 990, 1910, 1030};
  EXPECT_EQ(ShownResultsPlace(low, list), (PixelRect{1530, 647, 1910, 990}));
  // Exactly room above: still above.
  const PixelRect justRoom{10, 343, 390, 383};
  EXPECT_EQ(ShownResultsPlace(justRoom, list).top, 0);
  // One pixel short: below the bar.
  const PixelRect high{10, 342, 390, 382};
  EXPECT_EQ(ShownResultsPlace(high, list), (PixelRect{10, 382, 390, 725}));
  // The hidden list follows above in every case, off the screen if need be.
  EXPECT_EQ(HiddenResultsPlace(high, list), (PixelRect{10, -1, 390, 342}));
}

TEST(QuickLayoutTest, ControlsAndFrameFitTheBarWidth) {
  const QuickBarLayout bar = LayoutQuickBar();
  EXPECT_EQ(bar.searchBox, (PixelRect{70, 13, 260, 28}));
  EXPECT_EQ(bar.searchButton, (PixelRect{268, 0, 346, 39}));
  EXPECT_EQ(bar.resultsButton, (PixelRect{351, 2, 363, 17}));
  EXPECT_EQ(bar.hideButton.right, 375);

  // A window as wide as the bar and 343 pixels high: the list stops where the right frame
  // begins, and the region covers the whole window.
  const PixelRect list = ResultListControlPlace(kQuickBarWidth, 343);
  EXPECT_EQ(list, (PixelRect{9, 10, 370, 332}));
  EXPECT_EQ(ResultWindowRegion(kQuickBarWidth, 343).right, kQuickBarWidth);
  const auto frame = ResultFramePieces(kQuickBarWidth, 343);
  EXPECT_EQ(frame[2].piece.dest, (PixelRect{370, 9, 380, 343}));
  EXPECT_EQ(frame[2].bitmap, kResultFrameSide);
  EXPECT_EQ(frame[3].piece.dest, (PixelRect{0, 332, 380, 343}));
}

TEST(SettingsNumberTest, ReadsNegativePlacesAndFallsBackOnlyWhenEmpty) {
  EXPECT_EQ(SettingsNumber(u"", -1), -1);
  EXPECT_EQ(SettingsNumber(u"1530", -1), 1530);
  EXPECT_EQ(SettingsNumber(u"-250", -1), -250);
  EXPECT_EQ(SettingsNumber(u"12px", -1), 12);
  EXPECT_EQ(SettingsNumber(u"abc", -1), 0);
  EXPECT_EQ(SettingsNumber(u"99999999999999999999", -1), 2147483647);
  EXPECT_EQ(SettingsNumber(u"-99999999999999999999", -1), -2147483647 - 1);
}

}  // namespace
}  // namespace quillon
