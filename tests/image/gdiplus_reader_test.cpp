// The platform imaging library's reader under Wine, on files ImageMagick made at build time.
#include "preview/image/gdiplus_reader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "catalogue/tables.h"
#include "base/text_convert.h"
#include "preview/image/image_factory.h"
#include "preview/image/platform_path.h"
#include "tests/catalogue/catalogue_fixture.h"
#include "tests/image/test_pictures.h"

namespace quillon {
namespace {

namespace gp = Gdiplus::DllExports;

std::string Sample(const char* name) { return std::string(QUILLON_IMAGE_SAMPLES) + "/" + name; }

// Every frame the reader appends for the sample.
struct Decoded {
  bool loaded = false;
  ImageFrames frames;
};

std::unique_ptr<Decoded> ReadSample(const char* name) {
  auto decoded = std::make_unique<Decoded>();
  FCImageHandle_Gdiplus reader;
  decoded->loaded = reader.LoadFile(Sample(name), decoded->frames);
  return decoded;
}

bool Near(std::uint32_t colour, std::uint32_t expected, int tolerance) {
  for (int shift : {0, 8, 16}) {
    const int a = static_cast<int>((colour >> shift) & 0xFF);
    const int b = static_cast<int>((expected >> shift) & 0xFF);
    if (std::abs(a - b) > tolerance) return false;
  }
  return true;
}

TEST(GdiplusReader, PngRowsArriveInTheirOwnFormat) {
  auto decoded = ReadSample("colours.png");
  ASSERT_TRUE(decoded->loaded);
  ASSERT_EQ(decoded->frames.PCL_GetObjectCount(), 1);
  const FCObjImage& picture = *decoded->frames.PCL_GetObject(0);
  EXPECT_EQ(picture.Width(), 3);
  EXPECT_EQ(picture.Height(), 2);
  EXPECT_EQ(picture.BitsPerPixel(), 24);
  EXPECT_EQ(test::PixelColour(picture, 0, 0), 0xFF0000u);
  EXPECT_EQ(test::PixelColour(picture, 1, 0), 0x00FF00u);
  EXPECT_EQ(test::PixelColour(picture, 2, 0), 0x0000FFu);
  EXPECT_EQ(test::PixelColour(picture, 0, 1), 0xFFFFFFu);
  EXPECT_EQ(test::PixelColour(picture, 1, 1), 0x000000u);
  EXPECT_EQ(test::PixelColour(picture, 2, 1), 0x808040u);
}

TEST(GdiplusReader, PngWithAlphaKeepsItsAlpha) {
  auto decoded = ReadSample("alpha.png");
  ASSERT_TRUE(decoded->loaded);
  const FCObjImage& picture = *decoded->frames.PCL_GetObject(0);
  EXPECT_EQ(picture.BitsPerPixel(), 32);
  EXPECT_EQ(test::PixelColour(picture, 3, 2), 0x0000FFu);
  EXPECT_NEAR(picture.Row(2)[3 * 4 + 3], 128, 1);
}

TEST(GdiplusReader, JpegDecodesToItsColours) {
  auto decoded = ReadSample("photo.jpg");
  ASSERT_TRUE(decoded->loaded);
  const FCObjImage& picture = *decoded->frames.PCL_GetObject(0);
  EXPECT_EQ(picture.Width(), 40);
  EXPECT_EQ(picture.Height(), 10);
  EXPECT_EQ(picture.BitsPerPixel(), 24);
  EXPECT_TRUE(Near(test::PixelColour(picture, 4, 5), 0xFF0000, 24));
  EXPECT_TRUE(Near(test::PixelColour(picture, 35, 5), 0x0000FF, 24));
}

TEST(GdiplusReader, AnimationsAndPagesGiveTheirFirstFrameOnly) {
  struct Case {
    const char* name;
    std::int32_t width, height;
    std::uint32_t colour;
  };
  for (const Case& c : {Case{"anim.gif", 8, 6, 0xFF0000}, Case{"pages.tif", 10, 8, 0x00FF00}}) {
    auto decoded = ReadSample(c.name);
    ASSERT_TRUE(decoded->loaded) << c.name;
    ASSERT_EQ(decoded->frames.PCL_GetObjectCount(), 1) << c.name;
    const FCObjImage& first = *decoded->frames.PCL_GetObject(0);
    EXPECT_EQ(first.Width(), c.width);
    EXPECT_EQ(first.Height(), c.height);
    EXPECT_EQ(test::PixelColour(first, c.width - 1, c.height - 1), c.colour) << c.name;
  }
}

TEST(GdiplusReader, IconDecodes) {
  auto decoded = ReadSample("icon.ico");
  ASSERT_TRUE(decoded->loaded);
  const FCObjImage& picture = *decoded->frames.PCL_GetObject(0);
  EXPECT_EQ(picture.Width(), 16);
  EXPECT_EQ(picture.Height(), 16);
  EXPECT_EQ(test::PixelColour(picture, 8, 8), 0x0000FFu);
}

TEST(GdiplusReader, IndexedFilesBringRowsAndPalette) {
  auto bilevel = ReadSample("bilevel.tif");
  ASSERT_TRUE(bilevel->loaded);
  const FCObjImage& checks = *bilevel->frames.PCL_GetObject(0);
  EXPECT_EQ(checks.Width(), 9);
  for (int x = 0; x < 9; ++x) {
    EXPECT_EQ(test::PixelColour(checks, x, 0), x % 2 == 0 ? 0u : 0xFFFFFFu) << x;
    EXPECT_EQ(test::PixelColour(checks, x, 1), x % 2 == 0 ? 0xFFFFFFu : 0u) << x;
  }

  auto indexed = ReadSample("indexed4.png");
  ASSERT_TRUE(indexed->loaded);
  const FCObjImage& picture = *indexed->frames.PCL_GetObject(0);
  EXPECT_LE(picture.BitsPerPixel(), 8);
  EXPECT_EQ(test::PixelColour(picture, 0, 0), 0xFF0000u);
  EXPECT_EQ(test::PixelColour(picture, 2, 0), 0x0000FFu);
  EXPECT_EQ(test::PixelColour(picture, 2, 1), 0x808040u);
}

TEST(GdiplusReader, FilesItCannotDecodeGiveNothing) {
  for (const char* name : {"broken.png", "empty.jpg", "missing.png"}) {
    auto decoded = ReadSample(name);
    EXPECT_FALSE(decoded->loaded) << name;
    EXPECT_EQ(decoded->frames.PCL_GetObjectCount(), 0) << name;
  }
}

TEST(GdiplusReader, LoadMemoryDecodesAFileHeldInMemory) {
  std::FILE* file = std::fopen(Sample("colours.png").c_str(), "rb");
  ASSERT_NE(file, nullptr);
  std::vector<std::uint8_t> bytes(4096);
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
  std::fclose(file);
  FCImageHandle_Gdiplus reader;
  ImageFrames frames;
  ASSERT_TRUE(reader.LoadMemory(bytes.data(), bytes.size(), frames));
  EXPECT_EQ(test::PixelColour(*frames.PCL_GetObject(0), 2, 1), 0x808040u);
  ImageFrames none;
  EXPECT_FALSE(reader.LoadMemory(bytes.data(), 10, none));
  EXPECT_FALSE(reader.LoadMemory(nullptr, 0, none));
  EXPECT_EQ(none.PCL_GetObjectCount(), 0);
}

TEST(PixelFormatTable, MapsTheFormatsThePictureHolds) {
  struct Case { Gdiplus::PixelFormat format; std::uint16_t bits; std::uint32_t compression; ChannelMasks masks; };
  for (const Case& c : {Case{PixelFormat16bppRGB555, 16, 3, kMasks555},
                        Case{PixelFormat16bppARGB1555, 16, 3, kMasks555},
                        Case{PixelFormat16bppRGB565, 16, 3, kMasks565},
                        Case{PixelFormat24bppRGB, 24, 0, kMasks555},
                        Case{PixelFormat32bppRGB, 32, 0, kMasks555},
                        Case{PixelFormat32bppARGB, 32, 0, kMasks555},
                        Case{PixelFormat32bppPARGB, 32, 0, kMasks555},
                        Case{PixelFormat1bppIndexed, 1, 0, kMasks555},
                        Case{PixelFormat4bppIndexed, 4, 0, kMasks555},
                        Case{PixelFormat8bppIndexed, 8, 0, kMasks555}}) {
    const auto layout = LayoutForPixelFormat(c.format);
    ASSERT_TRUE(layout.has_value()) << std::hex << c.format;
    EXPECT_EQ(layout->bitsPerPixel, c.bits);
    EXPECT_EQ(layout->compression, c.compression);
    EXPECT_EQ(layout->masks, c.masks);
  }
  for (Gdiplus::PixelFormat skipped : {PixelFormat16bppGrayScale, PixelFormat48bppRGB,
                                       PixelFormat64bppARGB, PixelFormat64bppPARGB,
                                       PixelFormatUndefined}) {
    EXPECT_FALSE(LayoutForPixelFormat(skipped).has_value()) << std::hex << skipped;
  }
}

// Bitmaps made in memory in one pixel format, to see each format through the reader.
class FormatBitmaps : public ::testing::Test {
 protected:
  using Bitmap = std::unique_ptr<Gdiplus::GpBitmap, decltype(&gp::GdipDisposeImage)>;

  Bitmap Make(Gdiplus::PixelFormat format, std::vector<std::uint8_t> rows, INT stride,
              INT width, INT height) {
    rows_.push_back(std::move(rows));
    Gdiplus::GpBitmap* bitmap = nullptr;
    EXPECT_EQ(gp::GdipCreateBitmapFromScan0(width, height, stride, format, rows_.back().data(), &bitmap),
              Gdiplus::Ok);
    return Bitmap(bitmap, &gp::GdipDisposeImage);
  }

  FCAutoInitGDIPlus library_;
  std::vector<std::vector<std::uint8_t>> rows_;
};

TEST_F(FormatBitmaps, SixteenBitFormatsKeepTheirMasks) {
  // Two pixels per format: red, then blue.
  Bitmap rgb565 = Make(PixelFormat16bppRGB565, {0x00, 0xF8, 0x1F, 0x00}, 4, 2, 1);
  ImageFrames frames;
  ASSERT_TRUE(AppendGdiplusFrames(rgb565.get(), frames));
  const FCObjImage& picture = *frames.PCL_GetObject(0);
  EXPECT_EQ(picture.Header().compression, 3u);
  EXPECT_EQ(picture.Masks(), kMasks565);
  EXPECT_EQ(test::PixelColour(picture, 0, 0), 0xFF0000u);
  EXPECT_EQ(test::PixelColour(picture, 1, 0), 0x0000FFu);

  Bitmap rgb555 = Make(PixelFormat16bppRGB555, {0x00, 0x7C, 0x1F, 0x00}, 4, 2, 1);
  ASSERT_TRUE(AppendGdiplusFrames(rgb555.get(), frames));
  EXPECT_EQ(frames.PCL_GetObject(1)->Masks(), kMasks555);
  EXPECT_EQ(test::PixelColour(*frames.PCL_GetObject(1), 0, 0), 0xFF0000u);
}

TEST_F(FormatBitmaps, ThirtyTwoBitRgbBecomesOpaque) {
  Bitmap rgb = Make(PixelFormat32bppRGB, {1, 2, 3, 0, 4, 5, 6, 0x10}, 8, 2, 1);
  ImageFrames frames;
  ASSERT_TRUE(AppendGdiplusFrames(rgb.get(), frames));
  const FCObjImage& picture = *frames.PCL_GetObject(0);
  EXPECT_EQ(picture.Row(0)[3], 0xFF);
  EXPECT_EQ(picture.Row(0)[7], 0xFF);
  EXPECT_EQ(test::PixelColour(picture, 1, 0), 0x060504u);

  Bitmap argb = Make(PixelFormat32bppARGB, {1, 2, 3, 0x40}, 4, 1, 1);
  ASSERT_TRUE(AppendGdiplusFrames(argb.get(), frames));
  EXPECT_EQ(frames.PCL_GetObject(1)->Row(0)[3], 0x40);
}

TEST_F(FormatBitmaps, IndexedFormatsBringTheirPalette) {
  Bitmap indexed = Make(PixelFormat8bppIndexed, {0, 1, 2, 0}, 4, 3, 1);
  std::vector<std::uint8_t> buffer(sizeof(Gdiplus::ColorPalette) + 2 * sizeof(Gdiplus::ARGB));
  auto* palette = reinterpret_cast<Gdiplus::ColorPalette*>(buffer.data());
  palette->Flags = 0;
  palette->Count = 3;
  palette->Entries[0] = 0xFF112233;
  palette->Entries[1] = 0xFF445566;
  palette->Entries[2] = 0xFF778899;
  ASSERT_EQ(gp::GdipSetImagePalette(indexed.get(), palette), Gdiplus::Ok);
  ImageFrames frames;
  ASSERT_TRUE(AppendGdiplusFrames(indexed.get(), frames));
  const FCObjImage& picture = *frames.PCL_GetObject(0);
  EXPECT_EQ(picture.BitsPerPixel(), 8);
  EXPECT_EQ(test::PixelColour(picture, 0, 0), 0x112233u);
  EXPECT_EQ(test::PixelColour(picture, 1, 0), 0x445566u);
  EXPECT_EQ(test::PixelColour(picture, 2, 0), 0x778899u);

  Bitmap bilevel = Make(PixelFormat1bppIndexed, {0b10100000, 0, 0, 0}, 4, 3, 1);
  ASSERT_TRUE(AppendGdiplusFrames(bilevel.get(), frames));
  const FCObjImage& one = *frames.PCL_GetObject(1);
  EXPECT_EQ(one.BitsPerPixel(), 1);
  EXPECT_EQ(one.Row(0)[0] & 0xE0, 0b10100000);
  EXPECT_EQ(test::PixelColour(one, 0, 0), 0xFFFFFFu);
  EXPECT_EQ(test::PixelColour(one, 1, 0), 0x000000u);
}

TEST_F(FormatBitmaps, FormatsThePictureCannotHoldAreSkipped) {
  Bitmap grey = Make(PixelFormat16bppGrayScale, std::vector<std::uint8_t>(8, 0x80), 8, 4, 1);
  Bitmap deep = Make(PixelFormat48bppRGB, std::vector<std::uint8_t>(24, 0x80), 24, 4, 1);
  Bitmap deeper = Make(PixelFormat64bppARGB, std::vector<std::uint8_t>(32, 0x80), 32, 4, 1);
  ImageFrames frames;
  for (Gdiplus::GpBitmap* bitmap : {grey.get(), deep.get(), deeper.get()}) {
    if (bitmap == nullptr) continue;  // a format the platform cannot make in memory
    EXPECT_FALSE(AppendGdiplusFrames(bitmap, frames));
  }
  EXPECT_EQ(frames.PCL_GetObjectCount(), 0);
}

// The pixel format the platform reports for a sample's first frame.
Gdiplus::PixelFormat PlatformFormatOf(const char* name) {
  FCAutoInitGDIPlus library;
  const std::string path = Sample(name);
  const std::wstring wide(path.begin(), path.end());
  Gdiplus::GpBitmap* bitmap = nullptr;
  Gdiplus::PixelFormat format = PixelFormatUndefined;
  if (gp::GdipCreateBitmapFromFile(wide.c_str(), &bitmap) == Gdiplus::Ok) {
    gp::GdipGetImagePixelFormat(bitmap, &format);
    gp::GdipDisposeImage(bitmap);
  }
  return format;
}

TEST(GdiplusFiles, SixteenBitChannelsLoadOnlyWhenThePlatformConvertsThem) {
  // Windows reports these as 48-bit or 16-bit grey frames, which are skipped; Wine hands them
  // over as 32-bit ARGB, which is kept. Either way the result follows the format table.
  struct Case { const char* name; std::uint32_t colour; };
  for (const Case c : {Case{"rgb48.png", 0x336699}, Case{"grey16.png", 0xFFFFFF}}) {
    const Gdiplus::PixelFormat format = PlatformFormatOf(c.name);
    ASSERT_NE(format, PixelFormatUndefined) << c.name;
    const auto layout = LayoutForPixelFormat(format);
    auto decoded = ReadSample(c.name);
    ASSERT_EQ(decoded->loaded, layout.has_value()) << c.name << std::hex << " format " << format;
    if (!layout) {
      EXPECT_EQ(decoded->frames.PCL_GetObjectCount(), 0) << c.name;
      continue;
    }
    const FCObjImage& picture = *decoded->frames.PCL_GetObject(0);
    EXPECT_EQ(picture.BitsPerPixel(), layout->bitsPerPixel) << c.name;
    EXPECT_EQ(test::PixelColour(picture, 3, 3), c.colour) << c.name;
  }
}

// Load and LoadForRecord through the process factory on Windows.
TEST(ProcessFactory, LoadsEveryPlatformTypeAndKeepsTheFirstFrame) {
  FCObjImage picture;
  ASSERT_TRUE(picture.Load(Sample("anim.gif")));
  EXPECT_EQ(test::PixelColour(picture, 0, 0), 0xFF0000u);
  ASSERT_TRUE(picture.Load(Sample("pages.tif")));
  EXPECT_EQ(picture.Width(), 10);
  for (const char* name : {"colours.png", "photo.jpg", "icon.ico", "colours.tif"}) {
    FCObjImage one;
    EXPECT_TRUE(one.Load(Sample(name))) << name;
    EXPECT_FALSE(one.IsEmpty()) << name;
  }
  EXPECT_FALSE(picture.Load(Sample("broken.png")));
  EXPECT_EQ(picture.Width(), 10) << "a failed load keeps the picture";
}

TEST(ProcessFactory, ChoosesReadersByExtension) {
  FCImageHandleFactory& factory = ProcessImageFactory();
  for (ImageType type : {ImageType::Jpg, ImageType::Gif, ImageType::Tif, ImageType::Png, ImageType::Ico}) {
    EXPECT_NE(dynamic_cast<FCImageHandle_Gdiplus*>(factory.CreateHandler(type).get()), nullptr);
  }
  EXPECT_NE(dynamic_cast<FCImageHandle_Bmp*>(factory.CreateHandler(ImageType::Bmp).get()), nullptr);
  EXPECT_NE(dynamic_cast<FCImageHandle_Tga*>(factory.CreateHandler(ImageType::Tga).get()), nullptr);
  for (ImageType type : {ImageType::Unknown, ImageType::Pcx, ImageType::Psd, ImageType::Xpm}) {
    EXPECT_EQ(factory.CreateHandler(type), nullptr);
  }
}

class RecordFiles : public ::testing::Test {
 protected:
  // The record for `name` in a fresh folder holding `bytes`, with Windows separators.
  FileRecord Put(const std::string& name, const test::Bytes& bytes) {
    EXPECT_TRUE(test::WriteFile(folder_.Path().string() + "\\" + name, bytes));
    FileRecord record;
    record.Path = FromUtf8(folder_.Path().string());
    record.FileName = FromUtf8(name);
    return record;
  }
  testing::TempFolder folder_;
};

test::Bytes SampleBytes(const char* name) {
  std::FILE* file = std::fopen(Sample(name).c_str(), "rb");
  test::Bytes bytes(1 << 16);
  bytes.resize(file ? std::fread(bytes.data(), 1, bytes.size(), file) : 0);
  if (file) std::fclose(file);
  return bytes;
}

TEST_F(RecordFiles, CatalogueRecordsOfEveryKindGetTheirPicture) {
  FCObjImage picture;
  EXPECT_TRUE(picture.LoadForRecord(Put("Holiday.JPG", SampleBytes("photo.jpg"))));
  EXPECT_EQ(picture.Width(), 40);
  EXPECT_TRUE(picture.LoadForRecord(Put("moving.Gif", SampleBytes("anim.gif"))));
  EXPECT_EQ(test::PixelColour(picture, 1, 1), 0xFF0000u);
  EXPECT_TRUE(picture.LoadForRecord(Put("scan.tif", SampleBytes("pages.tif"))));
  EXPECT_TRUE(picture.LoadForRecord(Put("logo.png", SampleBytes("colours.png"))));
  EXPECT_TRUE(picture.LoadForRecord(Put("app.ico", SampleBytes("icon.ico"))));
}

TEST_F(RecordFiles, NamesTheNameTestRefusesGetNone) {
  FCObjImage picture;
  ASSERT_TRUE(picture.LoadForRecord(Put("keep.png", SampleBytes("colours.png"))));
  EXPECT_FALSE(picture.LoadForRecord(Put("long.jpeg", SampleBytes("photo.jpg"))));
  EXPECT_TRUE(picture.IsEmpty());
  EXPECT_FALSE(picture.LoadForRecord(Put("long.tiff", SampleBytes("pages.tif"))));
  EXPECT_FALSE(picture.LoadForRecord(Put("empty.png", {})));
  EXPECT_TRUE(picture.IsEmpty());
}

TEST(NarrowPath, FitsTheBufferOfTheAnsiCodePage) {
  std::string narrow;
  ASSERT_TRUE(NarrowPathFor(u"C:\\" + std::u16string(252, u'a'), narrow));
  EXPECT_EQ(narrow, "C:\\" + std::string(252, 'a'));
  EXPECT_FALSE(NarrowPathFor(u"C:\\" + std::u16string(253, u'a'), narrow));
}

TEST_F(RecordFiles, NamesOutsideTheNarrowCodePageGetNone) {
  if (GetACP() == CP_UTF8) GTEST_SKIP() << "every name has a narrow form in UTF-8";
  std::string narrow;
  EXPECT_FALSE(NarrowPathFor(u"C:\\\u0F40.png", narrow));
  // The file exists, but its name has no form in the narrow code page the readers open with.
  FileRecord record = Put("x.png", SampleBytes("colours.png"));
  const std::u16string wideName = u"\u0F40\u0F41.png";
  const std::u16string widePath = record.Path + u"\\" + wideName;
  ASSERT_TRUE(CopyFileW(reinterpret_cast<const wchar_t*>((record.Path + u"\\x.png").c_str()),
                        reinterpret_cast<const wchar_t*>(widePath.c_str()), FALSE));
  record.FileName = wideName;
  FCObjImage picture;
  EXPECT_FALSE(picture.LoadForRecord(record));
  EXPECT_TRUE(picture.IsEmpty());
}

}  // namespace
}  // namespace quillon
