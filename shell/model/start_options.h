// Start-up decisions that need no window: where the data lives and whether to start hidden.
#pragma once

#include <string>
#include <string_view>

#include "shell/model/command_line.h"

namespace quillon {

// The program's data folder under the user's application-data folder, without a trailing
// separator.
inline std::u16string DataFolderUnder(std::u16string_view applicationData) {
  return std::u16string(applicationData) + u"\\Veldmark\\Quillon";
}

inline std::u16string CataloguePathIn(std::u16string_view dataFolder) {
  return std::u16string(dataFolder) + u"\\data.dat";
}

// A command line whose last argument is "-m" (the autorun entry's) starts with the main window
// hidden; a file whose name ends in "m" does not.
inline bool StartsHidden(std::u16string_view commandLine) {
  return EndsWithHiddenSwitch(SplitCommandLine(commandLine));
}

}  // namespace quillon
