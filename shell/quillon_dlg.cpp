#include "shell/quillon_dlg.h"

#include "framework/message_box.h"
#include "framework/resource_text.h"
#include "resources/resource.h"
#include "shell/frame_geometry.h"
#include "shell/quillon_app.h"

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

CQuillonDlg::CQuillonDlg(CQuillonApp& app) : CDialog(IDD_QUILLON_DIALOG), app_(app) {}

CQuillonDlg::~CQuillonDlg() {
  app_.Loading().Stop();  // also when the window goes without its destruction message
  if (Handle() && app_.MainWindow() == Handle()) app_.SetMainWindow(nullptr);
}

bool CQuillonDlg::OnInitDialog() {
  app_.SetMainWindow(Handle());
  AppendAboutToSystemMenu();
  bigIcon_.Reset(LoadProgramIcon(SM_CXICON, SM_CYICON));
  smallIcon_.Reset(LoadProgramIcon(SM_CXSMICON, SM_CYSMICON));
  ::SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
  ::SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
  dragEdges_ = kEdgeNone;
  initialised_ = false;
  InitFolderTree();

  // The window keeps its title for the task bar but draws its own frame: no caption.
  SetText(kApplicationTitle);
  ::SetWindowLongW(Handle(), GWL_STYLE, ::GetWindowLongW(Handle(), GWL_STYLE) & ~WS_CAPTION);
  ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

  splitter_ = kInitialSplitter;
  InitFileList();
  SkinButtons();
  LayoutControls();
  backgroundBrush_.Reset(::CreateSolidBrush(RGB(255, 255, 255)));
  ::SetFocus(Item(IDC_SEARCH_BOX));

  RunFirstStart();
  AddTrayIcon(false);
  initialised_ = true;
  if (HWND quickBar = app_.QuickBarWindow()) {
    ::ShowWindow(quickBar, IsQuickBarAutoshowOn() ? SW_SHOWNORMAL : SW_HIDE);
  }
  CreateToolTips();

  ::MoveWindow(Handle(), kWindowX, kWindowY, kWindowWidth, kWindowHeight, FALSE);
  ::ShowWindow(Handle(), SW_SHOW);
  firstPaint_ = true;

  // Last, so the thread never meets a control that is not ready.
  app_.Loading().Start(app_, Handle());
  return false;  // the focus is set
}

bool CQuillonDlg::OnDestroy() {
  // The loading thread works on this window and the application's catalogue: it ends first.
  app_.Loading().Stop();
  // A window that goes without "Exit" (the end of a test) leaves no icon behind either.
  RemoveTrayIcon();
  if (app_.MainWindow() == Handle()) app_.SetMainWindow(nullptr);
  return false;
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

}  // namespace quillon
