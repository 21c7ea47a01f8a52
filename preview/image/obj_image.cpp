#include "preview/image/obj_image.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace quillon {
namespace {

bool IsSupportedDepth(std::uint16_t bitsPerPixel) {
  switch (bitsPerPixel) {
    case 1: case 4: case 8: case 16: case 24: case 32:
      return true;
    default:
      return false;
  }
}

}  // namespace

BitmapInfoHeader MakeBitmapHeader(std::int32_t width, std::int32_t height,
                                  std::uint16_t bitsPerPixel, std::uint32_t compression) {
  BitmapInfoHeader header;
  header.size = sizeof(BitmapInfoHeader);
  header.width = width;
  header.height = height;
  header.planes = 1;
  header.bitCount = bitsPerPixel;
  header.compression = compression;
  return header;
}

bool FCObjImage::Create(const BitmapInfoHeader& source, const ChannelMasks& masks) {
  if (source.width <= 0 || source.height <= 0) return false;
  if (source.compression != kCompressionPlain && source.compression != kCompressionBitFields) {
    return false;
  }
  if (!IsSupportedDepth(source.bitCount)) return false;

  const auto width = static_cast<std::uint32_t>(source.width);
  const auto height = static_cast<std::uint32_t>(source.height);
  const std::uint64_t stride = RowStride(width, source.bitCount);
  const std::uint64_t blockBytes = stride * height;
  if (blockBytes + std::uint64_t{height} * sizeof(std::uint8_t*) > kMaxPictureBytes) return false;

  PCL_array<std::uint8_t> pixels;
  PCL_array<std::uint8_t*> rows;
  PCL_array<PaletteEntry> palette;
  if (!pixels.Allocate(static_cast<std::size_t>(blockBytes)) || !rows.Allocate(height)) {
    return false;
  }
  if (source.bitCount <= 8) {
    const std::size_t entries = std::size_t{1} << source.bitCount;
    if (!palette.Allocate(entries)) return false;
    const auto step = static_cast<std::uint8_t>(255 / (entries - 1));
    for (std::size_t i = 0; i < entries; ++i) {
      const auto grey = static_cast<std::uint8_t>(i * step);
      palette[i] = PaletteEntry{grey, grey, grey, 0};
    }
  }
  for (std::uint32_t y = 0; y < height; ++y) {
    rows[y] = pixels.get() + static_cast<std::size_t>((height - 1 - y) * stride);
  }

  const bool bitFields = source.bitCount == 16 && source.compression == kCompressionBitFields;
  BitmapInfoHeader header = MakeBitmapHeader(source.width, source.height, source.bitCount,
                                             bitFields ? kCompressionBitFields : kCompressionPlain);
  header.xPelsPerMeter = source.xPelsPerMeter;
  header.yPelsPerMeter = source.yPelsPerMeter;
  header_ = header;
  masks_ = bitFields ? masks : kMasks555;
  stride_ = static_cast<std::size_t>(stride);
  pixels_ = std::move(pixels);
  rows_ = std::move(rows);
  palette_ = std::move(palette);
  return true;
}

void FCObjImage::Clear() {
  pixels_.Free();
  rows_.Free();
  palette_.Free();
  header_ = BitmapInfoHeader{};
  masks_ = ChannelMasks{};
  stride_ = 0;
}

void FCObjImage::SetPalette(const PaletteEntry* entries, std::size_t count) {
  if (IsEmpty() || palette_.empty() || entries == nullptr) return;
  std::copy_n(entries, std::min(count, palette_.size()), palette_.get());
}

bool FCObjImage::CopyFrom(const FCObjImage& source) {
  if (&source == this || source.IsEmpty()) return false;
  if (!Create(source.header_, source.masks_)) return false;
  std::memcpy(pixels_.get(), source.pixels_.get(), pixels_.size());
  SetPalette(source.palette_.get(), source.palette_.size());
  x = source.x;
  y = source.y;
  return true;
}

void FCObjImage::TakeFrom(FCObjImage& source) {
  if (&source == this) return;
  header_ = std::exchange(source.header_, BitmapInfoHeader{});
  masks_ = std::exchange(source.masks_, ChannelMasks{});
  stride_ = std::exchange(source.stride_, 0);
  pixels_ = std::move(source.pixels_);
  rows_ = std::move(source.rows_);  // its addresses point into the block moved with it
  palette_ = std::move(source.palette_);
  x = source.x;
  y = source.y;
}

bool HasPictureFileName(std::u16string_view fileName) {
  std::u16string upper(fileName.substr(fileName.size() - std::min<std::size_t>(3, fileName.size())));
  for (char16_t& c : upper) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  for (std::u16string_view known : {u"BMP", u"GIF", u"JPG", u"PNG", u"TIF", u"ICO", u"TGA", u"PCX"}) {
    if (upper == known) return true;
  }
  return false;
}

}  // namespace quillon
