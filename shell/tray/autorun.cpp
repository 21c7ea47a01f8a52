#include "shell/tray/autorun.h"

#include <windows.h>

#include "framework/gdi.h"
#include "framework/wide.h"

namespace quillon {
namespace {

void CloseKey(HKEY key) { ::RegCloseKey(key); }
using OwnedKey = UniqueHandle<HKEY, CloseKey>;

OwnedKey OpenRunKey() {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
    return OwnedKey();
  }
  return OwnedKey(key);
}

}  // namespace

void RegisterAutorun(const std::u16string& command) {
  const OwnedKey key = OpenRunKey();
  if (!key) return;
  const auto bytes = static_cast<DWORD>((command.size() + 1) * sizeof(char16_t));
  ::RegSetValueExW(key, kRunValueName, 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(command.c_str()), bytes);
}

void UnregisterAutorun() {
  const OwnedKey key = OpenRunKey();
  if (key) ::RegDeleteValueW(key, kRunValueName);
}

std::u16string ProgramPath() {
  // A long installation path is read whole: a cut-off path would start nothing.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) return FromWide(path.data(), length);
    path.resize(path.size() * 2);
  }
}

}  // namespace quillon
