// The size of a picture read from its file's first bytes, without decoding: what the preview
// needs to lay itself out before the picture is decoded. For a JPEG also the orientation its
// Exif block asks for, so that phone photos stored sideways are shown upright.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "preview/image/image_factory.h"

namespace quillon {

struct PictureHeader {
  std::int32_t width = 0;   // as stored in the file
  std::int32_t height = 0;
  int orientation = 1;      // Exif orientation 1-8; 1 (as stored) without a valid tag

  // Orientations 5 to 8 turn the picture by a quarter: its width and height swap.
  bool SwapsSides() const { return orientation >= 5; }
  std::int32_t ShownWidth() const { return SwapsSides() ? height : width; }
  std::int32_t ShownHeight() const { return SwapsSides() ? width : height; }
};

// How many of a file's first bytes the header readers need at most; a JPEG whose frame header
// lies beyond them (behind very large metadata) has no header-only size.
inline constexpr std::size_t kPictureHeaderBytes = 256 * 1024;

// The header of a JPEG, PNG, GIF, BMP, TGA, TIFF or ICO file held (at least in its first
// bytes) in memory; none when the bytes do not hold a positive size for `type`.
std::optional<PictureHeader> ReadPictureHeader(ImageType type, const std::uint8_t* data,
                                               std::size_t size);

// The orientation tag (0x0112) of the first directory of a TIFF-structured block (the Exif
// block after its "Exif\0\0"); 1 when it is missing, out of range or outside the block.
int ReadTiffOrientation(const std::uint8_t* tiff, std::size_t size);

}  // namespace quillon
