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

std::u16string FullPathOf(const std::u16string& path) {
  const DWORD size = ::GetFullPathNameW(Wide(path), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD length = ::GetFullPathNameW(Wide(path), size, full.data(), nullptr);
  if (length == 0 || length >= size) return path;
  full.resize(length);
  return FromWide(full);
}

}  // namespace quillon
