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

BmpSpec BmpOf(std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel,
              std::uint32_t compression, ChannelMasks masks) {
  BmpSpec spec;
  spec.width = width;
  spec.height = height;
  spec.bitsPerPixel = bitsPerPixel;
  spec.compression = compression;
  spec.masks = masks;
  return spec;
}

Bytes MakeBmp(const BmpSpec& spec) {
  const std::size_t stride = static_cast<std::size_t>(RowStride(spec.width, spec.bitsPerPixel));
  const std::size_t masksBytes = spec.compression == 3 ? 12 : 0;
  const std::size_t pixelOffset = 54 + masksBytes + spec.palette.size() * 4;
  Bytes file(pixelOffset + stride * spec.rows.size(), 0);
  file[0] = 'B';
  file[1] = 'M';
  PutLe32(file, 2, static_cast<std::uint32_t>(file.size()));
  PutLe32(file, 10, static_cast<std::uint32_t>(pixelOffset));
  PutLe32(file, 14, 40);
  PutLe32(file, 18, static_cast<std::uint32_t>(spec.width));
  PutLe32(file, 22, static_cast<std::uint32_t>(spec.height));
  PutLe16(file, 26, 1);
  PutLe16(file, 28, spec.bitsPerPixel);
  PutLe32(file, 30, spec.compression);
  PutLe32(file, 38, 2835);
  PutLe32(file, 42, 2835);
  if (masksBytes > 0) {
    PutLe32(file, 54, spec.masks.red);
    PutLe32(file, 58, spec.masks.green);
    PutLe32(file, 62, spec.masks.blue);
  }
  std::size_t at = 54 + masksBytes;
  for (const PaletteEntry& entry : spec.palette) {
    file[at++] = entry.blue;
    file[at++] = entry.green;
    file[at++] = entry.red;
    file[at++] = entry.reserved;
  }
  // Bottom-up: the last row given is the first stored.
  for (std::size_t r = 0; r < spec.rows.size(); ++r) {
    const Bytes& row = spec.rows[spec.rows.size() - 1 - r];
    std::copy(row.begin(), row.end(), file.begin() + static_cast<std::ptrdiff_t>(pixelOffset + r * stride));
  }
  return file;
}

TgaSpec TgaOf(std::uint8_t imageType, std::uint16_t width, std::uint16_t height,
              std::uint8_t depth, std::uint8_t descriptor) {
  TgaSpec spec;
  spec.imageType = imageType;
  spec.width = width;
  spec.height = height;
  spec.depth = depth;
  spec.descriptor = descriptor;
  return spec;
}

Bytes MakeTga(const TgaSpec& spec) {
  Bytes file(18 + spec.id.size() + spec.mapEntries.size() + spec.data.size(), 0);
  file[0] = static_cast<std::uint8_t>(spec.id.size());
  file[1] = spec.hasColourMap ? 1 : 0;
  file[2] = spec.imageType;
  PutLe16(file, 3, spec.mapFirst);
  PutLe16(file, 5, spec.mapLength);
  file[7] = spec.mapEntryBits;
  PutLe16(file, 12, spec.width);
  PutLe16(file, 14, spec.height);
  file[16] = spec.depth;
  file[17] = spec.descriptor;
  auto at = std::copy(spec.id.begin(), spec.id.end(), file.begin() + 18);
  at = std::copy(spec.mapEntries.begin(), spec.mapEntries.end(), at);
  std::copy(spec.data.begin(), spec.data.end(), at);
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
