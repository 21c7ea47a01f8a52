#include "base/text_fill.h"

namespace quillon {

std::u16string FillIn(std::u16string text, std::initializer_list<TextBlank> blanks) {
  for (const auto& [blank, value] : blanks) {
    // Searching on after the value keeps a value that holds a blank's name as it is.
    for (auto at = text.find(blank); at != std::u16string::npos;
         at = text.find(blank, at + value.size())) {
      text.replace(at, blank.size(), value);
    }
  }
  return text;
}

std::u16string NumberText(std::size_t number) {
  std::u16string text;
  do {
    text.insert(text.begin(), static_cast<char16_t>(u'0' + number % 10));
    number /= 10;
  } while (number != 0);
  return text;
}

}  // namespace quillon
