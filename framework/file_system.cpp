#include "framework/file_system.h"

#include <windows.h>

#include "framework/wide.h"

namespace quillon {

bool FileOrFolderExists(const std::u16string& path) {
  if (path.find_first_of(u"*?") != std::u16string::npos) return false;
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileW(Wide(path), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  ::FindClose(search);
  return true;
}

bool FileExists(const std::u16string& path) {
  const DWORD attributes = ::GetFileAttributesW(Wide(path));
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace quillon
