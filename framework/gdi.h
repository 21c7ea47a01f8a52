// Ownership of what Win32 hands out: GDI objects, device contexts, kernel handles, icons, menus,
// and image lists. Each wrapper releases its object exactly once; none can be copied.
//
//   GdiObject<HBRUSH> brush(CreateSolidBrush(RGB(255, 255, 255)));
//   WindowDC dc(hwnd);                         // GetDC ... ReleaseDC
//   MemoryDC memory(dc);                       // CreateCompatibleDC ... DeleteDC
//   SelectObjectScope keep(memory, bitmap);    // selects, and puts the old object back
//   PaintDC paint(hwnd);                       // BeginPaint ... EndPaint, paint.Rect()
//   OwnedHandle thread(CreateThread(...));     // CloseHandle
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace quillon {

// One owned handle; `Release` is the function that gives it back.
template <class Handle, auto Release>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, Handle{}));
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle Get() const { return handle_; }
  operator Handle() const { return handle_; }
  explicit operator bool() const { return handle_ != Handle{}; }
  // Gives up ownership without releasing.
  Handle Detach() { return std::exchange(handle_, Handle{}); }
  void Reset(Handle handle = Handle{}) {
    if (handle_ != Handle{}) Release(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_{};
};

namespace detail {
template <class Object>
void DeleteGdiObject(Object object) {
  ::DeleteObject(object);
}
inline void CloseKernelHandle(HANDLE handle) {
  if (handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
}
inline void CloseFind(HANDLE search) {
  if (search != INVALID_HANDLE_VALUE) ::FindClose(search);
}
inline void DestroyIconHandle(HICON icon) { ::DestroyIcon(icon); }
inline void DestroyMenuHandle(HMENU menu) { ::DestroyMenu(menu); }
inline void DeleteMemoryDC(HDC dc) { ::DeleteDC(dc); }
inline void DestroyImageList(HIMAGELIST list) { ::ImageList_Destroy(list); }
}  // namespace detail

// A pen, brush, font, bitmap or region: HPEN, HBRUSH, HFONT, HBITMAP, HRGN.
template <class Object>
using GdiObject = UniqueHandle<Object, detail::DeleteGdiObject<Object>>;

using OwnedHandle = UniqueHandle<HANDLE, detail::CloseKernelHandle>;
// A FindFirstFile search.
using OwnedFind = UniqueHandle<HANDLE, detail::CloseFind>;
using OwnedIcon = UniqueHandle<HICON, detail::DestroyIconHandle>;
using OwnedMenu = UniqueHandle<HMENU, detail::DestroyMenuHandle>;
// An image list the program creates itself; never the shell's shared one, which is not ours.
using OwnedImageList = UniqueHandle<HIMAGELIST, detail::DestroyImageList>;

// GetDC / ReleaseDC for a window (null: the screen).
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(::GetDC(window)) {}
  ~WindowDC() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  operator HDC() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A memory device context compatible with `reference` (null: the screen).
class MemoryDC {
 public:
  explicit MemoryDC(HDC reference) : dc_(::CreateCompatibleDC(reference)) {}
  operator HDC() const { return dc_.Get(); }
  explicit operator bool() const { return static_cast<bool>(dc_); }

 private:
  UniqueHandle<HDC, detail::DeleteMemoryDC> dc_;
};

// BeginPaint / EndPaint, for a paint handler.
class PaintDC {
 public:
  explicit PaintDC(HWND window) : window_(window) { dc_ = ::BeginPaint(window, &paint_); }
  ~PaintDC() { ::EndPaint(window_, &paint_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  operator HDC() const { return dc_; }
  const RECT& Rect() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_ = nullptr;
};

// Selects an object into a device context for one scope, then restores the previous one.
class SelectObjectScope {
 public:
  SelectObjectScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~SelectObjectScope() {
    if (previous_ && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
  }
  SelectObjectScope(const SelectObjectScope&) = delete;
  SelectObjectScope& operator=(const SelectObjectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace quillon
