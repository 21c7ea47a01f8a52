// COfficeXPMenuMemDC: an off-screen surface for drawing one menu item. Drawing at the item
// rectangle's coordinates lands in a bitmap of the rectangle's size, which is copied to the
// target when the object goes away. On a printer it draws straight through.
//
//   { COfficeXPMenuMemDC surface(item.hDC, item.rcItem);  DrawThings(surface); }  // copied
#pragma once

#include <windows.h>

#include "framework/gdi.h"

namespace quillon {

class COfficeXPMenuMemDC {
 public:
  COfficeXPMenuMemDC(HDC target, const RECT& rect);
  ~COfficeXPMenuMemDC();
  COfficeXPMenuMemDC(const COfficeXPMenuMemDC&) = delete;
  COfficeXPMenuMemDC& operator=(const COfficeXPMenuMemDC&) = delete;

  operator HDC() const { return offScreen_ ? static_cast<HDC>(memory_) : target_; }

 private:
  HDC target_;
  RECT rect_;
  bool offScreen_;
  MemoryDC memory_;
  GdiObject<HBITMAP> bitmap_;
  HGDIOBJ previousBitmap_ = nullptr;
  POINT previousOrigin_{};
};

}  // namespace quillon
