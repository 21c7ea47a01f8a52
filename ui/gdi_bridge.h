// The one bridge between the portable geometry (PixelRect, PixelPoint, Rgb) and GDI's RECT,
// POINT and COLORREF, and the solid fills every skin paints with.
//
//   const PixelRect rect = ToPixelRect(item.rcItem);
//   FillSolid(dc, fill.rect, ToColorRef(fill.colour));
#pragma once

#include <windows.h>

#include "framework/gdi.h"
#include "ui/menu_geometry.h"
#include "ui/piece_geometry.h"

namespace quillon {

inline RECT ToRect(const PixelRect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

inline PixelRect ToPixelRect(const RECT& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

inline PixelPoint ToPixelPoint(POINT point) { return {point.x, point.y}; }

inline COLORREF ToColorRef(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

inline Rgb ToRgb(COLORREF colour) { return {GetRValue(colour), GetGValue(colour), GetBValue(colour)}; }

// A brush made for the fill and released at once.
inline void FillSolid(HDC dc, const PixelRect& rect, COLORREF colour) {
  const GdiObject<HBRUSH> brush(::CreateSolidBrush(colour));
  const RECT r = ToRect(rect);
  ::FillRect(dc, &r, brush);
}

}  // namespace quillon
