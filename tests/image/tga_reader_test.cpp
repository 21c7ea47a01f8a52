#include <gtest/gtest.h>

#include "preview/image/image_handle.h"
#include "tests/image/test_pictures.h"

namespace quillon {
namespace {

using test::Bytes;
using test::MakeTga;
using test::PixelColour;
using test::TgaOf;
using test::TgaLayout;

std::unique_ptr<FCObjImage> ReadTga(const Bytes& file) {
  return test::ReadWith<FCImageHandle_Tga>(file);
}

// Every pixel as 0xRRGGBB, top row first.
std::vector<std::uint32_t> Colours(const FCObjImage& picture) {
  std::vector<std::uint32_t> colours;
  for (std::int32_t y = 0; y < picture.Height(); ++y) {
    for (std::int32_t x = 0; x < picture.Width(); ++x) colours.push_back(PixelColour(picture, x, y));
  }
  return colours;
}

// A 2 × 2 true-colour picture: red, green on top; blue, white below.
const std::vector<std::uint32_t> kSquare = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
const Bytes kTopRow24 = {0, 0, 255, 0, 255, 0};
const Bytes kBottomRow24 = {255, 0, 0, 255, 255, 255};

Bytes Join(const Bytes& a, const Bytes& b) {
  Bytes joined = a;
  joined.insert(joined.end(), b.begin(), b.end());
  return joined;
}

void ExpectBothGiveTheSquare(const TgaLayout& bottomUp, const TgaLayout& topDown) {
  for (const TgaLayout* layout : {&bottomUp, &topDown}) {
    auto picture = ReadTga(MakeTga(*layout));
    ASSERT_TRUE(picture);
    EXPECT_EQ(Colours(*picture), kSquare);
  }
}

TEST(TgaReader, BottomUpAndTopDownOriginsGiveTheSamePicture) {
  TgaLayout bottomUp = TgaOf(2, 2, 2, 24);
  bottomUp.data = Join(kBottomRow24, kTopRow24);
  TgaLayout topDown = bottomUp;
  topDown.descriptor = 0x20;
  topDown.data = Join(kTopRow24, kBottomRow24);

  ExpectBothGiveTheSquare(bottomUp, topDown);
}

TEST(TgaReader, SkipsTheIdentificationField) {
  TgaLayout layout = TgaOf(2, 2, 2, 24, 0x20);
  layout.id = "made by a test";
  layout.data = Join(kTopRow24, kBottomRow24);
  auto picture = ReadTga(MakeTga(layout));
  ASSERT_TRUE(picture);
  EXPECT_EQ(Colours(*picture), kSquare);
}

TEST(TgaReader, Reads32BitPixelsWithAlpha) {
  TgaLayout layout = TgaOf(2, 1, 1, 32);
  layout.data = {10, 20, 30, 40};
  auto picture = ReadTga(MakeTga(layout));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->BitsPerPixel(), 32);
  EXPECT_EQ(PixelColour(*picture, 0, 0), 0x1E140Au);
  EXPECT_EQ(picture->Row(0)[3], 40);
}

TEST(TgaReader, Reads15And16BitPixelsWith555Masks) {
  for (std::uint8_t depth : {15, 16}) {
    TgaLayout layout = TgaOf(2, 2, 1, depth);
    layout.data = {0x00, 0x7C, 0x1F, 0x00};  // red, blue
    auto picture = ReadTga(MakeTga(layout));
    ASSERT_TRUE(picture) << int{depth};
    EXPECT_EQ(picture->BitsPerPixel(), 16);
    EXPECT_EQ(picture->Masks(), kMasks555);
    EXPECT_EQ(Colours(*picture), (std::vector<std::uint32_t>{0xFF0000, 0x0000FF}));
  }
}

TEST(TgaReader, GreyScaleShowsThroughTheRamp) {
  TgaLayout layout = TgaOf(3, 3, 1, 8);
  layout.data = {0, 0x80, 0xFF};
  auto picture = ReadTga(MakeTga(layout));
  ASSERT_TRUE(picture);
  EXPECT_EQ(Colours(*picture), (std::vector<std::uint32_t>{0, 0x808080, 0xFFFFFF}));
}

TEST(TgaReader, ColourMapFillsThePaletteFromItsFirstIndex) {
  TgaLayout layout = TgaOf(1, 3, 1, 8);
  layout.hasColourMap = true;
  layout.mapFirst = 5;
  layout.mapLength = 2;
  layout.mapEntryBits = 24;
  layout.mapEntries = {255, 0, 0, 0, 255, 0};  // blue, green
  layout.data = {5, 6, 0};
  auto picture = ReadTga(MakeTga(layout));
  ASSERT_TRUE(picture);
  EXPECT_EQ(Colours(*picture), (std::vector<std::uint32_t>{0x0000FF, 0x00FF00, 0}));
  // Entries the map does not give are zero, not the ramp.
  EXPECT_EQ(picture->Palette()[200], (PaletteEntry{0, 0, 0, 0}));
}

TEST(TgaReader, ColourMapWith32BitEntries) {
  TgaLayout layout = TgaOf(1, 2, 1, 8);
  layout.hasColourMap = true;
  layout.mapLength = 2;
  layout.mapEntryBits = 32;
  layout.mapEntries = {1, 2, 3, 255, 4, 5, 6, 255};
  layout.data = {1, 0};
  auto picture = ReadTga(MakeTga(layout));
  ASSERT_TRUE(picture);
  EXPECT_EQ(Colours(*picture), (std::vector<std::uint32_t>{0x060504, 0x030201}));
}

TEST(TgaReader, ColourMapBeforeTrueColourPixelsIsSkipped) {
  TgaLayout layout = TgaOf(2, 2, 2, 24);
  layout.hasColourMap = true;
  layout.mapLength = 3;
  layout.mapEntries = Bytes(9, 0xAA);
  layout.data = Join(kBottomRow24, kTopRow24);
  auto picture = ReadTga(MakeTga(layout));
  ASSERT_TRUE(picture);
  EXPECT_EQ(Colours(*picture), kSquare);
}

TEST(TgaReader, DecodesRunLengthRows) {
  // Row 1 (bottom): a run of two blues. Row 2 (top): raw red, green.
  TgaLayout layout = TgaOf(10, 2, 2, 24);
  layout.data = {0x81, 255, 0, 0, 0x01, 0, 0, 255, 0, 255, 0};
  auto picture = ReadTga(MakeTga(layout));
  ASSERT_TRUE(picture);
  EXPECT_EQ(Colours(*picture), (std::vector<std::uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0x0000FF}));
}

TEST(TgaReader, RunLengthTopDownMatchesBottomUp) {
  TgaLayout bottomUp = TgaOf(10, 2, 2, 24);
  bottomUp.data = {0x01, 255, 0, 0, 255, 255, 255, 0x01, 0, 0, 255, 0, 255, 0};
  TgaLayout topDown = bottomUp;
  topDown.descriptor = 0x20;
  topDown.data = {0x01, 0, 0, 255, 0, 255, 0, 0x01, 255, 0, 0, 255, 255, 255};
  ExpectBothGiveTheSquare(bottomUp, topDown);
}

TEST(TgaReader, RunLengthGreyAndColourMapped) {
  TgaLayout grey = TgaOf(11, 4, 1, 8);
  grey.data = {0x82, 0x40, 0x00, 0x90};
  auto picture = ReadTga(MakeTga(grey));
  ASSERT_TRUE(picture);
  EXPECT_EQ(Colours(*picture), (std::vector<std::uint32_t>{0x404040, 0x404040, 0x404040, 0x909090}));

  TgaLayout mapped = TgaOf(9, 3, 1, 8);
  mapped.hasColourMap = true;
  mapped.mapLength = 2;
  mapped.mapEntries = {0, 0, 255, 0, 255, 0};
  mapped.data = {0x82, 1};
  picture = ReadTga(MakeTga(mapped));
  ASSERT_TRUE(picture);
  EXPECT_EQ(Colours(*picture), (std::vector<std::uint32_t>(3, 0x00FF00)));
}

TEST(TgaReader, RunLength16BitPixels) {
  TgaLayout layout = TgaOf(10, 3, 1, 16);
  layout.data = {0x82, 0xE0, 0x03};  // three greens
  auto picture = ReadTga(MakeTga(layout));
  ASSERT_TRUE(picture);
  EXPECT_EQ(Colours(*picture), (std::vector<std::uint32_t>(3, 0x00FF00)));
}

TEST(TgaReader, PacketsCrossingARowGoOnInTheNextRow) {
  // One run of four pixels covers both rows of a 2 × 2 picture.
  TgaLayout layout = TgaOf(11, 2, 2, 8);
  layout.data = {0x83, 0x33};
  auto picture = ReadTga(MakeTga(layout));
  ASSERT_TRUE(picture);
  EXPECT_EQ(Colours(*picture), (std::vector<std::uint32_t>(4, 0x333333)));

  // A raw packet of three, then a run of one.
  layout.data = {0x02, 1, 2, 3, 0x80, 4};
  layout.descriptor = 0x20;
  picture = ReadTga(MakeTga(layout));
  ASSERT_TRUE(picture);
  EXPECT_EQ(Colours(*picture), (std::vector<std::uint32_t>{0x010101, 0x020202, 0x030303, 0x040404}));

  // A run longer than what is left of the picture only fills the picture.
  layout.data = {0xFF, 0x77};
  picture = ReadTga(MakeTga(layout));
  ASSERT_TRUE(picture);
  EXPECT_EQ(Colours(*picture), (std::vector<std::uint32_t>(4, 0x777777)));
}

TEST(TgaReader, RefusesWhatItCannotShow) {
  TgaLayout good = TgaOf(2, 2, 2, 24);
  good.data = Join(kBottomRow24, kTopRow24);
  ASSERT_TRUE(ReadTga(MakeTga(good)));

  auto refused = [](TgaLayout layout) { return !ReadTga(MakeTga(layout)); };
  TgaLayout layout = good;
  layout.width = 0;
  EXPECT_TRUE(refused(layout)) << "zero width";
  layout = good;
  layout.height = 0;
  EXPECT_TRUE(refused(layout)) << "zero height";
  for (std::uint8_t depth : {0, 2, 12, 48}) {
    layout = good;
    layout.depth = depth;
    EXPECT_TRUE(refused(layout)) << "depth " << int{depth};
  }
  for (std::uint8_t bits : {15, 16}) {
    layout = good;
    layout.mapEntryBits = bits;  // refused even without a colour map
    EXPECT_TRUE(refused(layout)) << "map entries of " << int{bits} << " bits";
  }
  layout = good;
  layout.hasColourMap = true;
  layout.mapFirst = 200;
  layout.mapLength = 57;
  layout.mapEntries = Bytes(57 * 3, 0);
  EXPECT_TRUE(refused(layout)) << "map beyond 256 entries";
  layout.mapLength = 56;
  layout.mapEntries = Bytes(56 * 3, 0);
  EXPECT_FALSE(refused(layout)) << "a map ending at entry 255";

  layout = good;
  layout.data.pop_back();
  EXPECT_TRUE(refused(layout)) << "pixels past the end";
  layout = good;
  layout.hasColourMap = true;
  layout.mapLength = 200;
  layout.mapEntries = Bytes(30, 0);
  layout.data.clear();
  EXPECT_TRUE(refused(layout)) << "colour map past the end";
  layout = good;
  layout.id = std::string(255, 'x');
  layout.data.clear();
  EXPECT_TRUE(refused(layout)) << "identification past the end";

  EXPECT_FALSE(ReadTga(Bytes(18, 0))) << "header only";
  EXPECT_FALSE(ReadTga(Bytes{})) << "no data";
}

TEST(TgaReader, RefusesRunLengthDataThatEndsTooSoon) {
  TgaLayout layout = TgaOf(10, 4, 2, 24);
  layout.data = {0x83, 1, 2, 3, 0x81, 4, 5};  // the second run's pixel is cut
  EXPECT_FALSE(ReadTga(MakeTga(layout)));
  layout.data = {0x83, 1, 2, 3, 0x02, 4, 5, 6};  // a raw packet of three with one pixel
  EXPECT_FALSE(ReadTga(MakeTga(layout)));
  layout.data = {0x83, 1, 2, 3};  // the second row has no packet
  EXPECT_FALSE(ReadTga(MakeTga(layout)));
  layout.data = {0x87, 1, 2, 3};
  EXPECT_TRUE(ReadTga(MakeTga(layout)));
}

TEST(TgaReader, RefusesRunLengthBelowWholeBytes) {
  TgaLayout layout = TgaOf(11, 8, 1, 1);
  layout.data = {0x87, 0xFF};
  EXPECT_FALSE(ReadTga(MakeTga(layout)));
  layout.imageType = 3;
  layout.data = {0xA5};
  auto picture = ReadTga(MakeTga(layout));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->Row(0)[0], 0xA5);
}

}  // namespace
}  // namespace quillon
