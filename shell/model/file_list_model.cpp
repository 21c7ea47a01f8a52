#include "shell/model/file_list_model.h"

#include "catalogue/tag_database.h"
#include "catalogue/tag_text.h"
#include "resources/user_texts.h"

namespace quillon {

std::u16string ListingFilter(std::u16string_view tagText) {
  if (!tagText.empty() && tagText.front() == u';') return std::u16string(kAllFilesTagText);
  return std::u16string(tagText);
}

bool ShowsInSearchBox(std::u16string_view filter) { return filter != kAllFilesTagText; }

std::u16string ReadyStatusText(std::u16string_view ready, std::uint32_t shown,
                               std::uint32_t found) {
  std::u16string text(ready);
  if (found > shown) {
    std::u16string count = UserText(TEXT_SHOWING_COUNT);
    count.replace(count.find(u"{shown}"), 7, SqlInteger(shown));
    count.replace(count.find(u"{found}"), 7, SqlInteger(found));
    text += count;
  }
  return text;
}

}  // namespace quillon
