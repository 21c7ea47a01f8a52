#include "catalogue/tag_text.h"

namespace quillon {

std::u16string NormalizeTagText(std::u16string_view text) {
  std::u16string result;
  std::size_t start = 0;
  // The text is closed by an imagined trailing blank, so the last tag ends like the others.
  for (std::size_t pos = 0; pos <= text.size(); ++pos) {
    if (pos == text.size() || text[pos] == u' ' || text[pos] == u';') {
      if (pos > start) {
        result.append(text.substr(start, pos - start));
        result.push_back(u';');
      }
      start = pos + 1;
    }
  }
  return result;
}

std::optional<std::u16string> TrimBlanks(std::u16string_view text) {
  const auto first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) return std::nullopt;
  const auto last = text.find_last_not_of(u' ');
  return std::u16string(text.substr(first, last - first + 1));
}

void MergeTagText(std::u16string& target, std::u16string_view text) {
  for (const auto& tag : SplitTagUnits(NormalizeTagText(text))) {
    const std::u16string unit = tag + u';';
    if (target.find(unit) == std::u16string::npos) target += unit;
  }
}

std::vector<std::u16string> SplitTagUnits(std::u16string_view text) {
  std::vector<std::u16string> units;
  for (auto end = text.find(u';'); end != std::u16string_view::npos; end = text.find(u';')) {
    units.emplace_back(text.substr(0, end));
    text.remove_prefix(end + 1);
  }
  return units;
}

std::u16string JoinTags(const std::vector<std::u16string>& tags) {
  std::u16string joined;
  for (const auto& tag : tags) {
    joined += tag;
    joined += u';';
  }
  return joined;
}

}  // namespace quillon
