// The catalogued files that the last search for moved files could not find, by full path. One
// set serves the whole program: the lists draw these rows greyed and the hover preview says
// the file is missing. Read and written on the window thread only.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

namespace quillon {

class MissingFiles {
 public:
  // Each search looks at every catalogued file: its result replaces the set, so a file found
  // again leaves it.
  void Replace(const std::vector<std::u16string>& fullPaths) {
    paths_ = std::unordered_set<std::u16string>(fullPaths.begin(), fullPaths.end());
  }
  bool Contains(const std::u16string& fullPath) const { return paths_.count(fullPath) != 0; }
  std::size_t Count() const { return paths_.size(); }

 private:
  std::unordered_set<std::u16string> paths_;
};

}  // namespace quillon
