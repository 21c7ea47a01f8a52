// The rules of every list of catalogued files that need no window: the sort order, which icon a
// file shares with others, and the texts the record commands build from records.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/tables.h"

namespace quillon {

// The list's columns: "File Name", "Tags", "Path".
inline constexpr int kFileListColumns = 3;

// The column the rows are sorted by and each column's own direction.
class FileListSort {
 public:
  // Column 0, every column ascending.
  void Reset();
  // A header click: the clicked column becomes the sort column and its direction flips, so
  // the first click on a column sorts it descending. Other numbers are ignored.
  void ClickColumn(int column);

  int Column() const { return column_; }
  bool Ascending(int column) const;
  // Turns the comparison of two rows' texts (negative, 0, positive, as the platform's string
  // comparison gives it) into their order in the list.
  int Order(int comparison) const;

 private:
  int column_ = 0;
  std::array<bool, kFileListColumns> ascending_{true, true, true};
};

// The full paths of the records, each but the first after "; ".
std::u16string JoinFullPaths(const std::vector<FileRecord>& records);
// The tags of the records merged in order, without repeating one, in canonical form.
std::u16string SameTagsText(const std::vector<FileRecord>& records);
// The parameters of rundll32.exe that ask the user which program opens `fullPath`.
std::u16string OpenWithParameters(std::u16string_view fullPath);

// Files whose names end alike get the same shell icon: the extension after the last ".",
// with the letters A to Z folded to lower case; empty for a name without one.
std::u16string FileTypeKey(std::u16string_view fileName);
// Types whose icon belongs to each file rather than to the type (programs, icons, cursors,
// shortcuts): only for these is the file itself worth asking about.
bool HasOwnIcon(std::u16string_view typeKey);

}  // namespace quillon
