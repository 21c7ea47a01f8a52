#include "dialogs/tag_list_editing.h"

#include <algorithm>

#include "catalogue/tag_text.h"

namespace quillon {
namespace {

char16_t LowerAToZ(char16_t c) { return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c; }

bool Contains(const std::vector<std::u16string>& tags, std::u16string_view tag) {
  return std::any_of(tags.begin(), tags.end(),
                     [tag](const std::u16string& item) { return EqualsFoldingAToZ(item, tag); });
}

}  // namespace

bool EqualsFoldingAToZ(std::u16string_view a, std::u16string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char16_t x, char16_t y) { return LowerAToZ(x) == LowerAToZ(y); });
}

std::vector<std::u16string> TagsToAdd(const std::vector<std::u16string>& list,
                                      std::u16string_view typed) {
  std::vector<std::u16string> added;
  for (auto& tag : SplitTagUnits(NormalizeTagText(typed))) {
    if (!Contains(list, tag) && !Contains(added, tag)) added.push_back(std::move(tag));
  }
  return added;
}

}  // namespace quillon
