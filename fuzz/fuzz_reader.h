// Runs one reader over fuzz input, then reads the first and last rows and every palette entry
// of what it made, so that AddressSanitizer sees a row address or size outside the picture.
// Rows in between are left alone: a short file claiming millions of rows gets a picture whose
// untouched zero pages cost nothing, and reading them all would only slow the fuzzer down.
#pragma once

#include <cstddef>
#include <cstdint>

#include "preview/image/image_handle.h"

namespace quillon::fuzz {

inline void ReadAndTouch(FCImageHandleBase& reader, const std::uint8_t* data, std::size_t size) {
  ImageFrames frames;
  if (!reader.LoadMemory(data, size, frames)) return;
  volatile std::uint8_t sink = 0;
  for (int i = 0; i < frames.PCL_GetObjectCount(); ++i) {
    const FCObjImage& picture = *frames.PCL_GetObject(i);
    constexpr std::int32_t kEdgeRows = 64;
    for (std::int32_t y = 0; y < picture.Height(); ++y) {
      if (y == kEdgeRows && picture.Height() > 2 * kEdgeRows) y = picture.Height() - kEdgeRows;
      const std::uint8_t* row = picture.Row(y);
      sink = sink ^ row[0] ^ row[picture.Stride() - 1];
    }
    for (std::size_t p = 0; p < picture.PaletteSize(); ++p) sink = sink ^ picture.Palette()[p].red;
  }
}

}  // namespace quillon::fuzz
