#include "preview/thumbnail_cache.h"

#include <gtest/gtest.h>

#include "tests/image/test_pictures.h"

namespace quillon {
namespace {

using test::PixelColour;

// A picture whose every pixel tells where it came from: red = x, green = y.
std::unique_ptr<FCObjImage> Gradient(std::int32_t width, std::int32_t height) {
  auto picture = std::make_unique<FCObjImage>();
  EXPECT_TRUE(picture->Create(MakeBitmapHeader(width, height, 24)));
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      std::uint8_t* pixel = picture->Row(y) + x * 3;
      pixel[0] = 0;
      pixel[1] = static_cast<std::uint8_t>(y);
      pixel[2] = static_cast<std::uint8_t>(x);
    }
  }
  return picture;
}

TEST(ReducePicture, TakesTheNearestSourcePixel) {
  const auto source = Gradient(200, 100);
  const auto reduced = ReducePicture(*source, 50, 25);
  ASSERT_TRUE(reduced);
  EXPECT_EQ(reduced->Width(), 50);
  EXPECT_EQ(reduced->Height(), 25);
  EXPECT_EQ(PixelColour(*reduced, 0, 0), 0x000000u);
  EXPECT_EQ(PixelColour(*reduced, 1, 1), 0x040400u);    // x 4, y 4
  EXPECT_EQ(PixelColour(*reduced, 49, 24), 0xC46000u);  // x 196, y 96
  EXPECT_FALSE(ReducePicture(*source, 0, 10));
  EXPECT_FALSE(ReducePicture(FCObjImage{}, 10, 10));
}

TEST(ReducePicture, KeepsPackedIndicesAndThePalette) {
  for (const std::uint16_t bits : {1, 4}) {
    SCOPED_TRACE(bits);
    FCObjImage source;
    ASSERT_TRUE(source.Create(MakeBitmapHeader(16, 2, bits)));
    const std::vector<PaletteEntry> palette(16, PaletteEntry{1, 2, 3, 0});
    std::vector<PaletteEntry> colours = palette;
    colours[1] = PaletteEntry{0xFF, 0, 0, 0};
    source.SetPalette(colours.data(), colours.size());
    // Every second pixel of the top row has index 1.
    for (std::int32_t x = 1; x < 16; x += 2) {
      const int perByte = 8 / bits;
      const int shift = (perByte - 1 - x % perByte) * bits;
      source.Row(0)[x / perByte] |= static_cast<std::uint8_t>(1 << shift);
    }
    // Taking pixels 0, 2, 4... keeps index 0; a width of 16 keeps every pixel.
    const auto halved = ReducePicture(source, 8, 1);
    ASSERT_TRUE(halved);
    EXPECT_EQ(halved->BitsPerPixel(), bits);
    EXPECT_EQ(PixelColour(*halved, 3, 0), PixelColour(source, 0, 0));
    const auto same = ReducePicture(source, 16, 1);
    ASSERT_TRUE(same);
    EXPECT_EQ(PixelColour(*same, 5, 0), 0x0000FFu);
    EXPECT_EQ(PixelColour(*same, 6, 0), PixelColour(source, 0, 0));
  }
}

TEST(MakeThumbnail, KeepsTheFilesSizeAndReducesToTheFittedSize) {
  const Thumbnail large = MakeThumbnail(Gradient(460, 200));
  EXPECT_EQ(large.width, 460);
  EXPECT_EQ(large.height, 200);
  ASSERT_TRUE(large.picture);
  EXPECT_EQ(large.picture->Width(), 230);
  EXPECT_EQ(large.picture->Height(), 100);

  const Thumbnail small = MakeThumbnail(Gradient(100, 50));
  ASSERT_TRUE(small.picture);
  EXPECT_EQ(small.picture->Width(), 100);

  const Thumbnail none = MakeThumbnail(std::make_unique<FCObjImage>());
  EXPECT_FALSE(none.picture);
  EXPECT_EQ(none.width, 0);
}

TEST(ThumbnailCache, KeepsTheMostRecentWithinItsBudgetAndKnowsAFileByItsIdentity) {
  // Room for two pictures of at most the minimum an entry counts.
  ThumbnailCache cache(2 * kThumbnailEntryMinimumBytes);
  const ThumbnailKey a{u"C:\\a.png", 10, 100, 5, 6, 7};
  const ThumbnailKey b{u"C:\\b.png", 10, 100};
  const ThumbnailKey c{u"C:\\c.png", 10, 100};
  cache.Put(a, MakeThumbnail(Gradient(4, 4)));
  cache.Put(b, MakeThumbnail(Gradient(5, 5)));
  ASSERT_TRUE(cache.Find(a));  // a becomes the most recent: b goes first
  cache.Put(c, MakeThumbnail(Gradient(6, 6)));
  EXPECT_EQ(cache.Size(), 2u);
  EXPECT_FALSE(cache.Find(b));
  ASSERT_TRUE(cache.Find(a));
  EXPECT_EQ(cache.Find(a)->width, 4);

  // The same path changed or replaced on disk is another file.
  for (const ThumbnailKey& other : {ThumbnailKey{u"C:\\a.png", 11, 100, 5, 6, 7},
                                    ThumbnailKey{u"C:\\a.png", 10, 101, 5, 6, 7},
                                    ThumbnailKey{u"C:\\a.png", 10, 100, 9, 6, 7},
                                    ThumbnailKey{u"C:\\a.png", 10, 100, 5, 9, 7},
                                    ThumbnailKey{u"C:\\a.png", 10, 100, 5, 6, 9}}) {
    EXPECT_FALSE(cache.Find(other));
  }
  // Putting a key again replaces its thumbnail.
  cache.Put(a, MakeThumbnail(Gradient(7, 7)));
  EXPECT_EQ(cache.Find(a)->width, 7);
  EXPECT_EQ(cache.Size(), 2u);

  // A thumbnail larger than the whole budget is still kept, alone.
  cache.Put(b, MakeThumbnail(Gradient(200, 100)));
  EXPECT_EQ(cache.Size(), 1u);
  EXPECT_TRUE(cache.Find(b));
  EXPECT_GT(cache.Bytes(), 2 * kThumbnailEntryMinimumBytes);
}

}  // namespace
}  // namespace quillon
