// Picture files made by the tests themselves, and a pixel reader for checking pictures.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "preview/image/image_handle.h"
#include "preview/image/obj_image.h"

namespace quillon::test {

using Bytes = std::vector<std::uint8_t>;

void PutLe16(Bytes& bytes, std::size_t at, std::uint32_t value);
void PutLe32(Bytes& bytes, std::size_t at, std::uint32_t value);

struct BmpLayout {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t bitsPerPixel = 24;
  std::uint32_t compression = 0;
  ChannelMasks masks;               // written after the header for compression 3
  std::vector<PaletteEntry> palette;
  std::vector<Bytes> rows;          // top row first, without padding
};

BmpLayout BmpOf(std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel,
              std::uint32_t compression = 0, ChannelMasks masks = {});
// A bottom-up BMP with a 40-byte header; rows padded to 32-bit words.
Bytes MakeBmp(const BmpLayout& layout);

struct TgaLayout {
  std::uint8_t imageType = 2;
  std::uint16_t width = 0;
  std::uint16_t height = 0;
  std::uint8_t depth = 24;
  std::uint8_t descriptor = 0;
  std::string id;
  // Colour map (type 1 when present).
  bool hasColourMap = false;
  std::uint16_t mapFirst = 0;
  std::uint8_t mapEntryBits = 24;
  Bytes mapEntries;                 // raw entries, length = entries × bytes per entry
  std::uint16_t mapLength = 0;
  Bytes data;                       // pixel data as stored
};

TgaLayout TgaOf(std::uint8_t imageType, std::uint16_t width, std::uint16_t height,
              std::uint8_t depth, std::uint8_t descriptor = 0);
Bytes MakeTga(const TgaLayout& layout);

// The colour of pixel (x, y), x and y from the top-left corner, as 0xRRGGBB: palette entries
// for indexed pictures, the masks' channels widened to 8 bits for 16-bit ones.
std::uint32_t PixelColour(const FCObjImage& picture, std::int32_t x, std::int32_t y);

// Writes `bytes` to `path`; false on failure.
bool WriteFile(const std::string& path, const Bytes& bytes);

// Decodes `file` with a `Reader`: its one picture, or null when the reader refused the file
// (and then appended nothing).
template <class Reader>
std::unique_ptr<FCObjImage> ReadWith(const Bytes& file) {
  Reader reader;
  ImageFrames frames;
  if (!reader.LoadMemory(file.data(), file.size(), frames)) {
    EXPECT_EQ(frames.PCL_GetObjectCount(), 0);
    return nullptr;
  }
  EXPECT_EQ(frames.PCL_GetObjectCount(), 1);
  auto picture = std::make_unique<FCObjImage>();
  EXPECT_TRUE(picture->CopyFrom(*frames.PCL_GetObject(0)));
  return picture;
}

}  // namespace quillon::test
