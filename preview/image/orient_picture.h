// Turning and mirroring a picture as an Exif orientation tag asks, so that it shows upright.
#pragma once

#include <memory>

#include "preview/image/obj_image.h"

namespace quillon {

// `source` as it is shown for Exif orientation 2-8 (1 and values out of range: unchanged
// copy); pictures of 8 bits per pixel and more. Null for an empty source or no memory.
std::unique_ptr<FCObjImage> OrientPicture(const FCObjImage& source, int orientation);

}  // namespace quillon
