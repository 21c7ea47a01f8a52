// A picture file reader: appends the pictures of one file to a frame list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "preview/image/obj_image.h"
#include "preview/image/pcl_containers.h"

namespace quillon {

using ImageFrames = PCL_Interface_Composite<FCObjImage>;

class FCImageHandleBase {
 public:
  FCImageHandleBase() = default;
  FCImageHandleBase(const FCImageHandleBase&) = delete;
  FCImageHandleBase& operator=(const FCImageHandleBase&) = delete;

  // Reads the whole file into memory and decodes it with LoadMemory.
  virtual bool LoadFile(const std::string& narrowPath, ImageFrames& frames);
  // Decodes a file held in memory; on success at least one picture has been appended.
  virtual bool LoadMemory(const std::uint8_t* data, std::size_t size, ImageFrames& frames);
  virtual ~FCImageHandleBase() = default;
};

class FCImageHandle_Bmp : public FCImageHandleBase {
 public:
  bool LoadMemory(const std::uint8_t* data, std::size_t size, ImageFrames& frames) override;
};

class FCImageHandle_Tga : public FCImageHandleBase {
 public:
  bool LoadMemory(const std::uint8_t* data, std::size_t size, ImageFrames& frames) override;
};

}  // namespace quillon
