// Truevision TGA files: colour-mapped, true-colour and grey-scale, plain or run-length rows,
// bottom-up or top-down.
#include <cstring>
#include <memory>

#include "preview/image/byte_reader.h"
#include "preview/image/image_handle.h"

namespace quillon {
namespace {

constexpr std::size_t kHeaderBytes = 18;
constexpr std::uint8_t kTopLeftOrigin = 0x20;
constexpr std::size_t kMapEntries = 256;

bool IsRunLengthType(std::uint8_t imageType) {
  return imageType == 9 || imageType == 10 || imageType == 11;
}

// Reads the colour map into the picture's palette; false when it does not fit in 256 entries
// or runs past the end of the data.
bool ReadColourMap(ByteCursor& cursor, std::uint32_t first, std::uint32_t length,
                   std::uint8_t entryBits, FCObjImage& picture) {
  if (first + length > kMapEntries) return false;
  const std::size_t entryBytes = entryBits == 32 ? 4 : 3;
  PaletteEntry table[kMapEntries] = {};
  for (std::uint32_t i = 0; i < length; ++i) {
    const std::uint8_t* entry = cursor.Take(entryBytes);
    if (entry == nullptr) return false;
    table[first + i] = PaletteEntry{entry[0], entry[1], entry[2], 0};
  }
  picture.SetPalette(table, kMapEntries);
  return true;
}

// Pixels of run-length packets in file order. A packet that runs past the end of a row goes on
// in the next row, as older writers produced them.
class RunLengthPixels {
 public:
  RunLengthPixels(ByteCursor& cursor, std::size_t pixelBytes)
      : cursor_(cursor), pixelBytes_(pixelBytes) {}

  // The next pixel's bytes, or null when the data ends first.
  const std::uint8_t* Next() {
    if (left_ == 0) {
      const std::uint8_t* packet = cursor_.Take(1);
      if (packet == nullptr) return nullptr;
      left_ = (*packet & 0x7Fu) + 1;
      repeat_ = (*packet & 0x80u) != 0;
      if (repeat_ && (pixel_ = cursor_.Take(pixelBytes_)) == nullptr) return nullptr;
    }
    if (!repeat_ && (pixel_ = cursor_.Take(pixelBytes_)) == nullptr) return nullptr;
    --left_;
    return pixel_;
  }

 private:
  ByteCursor& cursor_;
  std::size_t pixelBytes_;
  std::uint32_t left_ = 0;
  bool repeat_ = false;
  const std::uint8_t* pixel_ = nullptr;
};

bool DecodeRunLengthRow(RunLengthPixels& pixels, std::uint8_t* row, std::int32_t width,
                        std::size_t pixelBytes) {
  for (std::int32_t x = 0; x < width; ++x) {
    const std::uint8_t* pixel = pixels.Next();
    if (pixel == nullptr) return false;
    std::memcpy(row + x * pixelBytes, pixel, pixelBytes);
  }
  return true;
}

}  // namespace

bool FCImageHandle_Tga::LoadMemory(const std::uint8_t* data, std::size_t size,
                                   ImageFrames& frames) {
  if (data == nullptr || size <= kHeaderBytes) return false;
  const std::uint8_t idLength = data[0];
  const std::uint8_t mapType = data[1];
  const std::uint8_t imageType = data[2];
  const std::uint16_t mapFirst = ReadLe16(data + 3);
  const std::uint16_t mapLength = ReadLe16(data + 5);
  const std::uint8_t mapEntryBits = data[7];
  const std::uint16_t width = ReadLe16(data + 12);
  const std::uint16_t height = ReadLe16(data + 14);
  const std::uint8_t depth = data[16];
  const std::uint8_t descriptor = data[17];
  if (mapEntryBits == 15 || mapEntryBits == 16) return false;

  auto picture = std::make_unique<FCObjImage>();
  if (!picture->Create(MakeBitmapHeader(width, height, depth == 15 ? 16 : depth))) return false;

  ByteCursor cursor(data, size, kHeaderBytes + idLength);
  if (mapType == 1 && !ReadColourMap(cursor, mapFirst, mapLength, mapEntryBits, *picture)) {
    return false;
  }

  const std::size_t pixelBits = picture->BitsPerPixel();
  const bool runLength = IsRunLengthType(imageType);
  // Run-length packets count whole pixels of whole bytes.
  if (runLength && pixelBits < 8) return false;
  RunLengthPixels packets(cursor, pixelBits / 8);
  const std::size_t plainRowBytes = width * pixelBits / 8;

  for (std::int32_t r = 0; r < height; ++r) {
    std::uint8_t* row = picture->Row((descriptor & kTopLeftOrigin) ? r : height - 1 - r);
    if (runLength) {
      if (!DecodeRunLengthRow(packets, row, width, pixelBits / 8)) return false;
    } else {
      const std::uint8_t* source = cursor.Take(plainRowBytes);
      if (source == nullptr) return false;
      std::memcpy(row, source, plainRowBytes);
    }
  }

  frames.PCL_PushObject(std::move(picture));
  return true;
}

}  // namespace quillon
