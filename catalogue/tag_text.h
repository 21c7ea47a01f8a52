// Tag texts: a list of tags as one string, each tag followed by ";".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// The wildcard tag text: every catalogued file that carries at least one tag.
inline constexpr std::u16string_view kAllFilesTagText = u"*;";

// Free input (tags separated by blanks or ";") in canonical form: each tag followed by ";".
std::u16string NormalizeTagText(std::u16string_view text);

// The text without leading and trailing blanks (U+0020 only); nothing for an all-blank text.
std::optional<std::u16string> TrimBlanks(std::u16string_view text);

// Appends to `target` each unit of NormalizeTagText(text) that `target` does not contain.
void MergeTagText(std::u16string& target, std::u16string_view text);

// The texts before each ";" in turn (empty pieces included); text after the last ";" is dropped.
std::vector<std::u16string> SplitTagUnits(std::u16string_view text);

// The unit with a to z as A to Z: the catalogue takes tags that differ only so as one tag.
inline char16_t FoldAsciiCase(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
}

// Each tag followed by ";".
std::u16string JoinTags(const std::vector<std::u16string>& tags);

}  // namespace quillon
