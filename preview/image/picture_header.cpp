#include "preview/image/picture_header.h"

#include <algorithm>
#include <cstring>

#include "preview/image/byte_reader.h"

namespace quillon {
namespace {

std::uint16_t ReadBe16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] << 8 | p[1]); }

std::uint32_t ReadBe32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

std::optional<PictureHeader> Sized(std::int64_t width, std::int64_t height, int orientation = 1) {
  if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX) return std::nullopt;
  return PictureHeader{static_cast<std::int32_t>(width), static_cast<std::int32_t>(height),
                       orientation};
}

// A TIFF-structured block in either byte order; every read is checked against its size.
class TiffBlock {
 public:
  TiffBlock(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {
    if (size >= 8 && data[0] == 'I' && data[1] == 'I' && data[2] == 42 && data[3] == 0) {
      valid_ = true;
    } else if (size >= 8 && data[0] == 'M' && data[1] == 'M' && data[2] == 0 && data[3] == 42) {
      valid_ = bigEndian_ = true;
    }
  }

  // The value of `tag` in the first directory when it is a SHORT or LONG; none otherwise.
  std::optional<std::uint32_t> FirstDirectoryValue(std::uint16_t tag) const {
    if (!valid_) return std::nullopt;
    const std::uint64_t directory = U32(4);
    if (directory + 2 > size_) return std::nullopt;
    const std::uint32_t count = U16(static_cast<std::size_t>(directory));
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint64_t entry = directory + 2 + std::uint64_t{i} * 12;
      if (entry + 12 > size_) return std::nullopt;
      const auto at = static_cast<std::size_t>(entry);
      if (U16(at) != tag) continue;
      const std::uint16_t type = U16(at + 2);
      if (type == 3) return U16(at + 8);
      if (type == 4) return U32(at + 8);
      return std::nullopt;
    }
    return std::nullopt;
  }

 private:
  std::uint16_t U16(std::size_t at) const {
    return bigEndian_ ? ReadBe16(data_ + at) : ReadLe16(data_ + at);
  }
  std::uint32_t U32(std::size_t at) const {
    return bigEndian_ ? ReadBe32(data_ + at) : ReadLe32(data_ + at);
  }

  const std::uint8_t* data_;
  std::size_t size_;
  bool valid_ = false;
  bool bigEndian_ = false;
};

bool IsFrameMarker(std::uint8_t marker) {
  // SOF0-SOF15 without DHT (C4), JPG (C8) and DAC (CC).
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Walks the segments up to the frame header, taking the orientation from an Exif block met on
// the way (it comes first in every file that has one).
std::optional<PictureHeader> ReadJpeg(const std::uint8_t* data, std::size_t size) {
  if (size < 4 || data[0] != 0xFF || data[1] != 0xD8) return std::nullopt;
  int orientation = 1;
  bool exifSeen = false;
  std::size_t at = 2;
  while (at + 4 <= size) {
    if (data[at] != 0xFF) return std::nullopt;
    const std::uint8_t marker = data[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // no length follows
      at += 2;
      continue;
    }
    if (marker == 0xD9 || marker == 0xDA) return std::nullopt;  // no frame before the data
    const std::size_t length = ReadBe16(data + at + 2);
    if (length < 2) return std::nullopt;
    const std::uint8_t* body = data + at + 4;
    const std::size_t bodySize = std::min(length - 2, size - (at + 4));
    if (IsFrameMarker(marker)) {
      if (bodySize < 5) return std::nullopt;
      return Sized(ReadBe16(body + 3), ReadBe16(body + 1), orientation);
    }
    if (marker == 0xE1 && !exifSeen && bodySize >= 6 && std::memcmp(body, "Exif\0\0", 6) == 0) {
      exifSeen = true;
      orientation = ReadTiffOrientation(body + 6, bodySize - 6);
    }
    at += 2 + length;
  }
  return std::nullopt;
}

std::optional<PictureHeader> ReadPng(const std::uint8_t* data, std::size_t size) {
  static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (size < 24 || std::memcmp(data, kSignature, 8) != 0 || std::memcmp(data + 12, "IHDR", 4) != 0) {
    return std::nullopt;
  }
  return Sized(ReadBe32(data + 16), ReadBe32(data + 20));
}

std::optional<PictureHeader> ReadGif(const std::uint8_t* data, std::size_t size) {
  if (size < 10 || (std::memcmp(data, "GIF87a", 6) != 0 && std::memcmp(data, "GIF89a", 6) != 0)) {
    return std::nullopt;
  }
  return Sized(ReadLe16(data + 6), ReadLe16(data + 8));
}

// As the BMP reader takes it: a 40-byte or longer header, bottom-up rows.
std::optional<PictureHeader> ReadBmp(const std::uint8_t* data, std::size_t size) {
  if (size < 26 || data[0] != 'B' || data[1] != 'M' || ReadLe32(data + 14) < 40) return std::nullopt;
  return Sized(static_cast<std::int32_t>(ReadLe32(data + 18)),
               static_cast<std::int32_t>(ReadLe32(data + 22)));
}

std::optional<PictureHeader> ReadTga(const std::uint8_t* data, std::size_t size) {
  if (size <= 18) return std::nullopt;
  return Sized(ReadLe16(data + 12), ReadLe16(data + 14));
}

std::optional<PictureHeader> ReadTiff(const std::uint8_t* data, std::size_t size) {
  const TiffBlock tiff(data, size);
  const std::optional<std::uint32_t> width = tiff.FirstDirectoryValue(256);
  const std::optional<std::uint32_t> height = tiff.FirstDirectoryValue(257);
  if (!width || !height) return std::nullopt;
  return Sized(*width, *height);
}

// The first image of the directory; a width or height byte of 0 means 256.
std::optional<PictureHeader> ReadIco(const std::uint8_t* data, std::size_t size) {
  if (size < 8 || ReadLe16(data) != 0 || ReadLe16(data + 2) != 1 || ReadLe16(data + 4) == 0) {
    return std::nullopt;
  }
  return Sized(data[6] == 0 ? 256 : data[6], data[7] == 0 ? 256 : data[7]);
}

}  // namespace

int ReadTiffOrientation(const std::uint8_t* tiff, std::size_t size) {
  const std::optional<std::uint32_t> value = TiffBlock(tiff, size).FirstDirectoryValue(0x0112);
  return value && *value >= 1 && *value <= 8 ? static_cast<int>(*value) : 1;
}

std::optional<PictureHeader> ReadPictureHeader(ImageType type, const std::uint8_t* data,
                                               std::size_t size) {
  if (data == nullptr) return std::nullopt;
  switch (type) {
    case ImageType::Jpg: return ReadJpeg(data, size);
    case ImageType::Png: return ReadPng(data, size);
    case ImageType::Gif: return ReadGif(data, size);
    case ImageType::Bmp: return ReadBmp(data, size);
    case ImageType::Tga: return ReadTga(data, size);
    case ImageType::Tif: return ReadTiff(data, size);
    case ImageType::Ico: return ReadIco(data, size);
    default: return std::nullopt;
  }
}

}  // namespace quillon
