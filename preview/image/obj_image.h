// The in-memory picture: a device-independent bitmap kept in the source's own bit depth.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "preview/image/pcl_containers.h"
#include "preview/image/thumbnail_fit.h"

#ifdef _WIN32
struct HDC__;  // the device context handle type of <windows.h>, kept out of portable code
#endif

namespace quillon {

struct FileRecord;

// The 40-byte header of a device-independent bitmap, in the platform's field order.
struct BitmapInfoHeader {
  std::uint32_t size = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t planes = 0;
  std::uint16_t bitCount = 0;
  std::uint32_t compression = 0;
  std::uint32_t sizeImage = 0;
  std::int32_t xPelsPerMeter = 0;
  std::int32_t yPelsPerMeter = 0;
  std::uint32_t clrUsed = 0;
  std::uint32_t clrImportant = 0;
};
static_assert(sizeof(BitmapInfoHeader) == 40);

inline constexpr std::uint32_t kCompressionPlain = 0;
inline constexpr std::uint32_t kCompressionBitFields = 3;

// Channel masks of 16-bit pixels.
struct ChannelMasks {
  std::uint32_t red = 0;
  std::uint32_t green = 0;
  std::uint32_t blue = 0;
  bool operator==(const ChannelMasks&) const = default;
};
inline constexpr ChannelMasks kMasks555{0x7C00, 0x03E0, 0x001F};
inline constexpr ChannelMasks kMasks565{0xF800, 0x07E0, 0x001F};

// One palette entry, in the byte order of the files and of the platform.
struct PaletteEntry {
  std::uint8_t blue = 0;
  std::uint8_t green = 0;
  std::uint8_t red = 0;
  std::uint8_t reserved = 0;
  bool operator==(const PaletteEntry&) const = default;
};
static_assert(sizeof(PaletteEntry) == 4);

// A header with the given size and depth, every other field zero (resolutions included).
BitmapInfoHeader MakeBitmapHeader(std::int32_t width, std::int32_t height,
                                  std::uint16_t bitsPerPixel,
                                  std::uint32_t compression = kCompressionPlain);

// Bytes of one row: rows are padded to whole 32-bit words.
inline constexpr std::uint64_t RowStride(std::uint32_t width, std::uint32_t bitsPerPixel) {
  return (static_cast<std::uint64_t>(bitsPerPixel) * width + 31) / 32 * 4;
}

// The most memory one picture may take (pixel block and row table). Larger pictures are
// refused: a 32-bit process could hardly hold them beside the decoder's own copy.
inline constexpr std::uint64_t kMaxPictureBytes = 512ull * 1024 * 1024;

class FCObject {
 public:
  virtual ~FCObject() = default;
};

class FCObjGraph : public FCObject {
 public:
  std::int32_t x = 0;
  std::int32_t y = 0;
};

class FCObjImage : public FCObjGraph {
 public:
  FCObjImage() = default;
  FCObjImage(const FCObjImage&) = delete;
  FCObjImage& operator=(const FCObjImage&) = delete;

  // Builds a zero-filled picture from `header` (masks are taken for 16 bits per pixel with
  // bit-field compression). False, and the picture unchanged, for a size that is not positive,
  // a compression other than 0 or 3, a depth other than 1, 4, 8, 16, 24 or 32, or memory that
  // cannot be had.
  bool Create(const BitmapInfoHeader& header, const ChannelMasks& masks = kMasks555);
  void Clear();
  // Copies min(count, 2^bpp) entries; nothing above 8 bits per pixel or on an empty picture.
  void SetPalette(const PaletteEntry* entries, std::size_t count);
  // Becomes a copy of `source` (pixels, palette, masks, position). False when the source is
  // empty or this same object, or the memory cannot be had.
  bool CopyFrom(const FCObjImage& source);

  // The first frame of a picture file, the reader chosen by the path's extension. On failure
  // the picture is left as it was.
  bool Load(const std::string& narrowPath);
  // The picture for a catalogued file, or an empty picture (see HasPictureFileName).
  bool LoadForRecord(const FileRecord& record);

#ifdef _WIN32
  // Stretch-draws the whole picture into `destination`, deleting eliminated pixels.
  void Draw(HDC__* surface, const ImageRect& destination) const;
#endif

  bool IsEmpty() const { return pixels_.empty(); }
  std::int32_t Width() const { return header_.width; }
  std::int32_t Height() const { return header_.height; }
  std::uint16_t BitsPerPixel() const { return header_.bitCount; }
  std::size_t Stride() const { return stride_; }
  const BitmapInfoHeader& Header() const { return header_; }
  const ChannelMasks& Masks() const { return masks_; }
  // 2^bpp entries for 1, 4 and 8 bits per pixel, none otherwise.
  std::size_t PaletteSize() const { return palette_.size(); }
  const PaletteEntry* Palette() const { return palette_.get(); }
  // Row `y` counted from the top; rows lie bottom-up in the pixel block.
  std::uint8_t* Row(std::int32_t y) { return rows_[static_cast<std::size_t>(y)]; }
  const std::uint8_t* Row(std::int32_t y) const { return rows_[static_cast<std::size_t>(y)]; }
  // The pixel block: Height() × Stride() bytes, bottom row first.
  std::uint8_t* Pixels() { return pixels_.get(); }
  const std::uint8_t* Pixels() const { return pixels_.get(); }
  std::size_t PixelBytes() const { return pixels_.size(); }

 private:
  // Becomes `source`, which is left empty: a decoded frame is taken over, not copied (a
  // 12-megapixel frame is 36 MB or more).
  void TakeFrom(FCObjImage& source);

  BitmapInfoHeader header_;
  ChannelMasks masks_ = kMasks555;
  std::size_t stride_ = 0;
  PCL_array<std::uint8_t> pixels_;
  PCL_array<std::uint8_t*> rows_;
  PCL_array<PaletteEntry> palette_;
};

// Whether a catalogued file's name promises a picture: its last three characters, upper-cased,
// are one of BMP GIF JPG PNG TIF ICO TGA PCX (the dot is not part of the test).
bool HasPictureFileName(std::u16string_view fileName);

}  // namespace quillon
