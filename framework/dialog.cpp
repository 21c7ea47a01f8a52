#include "framework/dialog.h"

#include "framework/resource_text.h"

namespace quillon {
namespace {

// Messages whose result a dialog procedure returns itself instead of through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
  return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) ||
         message == WM_INITDIALOG || message == WM_COMPAREITEM || message == WM_VKEYTOITEM ||
         message == WM_CHARTOITEM || message == WM_QUERYDRAGICON;
}

// The bound dialog at the top of `window`'s chain of parents, or null.
CDialog* TopLevelDialog(HWND window) {
  HWND root = window ? ::GetAncestor(window, GA_ROOT) : nullptr;
  return dynamic_cast<CDialog*>(CWindow::FromHandle(root));
}

}  // namespace

CDialog::~CDialog() {
  HWND window = Handle();
  if (!window) return;
  Unbind();  // the derived object is gone: no message of the destruction may reach it
  ::DestroyWindow(window);
}

INT_PTR CDialog::DoModal(HWND owner) {
  // Like the platform's modal dialogs: the owner's top-level window is disabled for the run.
  HWND disabled = owner ? ::GetAncestor(owner, GA_ROOT) : nullptr;
  if (disabled && !::IsWindowEnabled(disabled)) disabled = nullptr;
  modal_ = true;
  ended_ = false;
  result_ = IDCANCEL;
  if (!::CreateDialogParamW(ResourceModule(), MAKEINTRESOURCEW(templateId_), owner, &DialogProc,
                            reinterpret_cast<LPARAM>(this))) {
    modal_ = false;
    return -1;
  }
  if (disabled) ::EnableWindow(disabled, FALSE);
  if (owner && !ended_) CentreOverOwner();
  if (!ended_) ::ShowWindow(Handle(), SW_SHOWNORMAL);
  MSG message;
  while (!ended_ && Handle()) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      ::PostQuitMessage(static_cast<int>(message.wParam));  // the outer loop ends too
      break;
    }
    if (got > 0) ProcessMessage(message);
  }
  if (disabled) ::EnableWindow(disabled, TRUE);
  if (Handle() && ::GetActiveWindow() == Handle() && disabled) ::SetActiveWindow(disabled);
  Destroy();
  modal_ = false;
  return result_;
}

bool CDialog::Create(HWND owner) {
  modal_ = false;
  ended_ = false;
  return ::CreateDialogParamW(ResourceModule(), MAKEINTRESOURCEW(templateId_), owner, &DialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

// Our templates have no place of their own: a modal box opens over the middle of its owner, or
// of the screen's work area while the owner is hidden (the main window in the tray).
void CDialog::CentreOverOwner() {
  const HWND owner = ::GetWindow(Handle(), GW_OWNER);
  RECT over{};
  if (owner && ::IsWindowVisible(owner)) {
    ::GetWindowRect(owner, &over);
  } else {
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &over, 0);
  }
  RECT box{};
  ::GetWindowRect(Handle(), &box);
  const int x = (over.left + over.right - (box.right - box.left)) / 2;
  const int y = (over.top + over.bottom - (box.bottom - box.top)) / 2;
  ::SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDialog::Destroy() {
  // Still bound: OnDestroy runs; WM_NCDESTROY clears the binding.
  if (Handle()) ::DestroyWindow(Handle());
}

void CDialog::EndDialog(INT_PTR result) {
  result_ = result;
  ended_ = true;
  if (!modal_ && Handle()) ::ShowWindow(Handle(), SW_HIDE);
}

RECT CDialog::DialogUnitsToPixels(RECT units) const {
  ::MapDialogRect(Handle(), &units);
  return units;
}

bool CDialog::RouteCommand(int id, int code, HWND control) {
  if (OnCommand(id, code, control)) return true;
  if (code != BN_CLICKED) return false;
  if (id == IDOK) {
    OnOK();
    return true;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return true;
  }
  return false;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) reinterpret_cast<CDialog*>(lParam)->Bind(window);
  CWindow* self = FromHandle(window);
  if (!self) return FALSE;
  if (message == WM_NCDESTROY) {
    static_cast<CDialog*>(self)->Unbind();
    return FALSE;
  }
  LRESULT result = 0;
  if (!static_cast<CDialog*>(self)->Dispatch(message, wParam, lParam, result)) return FALSE;
  if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(result);
  ::SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
  return TRUE;
}

void ProcessMessage(MSG& message) {
  // From the target up through its parents to the top-level window (owners do not count).
  for (HWND window = message.hwnd; window; window = ::GetParent(window)) {
    CWindow* object = CWindow::FromHandle(window);
    if (object && object->PreTranslateMessage(message)) return;
    if (!(::GetWindowLongW(window, GWL_STYLE) & WS_CHILD)) break;
  }
  if (CDialog* dialog = TopLevelDialog(message.hwnd)) {
    if (::IsDialogMessageW(dialog->Handle(), &message)) return;
  }
  ::TranslateMessage(&message);
  ::DispatchMessageW(&message);
}

}  // namespace quillon
