// The decisions of the main window's file list that need no window: the sort order, the filter
// a listing uses and the status line.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

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

// The tag text a listing searches for: a text starting with ";" lists everything ("*;").
std::u16string ListingFilter(std::u16string_view tagText);
// The search box shows every listed filter but the one of the whole catalogue.
bool ShowsInSearchBox(std::u16string_view filter);

// The status line once the catalogue is loaded: `ready` ("Ready"), and, when a search found
// more files than the list holds, how many of them it shows.
std::u16string ReadyStatusText(std::u16string_view ready, std::uint32_t shown,
                               std::uint32_t found);

}  // namespace quillon
