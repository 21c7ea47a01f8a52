// The small shell icons of file types, by their place in the platform's system image list.
// Asking the shell costs about half a millisecond a call, so each file type is asked once.
#pragma once

#include <string>
#include <unordered_map>

namespace quillon {

class FileTypeIcons {
 public:
  // The icon of `fileName`'s type, chosen by the name alone: a file that is gone still shows
  // its type's icon.
  int SmallIconIndex(const std::u16string& fileName);

 private:
  std::unordered_map<std::u16string, int> byType_;
};

}  // namespace quillon
