// The per-user Run value that starts the program when the user logs on:
// HKEY_CURRENT_USER\SOFTWARE\Microsoft\windows\currentversion\run, "Veldmark Quillon".
#pragma once

#include <string>

namespace quillon {

inline constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\windows\\currentversion\\run";
inline constexpr wchar_t kRunValueName[] = L"Veldmark Quillon";

// Sets the value to `command` (REG_SZ), creating the key if the user has none yet.
void RegisterAutorun(const std::u16string& command);
void UnregisterAutorun();

// The full file name of the running program.
std::u16string ProgramPath();

}  // namespace quillon
