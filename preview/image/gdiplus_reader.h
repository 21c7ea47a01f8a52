// JPEG, GIF, PNG, TIFF and ICO through the platform imaging library (GDI+ flat interface).
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <optional>

#include "preview/image/gdiplus_init.h"
#include "preview/image/image_handle.h"

namespace quillon {

class FCImageHandle_Gdiplus : public FCImageHandleBase, public FCAutoInitGDIPlus {
 public:
  bool LoadFile(const std::string& narrowPath, ImageFrames& frames) override;
  bool LoadMemory(const std::uint8_t* data, std::size_t size, ImageFrames& frames) override;
};

// How a frame of a platform pixel format is kept: its depth, compression and 16-bit masks.
struct GdiplusFrameLayout {
  std::uint16_t bitsPerPixel = 0;
  std::uint32_t compression = kCompressionPlain;
  ChannelMasks masks = kMasks555;
};

// The layout for `format`; none for the formats the picture cannot hold as they are
// (16-bit grey, 48 and 64 bits, and the rest), whose frames are skipped.
std::optional<GdiplusFrameLayout> LayoutForPixelFormat(Gdiplus::PixelFormat format);

// Appends the first frame of `bitmap` (of its first frame dimension) when it converts to a
// picture. Later frames are never decoded: the preview shows the first, and copying every
// frame of a large animation would exhaust the memory.
bool AppendGdiplusFrames(Gdiplus::GpBitmap* bitmap, ImageFrames& frames);

}  // namespace quillon
