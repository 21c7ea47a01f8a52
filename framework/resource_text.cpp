#include "framework/resource_text.h"

#include "framework/wide.h"

namespace quillon {

HINSTANCE ResourceModule() { return ::GetModuleHandleW(nullptr); }

std::u16string LoadResourceString(UINT id) {
  // With a zero buffer size LoadStringW hands out the resource's own, unterminated text.
  const wchar_t* text = nullptr;
  const int length = ::LoadStringW(ResourceModule(), id, reinterpret_cast<wchar_t*>(&text), 0);
  return length > 0 && text ? FromWide(text, static_cast<std::size_t>(length)) : std::u16string();
}

}  // namespace quillon
