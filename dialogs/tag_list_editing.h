// The tag list editing shared by the Edit Tags and Edit Folder dialogs: typed tags go to the
// top of the list, each once, with the letters A to Z compared without case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// True when both texts are equal once the letters A to Z are taken as lower case. No other
// letter is folded, so "É" and "é" stay different, as in the catalogue's own comparisons.
bool EqualsFoldingAToZ(std::u16string_view a, std::u16string_view b);

// The tags of `typed` (split at blanks and ";") that "Add" puts into `list`, in input order;
// the caller inserts each one at the top. Tags already in the list, or typed earlier in the
// same text, are left out.
std::vector<std::u16string> TagsToAdd(const std::vector<std::u16string>& list,
                                      std::u16string_view typed);

}  // namespace quillon
