#include "cli/windows_names.h"

#include <array>

namespace quillon {
namespace {

char16_t Upper(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

// Windows opens a device, not a file, for these names in any case and with any extension:
// CON, PRN, AUX, NUL, COM1-COM9 and LPT1-LPT9 ("nul.txt", "Com1.log", "con .gif").
bool IsReservedDeviceName(std::u16string_view name) {
  std::u16string_view stem = name.substr(0, name.find(u'.'));
  while (!stem.empty() && stem.back() == u' ') stem.remove_suffix(1);
  std::u16string upper;
  for (const char16_t c : stem) upper.push_back(Upper(c));
  static constexpr std::array<std::u16string_view, 4> kDevices = {u"CON", u"PRN", u"AUX", u"NUL"};
  for (const std::u16string_view device : kDevices) {
    if (upper == device) return true;
  }
  return upper.size() == 4 && (upper.starts_with(u"COM") || upper.starts_with(u"LPT")) &&
         upper[3] >= u'1' && upper[3] <= u'9';
}

}  // namespace

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
  if (IsReservedDeviceName(name)) return u"the name is reserved for a device";
  return std::nullopt;
}

}  // namespace quillon
