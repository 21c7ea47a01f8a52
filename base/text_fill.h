// Texts with named blanks, "{count}" and the like, filled in at the moment they are shown:
//
//   FillIn(u"Added {added} files", {{u"{added}", NumberText(21)}})   // "Added 21 files"
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace quillon {

using TextBlank = std::pair<std::u16string_view, std::u16string>;

// Every occurrence of each blank replaced by its value; blanks the text lacks are ignored.
std::u16string FillIn(std::u16string text, std::initializer_list<TextBlank> blanks);

std::u16string NumberText(std::size_t number);

}  // namespace quillon
