// Windows bitmap files: bottom-up rows, plain or bit-field pixels, copied as they are.
#include <algorithm>
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

  frames.PCL_PushObject(std::move(picture));
  return true;
}

}  // namespace quillon
