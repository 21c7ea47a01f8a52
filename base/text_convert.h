// The one text conversion of the project: UTF-8 (files, terminals, the catalogue's storage) to
// and from UTF-16.
//
// Windows file names are any sequence of 16-bit units, unpaired surrogates included. Such a
// unit is written as the three bytes its code point would take (the generalised UTF-8 that
// keeps unpaired surrogates) and read back as that same unit, so every name round-trips
// exactly; valid text converts as standard UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace quillon {

std::u16string FromUtf8(std::string_view text);
// The same into `out`, reusing its storage.
void AssignFromUtf8(std::u16string& out, std::string_view text);
std::string ToUtf8(std::u16string_view text);
// The same into `out`, reusing its storage.
void AssignToUtf8(std::string& out, std::u16string_view text);

// True when `text` is strict UTF-8: no broken sequence and no encoded surrogate.
bool IsValidUtf8(std::string_view text);

}  // namespace quillon
