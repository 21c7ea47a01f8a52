// A new, empty catalogue: the three tables, their indexes and the root folder row.
#pragma once

#include <string>

namespace quillon {

// The name and tag text of the root folder row; "*;" lists every catalogued file.
inline constexpr char16_t kRootFolderName[] = u"All Files";
inline constexpr char16_t kRootFolderTags[] = u"*;";

// Creates the catalogue file at `path`. Never touches an existing file: false, with the
// reason in `error` when one is given, if the file exists or cannot be made.
bool CreateCatalogue(const std::u16string& path, std::u16string* error = nullptr);

}  // namespace quillon
