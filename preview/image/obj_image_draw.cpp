// Drawing a picture on Windows: one stretched copy of the whole device-independent bitmap.
#include <windows.h>

#include <cstring>

#include "preview/image/obj_image.h"

namespace quillon {
namespace {

// The header followed by the palette (8 bits or fewer) or the three masks.
struct BitmapDescription {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
};

}  // namespace

void FCObjImage::Draw(HDC surface, const ImageRect& destination) const {
  if (IsEmpty()) return;
  BitmapDescription description{};
  std::memcpy(&description.header, &header_, sizeof description.header);
  if (PaletteSize() > 0) {
    std::memcpy(description.colours, Palette(), PaletteSize() * sizeof(RGBQUAD));
  } else {
    const DWORD masks[3] = {masks_.red, masks_.green, masks_.blue};
    std::memcpy(description.colours, masks, sizeof masks);
  }
  // Deleting eliminated pixels keeps hard edges and costs nothing; drawing is never smoothed.
  const int previousMode = SetStretchBltMode(surface, COLORONCOLOR);
  StretchDIBits(surface, destination.left, destination.top, destination.right - destination.left,
                destination.bottom - destination.top, 0, 0, Width(), Height(), Pixels(),
                reinterpret_cast<const BITMAPINFO*>(&description), DIB_RGB_COLORS, SRCCOPY);
  if (previousMode != 0) SetStretchBltMode(surface, previousMode);
}

}  // namespace quillon
