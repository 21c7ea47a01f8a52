// Drawing pictures into a memory device context under Wine, checked pixel by pixel.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>

#include "framework/gdi.h"
#include "preview/image/obj_image.h"

namespace quillon {
namespace {

constexpr COLORREF kBackground = RGB(0x12, 0x34, 0x56);

// A 32-bit top-down surface of `width` × `height` pixels filled with kBackground.
class Surface {
 public:
  Surface(int width, int height) : dc_(nullptr), width_(width) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<const std::uint32_t*>(bits);
    selected_.emplace(dc_, bitmap_.Get());
    GdiObject<HBRUSH> brush(CreateSolidBrush(kBackground));
    const RECT all{0, 0, width, height};
    FillRect(dc_, &all, brush);
  }
  HDC dc() const { return dc_; }
  // The colour at (x, y) as 0xRRGGBB.
  std::uint32_t At(int x, int y) const {
    GdiFlush();
    return bits_[y * width_ + x] & 0xFFFFFF;
  }

 private:
  MemoryDC dc_;
  GdiObject<HBITMAP> bitmap_;
  std::optional<SelectObjectScope> selected_;
  const std::uint32_t* bits_ = nullptr;
  int width_;
};

constexpr std::uint32_t kBackgroundRgb = 0x123456;

// A 2 × 2 24-bit picture: red, green above blue, white.
void MakeSquare(FCObjImage& picture) {
  ASSERT_TRUE(picture.Create(MakeBitmapHeader(2, 2, 24)));
  const std::uint8_t top[] = {0, 0, 255, 0, 255, 0};
  const std::uint8_t bottom[] = {255, 0, 0, 255, 255, 255};
  std::memcpy(picture.Row(0), top, sizeof top);
  std::memcpy(picture.Row(1), bottom, sizeof bottom);
}

TEST(Draw, StretchesTheWholePictureIntoTheDestination) {
  FCObjImage picture;
  MakeSquare(picture);
  Surface surface(10, 10);
  picture.Draw(surface.dc(), ImageRect{2, 3, 6, 7});
  EXPECT_EQ(surface.At(2, 3), 0xFF0000u);
  EXPECT_EQ(surface.At(3, 4), 0xFF0000u);
  EXPECT_EQ(surface.At(4, 3), 0x00FF00u);
  EXPECT_EQ(surface.At(5, 4), 0x00FF00u);
  EXPECT_EQ(surface.At(2, 5), 0x0000FFu);
  EXPECT_EQ(surface.At(5, 6), 0xFFFFFFu);
  // Nothing outside the destination.
  EXPECT_EQ(surface.At(1, 3), kBackgroundRgb);
  EXPECT_EQ(surface.At(6, 3), kBackgroundRgb);
  EXPECT_EQ(surface.At(2, 2), kBackgroundRgb);
  EXPECT_EQ(surface.At(2, 7), kBackgroundRgb);
}

TEST(Draw, ReducingDeletesPixelsWithoutBlending) {
  // 8 columns alternating red and blue reduced to 4 pixels: every pixel stays pure.
  FCObjImage picture;
  ASSERT_TRUE(picture.Create(MakeBitmapHeader(8, 1, 24)));
  for (int x = 0; x < 8; ++x) picture.Row(0)[x * 3 + (x % 2 == 0 ? 2 : 0)] = 255;
  Surface surface(4, 1);
  SetStretchBltMode(surface.dc(), HALFTONE);
  picture.Draw(surface.dc(), ImageRect{0, 0, 4, 1});
  for (int x = 0; x < 4; ++x) {
    const std::uint32_t colour = surface.At(x, 0);
    EXPECT_TRUE(colour == 0xFF0000u || colour == 0x0000FFu) << std::hex << colour;
  }
  EXPECT_EQ(GetStretchBltMode(surface.dc()), HALFTONE) << "the caller's mode is restored";
}

TEST(Draw, IndexedPicturesUseTheirPalette) {
  FCObjImage picture;
  ASSERT_TRUE(picture.Create(MakeBitmapHeader(2, 1, 8)));
  const PaletteEntry colours[] = {{0x10, 0x20, 0x30, 0}, {0x40, 0x50, 0x60, 0}};
  picture.SetPalette(colours, 2);
  picture.Row(0)[0] = 1;
  Surface surface(2, 1);
  picture.Draw(surface.dc(), ImageRect{0, 0, 2, 1});
  EXPECT_EQ(surface.At(0, 0), 0x605040u);
  EXPECT_EQ(surface.At(1, 0), 0x302010u);

  FCObjImage bilevel;
  ASSERT_TRUE(bilevel.Create(MakeBitmapHeader(3, 1, 1)));
  bilevel.Row(0)[0] = 0b01000000;
  Surface small(3, 1);
  bilevel.Draw(small.dc(), ImageRect{0, 0, 3, 1});
  EXPECT_EQ(small.At(0, 0), 0x000000u);
  EXPECT_EQ(small.At(1, 0), 0xFFFFFFu);  // the grey ramp's white
}

TEST(Draw, SixteenBitPicturesUseTheirMasks) {
  FCObjImage picture;
  ASSERT_TRUE(picture.Create(MakeBitmapHeader(2, 1, 16, 3), kMasks565));
  const std::uint8_t row[] = {0x00, 0xF8, 0xE0, 0x07};  // red, green in 5-6-5
  std::memcpy(picture.Row(0), row, sizeof row);
  Surface surface(2, 1);
  picture.Draw(surface.dc(), ImageRect{0, 0, 2, 1});
  EXPECT_EQ(surface.At(0, 0), 0xFF0000u);
  EXPECT_EQ(surface.At(1, 0), 0x00FF00u);

  FCObjImage plain;
  ASSERT_TRUE(plain.Create(MakeBitmapHeader(1, 1, 16)));
  plain.Row(0)[1] = 0x7C;  // red in 5-5-5
  Surface one(1, 1);
  plain.Draw(one.dc(), ImageRect{0, 0, 1, 1});
  EXPECT_EQ(one.At(0, 0), 0xFF0000u);
}

TEST(Draw, AlphaIsIgnoredAndPixelsAreOpaque) {
  FCObjImage picture;
  ASSERT_TRUE(picture.Create(MakeBitmapHeader(1, 1, 32)));
  const std::uint8_t pixel[] = {0xFF, 0x00, 0x00, 0x00};  // blue with alpha 0
  std::memcpy(picture.Row(0), pixel, sizeof pixel);
  Surface surface(1, 1);
  picture.Draw(surface.dc(), ImageRect{0, 0, 1, 1});
  EXPECT_EQ(surface.At(0, 0), 0x0000FFu);
}

TEST(Draw, AnEmptyPictureDrawsNothing) {
  FCObjImage empty;
  Surface surface(4, 4);
  empty.Draw(surface.dc(), ImageRect{0, 0, 4, 4});
  EXPECT_EQ(surface.At(0, 0), kBackgroundRgb);
  EXPECT_EQ(surface.At(3, 3), kBackgroundRgb);
}

}  // namespace
}  // namespace quillon
