#include "ui/button_ex.h"

#include "framework/gdi.h"
#include "ui/bitmap_piece.h"
#include "ui/gdi_bridge.h"

namespace quillon {
namespace {

constexpr int kMaxCaption = 260;

}  // namespace

bool ButtonEx::Attach(HWND control) {
  if (!CWindow::Attach(control)) return false;
  const LONG_PTR style = ::GetWindowLongPtrW(control, GWL_STYLE);
  ::SetWindowLongPtrW(control, GWL_STYLE,
                      (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
  return true;
}

void ButtonEx::SetSkin(UINT bitmapId, int skinWidth, COLORREF textColour) {
  skinBitmap_ = bitmapId;
  skinWidth_ = skinWidth;
  textColour_ = textColour;
}

void ButtonEx::Repaint() const {
  ::InvalidateRect(Handle(), nullptr, TRUE);
  ::UpdateWindow(Handle());
}

bool ButtonEx::OnMouseMove(UINT, POINT) {
  if (!tracking_) {
    TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, Handle(), 1};
    tracking_ = ::TrackMouseEvent(&track) != FALSE;
  }
  return false;
}

bool ButtonEx::OnMouseHover(UINT, POINT) {
  hover_ = true;
  ::InvalidateRect(Handle(), nullptr, TRUE);
  return false;
}

bool ButtonEx::OnMouseLeave() {
  hover_ = false;
  tracking_ = false;
  ::InvalidateRect(Handle(), nullptr, FALSE);
  return false;
}

// A double click is one click: its first press already clicked, and its second press must
// neither click again (files opened twice, a window maximised and restored at once) nor tell
// the owner of a double click.
bool ButtonEx::OnLButtonDblClk(UINT, POINT) { return true; }

bool ButtonEx::OnDrawSelf(const DRAWITEMSTRUCT& item) {
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const ButtonState state =
      ButtonStateFor({disabled, pressed, hover_, (item.itemState & ODS_FOCUS) != 0});
  const PixelRect rect = ToPixelRect(item.rcItem);
  DrawBitmapPieces(item.hDC, skinBitmap_, ButtonSkinPlan(rect, skinWidth_, state));
  DrawCaption(item.hDC, rect, disabled, pressed);
  return true;
}

void ButtonEx::DrawCaption(HDC dc, const PixelRect& rect, bool disabled, bool pressed) const {
  wchar_t caption[kMaxCaption + 1] = {};
  const int length = ::GetWindowTextW(Handle(), caption, kMaxCaption + 1);
  if (length <= 0) return;
  const auto font = reinterpret_cast<HFONT>(::SendMessageW(Handle(), WM_GETFONT, 0, 0));
  SelectObjectScope selectFont(dc,
                               font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(SYSTEM_FONT));
  SIZE extent{};
  ::GetTextExtentPoint32W(dc, caption, length, &extent);
  const PixelPoint origin = ButtonCaptionOrigin(rect, extent.cx, extent.cy, pressed);
  const COLORREF previousColour = ::SetTextColor(dc, textColour_);
  const int previousMode = ::SetBkMode(dc, TRANSPARENT);
  ::DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(caption), static_cast<WPARAM>(length),
               origin.x, origin.y, extent.cx, extent.cy, DST_TEXT | (disabled ? DSS_DISABLED : 0));
  ::SetBkMode(dc, previousMode);
  ::SetTextColor(dc, previousColour);
}

}  // namespace quillon
