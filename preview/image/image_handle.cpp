#include "preview/image/image_handle.h"

#include <cstdio>
#include <memory>

namespace quillon {
namespace {

// The largest file read whole into memory: no picture the readers may make needs more, and a
// 32-bit process could not hold a larger one beside its picture. A directory opened as a file
// on some systems reports a size near the largest file offset and ends here too.
constexpr std::uint64_t kMaxFileBytes = 2 * kMaxPictureBytes;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

bool FCImageHandleBase::LoadFile(const std::string& narrowPath, ImageFrames& frames) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(narrowPath.c_str(), "rb"));
  if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) return false;
  const long size = std::ftell(file.get());
  if (size <= 0 || static_cast<std::uint64_t>(size) > kMaxFileBytes ||
      std::fseek(file.get(), 0, SEEK_SET) != 0) {
    return false;
  }

  PCL_array<std::uint8_t> buffer;
  if (!buffer.Allocate(static_cast<std::size_t>(size))) return false;
  if (std::fread(buffer.get(), 1, buffer.size(), file.get()) != buffer.size()) return false;
  file.reset();
  return LoadMemory(buffer.get(), buffer.size(), frames);
}

bool FCImageHandleBase::LoadMemory(const std::uint8_t*, std::size_t, ImageFrames&) {
  return false;
}

}  // namespace quillon
