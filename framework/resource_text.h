// Texts of the string table (resources/quillon.rc), by the ids of resources/resource.h:
//
//   ShowMessage(hwnd, LoadResourceString(IDS_SELECT_FILE));
#pragma once

#include <windows.h>

#include <string>

namespace quillon {

// The module whose resources the program uses (the executable).
HINSTANCE ResourceModule();

// The string `id` of the string table; empty when there is none.
std::u16string LoadResourceString(UINT id);

}  // namespace quillon
