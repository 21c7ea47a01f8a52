// The header-only sizes, the JPEG decode at a reduced scale, photos turned upright, bad files,
// and the worker that abandons a decode for the next file.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "preview/decode_worker.h"
#include "preview/image/jpeg_decoder.h"
#include "preview/thumbnail_decode.h"
#include "tests/image/test_pictures.h"

namespace quillon {
namespace {

using test::Bytes;

std::string Sample(const char* name) { return std::string(QUILLON_IMAGE_SAMPLES) + "/" + name; }

// A JPEG's first segments: an Exif block with `exif` after "Exif\0\0", then a frame header.
Bytes JpegWith(const Bytes& exif, std::uint16_t width, std::uint16_t height) {
  const std::size_t length = exif.size() + 8;
  Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xE1, static_cast<std::uint8_t>(length >> 8),
                static_cast<std::uint8_t>(length), 'E', 'x', 'i', 'f', 0, 0};
  for (const std::uint8_t byte : exif) jpeg.push_back(byte);
  const Bytes frame = {0xFF, 0xC0, 0, 11, 8, static_cast<std::uint8_t>(height >> 8),
                       static_cast<std::uint8_t>(height), static_cast<std::uint8_t>(width >> 8),
                       static_cast<std::uint8_t>(width), 1, 1, 0x11, 0};
  for (const std::uint8_t byte : frame) jpeg.push_back(byte);
  return jpeg;
}

// A little-endian TIFF block whose first directory holds one SHORT entry.
Bytes TiffWith(std::uint16_t tag, std::uint16_t value, std::uint32_t directory = 8) {
  return {'I', 'I', 42, 0, static_cast<std::uint8_t>(directory), 0, 0, 0, 1, 0,
          static_cast<std::uint8_t>(tag), static_cast<std::uint8_t>(tag >> 8), 3, 0, 1, 0, 0, 0,
          static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8), 0, 0, 0, 0, 0, 0};
}

TEST(PictureHeader, SizesComeFromTheHeaderOfEachFormat) {
  Bytes tga(19, 0);
  tga[12] = 0x20, tga[13] = 0x03, tga[14] = 0x58, tga[15] = 0x02;  // 800 × 600
  Bytes tiff = TiffWith(256, 640);
  tiff[8] = 2;  // a second entry: the height
  tiff.insert(tiff.begin() + 22, {1, 1, 3, 0, 1, 0, 0, 0, 0xE0, 1, 0, 0});
  test::BmpLayout bmp = test::BmpOf(33, 17, 24);
  bmp.rows.assign(17, Bytes(99));
  struct Case {
    ImageType type;
    Bytes bytes;
    std::int32_t width, height;
  };
  const Case cases[] = {
      {ImageType::Jpg, JpegWith(TiffWith(0x0112, 1), 4000, 3000), 4000, 3000},
      {ImageType::Png, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                        0, 0, 0x0F, 0xA0, 0, 0, 0x0B, 0xB8}, 4000, 3000},
      {ImageType::Gif, {'G', 'I', 'F', '8', '9', 'a', 0xD0, 0x07, 0xD0, 0x07}, 2000, 2000},
      {ImageType::Bmp, test::MakeBmp(bmp), 33, 17},
      {ImageType::Tga, tga, 800, 600},
      {ImageType::Tif, tiff, 640, 480},
      {ImageType::Ico, {0, 0, 1, 0, 1, 0, 0, 48}, 256, 48},
  };
  for (const Case& c : cases) {
    const auto header = ReadPictureHeader(c.type, c.bytes.data(), c.bytes.size());
    ASSERT_TRUE(header) << static_cast<int>(c.type);
    EXPECT_EQ(header->width, c.width) << static_cast<int>(c.type);
    EXPECT_EQ(header->height, c.height) << static_cast<int>(c.type);
  }
}

TEST(PictureHeader, BadHeadersGiveNoSizeAndBadOrientationsGiveNone) {
  const Bytes sideways = JpegWith(TiffWith(0x0112, 6), 40, 20);
  Bytes truncated = sideways;
  truncated.resize(truncated.size() - 8);  // the frame header cut
  Bytes lyingLength = sideways;
  lyingLength[5] = 0xFF;  // the Exif block claims to run past the end
  Bytes zeroWidth = JpegWith(TiffWith(0x0112, 1), 0, 20);
  for (const Bytes& bad : {truncated, lyingLength, zeroWidth, Bytes{0xFF, 0xD8, 0xFF, 0xDA}}) {
    EXPECT_FALSE(ReadPictureHeader(ImageType::Jpg, bad.data(), bad.size()));
  }
  struct Case {
    Bytes exif;
    int orientation;
  };
  const Case cases[] = {
      {TiffWith(0x0112, 6), 6}, {TiffWith(0x0112, 8), 8}, {TiffWith(0x0112, 9), 1},
      {TiffWith(0x0112, 0), 1}, {TiffWith(0x0112, 6, 0xFFFFFFF0), 1},  // directory outside
      {TiffWith(0x0110, 6), 1}, {Bytes{'I', 'I', 42}, 1},
  };
  for (const Case& c : cases) {
    const Bytes jpeg = JpegWith(c.exif, 40, 20);
    const auto header = ReadPictureHeader(ImageType::Jpg, jpeg.data(), jpeg.size());
    ASSERT_TRUE(header);
    EXPECT_EQ(header->orientation, c.orientation);
  }
}

TEST(JpegDecode, ScalesToTheSmallestDctScaleNotBelowTheBox) {
  EXPECT_EQ(JpegScaleFor(4000, 3000, 224, 168), 8);  // 500 × 375
  EXPECT_EQ(JpegScaleFor(1000, 750, 224, 168), 4);   // 250 × 188
  EXPECT_EQ(JpegScaleFor(460, 336, 230, 168), 2);
  EXPECT_EQ(JpegScaleFor(300, 200, 230, 153), 1);
  EXPECT_EQ(JpegScaleFor(1841, 1000, 230, 125), 8);  // 231 rounded up
}

TEST(JpegDecode, PhotosStoredSidewaysAreTurnedUpright) {
  // Stored: left half red, right half blue. 6 turns clockwise (red on top), 8 the other way.
  for (const auto& [name, top] : {std::pair{"turned6.jpg", 0xFF0000u}, {"turned8.jpg", 0x0000FFu}}) {
    const Thumbnail thumbnail = DecodeThumbnail(Sample(name), {});
    ASSERT_TRUE(thumbnail.picture) << name;
    EXPECT_EQ(thumbnail.width, 20);
    EXPECT_EQ(thumbnail.height, 40);
    EXPECT_EQ(thumbnail.picture->Width(), 20);
    EXPECT_EQ(thumbnail.picture->Height(), 40);
    const std::uint32_t seen = test::PixelColour(*thumbnail.picture, 10, 5);
    const std::uint32_t below = test::PixelColour(*thumbnail.picture, 10, 34);
    EXPECT_GT(seen & top, (top == 0xFF0000u ? 0xE00000u : 0xE0u)) << name << std::hex << seen;
    EXPECT_EQ(seen & ~top & 0xC0C0C0u, 0u) << name << std::hex << seen;
    EXPECT_EQ(below & top & 0xC0C0C0u, 0u) << name << std::hex << below;
  }
}

TEST(JpegDecode, UnusualAndDamagedFilesEndInAPictureOrNone) {
  struct Case {
    const char* name;
    bool picture;
  };
  for (const Case& c : {Case{"progressive.jpg", true}, {"cmyk.jpg", true}, {"grey.jpg", true},
                        {"truncated.jpg", true}, {"broken.png", false}, {"empty.jpg", false},
                        {"missing.jpg", false}}) {
    const Thumbnail thumbnail = DecodeThumbnail(Sample(c.name), {});
    EXPECT_EQ(thumbnail.picture != nullptr, c.picture) << c.name;
  }
  const Thumbnail cmyk = DecodeThumbnail(Sample("cmyk.jpg"), {});
  ASSERT_TRUE(cmyk.picture);
  EXPECT_GT(test::PixelColour(*cmyk.picture, 5, 5) >> 16, 0xE0u);  // red, not its inverse
  // A frame header that lies about the size: the data does not fill it, and nothing breaks.
  Bytes lying = JpegWith(TiffWith(0x0112, 1), 60000, 60000);
  const auto picture = DecodeJpegScaled(lying.data(), lying.size(), 230, 168, JpegPreviewLimits());
  EXPECT_FALSE(picture);
  // An abandoned decode stops with no picture.
  EXPECT_FALSE(DecodeThumbnail(Sample("progressive.jpg"), [] { return true; }).picture);
}

TEST(DecodeWorker, AbandonsTheDecodeOfTheOldFileForTheNext) {
  std::atomic<int> ready{0};
  std::atomic<bool> firstStarted{false};
  DecodeWorker worker(
      [&](const std::string& path, const std::function<bool()>& abandoned) {
        Thumbnail thumbnail;
        if (path == "slow") {
          firstStarted = true;
          while (!abandoned()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
          return thumbnail;  // stopped half-way: nothing
        }
        thumbnail.picture = std::make_shared<FCObjImage>();
        return thumbnail;
      },
      [&] { ++ready; });
  const std::uint64_t slow = worker.Request(ThumbnailKey{u"slow"}, "slow");
  while (!firstStarted) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  const std::uint64_t next = worker.Request(ThumbnailKey{u"next"}, "next");
  EXPECT_NE(slow, next);
  for (int i = 0; i < 2000 && ready == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  const auto results = worker.TakeResults();
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].ticket, next);
  EXPECT_EQ(results[0].key.path, u"next");
}

}  // namespace
}  // namespace quillon
