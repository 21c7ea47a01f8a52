// CWindow: the base of every window object. It owns one HWND and receives that window's
// messages through the framework's one window procedure, already unpacked, in named virtual
// handlers. A handler returns true when it handled the message; false lets the default
// processing run (the dialog manager's, or the control's own procedure).
//
//   class ButtonEx : public CWindow {
//     bool OnMouseMove(UINT keys, POINT point) override;   // then the button's own handling
//     bool OnDrawSelf(const DRAWITEMSTRUCT& item) override; // owner-draw, reflected by parent
//   };
//   ButtonEx button;  button.Attach(GetDlgItem(dialog, 1025));   // subclass a template control
//
// Dialogs derive from CDialog (framework/dialog.h), which binds at WM_INITDIALOG. Controls of a
// template are bound with Attach. The binding is cleared before the object goes away, so no
// message reaches a half-destroyed object; no exception leaves a handler.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace quillon {

class CWindow {
 public:
  CWindow() = default;
  virtual ~CWindow();
  CWindow(const CWindow&) = delete;
  CWindow& operator=(const CWindow&) = delete;

  HWND Handle() const { return hwnd_; }
  // The object bound to `window`, or null.
  static CWindow* FromHandle(HWND window);

  // Subclasses an existing control through the common controls' subclass chain: its messages
  // reach this object's handlers first, and those the handlers leave go on down the chain to
  // the control's own procedure. False if already bound.
  bool Attach(HWND control);
  // Leaves the control's subclass chain (also done on destruction of either side).
  void Detach();

  // Text and children, for the window itself and for the controls of a dialog.
  std::u16string Text() const;
  void SetText(const std::u16string& text) const;
  HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }
  std::u16string ItemText(int id) const;
  void SetItemText(int id, const std::u16string& text) const;
  bool IsVisible() const { return hwnd_ && ::IsWindowVisible(hwnd_); }

  // Sees every message queued for this window or any of its child controls before it is
  // translated and dispatched (the dialogs' Enter, Escape and F-key rules); true consumes it.
  // Called by the framework's message loop (ProcessMessage, framework/dialog.h).
  virtual bool PreTranslateMessage(MSG& message);

 protected:
  // Named handlers. `point` values are in client coordinates of this window.
  virtual bool OnInitDialog() { return true; }  // true: the dialog manager sets the focus
  virtual bool OnCommand(int id, int code, HWND control);
  virtual bool OnNotify(int id, NMHDR& header, LRESULT& result);
  virtual bool OnPaint() { return false; }
  virtual bool OnSize(UINT type, int width, int height);
  virtual bool OnMove(int x, int y);
  virtual bool OnMouseMove(UINT keys, POINT point);
  virtual bool OnMouseHover(UINT keys, POINT point);
  virtual bool OnMouseLeave() { return false; }
  virtual bool OnLButtonDown(UINT keys, POINT point);
  virtual bool OnLButtonUp(UINT keys, POINT point);
  virtual bool OnLButtonDblClk(UINT keys, POINT point);
  virtual bool OnRButtonUp(UINT keys, POINT point);
  virtual bool OnTimer(UINT_PTR id);
  // Full paths of the dropped items in order, and the drop point; the drop is released after.
  virtual bool OnDropFiles(const std::vector<std::u16string>& paths, POINT point);
  // WM_COPYDATA from another program; the data is valid only during the call. True answers
  // TRUE (taken).
  virtual bool OnCopyData(HWND sender, const COPYDATASTRUCT& data);
  // `kind` is the message: WM_CTLCOLORSTATIC, WM_CTLCOLOREDIT, WM_CTLCOLORDLG...
  virtual bool OnCtlColor(HDC dc, HWND control, UINT kind, HBRUSH& brush);
  // Owner-drawn menu items go to the menu item painter; other items are reflected to the
  // control's own object (OnMeasureSelf / OnDrawSelf) when it is bound.
  virtual bool OnMeasureItem(int id, MEASUREITEMSTRUCT& item);
  virtual bool OnDrawItem(int id, const DRAWITEMSTRUCT& item);
  virtual bool OnMeasureSelf(MEASUREITEMSTRUCT& item);
  virtual bool OnDrawSelf(const DRAWITEMSTRUCT& item);
  // True when the handler set the cursor.
  virtual bool OnSetCursor(HWND window, int hitTest, UINT mouseMessage);
  virtual bool OnActivate(UINT state, HWND other, bool minimized);
  virtual bool OnHelp(const HELPINFO& help);
  virtual bool OnSysCommand(UINT command, LPARAM position);
  virtual bool OnClose() { return false; }
  virtual bool OnDestroy() { return false; }
  // Messages from WM_USER on (the tray icon's callback, for example).
  virtual bool OnAppMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // The command entry point; CDialog adds OK and Cancel after OnCommand.
  virtual bool RouteCommand(int id, int code, HWND control) {
    return OnCommand(id, code, control);
  }

  // Binding, for the window kinds built on this class.
  void Bind(HWND window);
  void Unbind();
  // Runs the handler of one message; true when handled, with the message's result.
  bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 private:
  struct Crackers;
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR object);

  HWND hwnd_ = nullptr;
  bool subclassed_ = false;  // attached to a control's subclass chain
};

// Measures and draws owner-drawn menu items; the menu class installs one for the process.
class MenuItemPainter {
 public:
  virtual ~MenuItemPainter() = default;
  virtual bool MeasureMenuItem(MEASUREITEMSTRUCT& item) = 0;
  virtual bool DrawMenuItem(const DRAWITEMSTRUCT& item) = 0;
};
void SetMenuItemPainter(MenuItemPainter* painter);

// Runs `task` on the thread of `window` (bound to a CWindow) and waits until it is done: how a
// worker thread changes a window or its controls.
void RunOnWindowThread(HWND window, const std::function<void()>& task);

}  // namespace quillon
