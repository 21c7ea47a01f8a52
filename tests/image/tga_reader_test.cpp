#include <gtest/gtest.h>

#include "preview/image/image_handle.h"
#include "tests/image/test_pictures.h"

namespace quillon {
namespace {

using test::Bytes;
using test::MakeTga;
using test::PixelColour;
using test::TgaOf;
using test::TgaSpec;

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

void ExpectBothGiveTheSquare(const TgaSpec& bottomUp, const TgaSpec& topDown) {
  for (const TgaSpec* spec : {&bottomUp, &topDown}) {
    auto picture = ReadTga(MakeTga(*spec));
    ASSERT_TRUE(picture);
    EXPECT_EQ(Colours(*picture), kSquare);
  }
}

TEST(TgaReader, BottomUpAndTopDownOriginsGiveTheSamePicture) {
  TgaSpec bottomUp = TgaOf(2, 2, 2, 24);
  bottomUp.data = Join(kBottomRow24, kTopRow24);
  TgaSpec topDown = bottomUp;
  topDown.descriptor = 0x20;
  topDown.data = Join(kTopRow24, kBottomRow24);

  ExpectBothGiveTheSquare(bottomUp, topDown);
}

TEST(TgaReader, SkipsTheIdentificationField) {
  TgaSpec spec = TgaOf(2, 2, 2, 24, 0x20);
  spec.id = "made by a test";
  spec.data = Join(kTopRow24, kBottomRow24);
  auto picture = ReadTga(MakeTga(spec));
  ASSERT_TRUE(picture);
  EXPECT_EQ(Colours(*picture), kSquare);
}

TEST(TgaReader, Reads32BitPixelsWithAlpha) {
  TgaSpec spec = TgaOf(2, 1, 1, 32);
  spec.data = {10, 20, 30, 40};
  auto picture = ReadTga(MakeTga(spec));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->BitsPerPixel(), 32);
  EXPECT_EQ(PixelColour(*picture, 0, 0), 0x1E140Au);
  EXPECT_EQ(picture->Row(0)[3], 40);
}

TEST(TgaReader, Reads15And16BitPixelsWith555Masks) {
  for (std::uint8_t depth : {15, 16}) {
    TgaSpec spec = TgaOf(2, 2, 1, depth);
    spec.data = {0x00, 0x7C, 0x1F, 0x00};  // red, blue
    auto picture = ReadTga(MakeTga(spec));
    ASSERT_TRUE(picture) << int{depth};
    EXPECT_EQ(picture->BitsPerPixel(), 16);
    EXPECT_EQ(picture->Masks(), kMasks555);
    EXPECT_EQ(Colours(*picture), (std::vector<std::uint32_t>{0xFF0000, 0x0000FF}));
  }
}

TEST(TgaReader, GreyScaleShowsThroughTheRamp) {
  TgaSpec spec = TgaOf(3, 3, 1, 8);
  spec.data = {0, 0x80, 0xFF};
  auto picture = ReadTga(MakeTga(spec));
  ASSERT_TRUE(picture);
  EXPECT_EQ(Colours(*picture), (std::vector<std::uint32_t>{0, 0x808080, 0xFFFFFF}));
}

TEST(TgaReader, ColourMapFillsThePaletteFromItsFirstIndex) {
  TgaSpec spec = TgaOf(1, 3, 1, 8);
  spec.hasColourMap = true;
  spec.mapFirst = 5;
  spec.mapLength = 2;
  spec.mapEntryBits = 24;
  spec.mapEntries = {255, 0, 0, 0, 255, 0};  // blue, green
  spec.data = {5, 6, 0};
  auto picture = ReadTga(MakeTga(spec));
  ASSERT_TRUE(picture);
  EXPECT_EQ(Colours(*picture), (std::vector<std::uint32_t>{0x0000FF, 0x00FF00, 0}));
  // Entries the map does not give are zero, not the ramp.
  EXPECT_EQ(picture->Palette()[200], (PaletteEntry{0, 0, 0, 0}));
}

TEST(TgaReader, ColourMapWith32BitEntries) {
  TgaSpec spec = TgaOf(1, 2, 1, 8);
  spec.hasColourMap = true;
  spec.mapLength = 2;
  spec.mapEntryBits = 32;
  spec.mapEntries = {1, 2, 3, 255, 4, 5, 6, 255};
  spec.data = {1, 0};
  auto picture = ReadTga(MakeTga(spec));
  ASSERT_TRUE(picture);
  EXPECT_EQ(Colours(*picture), (std::vector<std::uint32_t>{0x060504, 0x030201}));
}

TEST(TgaReader, ColourMapBeforeTrueColourPixelsIsSkipped) {
  TgaSpec spec = TgaOf(2, 2, 2, 24);
  spec.hasColourMap = true;
  spec.mapLength = 3;
  spec.mapEntries = Bytes(9, 0xAA);
  spec.data = Join(kBottomRow24, kTopRow24);
  auto picture = ReadTga(MakeTga(spec));
  ASSERT_TRUE(picture);
  EXPECT_EQ(Colours(*picture), kSquare);
}

TEST(TgaReader, DecodesRunLengthRows) {
  // Row 1 (bottom): a run of two blues. Row 2 (top): raw red, green.
  TgaSpec spec = TgaOf(10, 2, 2, 24);
  spec.data = {0x81, 255, 0, 0, 0x01, 0, 0, 255, 0, 255, 0};
  auto picture = ReadTga(MakeTga(spec));
  ASSERT_TRUE(picture);
  EXPECT_EQ(Colours(*picture), (std::vector<std::uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0x0000FF}));
}

TEST(TgaReader, RunLengthTopDownMatchesBottomUp) {
  TgaSpec bottomUp = TgaOf(10, 2, 2, 24);
  bottomUp.data = {0x01, 255, 0, 0, 255, 255, 255, 0x01, 0, 0, 255, 0, 255, 0};
  TgaSpec topDown = bottomUp;
  topDown.descriptor = 0x20;
  topDown.data = {0x01, 0, 0, 255, 0, 255, 0, 0x01, 255, 0, 0, 255, 255, 255};
  ExpectBothGiveTheSquare(bottomUp, topDown);
}

TEST(TgaReader, RunLengthGreyAndColourMapped) {
  TgaSpec grey = TgaOf(11, 4, 1, 8);
  grey.data = {0x82, 0x40, 0x00, 0x90};
  auto picture = ReadTga(MakeTga(grey));
  ASSERT_TRUE(picture);
  EXPECT_EQ(Colours(*picture), (std::vector<std::uint32_t>{0x404040, 0x404040, 0x404040, 0x909090}));

  TgaSpec mapped = TgaOf(9, 3, 1, 8);
  mapped.hasColourMap = true;
  mapped.mapLength = 2;
  mapped.mapEntries = {0, 0, 255, 0, 255, 0};
  mapped.data = {0x82, 1};
  picture = ReadTga(MakeTga(mapped));
  ASSERT_TRUE(picture);
  EXPECT_EQ(Colours(*picture), (std::vector<std::uint32_t>(3, 0x00FF00)));
}

TEST(TgaReader, RunLength16BitPixels) {
  TgaSpec spec = TgaOf(10, 3, 1, 16);
  spec.data = {0x82, 0xE0, 0x03};  // three greens
  auto picture = ReadTga(MakeTga(spec));
  ASSERT_TRUE(picture);
  EXPECT_EQ(Colours(*picture), (std::vector<std::uint32_t>(3, 0x00FF00)));
}

TEST(TgaReader, PacketsCrossingARowGoOnInTheNextRow) {
  // One run of four pixels covers both rows of a 2 × 2 picture.
  TgaSpec spec = TgaOf(11, 2, 2, 8);
  spec.data = {0x83, 0x33};
  auto picture = ReadTga(MakeTga(spec));
  ASSERT_TRUE(picture);
  EXPECT_EQ(Colours(*picture), (std::vector<std::uint32_t>(4, 0x333333)));

  // A raw packet of three, then a run of one.
  spec.data = {0x02, 1, 2, 3, 0x80, 4};
  spec.descriptor = 0x20;
  picture = ReadTga(MakeTga(spec));
  ASSERT_TRUE(picture);
  EXPECT_EQ(Colours(*picture), (std::vector<std::uint32_t>{0x010101, 0x020202, 0x030303, 0x040404}));

  // A run longer than what is left of the picture only fills the picture.
  spec.data = {0xFF, 0x77};
  picture = ReadTga(MakeTga(spec));
  ASSERT_TRUE(picture);
  EXPECT_EQ(Colours(*picture), (std::vector<std::uint32_t>(4, 0x777777)));
}

TEST(TgaReader, RefusesWhatItCannotShow) {
  TgaSpec good = TgaOf(2, 2, 2, 24);
  good.data = Join(kBottomRow24, kTopRow24);
  ASSERT_TRUE(ReadTga(MakeTga(good)));

  auto refused = [](TgaSpec spec) { return !ReadTga(MakeTga(spec)); };
  TgaSpec spec = good;
  spec.width = 0;
  EXPECT_TRUE(refused(spec)) << "zero width";
  spec = good;
  spec.height = 0;
  EXPECT_TRUE(refused(spec)) << "zero height";
  for (std::uint8_t depth : {0, 2, 12, 48}) {
    spec = good;
    spec.depth = depth;
    EXPECT_TRUE(refused(spec)) << "depth " << int{depth};
  }
  for (std::uint8_t bits : {15, 16}) {
    spec = good;
    spec.mapEntryBits = bits;  // refused even without a colour map
    EXPECT_TRUE(refused(spec)) << "map entries of " << int{bits} << " bits";
  }
  spec = good;
  spec.hasColourMap = true;
  spec.mapFirst = 200;
  spec.mapLength = 57;
  spec.mapEntries = Bytes(57 * 3, 0);
  EXPECT_TRUE(refused(spec)) << "map beyond 256 entries";
  spec.mapLength = 56;
  spec.mapEntries = Bytes(56 * 3, 0);
  EXPECT_FALSE(refused(spec)) << "a map ending at entry 255";

  spec = good;
  spec.data.pop_back();
  EXPECT_TRUE(refused(spec)) << "pixels past the end";
  spec = good;
  spec.hasColourMap = true;
  spec.mapLength = 200;
  spec.mapEntries = Bytes(30, 0);
  spec.data.clear();
  EXPECT_TRUE(refused(spec)) << "colour map past the end";
  spec = good;
  spec.id = std::string(255, 'x');
  spec.data.clear();
  EXPECT_TRUE(refused(spec)) << "identification past the end";

  EXPECT_FALSE(ReadTga(Bytes(18, 0))) << "header only";
  EXPECT_FALSE(ReadTga(Bytes{})) << "no data";
}

TEST(TgaReader, RefusesRunLengthDataThatEndsTooSoon) {
  TgaSpec spec = TgaOf(10, 4, 2, 24);
  spec.data = {0x83, 1, 2, 3, 0x81, 4, 5};  // the second run's pixel is cut
  EXPECT_FALSE(ReadTga(MakeTga(spec)));
  spec.data = {0x83, 1, 2, 3, 0x02, 4, 5, 6};  // a raw packet of three with one pixel
  EXPECT_FALSE(ReadTga(MakeTga(spec)));
  spec.data = {0x83, 1, 2, 3};  // the second row has no packet
  EXPECT_FALSE(ReadTga(MakeTga(spec)));
  spec.data = {0x87, 1, 2, 3};
  EXPECT_TRUE(ReadTga(MakeTga(spec)));
}

TEST(TgaReader, RefusesRunLengthBelowWholeBytes) {
  TgaSpec spec = TgaOf(11, 8, 1, 1);
  spec.data = {0x87, 0xFF};
  EXPECT_FALSE(ReadTga(MakeTga(spec)));
  spec.imageType = 3;
  spec.data = {0xA5};
  auto picture = ReadTga(MakeTga(spec));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->Row(0)[0], 0xA5);
}

}  // namespace
}  // namespace quillon
