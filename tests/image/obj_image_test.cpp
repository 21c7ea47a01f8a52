#include "preview/image/obj_image.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(FCObjImageCreate, BuildsAZeroFilledBottomUpPicture) {
  FCObjImage picture;
  EXPECT_TRUE(picture.IsEmpty());
  ASSERT_TRUE(picture.Create(MakeBitmapHeader(5, 3, 24)));
  EXPECT_FALSE(picture.IsEmpty());
  EXPECT_EQ(picture.Width(), 5);
  EXPECT_EQ(picture.Height(), 3);
  EXPECT_EQ(picture.Stride(), 16u);  // 15 bytes padded to whole words
  EXPECT_EQ(picture.PixelBytes(), 48u);
  EXPECT_EQ(picture.Header().size, 40u);
  EXPECT_EQ(picture.Header().planes, 1);
  // Row 0 is the top row, stored last.
  EXPECT_EQ(picture.Row(0), picture.Pixels() + 2 * 16);
  EXPECT_EQ(picture.Row(2), picture.Pixels());
  for (std::size_t i = 0; i < picture.PixelBytes(); ++i) ASSERT_EQ(picture.Pixels()[i], 0);
  EXPECT_EQ(picture.PaletteSize(), 0u);
}

TEST(FCObjImageCreate, StrideRoundsEveryDepthToWords) {
  struct Case { std::int32_t width; std::uint16_t bits; std::size_t stride; };
  for (const Case c : {Case{1, 1, 4}, Case{33, 1, 8}, Case{9, 4, 8}, Case{3, 8, 4},
                       Case{5, 8, 8}, Case{3, 16, 8}, Case{1, 24, 4}, Case{3, 32, 12}}) {
    FCObjImage picture;
    ASSERT_TRUE(picture.Create(MakeBitmapHeader(c.width, 2, c.bits)));
    EXPECT_EQ(picture.Stride(), c.stride) << c.width << " x " << c.bits;
  }
}

TEST(FCObjImageCreate, RefusesBadHeadersAndKeepsThePicture) {
  FCObjImage picture;
  ASSERT_TRUE(picture.Create(MakeBitmapHeader(2, 2, 8)));
  const std::uint8_t* pixels = picture.Pixels();
  for (const BitmapInfoHeader& bad :
       {MakeBitmapHeader(0, 2, 8), MakeBitmapHeader(2, 0, 8), MakeBitmapHeader(2, -2, 8),
        MakeBitmapHeader(-2, 2, 8), MakeBitmapHeader(2, 2, 2), MakeBitmapHeader(2, 2, 0),
        MakeBitmapHeader(2, 2, 48), MakeBitmapHeader(2, 2, 8, 1), MakeBitmapHeader(2, 2, 24, 2),
        MakeBitmapHeader(2, 2, 32, 4)}) {
    EXPECT_FALSE(picture.Create(bad));
    EXPECT_EQ(picture.Pixels(), pixels);
    EXPECT_EQ(picture.Width(), 2);
  }
}

TEST(FCObjImageCreate, RefusesPicturesTooLargeToHold) {
  FCObjImage picture;
  EXPECT_FALSE(picture.Create(MakeBitmapHeader(0x7FFFFFFF, 0x7FFFFFFF, 32)));
  EXPECT_FALSE(picture.Create(MakeBitmapHeader(20000, 20000, 32)));
  EXPECT_FALSE(picture.Create(MakeBitmapHeader(1, 0x7FFFFFFF, 1)));  // the row table alone
  EXPECT_TRUE(picture.IsEmpty());
}

TEST(FCObjImageCreate, CopiesResolutionsAndNormalisesTheRest) {
  BitmapInfoHeader header = MakeBitmapHeader(4, 4, 24);
  header.xPelsPerMeter = 3780;
  header.yPelsPerMeter = 2835;
  header.sizeImage = 999;
  header.clrUsed = 7;
  header.size = 124;
  FCObjImage picture;
  ASSERT_TRUE(picture.Create(header));
  EXPECT_EQ(picture.Header().xPelsPerMeter, 3780);
  EXPECT_EQ(picture.Header().yPelsPerMeter, 2835);
  EXPECT_EQ(picture.Header().sizeImage, 0u);
  EXPECT_EQ(picture.Header().clrUsed, 0u);
  EXPECT_EQ(picture.Header().size, 40u);
}

TEST(FCObjImageCreate, KeepsBitFieldMasksFor16BitsOnly) {
  FCObjImage picture;
  ASSERT_TRUE(picture.Create(MakeBitmapHeader(2, 2, 16, 3), kMasks565));
  EXPECT_EQ(picture.Header().compression, 3u);
  EXPECT_EQ(picture.Masks(), kMasks565);

  ASSERT_TRUE(picture.Create(MakeBitmapHeader(2, 2, 16, 0), kMasks565));
  EXPECT_EQ(picture.Header().compression, 0u);
  EXPECT_EQ(picture.Masks(), kMasks555);

  ASSERT_TRUE(picture.Create(MakeBitmapHeader(2, 2, 32, 3), kMasks565));
  EXPECT_EQ(picture.Header().compression, 0u);
  EXPECT_EQ(picture.Masks(), kMasks555);
}

TEST(FCObjImageCreate, IndexedPicturesStartWithAGreyRamp) {
  FCObjImage picture;
  ASSERT_TRUE(picture.Create(MakeBitmapHeader(1, 1, 1)));
  ASSERT_EQ(picture.PaletteSize(), 2u);
  EXPECT_EQ(picture.Palette()[0], (PaletteEntry{0, 0, 0, 0}));
  EXPECT_EQ(picture.Palette()[1], (PaletteEntry{255, 255, 255, 0}));

  ASSERT_TRUE(picture.Create(MakeBitmapHeader(1, 1, 4)));
  ASSERT_EQ(picture.PaletteSize(), 16u);
  EXPECT_EQ(picture.Palette()[1], (PaletteEntry{17, 17, 17, 0}));
  EXPECT_EQ(picture.Palette()[15], (PaletteEntry{255, 255, 255, 0}));

  ASSERT_TRUE(picture.Create(MakeBitmapHeader(1, 1, 8)));
  ASSERT_EQ(picture.PaletteSize(), 256u);
  for (int i = 0; i < 256; ++i) {
    const auto v = static_cast<std::uint8_t>(i);
    ASSERT_EQ(picture.Palette()[i], (PaletteEntry{v, v, v, 0}));
  }
}

TEST(FCObjImageClear, EmptiesEverything) {
  FCObjImage picture;
  ASSERT_TRUE(picture.Create(MakeBitmapHeader(3, 3, 8)));
  picture.Clear();
  EXPECT_TRUE(picture.IsEmpty());
  EXPECT_EQ(picture.Width(), 0);
  EXPECT_EQ(picture.Header().size, 0u);
  EXPECT_EQ(picture.PaletteSize(), 0u);
  EXPECT_EQ(picture.Masks(), ChannelMasks{});
  picture.Clear();  // twice is harmless
  EXPECT_TRUE(picture.IsEmpty());
}

TEST(FCObjImageSetPalette, CopiesAtMostTheDepthsEntries) {
  std::vector<PaletteEntry> colours(300, PaletteEntry{1, 2, 3, 0});
  FCObjImage picture;
  ASSERT_TRUE(picture.Create(MakeBitmapHeader(1, 1, 4)));
  picture.SetPalette(colours.data(), colours.size());
  EXPECT_EQ(picture.PaletteSize(), 16u);
  EXPECT_EQ(picture.Palette()[15], (PaletteEntry{1, 2, 3, 0}));

  // Fewer entries than the depth holds: the rest keep the ramp.
  ASSERT_TRUE(picture.Create(MakeBitmapHeader(1, 1, 8)));
  picture.SetPalette(colours.data(), 2);
  EXPECT_EQ(picture.Palette()[1], (PaletteEntry{1, 2, 3, 0}));
  EXPECT_EQ(picture.Palette()[2], (PaletteEntry{2, 2, 2, 0}));

  ASSERT_TRUE(picture.Create(MakeBitmapHeader(1, 1, 24)));
  picture.SetPalette(colours.data(), colours.size());
  EXPECT_EQ(picture.PaletteSize(), 0u);

  FCObjImage empty;
  empty.SetPalette(colours.data(), colours.size());
  EXPECT_TRUE(empty.IsEmpty());
}

TEST(FCObjImageCopyFrom, CopiesPixelsPaletteMasksAndPosition) {
  FCObjImage source;
  ASSERT_TRUE(source.Create(MakeBitmapHeader(3, 2, 8)));
  source.Row(0)[0] = 7;
  source.Row(1)[2] = 9;
  const PaletteEntry red{0, 0, 255, 0};
  source.SetPalette(&red, 1);
  source.x = 11;
  source.y = -4;

  FCObjImage copy;
  ASSERT_TRUE(copy.Create(MakeBitmapHeader(40, 40, 32)));
  ASSERT_TRUE(copy.CopyFrom(source));
  EXPECT_EQ(copy.Width(), 3);
  EXPECT_EQ(copy.Height(), 2);
  EXPECT_EQ(copy.BitsPerPixel(), 8);
  EXPECT_EQ(copy.Row(0)[0], 7);
  EXPECT_EQ(copy.Row(1)[2], 9);
  EXPECT_EQ(copy.Palette()[0], red);
  EXPECT_EQ(copy.x, 11);
  EXPECT_EQ(copy.y, -4);
  EXPECT_NE(copy.Pixels(), source.Pixels());

  FCObjImage bitFields;
  ASSERT_TRUE(bitFields.Create(MakeBitmapHeader(1, 1, 16, 3), kMasks565));
  ASSERT_TRUE(copy.CopyFrom(bitFields));
  EXPECT_EQ(copy.Masks(), kMasks565);
  EXPECT_EQ(copy.Header().compression, 3u);
}

TEST(FCObjImageCopyFrom, IgnoresEmptySourcesAndItself) {
  FCObjImage picture;
  ASSERT_TRUE(picture.Create(MakeBitmapHeader(2, 2, 24)));
  picture.Row(0)[0] = 5;
  FCObjImage empty;
  EXPECT_FALSE(picture.CopyFrom(empty));
  EXPECT_FALSE(picture.CopyFrom(picture));
  EXPECT_EQ(picture.Width(), 2);
  EXPECT_EQ(picture.Row(0)[0], 5);
}

TEST(HasPictureFileName, TestsTheLastThreeCharactersInAnyCase) {
  for (const std::u16string name : {u"a.bmp", u"B.GIF", u"c.Jpg", u"d.png", u"e.tif", u"f.ico",
                                    u"g.TgA", u"h.pcx", u"bmp", u"photo_bmp", u"x.JPG"}) {
    EXPECT_TRUE(HasPictureFileName(name)) << std::string(name.begin(), name.end());
  }
  for (const std::u16string name : {u"a.jpeg", u"a.tiff", u"a.txt", u"", u"mp", u"a.bmp ",
                                    u"a.psd", u"a.xpm", u"a.bm"}) {
    EXPECT_FALSE(HasPictureFileName(name)) << std::string(name.begin(), name.end());
  }
}

}  // namespace
}  // namespace quillon
