#include "preview/image/thumbnail_fit.h"

namespace quillon {

ImageRect FitThumbnail(std::int32_t width, std::int32_t height, std::int32_t boxTop) {
  ImageRect rect{kThumbnailBoxLeft, boxTop, kThumbnailBoxLeft + width, boxTop + height};
  if (height <= kThumbnailBoxHeight && width <= kThumbnailBoxWidth) return rect;

  // The box's own proportion, 230 / 168, as the fitting has always compared it.
  constexpr double kBoxRatio = 1.369047619047619;
  if (static_cast<double>(width) / height > kBoxRatio) {
    rect.right = kThumbnailBoxLeft + kThumbnailBoxWidth;
    rect.bottom = static_cast<std::int32_t>(boxTop + height * (230.0 / width));
  } else {
    rect.bottom = boxTop + kThumbnailBoxHeight;
    rect.right = static_cast<std::int32_t>(width * (168.0 / height) + 10.0);
  }
  return rect;
}

}  // namespace quillon
