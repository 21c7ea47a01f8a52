#include "ui/office_menu_dc.h"

namespace quillon {

COfficeXPMenuMemDC::COfficeXPMenuMemDC(HDC target, const RECT& rect)
    : target_(target),
      rect_(rect),
      offScreen_(::GetDeviceCaps(target, TECHNOLOGY) != DT_RASPRINTER),
      memory_(offScreen_ ? target : nullptr) {
  if (!offScreen_) return;
  bitmap_.Reset(::CreateCompatibleBitmap(target, rect.right - rect.left, rect.bottom - rect.top));
  // Without a surface of its own the drawing goes straight to the target.
  if (!memory_ || !bitmap_) {
    offScreen_ = false;
    return;
  }
  previousBitmap_ = ::SelectObject(memory_, bitmap_);
  ::SetWindowOrgEx(memory_, rect.left, rect.top, &previousOrigin_);
}

COfficeXPMenuMemDC::~COfficeXPMenuMemDC() {
  if (!offScreen_) return;
  ::BitBlt(target_, rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top,
           memory_, rect_.left, rect_.top, SRCCOPY);
  ::SetWindowOrgEx(memory_, previousOrigin_.x, previousOrigin_.y, nullptr);
  ::SelectObject(memory_, previousBitmap_);
}

}  // namespace quillon
