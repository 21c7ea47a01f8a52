// Helpers of the toolkit's Windows tests: an off-screen 32-bit surface whose pixels can be
// read back, and a modeless dialog of the program to own buttons and menus.
#pragma once

#include <windows.h>

#include "framework/dialog.h"
#include "framework/gdi.h"
#include "resources/resource.h"

namespace quillon::test {

class TestSurface {
 public:
  TestSurface(int width, int height, COLORREF fill = RGB(255, 0, 255))
      : width_(width), height_(height), dc_(nullptr) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap_.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    previous_ = ::SelectObject(dc_, bitmap_);
    Fill(fill);
  }
  ~TestSurface() { ::SelectObject(dc_, previous_); }

  operator HDC() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  void Fill(COLORREF colour) {
    GdiObject<HBRUSH> brush(::CreateSolidBrush(colour));
    RECT all{0, 0, width_, height_};
    ::FillRect(dc_, &all, brush);
  }
  COLORREF Pixel(int x, int y) const {
    ::GdiFlush();
    return ::GetPixel(dc_, x, y);
  }

 private:
  int width_;
  int height_;
  MemoryDC dc_;
  GdiObject<HBITMAP> bitmap_;
  HGDIOBJ previous_ = nullptr;
};

// The quick bar's template: a bare popup dialog with three push buttons. Counts the clicks
// and menu commands it receives (notification code 0), not the edit box's notifications.
class OwnerDialog : public CDialog {
 public:
  OwnerDialog() : CDialog(IDD_QUICK_BAR) {}
  int commands = 0;
  int lastCommand = 0;

 protected:
  bool OnCommand(int id, int code, HWND) override {
    if (code != 0) return false;
    ++commands;
    lastCommand = id;
    return true;
  }
};

}  // namespace quillon::test
