#include "cli/windows_names.h"

namespace quillon {

std::optional<std::u16string> WindowsNameProblem(std::u16string_view name) {
  for (const char16_t c : name) {
    if (c < 0x20) return u"it contains a control character";
    if (c == u'\\') return u"it contains \"\\\", the Windows path separator";
    if (std::u16string_view(u"<>:\"|?*").find(c) != std::u16string_view::npos) {
      return u"it contains \"" + std::u16string(1, c) + u"\", which Windows does not allow";
    }
  }
  if (!name.empty() && (name.back() == u'.' || name.back() == u' ')) {
    return u"it ends in a dot or a blank, which Windows drops";
  }
  return std::nullopt;
}

}  // namespace quillon
