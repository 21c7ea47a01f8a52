// The process factory where the platform has no imaging library: the own readers only.
#include "preview/image/image_factory.h"

namespace quillon {
namespace {

class FCImageHandleFactory_Own : public FCImageHandleFactory {
 public:
  std::unique_ptr<FCImageHandleBase> CreateHandler(ImageType type) const override {
    return CreateOwnReader(type);
  }
};

}  // namespace

FCImageHandleFactory& ProcessImageFactory() {
  static FCImageHandleFactory_Own factory;
  return factory;
}

}  // namespace quillon
