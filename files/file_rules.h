// The rules of every list of catalogued files that need no window: which icon a file shares with
// others, and the texts the record commands build from records.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/tables.h"

namespace quillon {

// The full paths of the records, each but the first after "; ".
std::u16string JoinFullPaths(const std::vector<FileRecord>& records);
// The tags of the records merged in order, without repeating one, in canonical form.
std::u16string SameTagsText(const std::vector<FileRecord>& records);
// The parameters of rundll32.exe that ask the user which program opens `fullPath`.
std::u16string OpenWithParameters(std::u16string_view fullPath);

// Files whose names end alike get the same shell icon: the extension after the last ".",
// with the letters A to Z folded to lower case; empty for a name without one.
std::u16string FileTypeKey(std::u16string_view fileName);
// Types whose icon belongs to each file rather than to the type (programs, icons, cursors,
// shortcuts): only for these is the file itself worth asking about.
bool HasOwnIcon(std::u16string_view typeKey);

}  // namespace quillon
