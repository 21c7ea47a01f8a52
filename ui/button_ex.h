// ButtonEx: a push button of a dialog template that paints itself from a skin bitmap (one
// strip per state: normal, disabled, hover, pressed, focused) and lights up while the pointer
// rests on it.
//
//   ButtonEx search;
//   search.Attach(Item(IDC_SEARCH));                    // becomes owner-drawn
//   search.SetSkin(IDB_SEARCH_BUTTON, 112, RGB(0, 0, 0));
//
// The owner dialog must leave WM_DRAWITEM to CWindow::OnDrawItem (or call it), which hands
// the request to the button.
#pragma once

#include <windows.h>

#include "framework/window.h"
#include "ui/button_geometry.h"

namespace quillon {

class ButtonEx : public CWindow {
 public:
  // Subclasses the control and gives it the owner-draw button style.
  bool Attach(HWND control);

  // The skin bitmap resource, its width W and the caption colour. Takes effect at the next
  // paint; Repaint() forces one.
  void SetSkin(UINT bitmapId, int skinWidth, COLORREF textColour);
  void SetSkinBitmap(UINT bitmapId) { skinBitmap_ = bitmapId; }
  void Repaint() const;

  UINT SkinBitmap() const { return skinBitmap_; }
  bool Hover() const { return hover_; }
  bool Tracking() const { return tracking_; }

 protected:
  bool OnMouseMove(UINT keys, POINT point) override;
  bool OnMouseHover(UINT keys, POINT point) override;
  bool OnMouseLeave() override;
  bool OnLButtonDblClk(UINT keys, POINT point) override;
  bool OnDrawSelf(const DRAWITEMSTRUCT& item) override;

 private:
  void DrawCaption(HDC dc, const PixelRect& rect, bool disabled, bool pressed) const;

  UINT skinBitmap_ = 0;
  COLORREF textColour_ = RGB(0, 0, 0);
  int skinWidth_ = 0;
  bool tracking_ = false;
  bool hover_ = false;
};

}  // namespace quillon
