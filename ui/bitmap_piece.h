// The skin-piece copy: unscaled rectangles of a bitmap resource of the program onto a device
// context. Every skin (buttons, the main window's frame, the quick bar, the result list) paints
// through here.
//
//   DrawBitmapPiece(dc, IDB_TITLE_BAND, 0, 0, 135, 0, 150, 34);
//   DrawBitmapPieces(dc, IDB_MENU_BUTTON, ButtonSkinPlan(rect, 85, state));  // one load
#pragma once

#include <windows.h>

#include <span>

#include "ui/piece_geometry.h"

namespace quillon {

// Copies the (right - left) x (bottom - top) rectangle of bitmap `bitmapId` that starts at
// (sourceX, sourceY) to (left, top)-(right, bottom) of `dc`. The bitmap is loaded, copied and
// released on every call. Parts beyond the bitmap, and pieces of a bitmap that cannot be
// loaded, are left unpainted; false then. An empty destination paints nothing and is no fault.
bool DrawBitmapPiece(HDC dc, UINT bitmapId, int sourceX, int sourceY, int left, int top, int right,
                     int bottom);

// The same for several pieces of one bitmap, loaded once.
bool DrawBitmapPieces(HDC dc, UINT bitmapId, std::span<const BitmapPiece> pieces);

}  // namespace quillon
