// The Win32 boundary for the program's UTF-16 texts.
//
// Portable code holds texts as std::u16string; Windows wants wchar_t*. On Windows both are the
// same 16-bit units, so a text is only viewed, never converted:
//   SetWindowTextW(hwnd, Wide(title));
//   std::u16string name = FromWide(buffer);
// UTF-8 conversion is elsewhere (base/text_convert.h).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace quillon {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

inline const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

inline const wchar_t* Wide(const std::u16string& text) { return Wide(text.c_str()); }

inline std::u16string FromWide(const wchar_t* text) {
  return text ? std::u16string(reinterpret_cast<const char16_t*>(text)) : std::u16string();
}

inline std::u16string FromWide(const wchar_t* text, std::size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

inline std::u16string FromWide(std::wstring_view text) {
  return FromWide(text.data(), text.size());
}

// The text of any window or control.
std::u16string GetWindowTextU16(HWND window);

}  // namespace quillon
