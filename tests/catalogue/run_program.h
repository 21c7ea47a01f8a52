// Runs a program to its end with its output caught, for tests of command-line programs.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quillon::testing {

struct ProgramRun {
  int exitCode = -1;  // -1: the program could not be started
  std::string out;
  std::string err;
};

// Runs `program` with `args` (passed unchanged, whatever blanks or quotes they hold); the two
// output streams go through files in `scratch`.
ProgramRun RunProgram(const std::filesystem::path& program, const std::vector<std::u16string>& args,
                      const std::filesystem::path& scratch);

}  // namespace quillon::testing
