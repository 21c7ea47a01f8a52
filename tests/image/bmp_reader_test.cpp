#include <gtest/gtest.h>

#include "preview/image/image_handle.h"
#include "tests/image/test_pictures.h"

namespace quillon {
namespace {

using test::Bytes;
using test::BmpOf;
using test::BmpLayout;
using test::MakeBmp;
using test::PixelColour;

std::unique_ptr<FCObjImage> ReadBmp(const Bytes& file) {
  return test::ReadWith<FCImageHandle_Bmp>(file);
}

const std::vector<PaletteEntry> kFourColours = {
    {0, 0, 0, 0}, {0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}};

TEST(BmpReader, Reads1BitRowsThroughThePalette) {
  BmpLayout layout = BmpOf(10, 2, 1);
  layout.palette = {{0, 0, 0, 0}, {10, 20, 30, 0}};
  layout.rows = {{0b10000000, 0b01000000}, {0b00000001, 0b00000000}};
  auto picture = ReadBmp(MakeBmp(layout));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->BitsPerPixel(), 1);
  EXPECT_EQ(PixelColour(*picture, 0, 0), 0x1E140Au);
  EXPECT_EQ(PixelColour(*picture, 1, 0), 0u);
  EXPECT_EQ(PixelColour(*picture, 9, 0), 0x1E140Au);
  EXPECT_EQ(PixelColour(*picture, 7, 1), 0x1E140Au);
  EXPECT_EQ(PixelColour(*picture, 0, 1), 0u);
}

TEST(BmpReader, Reads4And8BitRowsThroughThePalette) {
  BmpLayout four = BmpOf(3, 1, 4);
  four.palette = kFourColours;
  four.palette.resize(16);
  four.rows = {{0x12, 0x30}};
  auto picture = ReadBmp(MakeBmp(four));
  ASSERT_TRUE(picture);
  EXPECT_EQ(PixelColour(*picture, 0, 0), 0xFF0000u);
  EXPECT_EQ(PixelColour(*picture, 1, 0), 0x00FF00u);
  EXPECT_EQ(PixelColour(*picture, 2, 0), 0x0000FFu);

  BmpLayout eight = BmpOf(2, 2, 8);
  eight.palette = kFourColours;
  eight.palette.resize(256);
  eight.rows = {{1, 2}, {3, 0}};
  picture = ReadBmp(MakeBmp(eight));
  ASSERT_TRUE(picture);
  EXPECT_EQ(PixelColour(*picture, 0, 0), 0xFF0000u);
  EXPECT_EQ(PixelColour(*picture, 1, 0), 0x00FF00u);
  EXPECT_EQ(PixelColour(*picture, 0, 1), 0x0000FFu);
  EXPECT_EQ(PixelColour(*picture, 1, 1), 0u);
}

TEST(BmpReader, ReadsTrueColourRowsUnchanged) {
  BmpLayout rgb = BmpOf(2, 2, 24);
  rgb.rows = {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}};
  auto picture = ReadBmp(MakeBmp(rgb));
  ASSERT_TRUE(picture);
  EXPECT_EQ(PixelColour(*picture, 0, 0), 0x030201u);
  EXPECT_EQ(PixelColour(*picture, 1, 1), 0x0C0B0Au);
  EXPECT_EQ(picture->Header().xPelsPerMeter, 2835);

  BmpLayout argb = BmpOf(1, 2, 32);
  argb.rows = {{1, 2, 3, 4}, {5, 6, 7, 8}};
  picture = ReadBmp(MakeBmp(argb));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->Row(0)[3], 4);  // the fourth byte is kept as it is
  EXPECT_EQ(PixelColour(*picture, 0, 1), 0x070605u);
}

TEST(BmpReader, Reads16BitPixelsWith555And565Masks) {
  BmpLayout plain = BmpOf(1, 1, 16);
  plain.rows = {{0x00, 0x7C}};  // red in 5-5-5
  auto picture = ReadBmp(MakeBmp(plain));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->Masks(), kMasks555);
  EXPECT_EQ(PixelColour(*picture, 0, 0), 0xFF0000u);

  BmpLayout fields = BmpOf(2, 1, 16, 3, kMasks565);
  fields.rows = {{0xE0, 0x07, 0x1F, 0x00}};  // green, blue in 5-6-5
  picture = ReadBmp(MakeBmp(fields));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->Header().compression, 3u);
  EXPECT_EQ(picture->Masks(), kMasks565);
  EXPECT_EQ(PixelColour(*picture, 0, 0), 0x00FF00u);
  EXPECT_EQ(PixelColour(*picture, 1, 0), 0x0000FFu);
}

TEST(BmpReader, BitFieldsAt32BitsFollowTheFilesMasks) {
  struct Case {
    ChannelMasks masks;
    std::uint32_t pixel;  // little-endian in the file
    std::uint32_t colour;
  };
  const Case cases[] = {
      {{0xFF0000, 0xFF00, 0xFF}, 0x00070809, 0x070809},            // the plain order
      {{0xFF, 0xFF00, 0xFF0000}, 0x00070809, 0x090807},            // red and blue swapped
      {{0xFF000000, 0xFF0000, 0xFF00}, 0x112233AA, 0x112233},      // shifted up a byte
      {{0x3FF00000, 0xFFC00, 0x3FF}, 0x3FF003FF, 0xFF00FF},        // 10 bits a channel
      {{0xF800, 0x7E0, 0x1F}, 0x0000F800, 0xFF0000},               // 5-6-5 in 32 bits
  };
  for (const Case& c : cases) {
    BmpLayout layout = BmpOf(1, 1, 32, 3, c.masks);
    layout.rows = {{static_cast<std::uint8_t>(c.pixel), static_cast<std::uint8_t>(c.pixel >> 8),
                    static_cast<std::uint8_t>(c.pixel >> 16), static_cast<std::uint8_t>(c.pixel >> 24)}};
    auto picture = ReadBmp(MakeBmp(layout));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Header().compression, 0u);
    EXPECT_EQ(PixelColour(*picture, 0, 0), c.colour) << std::hex << c.masks.red;
  }
}

TEST(BmpReader, ShortPixelDataLeavesTheRestZero) {
  BmpLayout layout = BmpOf(1, 3, 24);
  layout.rows = {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}};
  Bytes file = MakeBmp(layout);
  file.resize(file.size() - 6);  // only the bottom row and half the next remain
  auto picture = ReadBmp(file);
  ASSERT_TRUE(picture);
  EXPECT_EQ(PixelColour(*picture, 0, 2), 0x030303u);
  EXPECT_EQ(picture->Row(1)[0], 2);
  EXPECT_EQ(picture->Row(1)[2], 0);
  EXPECT_EQ(PixelColour(*picture, 0, 0), 0u);
}

TEST(BmpReader, PaletteCutShortByTheFileKeepsTheRamp) {
  // Two palette entries written, 256 expected, no pixels: the rest of the palette is missing.
  BmpLayout layout = BmpOf(1, 1, 8);
  layout.palette = {{0, 0, 255, 0}, {255, 0, 0, 0}};
  layout.rows = {{1}};
  auto picture = ReadBmp(MakeBmp(layout));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->Palette()[0], (PaletteEntry{0, 0, 255, 0}));
  EXPECT_EQ(picture->Palette()[1], (PaletteEntry{255, 0, 0, 0}));
  // Entry 2 overlaps the pixel row (1, 0, 0, 0); later ones lie past the end.
  EXPECT_EQ(picture->Palette()[2], (PaletteEntry{1, 0, 0, 0}));
  EXPECT_EQ(picture->Palette()[3], (PaletteEntry{3, 3, 3, 0}));
  EXPECT_EQ(PixelColour(*picture, 0, 0), 0x0000FFu);
}

TEST(BmpReader, RefusesWhatItCannotShow) {
  BmpLayout good = BmpOf(2, 2, 24);
  good.rows = {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}};
  const Bytes valid = MakeBmp(good);
  ASSERT_TRUE(ReadBmp(valid));

  auto changed = [&](auto change) {
    Bytes file = valid;
    change(file);
    return file;
  };
  EXPECT_FALSE(ReadBmp(Bytes(valid.begin(), valid.begin() + 14))) << "no more than 14 bytes";
  EXPECT_FALSE(ReadBmp(Bytes(valid.begin(), valid.begin() + 40))) << "header cut short";
  EXPECT_FALSE(ReadBmp(changed([](Bytes& f) { f[0] = 'X'; }))) << "signature";
  EXPECT_FALSE(ReadBmp(changed([](Bytes& f) { f[1] = 'A'; }))) << "signature";
  EXPECT_FALSE(ReadBmp(changed([](Bytes& f) { test::PutLe32(f, 10, static_cast<std::uint32_t>(f.size())); })))
      << "pixel offset at the end";
  EXPECT_FALSE(ReadBmp(changed([](Bytes& f) { test::PutLe32(f, 10, 0xFFFFFFFF); })));
  EXPECT_FALSE(ReadBmp(changed([](Bytes& f) { test::PutLe32(f, 22, static_cast<std::uint32_t>(-2)); })))
      << "top-down rows";
  EXPECT_FALSE(ReadBmp(changed([](Bytes& f) { test::PutLe32(f, 18, 0); }))) << "zero width";
  EXPECT_FALSE(ReadBmp(changed([](Bytes& f) { test::PutLe32(f, 30, 1); }))) << "RLE8";
  EXPECT_FALSE(ReadBmp(changed([](Bytes& f) { test::PutLe32(f, 30, 2); }))) << "RLE4";
  EXPECT_FALSE(ReadBmp(changed([](Bytes& f) { test::PutLe16(f, 28, 2); }))) << "2 bits";
  EXPECT_FALSE(ReadBmp(changed([](Bytes& f) { test::PutLe16(f, 28, 64); }))) << "64 bits";
  EXPECT_FALSE(ReadBmp(changed([](Bytes& f) { test::PutLe32(f, 14, 12); }))) << "core header";
  EXPECT_FALSE(ReadBmp(changed([](Bytes& f) {
    test::PutLe32(f, 18, 100000);
    test::PutLe32(f, 22, 100000);
  }))) << "more pixels than memory allows";
  EXPECT_FALSE(ReadBmp(Bytes{})) << "no data";
  FCImageHandle_Bmp reader;
  ImageFrames frames;
  EXPECT_FALSE(reader.LoadMemory(nullptr, 100, frames));
}

TEST(BmpReader, BitFieldMasksPastTheEndAreRefused) {
  Bytes file(60, 0);
  file[0] = 'B';
  file[1] = 'M';
  test::PutLe32(file, 10, 58);
  test::PutLe32(file, 14, 40);
  test::PutLe32(file, 18, 1);
  test::PutLe32(file, 22, 1);
  test::PutLe16(file, 28, 16);
  test::PutLe32(file, 30, 3);
  EXPECT_FALSE(ReadBmp(file));
  test::PutLe32(file, 30, 0);
  EXPECT_TRUE(ReadBmp(file));
}

TEST(BmpReader, ShortFileClaimingMillionsOfRowsGivesAMostlyEmptyPicture) {
  // Found by fuzzing (a time-out): 58 bytes claiming 40 x 16777225 one-bit pixels, whose pixel
  // data starts at offset 0. The rows the file lacks stay zero and are never written.
  const Bytes file = {0x42, 0x4d, 0x5a, 0x00, 0x42, 0x4d, 0x5a, 0x00, 0x00, 0x00, 0x00, 0x00,
                      0x00, 0x00, 0x3e, 0x00, 0x00, 0x00, 0x28, 0x00, 0x00, 0x00, 0x09, 0x00,
                      0x00, 0x01, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                      0x3e, 0x00, 0x00, 0x00, 0x00, 0xff, 0x80, 0x00, 0x3a, 0x00, 0x00, 0x00,
                      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
  FCImageHandle_Bmp reader;
  ImageFrames frames;
  ASSERT_TRUE(reader.LoadMemory(file.data(), file.size(), frames));
  const FCObjImage& picture = *frames.PCL_GetObject(0);
  EXPECT_EQ(picture.Width(), 40);
  EXPECT_EQ(picture.Height(), 16777225);
  // The bottom row holds the file's first bytes; the top row is zero.
  EXPECT_EQ(picture.Row(picture.Height() - 1)[0], 0x42);
  EXPECT_EQ(picture.Row(0)[0], 0);
  EXPECT_EQ(picture.Row(0)[picture.Stride() - 1], 0);
}

TEST(BmpReader, LargerInfoHeadersMoveThePalette) {
  // A 124-byte header: the palette starts after it, the pixels at the stated offset.
  BmpLayout layout = BmpOf(1, 1, 8);
  layout.rows = {{0}};
  Bytes file = MakeBmp(layout);
  Bytes header(file.begin(), file.begin() + 54);
  test::PutLe32(header, 14, 124);
  header.resize(14 + 124, 0);
  const std::size_t pixelOffset = header.size() + 1024;
  test::PutLe32(header, 10, static_cast<std::uint32_t>(pixelOffset));
  Bytes large = header;
  large.resize(pixelOffset + 4, 0);
  large[header.size()] = 0x40;  // entry 0 blue
  auto picture = ReadBmp(large);
  ASSERT_TRUE(picture);
  EXPECT_EQ(PixelColour(*picture, 0, 0), 0x000040u);
}

}  // namespace
}  // namespace quillon
