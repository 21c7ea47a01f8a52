// The one way every popup menu of the program is opened: the menu resource's first pop-up,
// loaded into a COfficeXPMenu, drawn in the office look, tracked with the right button too,
// owned by `owner`.
//
//   PopupMenuAt(IDR_FILE_MENU, Handle(), cursor.x, cursor.y);                  // context menu
//   PopupMenuAt(IDR_EDIT_MENU, Handle(), x, y, {ID_START_ITEM});              // with a check mark
#pragma once

#include <windows.h>

#include <initializer_list>

namespace quillon {

// Shows the menu at the screen point (x, y) and waits until it closes. The chosen command is
// sent to `owner` as WM_COMMAND after the menu is gone, and returned; 0 when nothing was
// chosen or the menu resource could not be loaded. `checked` lists commands to show with a
// check mark.
UINT PopupMenuAt(UINT menuResourceId, HWND owner, int x, int y,
                 std::initializer_list<UINT> checked = {});

}  // namespace quillon
