// The settings file update.dat, read and written one key at a time in the platform's
// initialisation-file format. Nothing is cached: every read sees what the file holds now.
//
//   const SettingsFile settings(SettingsPathIn(app.DataFolder()));
//   if (settings.ReadFlag(kSectionQuickBar, kKeyAutoshow)) ...
//   settings.WriteFlag(kSectionSoftware, kKeyAutorun, false);
//
// A missing or unreadable file reads as the defaults; failed writes are not reported.
#pragma once

#include <string>
#include <utility>

namespace quillon {

class SettingsFile {
 public:
  explicit SettingsFile(std::u16string path) : path_(std::move(path)) {}

  std::u16string ReadText(const char16_t* section, const char16_t* key,
                          const char16_t* fallback) const;
  void WriteText(const char16_t* section, const char16_t* key, const std::u16string& value) const;

  // On only when the value is exactly "Yes"; an absent flag is on.
  bool ReadFlag(const char16_t* section, const char16_t* key) const;
  void WriteFlag(const char16_t* section, const char16_t* key, bool on) const;
  // A decimal number, or `fallback` when the key is absent.
  int ReadNumber(const char16_t* section, const char16_t* key, int fallback) const;
  // Decimal, as "%d" writes it.
  void WriteNumber(const char16_t* section, const char16_t* key, int value) const;

  const std::u16string& Path() const { return path_; }

 private:
  std::u16string path_;
};

}  // namespace quillon
