// The one text conversion of the project: UTF-8 (files, terminals) to and from UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace quillon {

std::u16string FromUtf8(std::string_view text);
std::string ToUtf8(std::u16string_view text);

}  // namespace quillon
