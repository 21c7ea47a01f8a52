#include "preview/image/image_factory.h"

#include <utility>

namespace quillon {

ImageType FCImageHandleFactory::TypeFromPath(std::string_view narrowPath) const {
  const std::size_t dot = narrowPath.rfind('.');
  if (dot == std::string_view::npos) return ImageType::Unknown;
  std::string extension(narrowPath.substr(dot + 1));
  for (char& c : extension) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  static constexpr std::pair<std::string_view, ImageType> kTypes[] = {
      {"bmp", ImageType::Bmp}, {"pcx", ImageType::Pcx}, {"jpg", ImageType::Jpg},
      {"jpeg", ImageType::Jpg}, {"gif", ImageType::Gif}, {"tga", ImageType::Tga},
      {"tif", ImageType::Tif}, {"tiff", ImageType::Tif}, {"png", ImageType::Png},
      {"psd", ImageType::Psd}, {"ico", ImageType::Ico}, {"xpm", ImageType::Xpm},
  };
  for (const auto& [name, type] : kTypes) {
    if (extension == name) return type;
  }
  return ImageType::Unknown;
}

std::unique_ptr<FCImageHandleBase> CreateOwnReader(ImageType type) {
  switch (type) {
    case ImageType::Bmp:
      return std::make_unique<FCImageHandle_Bmp>();
    case ImageType::Tga:
      return std::make_unique<FCImageHandle_Tga>();
    default:
      return nullptr;
  }
}

}  // namespace quillon
