// Where the preview draws a picture inside its 230 × 168 picture box.
#pragma once

#include <cstdint>

namespace quillon {

struct ImageRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;   // exclusive
  std::int32_t bottom = 0;  // exclusive
  bool operator==(const ImageRect&) const = default;
};

inline constexpr std::int32_t kThumbnailBoxLeft = 10;
inline constexpr std::int32_t kThumbnailBoxWidth = 230;
inline constexpr std::int32_t kThumbnailBoxHeight = 168;

// The destination of a width × height picture in the box whose top-left corner is
// (10, boxTop): reduced in proportion to fill the box's width or height when it does not fit,
// otherwise at natural size; always at the box's top-left corner.
ImageRect FitThumbnail(std::int32_t width, std::int32_t height, std::int32_t boxTop);

}  // namespace quillon
