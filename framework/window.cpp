#include "framework/window.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <exception>
#include <mutex>
#include <string>
#include <unordered_map>

#include "base/text_convert.h"
#include "framework/message_box.h"
#include "framework/wide.h"

namespace quillon {
namespace {

// Which object each bound window has. Every message looks its window's object up, so the
// table is kept in the process: a window property would do for dialogs and controls alike,
// but under Wine each property read is a round trip to the window server (about 40 us, which
// made filling a list of 10,000 rows, one notification per row, take half a second more).
class Bindings {
 public:
  static Bindings& Get() {
    // Never destroyed: windows of static objects may still unbind at the process's end.
    static Bindings* const bindings = new Bindings;
    return *bindings;
  }
  CWindow* Find(HWND window) {
    std::lock_guard<std::mutex> guard(lock_);
    const auto found = objects_.find(window);
    return found == objects_.end() ? nullptr : found->second;
  }
  void Add(HWND window, CWindow* object) {
    std::lock_guard<std::mutex> guard(lock_);
    objects_[window] = object;
  }
  void Remove(HWND window, const CWindow* object) {
    std::lock_guard<std::mutex> guard(lock_);
    const auto found = objects_.find(window);
    if (found != objects_.end() && found->second == object) objects_.erase(found);
  }

 private:
  std::mutex lock_;
  std::unordered_map<HWND, CWindow*> objects_;
};

MenuItemPainter* g_menuItemPainter = nullptr;

// Our place in a control's subclass chain.
constexpr UINT_PTR kSubclassId = 1;

UINT RunTaskMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"Quillon.RunOnWindowThread");
  return message;
}

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

LRESULT Flag(bool value) { return value ? TRUE : FALSE; }

std::vector<std::u16string> DroppedPaths(HDROP drop) {
  std::vector<std::u16string> paths;
  const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(::DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    path.resize(::DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
    paths.push_back(FromWide(path));
  }
  return paths;
}

// A failure inside a handler ends that handler only; the user hears of it once.
void ReportHandlerFailure(HWND window, const char* what) {
  static thread_local bool reporting = false;
  if (reporting) return;
  reporting = true;
  std::u16string text = UserText(TEXT_OPERATION_FAILED);
  if (what && *what) text += u"\n" + FromUtf8(what);
  ShowError(window, text, kApplicationTitle);
  reporting = false;
}

}  // namespace

// How each message is unpacked for its handler. One sorted table instead of a switch.
struct CWindow::Crackers {
  using Crack = bool (*)(CWindow&, UINT, WPARAM, LPARAM, LRESULT&);
  struct Entry {
    UINT message;
    Crack crack;
  };

  // The mouse messages: key state and point.
  template <bool (CWindow::*Handler)(UINT, POINT)>
  static bool Mouse(CWindow& w, UINT, WPARAM p, LPARAM l, LRESULT&) {
    return (w.*Handler)(static_cast<UINT>(p), PointOf(l));
  }
  static bool CtlColor(CWindow& w, UINT m, WPARAM p, LPARAM l, LRESULT& r) {
    HBRUSH brush = nullptr;
    const bool handled = w.OnCtlColor(reinterpret_cast<HDC>(p), reinterpret_cast<HWND>(l), m, brush);
    r = reinterpret_cast<LRESULT>(brush);
    return handled;
  }
  static bool DropFiles(CWindow& w, UINT, WPARAM p, LPARAM, LRESULT&) {
    const auto drop = reinterpret_cast<HDROP>(p);
    POINT point{};
    ::DragQueryPoint(drop, &point);
    const std::vector<std::u16string> paths = DroppedPaths(drop);
    ::DragFinish(drop);
    return w.OnDropFiles(paths, point);
  }

  static constexpr std::array<Entry, 31> kTable{{
      {WM_DESTROY, [](CWindow& w, UINT, WPARAM, LPARAM, LRESULT&) { return w.OnDestroy(); }},
      {WM_MOVE,
       [](CWindow& w, UINT, WPARAM, LPARAM l, LRESULT&) {
         return w.OnMove(GET_X_LPARAM(l), GET_Y_LPARAM(l));
       }},
      {WM_SIZE,
       [](CWindow& w, UINT, WPARAM p, LPARAM l, LRESULT&) {
         return w.OnSize(static_cast<UINT>(p), LOWORD(l), HIWORD(l));
       }},
      {WM_ACTIVATE,
       [](CWindow& w, UINT, WPARAM p, LPARAM l, LRESULT&) {
         return w.OnActivate(LOWORD(p), reinterpret_cast<HWND>(l), HIWORD(p) != 0);
       }},
      {WM_PAINT, [](CWindow& w, UINT, WPARAM, LPARAM, LRESULT&) { return w.OnPaint(); }},
      {WM_CLOSE, [](CWindow& w, UINT, WPARAM, LPARAM, LRESULT&) { return w.OnClose(); }},
      {WM_SETCURSOR,
       [](CWindow& w, UINT, WPARAM p, LPARAM l, LRESULT& r) {
         const bool handled =
             w.OnSetCursor(reinterpret_cast<HWND>(p), static_cast<short>(LOWORD(l)), HIWORD(l));
         r = Flag(handled);
         return handled;
       }},
      {WM_DRAWITEM,
       [](CWindow& w, UINT, WPARAM p, LPARAM l, LRESULT& r) {
         const bool handled =
             w.OnDrawItem(static_cast<int>(p), *reinterpret_cast<const DRAWITEMSTRUCT*>(l));
         r = Flag(handled);
         return handled;
       }},
      {WM_MEASUREITEM,
       [](CWindow& w, UINT, WPARAM p, LPARAM l, LRESULT& r) {
         const bool handled =
             w.OnMeasureItem(static_cast<int>(p), *reinterpret_cast<MEASUREITEMSTRUCT*>(l));
         r = Flag(handled);
         return handled;
       }},
      {WM_COPYDATA,
       [](CWindow& w, UINT, WPARAM p, LPARAM l, LRESULT& r) {
         r = Flag(l && w.OnCopyData(reinterpret_cast<HWND>(p),
                                    *reinterpret_cast<const COPYDATASTRUCT*>(l)));
         return true;
       }},
      {WM_NOTIFY,
       [](CWindow& w, UINT, WPARAM p, LPARAM l, LRESULT& r) {
         return w.OnNotify(static_cast<int>(p), *reinterpret_cast<NMHDR*>(l), r);
       }},
      {WM_HELP,
       [](CWindow& w, UINT, WPARAM, LPARAM l, LRESULT& r) {
         const bool handled = w.OnHelp(*reinterpret_cast<const HELPINFO*>(l));
         r = Flag(handled);
         return handled;
       }},
      {WM_INITDIALOG,
       [](CWindow& w, UINT, WPARAM, LPARAM, LRESULT& r) {
         r = Flag(w.OnInitDialog());
         return true;
       }},
      {WM_COMMAND,
       [](CWindow& w, UINT, WPARAM p, LPARAM l, LRESULT&) {
         return w.RouteCommand(LOWORD(p), HIWORD(p), reinterpret_cast<HWND>(l));
       }},
      {WM_SYSCOMMAND,
       [](CWindow& w, UINT, WPARAM p, LPARAM l, LRESULT&) {
         return w.OnSysCommand(static_cast<UINT>(p), l);
       }},
      {WM_TIMER, [](CWindow& w, UINT, WPARAM p, LPARAM, LRESULT&) { return w.OnTimer(p); }},
      {WM_CTLCOLORMSGBOX, CtlColor},
      {WM_CTLCOLOREDIT, CtlColor},
      {WM_CTLCOLORLISTBOX, CtlColor},
      {WM_CTLCOLORBTN, CtlColor},
      {WM_CTLCOLORDLG, CtlColor},
      {WM_CTLCOLORSCROLLBAR, CtlColor},
      {WM_CTLCOLORSTATIC, CtlColor},
      {WM_MOUSEMOVE, Mouse<&CWindow::OnMouseMove>},
      {WM_LBUTTONDOWN, Mouse<&CWindow::OnLButtonDown>},
      {WM_LBUTTONUP, Mouse<&CWindow::OnLButtonUp>},
      {WM_LBUTTONDBLCLK, Mouse<&CWindow::OnLButtonDblClk>},
      {WM_RBUTTONUP, Mouse<&CWindow::OnRButtonUp>},
      {WM_DROPFILES, DropFiles},
      {WM_MOUSEHOVER, Mouse<&CWindow::OnMouseHover>},
      {WM_MOUSELEAVE, [](CWindow& w, UINT, WPARAM, LPARAM, LRESULT&) { return w.OnMouseLeave(); }},
  }};
  static_assert(std::is_sorted(kTable.begin(), kTable.end(),
                               [](const Entry& a, const Entry& b) { return a.message < b.message; }));

  static Crack Find(UINT message) {
    const auto entry = std::lower_bound(
        kTable.begin(), kTable.end(), message,
        [](const Entry& e, UINT m) { return e.message < m; });
    return entry != kTable.end() && entry->message == message ? entry->crack : nullptr;
  }
};

CWindow::~CWindow() { Unbind(); }

CWindow* CWindow::FromHandle(HWND window) {
  return window ? Bindings::Get().Find(window) : nullptr;
}

void CWindow::Bind(HWND window) {
  hwnd_ = window;
  Bindings::Get().Add(window, this);
}

void CWindow::Unbind() {
  if (!hwnd_) return;
  Bindings::Get().Remove(hwnd_, this);
  if (subclassed_) {
    ::RemoveWindowSubclass(hwnd_, &SubclassProc, kSubclassId);
    subclassed_ = false;
  }
  hwnd_ = nullptr;
}

bool CWindow::Attach(HWND control) {
  if (hwnd_ || !control || FromHandle(control)) return false;
  if (!::SetWindowSubclass(control, &SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
    return false;
  }
  Bind(control);
  subclassed_ = true;
  return true;
}

void CWindow::Detach() {
  if (subclassed_) Unbind();
}

std::u16string CWindow::Text() const { return GetWindowTextU16(hwnd_); }

void CWindow::SetText(const std::u16string& text) const { ::SetWindowTextW(hwnd_, Wide(text)); }

std::u16string CWindow::ItemText(int id) const { return GetWindowTextU16(Item(id)); }

void CWindow::SetItemText(int id, const std::u16string& text) const {
  ::SetDlgItemTextW(hwnd_, id, Wide(text));
}

bool CWindow::PreTranslateMessage(MSG&) { return false; }

bool CWindow::OnCommand(int, int, HWND) { return false; }
bool CWindow::OnNotify(int, NMHDR&, LRESULT&) { return false; }
bool CWindow::OnSize(UINT, int, int) { return false; }
bool CWindow::OnMove(int, int) { return false; }
bool CWindow::OnMouseMove(UINT, POINT) { return false; }
bool CWindow::OnMouseHover(UINT, POINT) { return false; }
bool CWindow::OnLButtonDown(UINT, POINT) { return false; }
bool CWindow::OnLButtonUp(UINT, POINT) { return false; }
bool CWindow::OnLButtonDblClk(UINT, POINT) { return false; }
bool CWindow::OnRButtonUp(UINT, POINT) { return false; }
bool CWindow::OnTimer(UINT_PTR) { return false; }
bool CWindow::OnDropFiles(const std::vector<std::u16string>&, POINT) { return false; }
bool CWindow::OnCopyData(HWND, const COPYDATASTRUCT&) { return false; }
bool CWindow::OnCtlColor(HDC, HWND, UINT, HBRUSH&) { return false; }
bool CWindow::OnSetCursor(HWND, int, UINT) { return false; }
bool CWindow::OnActivate(UINT, HWND, bool) { return false; }
bool CWindow::OnHelp(const HELPINFO&) { return false; }
bool CWindow::OnSysCommand(UINT, LPARAM) { return false; }
bool CWindow::OnAppMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
bool CWindow::OnMeasureSelf(MEASUREITEMSTRUCT&) { return false; }
bool CWindow::OnDrawSelf(const DRAWITEMSTRUCT&) { return false; }

bool CWindow::OnMeasureItem(int id, MEASUREITEMSTRUCT& item) {
  if (item.CtlType == ODT_MENU) return g_menuItemPainter && g_menuItemPainter->MeasureMenuItem(item);
  CWindow* control = FromHandle(Item(id));
  return control && control != this && control->OnMeasureSelf(item);
}

bool CWindow::OnDrawItem(int, const DRAWITEMSTRUCT& item) {
  if (item.CtlType == ODT_MENU) return g_menuItemPainter && g_menuItemPainter->DrawMenuItem(item);
  CWindow* control = FromHandle(item.hwndItem);
  return control && control != this && control->OnDrawSelf(item);
}

bool CWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  try {
    if (message == RunTaskMessage()) {
      (*reinterpret_cast<const std::function<void()>*>(lParam))();
      return true;
    }
    if (message >= WM_USER) return OnAppMessage(message, wParam, lParam, result);
    const Crackers::Crack crack = Crackers::Find(message);
    return crack && crack(*this, message, wParam, lParam, result);
  } catch (const std::exception& error) {
    ReportHandlerFailure(hwnd_, error.what());
  } catch (...) {
    ReportHandlerFailure(hwnd_, nullptr);
  }
  return false;
}

LRESULT CALLBACK CWindow::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR object) {
  // The chain holds the object only while it is attached: Unbind leaves the chain first.
  auto* self = reinterpret_cast<CWindow*>(object);
  if (message == WM_NCDESTROY) {
    self->Unbind();
    return ::DefSubclassProc(window, message, wParam, lParam);
  }
  LRESULT result = 0;
  if (self->Dispatch(message, wParam, lParam, result)) return result;
  return ::DefSubclassProc(window, message, wParam, lParam);
}

void SetMenuItemPainter(MenuItemPainter* painter) { g_menuItemPainter = painter; }

void RunOnWindowThread(HWND window, const std::function<void()>& task) {
  ::SendMessageW(window, RunTaskMessage(), 0, reinterpret_cast<LPARAM>(&task));
}

}  // namespace quillon
