#include "preview/image/thumbnail_fit.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(FitThumbnail, PicturesThatFitKeepTheirNaturalSize) {
  EXPECT_EQ(FitThumbnail(230, 168, 50), (ImageRect{10, 50, 240, 218}));
  EXPECT_EQ(FitThumbnail(100, 50, 7), (ImageRect{10, 7, 110, 57}));
  EXPECT_EQ(FitThumbnail(1, 1, 0), (ImageRect{10, 0, 11, 1}));
}

TEST(FitThumbnail, WidePicturesFillTheBoxWidth) {
  EXPECT_EQ(FitThumbnail(1000, 500, 20), (ImageRect{10, 20, 240, 135}));
  EXPECT_EQ(FitThumbnail(231, 100, 0), (ImageRect{10, 0, 240, 99}));
  EXPECT_EQ(FitThumbnail(231, 10, 33), (ImageRect{10, 33, 240, 42}));
  EXPECT_EQ(FitThumbnail(5000, 1, 0), (ImageRect{10, 0, 240, 0}));
}

TEST(FitThumbnail, TallPicturesFillTheBoxHeight) {
  EXPECT_EQ(FitThumbnail(640, 480, 0), (ImageRect{10, 0, 234, 168}));
  EXPECT_EQ(FitThumbnail(640, 480, 101), (ImageRect{10, 101, 234, 269}));
  EXPECT_EQ(FitThumbnail(10, 169, 5), (ImageRect{10, 5, 19, 173}));
  EXPECT_EQ(FitThumbnail(1, 5000, 0), (ImageRect{10, 0, 10, 168}));
}

TEST(FitThumbnail, TheBoxProportionItselfIsFittedByHeight) {
  // 460 / 336 is the box's own proportion, not above it.
  EXPECT_EQ(FitThumbnail(460, 336, 0), (ImageRect{10, 0, 240, 168}));
}

}  // namespace
}  // namespace quillon
