// Feeds arbitrary bytes to the header-only size reading of every format and to the Exif
// orientation reading, then to the JPEG decoder at the preview's scale.
#include <cstddef>
#include <cstdint>

#include "preview/image/jpeg_decoder.h"
#include "preview/image/picture_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillon;
  for (const ImageType type : {ImageType::Jpg, ImageType::Png, ImageType::Gif, ImageType::Bmp,
                               ImageType::Tga, ImageType::Tif, ImageType::Ico}) {
    ReadPictureHeader(type, data, size);
  }
  ReadTiffOrientation(data, size);
  const auto header = ReadPictureHeader(ImageType::Jpg, data, size);
  if (header && header->orientation >= 1 && header->orientation <= 8) {
    DecodeLimits limits = JpegPreviewLimits();
    limits.maxSourcePixels = 4'000'000;  // keeps each run short
    DecodeJpegScaled(data, size, 230, 168, limits);
  }
  return 0;
}
