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
