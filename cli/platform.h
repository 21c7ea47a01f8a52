// What quillon-catalogue needs from the system it runs on.
#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quillon {

// The full Windows path under which a file is catalogued: the Windows build asks the system,
// elsewhere the path reads as Wine shows it (drive Z: is the root, "\" separators). Nothing,
// with the reason in `problem`, when Windows could not open the file under any such path.
std::optional<std::u16string> CataloguePath(const std::filesystem::path& file,
                                            std::u16string& problem);

// Whether `stream` is a terminal (a console on Windows).
bool IsTerminal(std::FILE* stream);
// Whether a folder walk leaves the file out: hidden or system on Windows, a dot name elsewhere.
bool IsHiddenOrSystem(const std::filesystem::path& file);

// Writes UTF-8 text to `stream`, shown correctly also on a Windows console.
void WriteText(std::FILE* stream, std::string_view text);

}  // namespace quillon
