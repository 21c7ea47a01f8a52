#include "cli/platform.h"

#include "base/text_convert.h"

namespace quillon {

std::u16string CataloguePath(const std::filesystem::path& file) {
  std::u16string path = u"Z:" + FromUtf8(std::filesystem::absolute(file).lexically_normal().string());
  for (char16_t& c : path) {
    if (c == u'/') c = u'\\';
  }
  return path;
}

void WriteText(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace quillon
