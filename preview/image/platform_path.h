// How a catalogued full path (Path + "\" + FileName) reaches the file system.
#pragma once

#include <string>
#include <string_view>

namespace quillon {

// Whether the file system finds an entry by exactly that path.
bool FileExistsAt(const std::u16string& fullPath);

// The path in the system's narrow code page, as the readers open it. False when a character
// has no narrow form or the result needs more than kNarrowPathBytes bytes with its terminator.
bool NarrowPathFor(std::u16string_view fullPath, std::string& narrowPath);

inline constexpr std::size_t kNarrowPathBytes = 256;

}  // namespace quillon
