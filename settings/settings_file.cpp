#include "settings/settings_file.h"

#include <windows.h>

#include "framework/wide.h"
#include "settings/settings_keys.h"

namespace quillon {
namespace {

// The longest value the program reads back.
constexpr DWORD kValueBuffer = 260;

}  // namespace

std::u16string SettingsFile::ReadText(const char16_t* section, const char16_t* key,
                                      const char16_t* fallback) const {
  wchar_t value[kValueBuffer] = {};
  const DWORD length = ::GetPrivateProfileStringW(Wide(section), Wide(key), Wide(fallback), value,
                                                  kValueBuffer, Wide(path_));
  return FromWide(value, length);
}

void SettingsFile::WriteText(const char16_t* section, const char16_t* key,
                             const std::u16string& value) const {
  ::WritePrivateProfileStringW(Wide(section), Wide(key), Wide(value), Wide(path_));
}

bool SettingsFile::ReadFlag(const char16_t* section, const char16_t* key) const {
  return IsFlagOn(ReadText(section, key, kFlagOn));
}

void SettingsFile::WriteFlag(const char16_t* section, const char16_t* key, bool on) const {
  WriteText(section, key, FlagText(on));
}

// Read as text: GetPrivateProfileIntW gives 0 for a negative number on Windows, and a quick bar
// on a screen left of the main one sits at a negative x.
int SettingsFile::ReadNumber(const char16_t* section, const char16_t* key, int fallback) const {
  return SettingsNumber(ReadText(section, key, u""), fallback);
}

void SettingsFile::WriteNumber(const char16_t* section, const char16_t* key, int value) const {
  const std::string digits = std::to_string(value);
  WriteText(section, key, std::u16string(digits.begin(), digits.end()));
}

}  // namespace quillon
