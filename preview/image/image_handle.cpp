#include "preview/image/image_handle.h"

#include <cstdio>
#include <memory>

namespace quillon {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

bool FCImageHandleBase::LoadFile(const std::string& narrowPath, ImageFrames& frames) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(narrowPath.c_str(), "rb"));
  if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) return false;
  const long size = std::ftell(file.get());
  if (size <= 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) return false;

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
