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

std::u16string CountedStatusText(std::u16string_view one, std::u16string_view many,
                                 std::size_t count) {
  if (count == 0) return {};
  if (count == 1) return std::u16string(one);
  std::u16string text(many);
  constexpr std::u16string_view kCount = u"{count}";
  const std::size_t at = text.find(kCount);
  if (at != std::u16string::npos) {
    text.replace(at, kCount.size(), SqlInteger(static_cast<std::int64_t>(count)));
  }
  return text;
}

}  // namespace quillon
