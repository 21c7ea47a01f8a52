// quillon-catalogue: makes, fills and reads a catalogue without the program's windows.
#pragma once

#include <string>
#include <vector>

namespace quillon {

inline constexpr int kCliSucceeded = 0;
inline constexpr int kCliFailed = 1;        // refused, missing catalogue, failed statement
inline constexpr int kCliBadArguments = 2;  // unknown command, wrong operands

// Runs one command (the arguments after the program name); UTF-8 text for the standard output
// goes to `out`, messages to `err`. Returns the exit code.
int RunCatalogueCli(const std::vector<std::u16string>& args, std::string& out, std::string& err);

}  // namespace quillon
