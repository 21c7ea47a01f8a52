#include "framework/file_system.h"

#include <windows.h>

#include "framework/gdi.h"
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

PathKind SystemFolderReader::Kind(const std::u16string& path) {
  const DWORD attributes = ::GetFileAttributesW(Wide(path));
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::kMissing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::kFolder : PathKind::kFile;
}

bool SystemFolderReader::Read(const std::u16string& folder, std::vector<FolderEntry>& entries) {
  const std::u16string pattern =
      folder + (folder.ends_with(u'\\') ? u"*" : u"\\*");
  WIN32_FIND_DATAW found;
  const OwnedFind search(::FindFirstFileExW(Wide(pattern), FindExInfoBasic, &found,
                                            FindExSearchNameMatch, nullptr,
                                            FIND_FIRST_EX_LARGE_FETCH));
  if (search.Get() == INVALID_HANDLE_VALUE) return false;
  do {
    const std::u16string name = FromWide(found.cFileName);
    if (name == u"." || name == u"..") continue;
    const DWORD attributes = found.dwFileAttributes;
    entries.push_back({name, (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                       (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0,
                       (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
  } while (::FindNextFileW(search, &found));
  return ::GetLastError() == ERROR_NO_MORE_FILES;
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
