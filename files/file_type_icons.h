// The small shell icons of file types, by their place in the platform's system image list.
// Asking the shell costs about half a millisecond a call by name and 5-7 ms by the file itself
// under Wine, so each file type is asked once, and a file itself only where its icon is its own.
#pragma once

#include <string>
#include <unordered_map>

namespace quillon {

class FileTypeIcons {
 public:
  // The icon of `fileName`'s type, chosen by the name alone: a file that is gone still shows
  // its type's icon.
  int SmallIconIndex(const std::u16string& fileName);
  // The icon the file at `fullPath` shows: its own for programs, icons, cursors and shortcuts
  // (the generic file icon when such a file is gone), its type's for every other file.
  int SmallIconIndexOfFile(const std::u16string& fullPath);

 private:
  std::unordered_map<std::u16string, int> byType_;
};

}  // namespace quillon
