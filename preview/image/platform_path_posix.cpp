// Catalogued paths on systems other than Windows: backslashes become slashes and the narrow
// code page is UTF-8.
#include <sys/stat.h>

#include "base/text_convert.h"
#include "preview/image/platform_path.h"

namespace quillon {
namespace {

std::string NativePath(std::u16string_view fullPath) {
  std::string path = ToUtf8(fullPath);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

}  // namespace

bool FileExistsAt(const std::u16string& fullPath) {
  struct stat status;
  return stat(NativePath(fullPath).c_str(), &status) == 0;
}

bool NarrowPathFor(std::u16string_view fullPath, std::string& narrowPath) {
  std::string path = NativePath(fullPath);
  if (path.size() >= kNarrowPathBytes) return false;
  narrowPath = std::move(path);
  return true;
}

}  // namespace quillon
