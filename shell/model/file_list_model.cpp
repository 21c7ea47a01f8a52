#include "shell/model/file_list_model.h"

#include "catalogue/tag_database.h"
#include "catalogue/tag_text.h"

namespace quillon {

void FileListSort::Reset() {
  column_ = 0;
  ascending_.fill(true);
}

void FileListSort::ClickColumn(int column) {
  if (column < 0 || column >= kFileListColumns) return;
  column_ = column;
  ascending_[column] = !ascending_[column];
}

bool FileListSort::Ascending(int column) const {
  return column < 0 || column >= kFileListColumns || ascending_[column];
}

int FileListSort::Order(int comparison) const {
  const int sign = (comparison > 0) - (comparison < 0);
  return Ascending(column_) ? sign : -sign;
}

std::u16string ListingFilter(std::u16string_view tagText) {
  if (!tagText.empty() && tagText.front() == u';') return std::u16string(kAllFilesTagText);
  return std::u16string(tagText);
}

bool ShowsInSearchBox(std::u16string_view filter) { return filter != kAllFilesTagText; }

std::u16string ReadyStatusText(std::u16string_view ready, std::uint32_t shown,
                               std::uint32_t found) {
  std::u16string text(ready);
  if (found > shown) {
    text += u" - showing " + SqlInteger(shown) + u" of " + SqlInteger(found) + u" files";
  }
  return text;
}

}  // namespace quillon
