#include "ui/popup_menu.h"

#include "ui/office_menu.h"

namespace quillon {

UINT PopupMenuAt(UINT menuResourceId, HWND owner, int x, int y,
                 std::initializer_list<UINT> checked) {
  UINT command = 0;
  {
    COfficeXPMenu menu;
    if (!menu.LoadMenu(menuResourceId)) return 0;
    for (const UINT id : checked) ::CheckMenuItem(menu.Handle(), id, MF_BYCOMMAND | MF_CHECKED);
    COfficeXPMenu::SetDrawModes(1, 1);
    const HMENU popup = ::GetSubMenu(menu.Handle(), 0);
    if (!popup) return 0;
    command = static_cast<UINT>(
        ::TrackPopupMenu(popup, TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, 0, owner, nullptr));
  }
  if (command != 0) ::SendMessageW(owner, WM_COMMAND, MAKEWPARAM(command, 0), 0);
  return command;
}

}  // namespace quillon
