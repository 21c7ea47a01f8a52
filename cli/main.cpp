// quillon-catalogue: arguments in, UTF-8 text out.
#include <cstdio>
#include <string>
#include <vector>

#include "base/text_convert.h"
#include "cli/catalogue_cli.h"
#include "cli/platform.h"
#ifdef _WIN32
#include "framework/wide.h"
#endif

namespace {

int Run(const std::vector<std::u16string>& args) {
  std::string out;
  std::string err;
  const int code = quillon::RunCatalogueCli(args, out, err);
  quillon::WriteText(stdout, out);
  quillon::WriteText(stderr, err);
  // Flushed here rather than at exit: Wine lets a waiting parent go on before the runtime's own
  // final flush, and a failed write must not end in success.
  const bool written = std::fflush(stdout) == 0 && !std::ferror(stdout);
  std::fflush(stderr);
  return code == quillon::kCliSucceeded && !written ? quillon::kCliFailed : code;
}

}  // namespace

#ifdef _WIN32
// Windows hands the arguments over as UTF-16, whatever the code page.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) args.push_back(quillon::FromWide(argv[i]));
  return Run(args);
}
#else
int main(int argc, char** argv) {
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) args.push_back(quillon::FromUtf8(argv[i]));
  return Run(args);
}
#endif
