#include "shell/model/frame_geometry.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

PixelRect Rect(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

TEST(LayoutMainWindowTest, PlacesEveryControlForTheStartSize) {
  const MainWindowLayout layout = LayoutMainWindow(700, 500, 210);
  EXPECT_EQ(layout.searchBox, Rect(250, 79, 340, 21));
  EXPECT_EQ(layout.searchButton, Rect(590, 72, 80, 34));
  EXPECT_EQ(layout.fileMenu, Rect(150, 0, 60, 34));
  EXPECT_EQ(layout.editMenu, Rect(210, 0, 60, 34));
  EXPECT_EQ(layout.quickBarMenu, Rect(270, 0, 60, 34));
  EXPECT_EQ(layout.helpMenu, Rect(330, 0, 60, 34));
  const int toolbarX[] = {5, 37, 69, 101, 133};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(layout.toolbar[i], Rect(toolbarX[i], 38, 32, 30)) << i;
  EXPECT_EQ(layout.minimize, Rect(628, 0, 22, 20));
  EXPECT_EQ(layout.maximize, Rect(650, 0, 22, 20));
  EXPECT_EQ(layout.close, Rect(672, 0, 23, 20));
  EXPECT_EQ(layout.tree, Rect(6, 79, 198, 392));
  EXPECT_EQ(layout.list, Rect(211, 108, 485, 367));
  EXPECT_EQ(layout.status, Rect(8, 480, 672, 20));  // to the resize grip
}

TEST(LayoutMainWindowTest, SplitterDividesTreeAndListAndSearchBandFollows) {
  const MainWindowLayout layout = LayoutMainWindow(1000, 600, 400);
  EXPECT_EQ(layout.tree.Width(), 400 - 12);
  EXPECT_EQ(layout.list.left, 401);
  EXPECT_EQ(layout.list.right, 1000 - 4);
  EXPECT_EQ(layout.searchBox.left, 440);
  // The search button always ends 30 pixels from the right edge, beside the box.
  EXPECT_EQ(layout.searchButton.left, layout.searchBox.right);
  EXPECT_EQ(layout.searchButton.right, 1000 - 30);
  EXPECT_EQ(layout.close.right, 1000 - 5);
}

TEST(WindowEdgesAtTest, CornersWinOverEdges) {
  const int w = 700, h = 500;
  EXPECT_EQ(WindowEdgesAt({1, 1}, w, h), kEdgeLeft | kEdgeTop);
  EXPECT_EQ(WindowEdgesAt({5, 5}, w, h), kEdgeLeft | kEdgeTop);
  EXPECT_EQ(WindowEdgesAt({686, 486}, w, h), kEdgeRight | kEdgeBottom);
  EXPECT_EQ(WindowEdgesAt({699, 499}, w, h), kEdgeRight | kEdgeBottom);
  EXPECT_EQ(WindowEdgesAt({3, 494}, w, h), kEdgeLeft | kEdgeBottom);
  EXPECT_EQ(WindowEdgesAt({694, 3}, w, h), kEdgeTop | kEdgeRight);
}

TEST(WindowEdgesAtTest, EdgesAreThinAndTheOutermostPixelGrabsNothing) {
  const int w = 700, h = 500;
  EXPECT_EQ(WindowEdgesAt({1, 200}, w, h), kEdgeLeft);
  EXPECT_EQ(WindowEdgesAt({2, 200}, w, h), kEdgeLeft);
  EXPECT_EQ(WindowEdgesAt({3, 200}, w, h), kEdgeNone);
  EXPECT_EQ(WindowEdgesAt({300, 2}, w, h), kEdgeTop);
  EXPECT_EQ(WindowEdgesAt({300, 3}, w, h), kEdgeNone);
  EXPECT_EQ(WindowEdgesAt({697, 200}, w, h), kEdgeRight);
  EXPECT_EQ(WindowEdgesAt({696, 200}, w, h), kEdgeNone);
  EXPECT_EQ(WindowEdgesAt({300, 497}, w, h), kEdgeBottom);
  EXPECT_EQ(WindowEdgesAt({300, 496}, w, h), kEdgeNone);
  EXPECT_EQ(WindowEdgesAt({0, 200}, w, h), kEdgeNone);
  EXPECT_EQ(WindowEdgesAt({700, 200}, w, h), kEdgeNone);
  EXPECT_EQ(WindowEdgesAt({300, 250}, w, h), kEdgeNone);
}

TEST(DragEdgesAtTest, SplitterGripIsFivePixelsLeftOfTheLineBetweenToolbarAndStatus) {
  const int w = 700, h = 500, s = 210;
  EXPECT_EQ(DragEdgesAt({205, 200}, w, h, s), kEdgeSplitter);
  EXPECT_EQ(DragEdgesAt({210, 200}, w, h, s), kEdgeSplitter);
  EXPECT_EQ(DragEdgesAt({204, 200}, w, h, s), kEdgeNone);
  EXPECT_EQ(DragEdgesAt({211, 200}, w, h, s), kEdgeNone);
  EXPECT_EQ(DragEdgesAt({208, 72}, w, h, s), kEdgeNone);
  EXPECT_EQ(DragEdgesAt({208, 73}, w, h, s), kEdgeSplitter);
  EXPECT_EQ(DragEdgesAt({208, 479}, w, h, s), kEdgeSplitter);
  EXPECT_EQ(DragEdgesAt({208, 480}, w, h, s), kEdgeNone);
}

TEST(PressTest, TopBandMovesTheWindowAndItsDoubleClickMaximises) {
  EXPECT_TRUE(PressMovesWindow({400, 34}, kEdgeNone));
  EXPECT_FALSE(PressMovesWindow({400, 35}, kEdgeNone));
  EXPECT_FALSE(PressMovesWindow({1, 1}, kEdgeLeft | kEdgeTop));
  EXPECT_TRUE(DoubleClickTogglesMaximized({6, 34}));
  EXPECT_FALSE(DoubleClickTogglesMaximized({5, 10}));
  EXPECT_FALSE(DoubleClickTogglesMaximized({300, 35}));
}

TEST(CursorTest, ZonesShowTheirResizeCursors) {
  const int w = 700, h = 500, s = 210;
  EXPECT_EQ(CursorAt({3, 3}, w, h, s), FrameCursor::kNorthWestSouthEast);
  EXPECT_EQ(CursorAt({690, 490}, w, h, s), FrameCursor::kNorthWestSouthEast);
  EXPECT_EQ(CursorAt({3, 495}, w, h, s), FrameCursor::kNorthEastSouthWest);
  EXPECT_EQ(CursorAt({695, 3}, w, h, s), FrameCursor::kNorthEastSouthWest);
  EXPECT_EQ(CursorAt({2, 200}, w, h, s), FrameCursor::kWestEast);
  EXPECT_EQ(CursorAt({698, 200}, w, h, s), FrameCursor::kWestEast);
  EXPECT_EQ(CursorAt({300, 1}, w, h, s), FrameCursor::kNorthSouth);
  EXPECT_EQ(CursorAt({300, 498}, w, h, s), FrameCursor::kNorthSouth);
  EXPECT_EQ(CursorAt({300, 300}, w, h, s), FrameCursor::kArrow);
  // Over the splitter the cursor zone is one pixel narrower than the grip.
  EXPECT_EQ(CursorAt({206, 200}, w, h, s), FrameCursor::kWestEast);
  EXPECT_EQ(CursorAt({205, 200}, w, h, s), FrameCursor::kArrow);
}

TEST(CursorTest, DraggedEdgesKeepTheirCursor) {
  EXPECT_EQ(CursorForEdges(kEdgeRight | kEdgeBottom), FrameCursor::kNorthWestSouthEast);
  EXPECT_EQ(CursorForEdges(kEdgeTop | kEdgeRight), FrameCursor::kNorthEastSouthWest);
  EXPECT_EQ(CursorForEdges(kEdgeBottom), FrameCursor::kNorthSouth);
  EXPECT_EQ(CursorForEdges(kEdgeSplitter), FrameCursor::kWestEast);
  EXPECT_EQ(CursorForEdges(kEdgeNone), FrameCursor::kArrow);
}

class ResizeWindowTest : public ::testing::Test {
 protected:
  // A window at (100, 50) of 700 x 500; client points are relative to its corner.
  const PixelRect window{100, 50, 800, 550};
  PixelPoint Screen(PixelPoint client) const { return {window.left + client.x, window.top + client.y}; }
  std::optional<PixelRect> Drag(unsigned edges, PixelPoint client) const {
    return ResizeWindow(window, edges, client, Screen(client));
  }
};

TEST_F(ResizeWindowTest, EdgesFollowTheCursor) {
  EXPECT_EQ(Drag(kEdgeRight, {800, 10}), (PixelRect{100, 50, 900, 550}));
  EXPECT_EQ(Drag(kEdgeBottom, {10, 600}), (PixelRect{100, 50, 800, 650}));
  EXPECT_EQ(Drag(kEdgeLeft, {-50, 10}), (PixelRect{50, 50, 800, 550}));
  EXPECT_EQ(Drag(kEdgeTop, {10, 100}), (PixelRect{100, 150, 800, 550}));
  EXPECT_EQ(Drag(kEdgeRight | kEdgeBottom, {600, 400}), (PixelRect{100, 50, 700, 450}));
}

TEST_F(ResizeWindowTest, SingleEdgeBelowTheMinimumIsNotApplied) {
  EXPECT_FALSE(Drag(kEdgeRight, {499, 10}).has_value());
  EXPECT_EQ(Drag(kEdgeRight, {500, 10}), (PixelRect{100, 50, 600, 550}));
  EXPECT_FALSE(Drag(kEdgeBottom, {10, 299}).has_value());
  EXPECT_FALSE(Drag(kEdgeLeft, {201, 10}).has_value());
  EXPECT_FALSE(Drag(kEdgeTop, {10, 201}).has_value());
  EXPECT_EQ(Drag(kEdgeTop, {10, 200}), (PixelRect{100, 250, 800, 550}));
}

TEST_F(ResizeWindowTest, CornerBelowTheMinimumStopsAtIt) {
  EXPECT_EQ(Drag(kEdgeRight | kEdgeBottom, {400, 200}), (PixelRect{100, 50, 600, 350}));
  // Only the dimension that is too small is held.
  EXPECT_EQ(Drag(kEdgeRight | kEdgeBottom, {400, 450}), (PixelRect{100, 50, 600, 500}));
  // Dragged from the left or top, the opposite edge stays where it was.
  EXPECT_EQ(Drag(kEdgeLeft | kEdgeTop, {600, 400}), (PixelRect{300, 250, 800, 550}));
  EXPECT_EQ(Drag(kEdgeLeft | kEdgeBottom, {650, 100}), (PixelRect{300, 50, 800, 350}));
  EXPECT_EQ(Drag(kEdgeTop | kEdgeRight, {100, 300}), (PixelRect{100, 250, 600, 550}));
}

TEST_F(ResizeWindowTest, NoWindowEdgeNoResize) {
  EXPECT_FALSE(Drag(kEdgeNone, {10, 10}).has_value());
  EXPECT_FALSE(Drag(kEdgeSplitter, {300, 200}).has_value());
}

TEST(SplitterTest, StaysAHundredPixelsFromTheLeftAndThreeHundredFromTheRight) {
  EXPECT_FALSE(SplitterForDrag(100, 700).has_value());
  EXPECT_EQ(SplitterForDrag(101, 700), 103);
  EXPECT_EQ(SplitterForDrag(399, 700), 401);
  EXPECT_FALSE(SplitterForDrag(400, 700).has_value());
  EXPECT_FALSE(SplitterForDrag(-5, 700).has_value());
}

TEST(SplitterTest, ShrinkingWindowPullsTheSplitterBackIntoReach) {
  EXPECT_EQ(SplitterWithin(210, 700), 210);
  EXPECT_EQ(SplitterWithin(401, 700), 401);
  EXPECT_EQ(SplitterWithin(900, 700), 401);
  EXPECT_EQ(SplitterWithin(900, 500), 201);
  // The list keeps a positive width at the smallest window.
  const MainWindowLayout layout = LayoutMainWindow(500, 300, SplitterWithin(900, 500));
  EXPECT_GT(layout.list.Width(), 0);
  EXPECT_GT(layout.searchBox.Width(), 0);
  // Below any size the frame allows, the tree still keeps a positive width.
  EXPECT_EQ(SplitterWithin(210, 100), 103);
}

}  // namespace
}  // namespace quillon
