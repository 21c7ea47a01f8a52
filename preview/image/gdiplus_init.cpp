#include "preview/image/gdiplus_init.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

namespace quillon {

FCAutoInitGDIPlus::FCAutoInitGDIPlus() {
  Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, nothing suppressed
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok) token_ = token;
}

FCAutoInitGDIPlus::~FCAutoInitGDIPlus() {
  if (token_ != 0) Gdiplus::GdiplusShutdown(token_);
}

}  // namespace quillon
