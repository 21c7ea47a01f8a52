#include "cli/platform.h"

#include <unistd.h>

#include "base/text_convert.h"
#include "cli/windows_names.h"

namespace quillon {

std::optional<std::u16string> CataloguePath(const std::filesystem::path& file,
                                            std::u16string& problem) {
  const std::filesystem::path full = std::filesystem::absolute(file).lexically_normal();
  std::u16string path = u"Z:";
  for (const std::filesystem::path& part : full.relative_path()) {
    const std::string& bytes = part.native();
    if (bytes.empty()) continue;  // after a trailing "/"
    if (!IsValidUtf8(bytes)) {
      problem = u"the name \"" + FromUtf8(bytes) + u"\" is not UTF-8 text";
      return std::nullopt;
    }
    const std::u16string name = FromUtf8(bytes);
    if (auto reason = WindowsNameProblem(name)) {
      problem = u"Windows cannot open \"" + name + u"\": " + *reason;
      return std::nullopt;
    }
    path += u'\\';
    path += name;
  }
  return path;
}

bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) != 0; }
bool IsHiddenOrSystem(const std::filesystem::path& file) {
  return file.filename().native().starts_with('.');
}

void WriteText(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace quillon
