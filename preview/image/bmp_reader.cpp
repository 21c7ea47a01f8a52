// Windows bitmap files: bottom-up rows, plain or bit-field pixels, copied as they are.
#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>

#include "preview/image/byte_reader.h"
#include "preview/image/image_handle.h"

namespace quillon {
namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;
constexpr std::size_t kMasksOffset = kFileHeaderBytes + kInfoHeaderBytes;
constexpr std::size_t kMasksEnd = kMasksOffset + 12;

BitmapInfoHeader ReadInfoHeader(const std::uint8_t* info) {
  BitmapInfoHeader header;
  header.size = ReadLe32(info);
  header.width = static_cast<std::int32_t>(ReadLe32(info + 4));
  header.height = static_cast<std::int32_t>(ReadLe32(info + 8));
  header.planes = ReadLe16(info + 12);
  header.bitCount = ReadLe16(info + 14);
  header.compression = ReadLe32(info + 16);
  header.xPelsPerMeter = static_cast<std::int32_t>(ReadLe32(info + 24));
  header.yPelsPerMeter = static_cast<std::int32_t>(ReadLe32(info + 28));
  return header;
}

// The palette follows the info header. The colours-used count is not consulted; entries the
// file is too short to hold keep the grey ramp.
void ReadPalette(const std::uint8_t* data, std::size_t size, std::uint32_t headerSize,
                 FCObjImage& picture) {
  const std::uint64_t start = std::uint64_t{kFileHeaderBytes} + headerSize;
  if (start >= size) return;
  const std::size_t available = static_cast<std::size_t>((size - start) / sizeof(PaletteEntry));
  const std::size_t count = std::min(picture.PaletteSize(), available);
  PaletteEntry entries[256];
  std::memcpy(entries, data + start, count * sizeof(PaletteEntry));
  picture.SetPalette(entries, count);
}

// A channel through its mask (one run of bits, of any width and place), scaled to 8 bits.
std::uint8_t Channel(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const std::uint64_t full = mask >> shift;
  return static_cast<std::uint8_t>(((pixel & mask) >> shift) * 255u / full);
}

// 32-bit pixels with the file's own masks become plain blue, green, red bytes: the masks may
// be in any order or width, and the picture is drawn as a plain 32-bit bitmap.
void ApplyMasks32(FCObjImage& picture, const ChannelMasks& masks) {
  for (std::int32_t y = 0; y < picture.Height(); ++y) {
    std::uint8_t* pixel = picture.Row(y);
    for (std::int32_t x = 0; x < picture.Width(); ++x, pixel += 4) {
      const std::uint32_t value = ReadLe32(pixel);
      pixel[0] = Channel(value, masks.blue);
      pixel[1] = Channel(value, masks.green);
      pixel[2] = Channel(value, masks.red);
      pixel[3] = 0xFF;
    }
  }
}

}  // namespace

bool FCImageHandle_Bmp::LoadMemory(const std::uint8_t* data, std::size_t size,
                                   ImageFrames& frames) {
  if (data == nullptr || size <= kFileHeaderBytes || data[0] != 'B' || data[1] != 'M') {
    return false;
  }
  const std::uint32_t pixelOffset = ReadLe32(data + 10);
  if (pixelOffset >= size) return false;
  // A header shorter than 40 bytes (the old core header) lays its fields out differently.
  if (size < kMasksOffset || ReadLe32(data + kFileHeaderBytes) < kInfoHeaderBytes) return false;

  const BitmapInfoHeader header = ReadInfoHeader(data + kFileHeaderBytes);
  ChannelMasks masks = kMasks555;
  if (header.compression == kCompressionBitFields) {
    if (size < kMasksEnd) return false;
    masks = {ReadLe32(data + kMasksOffset), ReadLe32(data + kMasksOffset + 4),
             ReadLe32(data + kMasksOffset + 8)};
  }
  // Top-down files (negative height) and run-length compression are refused here.
  auto picture = std::make_unique<FCObjImage>();
  if (!picture->Create(header, masks)) return false;

  if (picture->PaletteSize() > 0) ReadPalette(data, size, header.size, *picture);
  const std::size_t bytes = std::min<std::size_t>(size - pixelOffset, picture->PixelBytes());
  std::memcpy(picture->Pixels(), data + pixelOffset, bytes);
  if (header.bitCount == 32 && header.compression == kCompressionBitFields) {
    ApplyMasks32(*picture, masks);
  }

  frames.PCL_PushObject(std::move(picture));
  return true;
}

}  // namespace quillon
