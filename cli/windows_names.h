// Which file names Windows can open: the program finds a catalogued file again only by its
// Windows path, so a name Windows cannot hold must never be catalogued.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillon {

// Why Windows cannot open a file or folder called `name` (one part of a path), or nothing
// when it can.
std::optional<std::u16string> WindowsNameProblem(std::u16string_view name);

}  // namespace quillon
