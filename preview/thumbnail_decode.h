// From a picture file to the preview's thumbnail: the size from the file's header alone (the
// popup lays itself out with it at once), then the decode, reduced for the box and upright.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "preview/image/decode_limits.h"
#include "preview/image/picture_header.h"
#include "preview/thumbnail_cache.h"

namespace quillon {

// The header of the picture file at `narrowPath`, from its first bytes; none for a file that
// cannot be read, a type without a reader, or bytes that state no size.
std::optional<PictureHeader> ReadPictureHeaderOf(const std::string& narrowPath);

// The thumbnail of the picture file at `narrowPath`: its shown size (after the Exif
// orientation), and its picture reduced to the fitted size and turned upright. Without a
// picture when the file cannot be decoded, is abandoned, or exceeds the budget.
Thumbnail DecodeThumbnail(const std::string& narrowPath, const std::function<bool()>& abandoned);

}  // namespace quillon
