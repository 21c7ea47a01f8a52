// Catalogued paths on Windows: a find-file query, and the ANSI code page for the readers.
#include <windows.h>

#include "framework/file_system.h"
#include "framework/wide.h"
#include "preview/image/platform_path.h"

namespace quillon {

// Windows names never hold "*" or "?", so the framework's wildcard rule changes nothing here.
bool FileExistsAt(const std::u16string& fullPath) { return FileOrFolderExists(fullPath); }

bool NarrowPathFor(std::u16string_view fullPath, std::string& narrowPath) {
  const std::u16string path(fullPath);
  char buffer[kNarrowPathBytes];
  BOOL lossy = FALSE;
  // The UTF-8 code page represents every character and refuses the lossy flag.
  BOOL* lossyFlag = GetACP() == CP_UTF8 ? nullptr : &lossy;
  const int written = WideCharToMultiByte(CP_ACP, 0, Wide(path), -1, buffer,
                                          static_cast<int>(sizeof buffer), nullptr, lossyFlag);
  if (written <= 0 || lossy) return false;
  narrowPath.assign(buffer, static_cast<std::size_t>(written - 1));
  return true;
}

}  // namespace quillon
