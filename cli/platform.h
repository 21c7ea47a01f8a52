// What quillon-catalogue needs from the system it runs on.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace quillon {

// The full Windows path under which a file is catalogued: the Windows build asks the system,
// elsewhere the path reads as Wine shows it (drive Z: is the root, "\" separators).
std::u16string CataloguePath(const std::filesystem::path& file);

// Writes UTF-8 text to `stream`, shown correctly also on a Windows console.
void WriteText(std::FILE* stream, std::string_view text);

}  // namespace quillon
