#include "shell/quillon_dlg.h"

#include "framework/resource_text.h"
#include "resources/resource.h"
#include "shell/quillon_app.h"
#include "shell/startup_rules.h"

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

// Commands whose windows and dialogs do not exist yet are not routed.
const CommandRoute<CQuillonDlg> CQuillonDlg::kCommands[] = {
    {IDC_BTN_CLOSE, &CQuillonDlg::CloseWindow},
};

CQuillonDlg::CQuillonDlg(CQuillonApp& app) : CDialog(IDD_QUILLON_DIALOG), app_(app) {}

CQuillonDlg::~CQuillonDlg() {
  if (Handle() && app_.MainWindow() == Handle()) app_.SetMainWindow(nullptr);
}

bool CQuillonDlg::OnInitDialog() {
  app_.SetMainWindow(Handle());
  bigIcon_.Reset(LoadProgramIcon(SM_CXICON, SM_CYICON));
  smallIcon_.Reset(LoadProgramIcon(SM_CXSMICON, SM_CYSMICON));
  ::SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
  ::SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
  initialised_ = false;

  // The window keeps its title for the task bar but draws its own frame: no caption.
  SetText(u"Veldmark Quillon");
  ::SetWindowLongW(Handle(), GWL_STYLE, ::GetWindowLongW(Handle(), GWL_STYLE) & ~WS_CAPTION);
  ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

  splitter_ = 210;
  ::SetFocus(Item(IDC_SEARCH_BOX));
  initialised_ = true;
  ::MoveWindow(Handle(), kWindowX, kWindowY, kWindowWidth, kWindowHeight, FALSE);
  ::ShowWindow(Handle(), SW_SHOW);
  firstPaint_ = true;

  // Last, so the thread never meets a control that is not ready.
  app_.Loading().Start(app_, Handle());
  return false;  // the focus is set
}

bool CQuillonDlg::OnPaint() {
  // Started from the autorun entry: only the first paint hides the window again.
  if (firstPaint_ && StartsHidden(app_.CommandLine())) {
    firstPaint_ = false;
    ::ShowWindow(Handle(), SW_HIDE);
  }
  return false;  // the dialog's own painting follows
}

bool CQuillonDlg::OnSize(UINT type, int width, int height) {
  if (type != SIZE_MINIMIZED) PlaceControls(width, height);
  return false;
}

bool CQuillonDlg::OnCommand(int id, int, HWND) { return RunCommand(*this, kCommands, id); }

bool CQuillonDlg::OnClose() {
  CloseWindow();
  return true;
}

bool CQuillonDlg::OnDestroy() {
  if (app_.MainWindow() == Handle()) app_.SetMainWindow(nullptr);
  return false;
}

bool CQuillonDlg::PreTranslateMessage(MSG& message) {
  // The window never closes on Escape.
  return message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE;
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

// Until the notification-area icon exists, closing the window ends the program.
void CQuillonDlg::CloseWindow() { EndDialog(IDCANCEL); }

// A plain placement in pixels: caption and menu buttons along the top, the toolbar under
// them, the folder tree left of the splitter, search box and file list right of it, the
// status line at the bottom.
void CQuillonDlg::PlaceControls(int width, int height) {
  struct Place {
    int id, x, y, w, h;
  };
  const int s = splitter_;
  const Place places[] = {
      {IDC_BTN_MINIMIZE, width - 72, 0, 22, 20}, {IDC_BTN_MAXIMIZE, width - 50, 0, 22, 20},
      {IDC_BTN_CLOSE, width - 28, 0, 23, 20},    {IDC_BTN_FILE, 150, 0, 60, 34},
      {IDC_BTN_EDIT, 210, 0, 60, 34},            {IDC_BTN_QUICK_BAR, 270, 0, 60, 34},
      {IDC_BTN_HELP, 330, 0, 60, 34},            {IDC_TOOL_ADD_FILE, 5, 38, 32, 30},
      {IDC_TOOL_ADD_FOLDER, 37, 38, 32, 30},     {IDC_TOOL_EDIT_TAGS, 69, 38, 32, 30},
      {IDC_TOOL_OPEN, 101, 38, 32, 30},          {IDC_TOOL_HELP, 133, 38, 32, 30},
      {IDC_FOLDER_TREE, 6, 79, s - 12, height - 108},
      {IDC_SEARCH_BOX, s + 40, 79, width - s - 150, 21},
      {IDC_BTN_SEARCH, width - 110, 72, 80, 34},
      {IDC_FILE_LIST, s + 1, 108, width - s - 5, height - 133},
      {IDC_STATUS, 8, height - 20, 200, 20},
  };
  for (const Place& place : places) {
    ::MoveWindow(Item(place.id), place.x, place.y, place.w, place.h, TRUE);
  }
}

}  // namespace quillon
