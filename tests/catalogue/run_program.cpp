#include "run_program.h"

#include <fstream>
#include <iterator>

#ifdef _WIN32
#include "framework/wide.h"
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include "base/text_convert.h"
#endif

namespace quillon::testing {
namespace {

// The text of an output file, line ends as "\n" whichever system wrote it.
std::string ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string text(std::istreambuf_iterator<char>(in), {});
  std::erase(text, '\r');
  return text;
}

#ifdef _WIN32
// One argument as the C runtime's command-line parser reads it back.
std::wstring QuoteArgument(const std::u16string& arg) {
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const char16_t c : arg) {
    if (c == u'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == u'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    quoted += static_cast<wchar_t>(c);
    backslashes = 0;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L'"';
}

HANDLE InheritableFile(const std::filesystem::path& file) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, &inherit,
                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

int Spawn(std::filesystem::path program, const std::vector<std::u16string>& args,
          const std::filesystem::path& out, const std::filesystem::path& err) {
  // Wine starts a path with "/" separators through a launcher that does not wait for it.
  program.make_preferred();
  std::wstring line = QuoteArgument(program.u16string());
  for (const auto& arg : args) line += L' ' + QuoteArgument(arg);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = InheritableFile(out);
  startup.hStdError = InheritableFile(err);
  PROCESS_INFORMATION process{};
  int code = -1;
  if (CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                     nullptr, nullptr, &startup, &process)) {
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    if (GetExitCodeProcess(process.hProcess, &exitCode)) code = static_cast<int>(exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(startup.hStdOutput);
  CloseHandle(startup.hStdError);
  return code;
}
#else
int Spawn(const std::filesystem::path& program, const std::vector<std::u16string>& args,
          const std::filesystem::path& out, const std::filesystem::path& err) {
  std::vector<std::string> texts{program.string()};
  for (const auto& arg : args) texts.push_back(ToUtf8(arg));
  std::vector<char*> argv;
  for (auto& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_t child = 0;
  int code = -1;
  int status = 0;
  if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0 &&
      waitpid(child, &status, 0) == child && WIFEXITED(status)) {
    code = WEXITSTATUS(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  return code;
}
#endif

}  // namespace

ProgramRun RunProgram(const std::filesystem::path& program, const std::vector<std::u16string>& args,
                      const std::filesystem::path& scratch) {
  // Fresh files for every run: under Wine a program that has ended may hold its output files a
  // moment longer.
  static int runs = 0;
  const std::string runNumber = std::to_string(++runs);
  const auto out = scratch / ("program-out-" + runNumber + ".txt");
  const auto err = scratch / ("program-err-" + runNumber + ".txt");
  ProgramRun run;
  run.exitCode = Spawn(program, args, out, err);
  run.out = ReadAll(out);
  run.err = ReadAll(err);
  return run;
}

}  // namespace quillon::testing
