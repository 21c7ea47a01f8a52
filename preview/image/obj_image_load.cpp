// Loading a picture file, and the picture of a catalogued file.
#include <new>

#include "catalogue/tables.h"
#include "preview/image/image_factory.h"
#include "preview/image/obj_image.h"
#include "preview/image/platform_path.h"

namespace quillon {

bool FCObjImage::Load(const std::string& narrowPath) {
  try {
    FCImageHandleFactory& factory = ProcessImageFactory();
    const std::unique_ptr<FCImageHandleBase> reader =
        factory.CreateHandler(factory.TypeFromPath(narrowPath));
    if (!reader) return false;
    ImageFrames frames;
    if (!reader->LoadFile(narrowPath, frames) || frames.PCL_GetObjectCount() == 0) return false;
    FCObjImage& first = *frames.PCL_GetObject(0);
    if (first.IsEmpty()) return false;
    TakeFrom(first);
    return true;
  } catch (const std::bad_alloc&) {
    // Small bookkeeping allocations failing: no picture, as for any other failure.
    return false;
  }
}

bool FCObjImage::LoadForRecord(const FileRecord& record) {
  Clear();
  const std::u16string fullPath = record.FullPath();
  // The name test comes first: it costs no file system query and gives the same answer.
  if (!HasPictureFileName(record.FileName) || !FileExistsAt(fullPath)) return false;
  std::string narrowPath;
  return NarrowPathFor(fullPath, narrowPath) && Load(narrowPath);
}

}  // namespace quillon
