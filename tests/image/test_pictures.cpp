#include "tests/image/test_pictures.h"

#include <bit>
#include <cstdio>

namespace quillon::test {

void PutLe16(Bytes& bytes, std::size_t at, std::uint32_t value) {
  bytes[at] = static_cast<std::uint8_t>(value);
  bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutLe32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  PutLe16(bytes, at, value & 0xFFFF);
  PutLe16(bytes, at + 2, value >> 16);
}

BmpLayout BmpOf(std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel,
              std::uint32_t compression, ChannelMasks masks) {
  BmpLayout layout;
  layout.width = width;
  layout.height = height;
  layout.bitsPerPixel = bitsPerPixel;
  layout.compression = compression;
  layout.masks = masks;
  return layout;
}

Bytes MakeBmp(const BmpLayout& layout) {
  const std::size_t stride = static_cast<std::size_t>(RowStride(layout.width, layout.bitsPerPixel));
  const std::size_t masksBytes = layout.compression == 3 ? 12 : 0;
  const std::size_t pixelOffset = 54 + masksBytes + layout.palette.size() * 4;
  Bytes file(pixelOffset + stride * layout.rows.size(), 0);
  file[0] = 'B';
  file[1] = 'M';
  PutLe32(file, 2, static_cast<std::uint32_t>(file.size()));
  PutLe32(file, 10, static_cast<std::uint32_t>(pixelOffset));
  PutLe32(file, 14, 40);
  PutLe32(file, 18, static_cast<std::uint32_t>(layout.width));
  PutLe32(file, 22, static_cast<std::uint32_t>(layout.height));
  PutLe16(file, 26, 1);
  PutLe16(file, 28, layout.bitsPerPixel);
  PutLe32(file, 30, layout.compression);
  PutLe32(file, 38, 2835);
  PutLe32(file, 42, 2835);
  if (masksBytes > 0) {
    PutLe32(file, 54, layout.masks.red);
    PutLe32(file, 58, layout.masks.green);
    PutLe32(file, 62, layout.masks.blue);
  }
  std::size_t at = 54 + masksBytes;
  for (const PaletteEntry& entry : layout.palette) {
    file[at++] = entry.blue;
    file[at++] = entry.green;
    file[at++] = entry.red;
    file[at++] = entry.reserved;
  }
  // Bottom-up: the last row given is the first stored.
  for (std::size_t r = 0; r < layout.rows.size(); ++r) {
    const Bytes& row = layout.rows[layout.rows.size() - 1 - r];
    std::copy(row.begin(), row.end(), file.begin() + static_cast<std::ptrdiff_t>(pixelOffset + r * stride));
  }
  return file;
}

TgaLayout TgaOf(std::uint8_t imageType, std::uint16_t width, std::uint16_t height,
              std::uint8_t depth, std::uint8_t descriptor) {
  TgaLayout layout;
  layout.imageType = imageType;
  layout.width = width;
  layout.height = height;
  layout.depth = depth;
  layout.descriptor = descriptor;
  return layout;
}

Bytes MakeTga(const TgaLayout& layout) {
  Bytes file(18 + layout.id.size() + layout.mapEntries.size() + layout.data.size(), 0);
  file[0] = static_cast<std::uint8_t>(layout.id.size());
  file[1] = layout.hasColourMap ? 1 : 0;
  file[2] = layout.imageType;
  PutLe16(file, 3, layout.mapFirst);
  PutLe16(file, 5, layout.mapLength);
  file[7] = layout.mapEntryBits;
  PutLe16(file, 12, layout.width);
  PutLe16(file, 14, layout.height);
  file[16] = layout.depth;
  file[17] = layout.descriptor;
  auto at = std::copy(layout.id.begin(), layout.id.end(), file.begin() + 18);
  at = std::copy(layout.mapEntries.begin(), layout.mapEntries.end(), at);
  std::copy(layout.data.begin(), layout.data.end(), at);
  return file;
}

namespace {

std::uint32_t WidenChannel(std::uint32_t word, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int bits = std::popcount(mask);
  const std::uint32_t value = (word & mask) >> shift;
  return value * 255 / ((1u << bits) - 1);
}

}  // namespace

std::uint32_t PixelColour(const FCObjImage& picture, std::int32_t x, std::int32_t y) {
  const std::uint8_t* row = picture.Row(y);
  const int bits = picture.BitsPerPixel();
  if (bits <= 8) {
    const int bitOffset = x * bits;
    const int shift = 8 - bits - bitOffset % 8;
    const std::uint8_t index = static_cast<std::uint8_t>((row[bitOffset / 8] >> shift) & ((1 << bits) - 1));
    const PaletteEntry& entry = picture.Palette()[index];
    return (std::uint32_t{entry.red} << 16) | (std::uint32_t{entry.green} << 8) | entry.blue;
  }
  if (bits == 16) {
    const std::uint32_t word = row[x * 2] | (row[x * 2 + 1] << 8);
    const ChannelMasks& masks = picture.Masks();
    return (WidenChannel(word, masks.red) << 16) | (WidenChannel(word, masks.green) << 8) |
           WidenChannel(word, masks.blue);
  }
  const std::uint8_t* pixel = row + x * (bits / 8);
  return (std::uint32_t{pixel[2]} << 16) | (std::uint32_t{pixel[1]} << 8) | pixel[0];
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written =
      bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace quillon::test
