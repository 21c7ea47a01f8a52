// The settings file's names and values, and the autorun command, without <windows.h>.
//
// update.dat (in the data folder) holds a few flags, "Yes" or "No", and the quick bar's
// position. A flag is on only when its value is exactly "Yes"; an absent flag reads as "Yes".
#pragma once

#include <string>
#include <string_view>

namespace quillon {

inline constexpr char16_t kSectionSoftware[] = u"Software";
inline constexpr char16_t kSectionQuickBar[] = u"QuickBar";
inline constexpr char16_t kKeyWindowsMode[] = u"WindowsMode";  // the first start is still due
inline constexpr char16_t kKeyAutorun[] = u"Autorun";
inline constexpr char16_t kKeyAutoshow[] = u"Autoshow";  // in [QuickBar]
inline constexpr char16_t kKeyQuickBarX[] = u"QuickBarX";
inline constexpr char16_t kKeyQuickBarY[] = u"QuickBarY";

inline constexpr char16_t kFlagOn[] = u"Yes";
inline constexpr char16_t kFlagOff[] = u"No";

inline std::u16string SettingsPathIn(std::u16string_view dataFolder) {
  return std::u16string(dataFolder) + u"\\update.dat";
}

// Case matters: "yes" is off.
inline bool IsFlagOn(std::u16string_view value) { return value == kFlagOn; }

inline std::u16string FlagText(bool on) { return on ? kFlagOn : kFlagOff; }

// A number as the initialisation-file functions read one: an optional "-" and the decimal
// digits that follow (0 when there are none, held within the int range); `fallback` for an
// absent or empty value.
inline int SettingsNumber(std::u16string_view text, int fallback) {
  if (text.empty()) return fallback;
  const bool negative = text.front() == u'-';
  long long value = 0;
  for (std::size_t i = negative ? 1 : 0; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = value * 10 + (text[i] - u'0');
    if (value > 2147483648LL) value = 2147483648LL;
  }
  if (negative) value = -value;
  if (value > 2147483647LL) value = 2147483647LL;
  return static_cast<int>(value);
}

// The data of the Run value that starts the program at logon, hidden in the tray. A path with
// a blank is quoted, so the system never runs a program named by the path's first words.
inline std::u16string AutorunCommand(std::u16string_view programPath) {
  const bool quote = programPath.find(u' ') != std::u16string_view::npos;
  std::u16string command;
  if (quote) command += u'"';
  command += programPath;
  if (quote) command += u'"';
  return command + u" -m";
}

}  // namespace quillon
