// Picks the reader for a picture file by its extension.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "preview/image/image_handle.h"

namespace quillon {

enum class ImageType {
  Unknown = 0,
  Bmp = 1,
  Pcx = 2,
  Jpg = 3,
  Gif = 4,
  Tga = 5,
  Tif = 6,
  Png = 7,
  Psd = 8,
  Ico = 9,
  Xpm = 10,
};

class FCImageHandleFactory {
 public:
  FCImageHandleFactory() = default;
  FCImageHandleFactory(const FCImageHandleFactory&) = delete;
  FCImageHandleFactory& operator=(const FCImageHandleFactory&) = delete;

  // The type for the text after the last "." of the whole path, lower-cased; Unknown without one.
  virtual ImageType TypeFromPath(std::string_view narrowPath) const;
  // A new reader for `type`, or none when this system has no reader for it.
  virtual std::unique_ptr<FCImageHandleBase> CreateHandler(ImageType type) const = 0;
  virtual ~FCImageHandleFactory() = default;
};

// The readers this program carries itself: BMP and TGA; none for any other type.
std::unique_ptr<FCImageHandleBase> CreateOwnReader(ImageType type);

// The one factory of the process, made on first use and destroyed at exit. On Windows it hands
// JPEG, GIF, TIFF, PNG and ICO to the platform imaging library; elsewhere only the own readers
// exist and those types give no picture.
FCImageHandleFactory& ProcessImageFactory();

}  // namespace quillon
