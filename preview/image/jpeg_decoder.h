// JPEG through libjpeg-turbo, decoded at the smallest DCT scale that still covers the size the
// picture is shown at: a 12-megapixel photo shown in a 230 × 168 box is decoded at 1/8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>

#include "preview/image/decode_limits.h"
#include "preview/image/obj_image.h"

namespace quillon {

// The scale denominator (8, 4, 2 or 1) for a width × height picture that must still be at least
// minWidth × minHeight after scaling.
int JpegScaleFor(std::int32_t width, std::int32_t height, std::int32_t minWidth,
                 std::int32_t minHeight);

// A 24-bit picture (stored orientation) of the JPEG in `data`, scaled by JpegScaleFor; null for
// a file that cannot be decoded or exceeds `limits`. Grey, RGB, YCbCr, CMYK and YCCK files,
// baseline or progressive; a truncated file gives what it holds.
std::unique_ptr<FCObjImage> DecodeJpegScaled(const std::uint8_t* data, std::size_t size,
                                             std::int32_t minWidth, std::int32_t minHeight,
                                             const DecodeLimits& limits);
// The same, read from an open file as the decode goes: a photo is never held whole in memory.
std::unique_ptr<FCObjImage> DecodeJpegScaled(std::FILE* file, std::int32_t minWidth,
                                             std::int32_t minHeight, const DecodeLimits& limits);

}  // namespace quillon
