#include "preview/image/orient_picture.h"

#include <cstring>

namespace quillon {

std::unique_ptr<FCObjImage> OrientPicture(const FCObjImage& source, int orientation) {
  if (source.IsEmpty() || source.BitsPerPixel() < 8) return nullptr;
  if (orientation < 1 || orientation > 8) orientation = 1;
  const std::int32_t width = source.Width();
  const std::int32_t height = source.Height();
  const bool swaps = orientation >= 5;
  BitmapInfoHeader header = source.Header();
  header.width = swaps ? height : width;
  header.height = swaps ? width : height;
  auto shown = std::make_unique<FCObjImage>();
  if (!shown->Create(header, source.Masks())) return nullptr;
  shown->SetPalette(source.Palette(), source.PaletteSize());
  const std::size_t bytes = source.BitsPerPixel() / 8u;
  for (std::int32_t y = 0; y < header.height; ++y) {
    std::uint8_t* to = shown->Row(y);
    for (std::int32_t x = 0; x < header.width; ++x) {
      // Where the shown pixel (x, y) lies in the stored picture.
      std::int32_t sx = x;
      std::int32_t sy = y;
      switch (orientation) {
        case 2: sx = width - 1 - x; break;
        case 3: sx = width - 1 - x; sy = height - 1 - y; break;
        case 4: sy = height - 1 - y; break;
        case 5: sx = y; sy = x; break;
        case 6: sx = y; sy = height - 1 - x; break;
        case 7: sx = width - 1 - y; sy = height - 1 - x; break;
        case 8: sx = width - 1 - y; sy = x; break;
        default: break;
      }
      std::memcpy(to + x * bytes, source.Row(sy) + sx * bytes, bytes);
    }
  }
  return shown;
}

}  // namespace quillon
