#include "shell/main_window/quillon_dlg.h"

#include "framework/message_box.h"
#include "framework/resource_text.h"
#include "quick/quick_bar.h"
#include "resources/resource.h"
#include "shell/model/start_options.h"

namespace quillon {
namespace {

constexpr int kWindowX = 150;
constexpr int kWindowY = 80;
constexpr int kWindowWidth = 700;
constexpr int kWindowHeight = 500;

HICON LoadProgramIcon(int metricX, int metricY) {
  return static_cast<HICON>(::LoadImageW(ResourceModule(), MAKEINTRESOURCEW(IDR_MAINFRAME),
                                         IMAGE_ICON, ::GetSystemMetrics(metricX),
                                         ::GetSystemMetrics(metricY), 0));
}

}  // namespace

CQuillonDlg::CQuillonDlg(MainWindowHost& host) : CDialog(IDD_QUILLON_DIALOG), host_(host) {}

CQuillonDlg::~CQuillonDlg() {
  host_.StopLoading();  // also when the window goes without its destruction message
  host_.MainWindowClosed(*this);
}

bool CQuillonDlg::OnDestroy() {
  // The loading thread works on this window and the application's catalogue: it ends first.
  host_.StopLoading();
  // The catalogue's error boxes and the quick bar's requests no longer have this window.
  host_.MainWindowClosed(*this);
  return false;
}

bool CQuillonDlg::OnInitDialog() {
  host_.MainWindowOpened(*this);
  AppendAboutToSystemMenu();
  bigIcon_.Reset(LoadProgramIcon(SM_CXICON, SM_CYICON));
  smallIcon_.Reset(LoadProgramIcon(SM_CXSMICON, SM_CYSMICON));
  ::SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
  ::SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
  initialised_ = false;
  currentFolder_ = FolderOfNode(0);
  folderTree_.Attach(Item(IDC_FOLDER_TREE));
  trayIcon_.Attach(Handle(), smallIcon_);
  frame_.Attach(Handle());

  // The window keeps its title for the task bar but draws its own frame: no caption.
  SetText(kApplicationTitle);
  ::SetWindowLongW(Handle(), GWL_STYLE, ::GetWindowLongW(Handle(), GWL_STYLE) & ~WS_CAPTION);
  ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

  InitFileList();
  frame_.LayoutControls();
  backgroundBrush_.Reset(::CreateSolidBrush(RGB(255, 255, 255)));
  ::SetFocus(Item(IDC_SEARCH_BOX));

  RunFirstStart();
  KeepCommandLineFiles();
  AddTrayIcon(false);
  initialised_ = true;
  if (CQuickBar* quickBar = host_.RunningQuickBar()) {
    ::ShowWindow(quickBar->Handle(), IsQuickBarAutoshowOn() ? SW_SHOWNORMAL : SW_HIDE);
  }
  CreateToolTips();

  ::MoveWindow(Handle(), kWindowX, kWindowY, kWindowWidth, kWindowHeight, FALSE);
  ::ShowWindow(Handle(), SW_SHOW);
  firstPaint_ = true;

  // Last, so the thread never meets a control that is not ready.
  host_.StartLoading(*this);
  return false;  // the focus is set
}

void CQuillonDlg::SetStatusText(const std::u16string& text, bool repaint) {
  statusText_ = text;
  SetItemText(IDC_STATUS, text);
  if (!repaint) return;
  RECT status;
  ::GetWindowRect(Item(IDC_STATUS), &status);
  ::MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&status), 2);
  ::InvalidateRect(Handle(), &status, TRUE);
}

bool CQuillonDlg::OnPaint() {
  // Started from the autorun entry: only the first paint hides the window again.
  if (firstPaint_ && StartsHidden(host_.CommandLine())) {
    firstPaint_ = false;
    ::ShowWindow(Handle(), SW_HIDE);
  }
  PaintDC paint(Handle());  // the background was erased with the dialog's white brush
  if (::IsIconic(Handle())) {
    RECT client{};
    ::GetClientRect(Handle(), &client);
    const int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(paint, x, y, bigIcon_);
    return true;
  }
  frame_.PaintSkin(paint);
  // The status line draws on a hollow background: given its text again, it draws over the
  // freshly painted skin.
  SetStatusText(statusText_, false);
  return true;
}

bool CQuillonDlg::OnSize(UINT type, int, int) {
  if (type != SIZE_MINIMIZED) frame_.LayoutControls();
  return false;
}

void CQuillonDlg::ToggleMaximized() { frame_.ToggleMaximized(); }

bool CQuillonDlg::OnLButtonDown(UINT, POINT point) { return frame_.OnLButtonDown(point); }

bool CQuillonDlg::OnMouseMove(UINT keys, POINT point) { return frame_.OnMouseMove(keys, point); }

bool CQuillonDlg::OnLButtonUp(UINT, POINT point) { return frame_.OnLButtonUp(point); }

bool CQuillonDlg::OnLButtonDblClk(UINT, POINT point) { return frame_.OnLButtonDblClk(point); }

bool CQuillonDlg::OnSetCursor(HWND window, int hitTest, UINT) {
  return window == Handle() && hitTest == HTCLIENT && frame_.OnSetCursor();
}

}  // namespace quillon
