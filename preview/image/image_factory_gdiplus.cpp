// The process factory on Windows: the own BMP and TGA readers, and the platform imaging
// library for JPEG, GIF, TIFF, PNG and ICO.
#include "preview/image/gdiplus_init.h"
#include "preview/image/gdiplus_reader.h"
#include "preview/image/image_factory.h"

namespace quillon {
namespace {

class FCImageHandleFactory_Gdiplus : public FCImageHandleFactory, public FCAutoInitGDIPlus {
 public:
  std::unique_ptr<FCImageHandleBase> CreateHandler(ImageType type) const override {
    switch (type) {
      case ImageType::Jpg:
      case ImageType::Gif:
      case ImageType::Tif:
      case ImageType::Png:
      case ImageType::Ico:
        return std::make_unique<FCImageHandle_Gdiplus>();
      default:
        return CreateOwnReader(type);
    }
  }
};

}  // namespace

FCImageHandleFactory& ProcessImageFactory() {
  static FCImageHandleFactory_Gdiplus factory;
  return factory;
}

}  // namespace quillon
