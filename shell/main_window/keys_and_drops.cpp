// What reaches the main window besides commands: keys before the dialog sees them, pointer
// movement over the window and its controls (the tooltips, the preview popup), dropped files, and the colours of
// its controls.
#include <windows.h>
#include <commctrl.h>

#include "framework/resource_text.h"
#include "framework/wide.h"
#include "resources/resource.h"
#include "shell/main_window/quillon_dlg.h"

namespace quillon {
namespace {

struct ToolTip {
  int control;
  UINT text;
};

constexpr ToolTip kToolTips[] = {
    {IDC_TOOL_ADD_FILE, IDS_TIP_ADD_FILE},   {IDC_TOOL_ADD_FOLDER, IDS_TIP_ADD_FOLDER},
    {IDC_TOOL_OPEN, IDS_TIP_OPEN},           {IDC_TOOL_EDIT_TAGS, IDS_TIP_EDIT_TAGS},
    {IDC_TOOL_HELP, IDS_TIP_HELP},
};

bool IsMouseMessage(UINT message) { return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST; }

}  // namespace

void CQuillonDlg::CreateToolTips() {
  toolTips_ = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                Handle(), nullptr, nullptr, nullptr);
  if (!toolTips_) return;
  for (const ToolTip& tip : kToolTips) {
    std::u16string text = LoadResourceString(tip.text);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Item(tip.control));
    tool.lpszText = reinterpret_cast<wchar_t*>(text.data());  // copied by the control
    ::SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  ::SendMessageW(toolTips_, TTM_ACTIVATE, TRUE, 0);
}

void CQuillonDlg::OnPointerMove(MSG& message) {
  if (toolTips_) ::SendMessageW(toolTips_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
  fileList_.RelayMouseMove(message);
}

bool CQuillonDlg::OnActivate(UINT, HWND, bool) {
  fileList_.HideHover();
  return false;  // the dialog's own activation handling still runs
}

bool CQuillonDlg::PreTranslateMessage(MSG& message) {
  if (IsMouseMessage(message.message)) OnPointerMove(message);
  if (message.message == WM_MOUSELEAVE) fileList_.RelayMouseMove(message);
  if (message.message != WM_KEYDOWN) return false;
  if (message.wParam == VK_F5) {
    Refresh();
    return true;
  }
  // The window never closes on Escape.
  if (message.wParam == VK_ESCAPE) return true;
  if (message.wParam == VK_RETURN) {
    const HWND searchBox = Item(IDC_SEARCH_BOX);
    if (::GetFocus() == searchBox) {
      RunSearchBox();
      ::SendMessageW(searchBox, EM_SETSEL, 0, -1);
      ::SendMessageW(searchBox, EM_SCROLLCARET, 0, 0);
      return true;
    }
    fileList_.OpenSelected();
  }
  return false;
}

bool CQuillonDlg::OnDropFiles(const std::vector<std::u16string>& paths, POINT point) {
  if (initialised_) AddDroppedFiles(paths, point);
  return true;
}

bool CQuillonDlg::OnCtlColor(HDC dc, HWND, UINT kind, HBRUSH& brush) {
  if (kind == WM_CTLCOLORDLG) {
    brush = backgroundBrush_;
    return true;
  }
  // Labels draw on whatever skin lies under them.
  if (kind == WM_CTLCOLORSTATIC) {
    ::SetBkMode(dc, TRANSPARENT);
    brush = static_cast<HBRUSH>(::GetStockObject(HOLLOW_BRUSH));
    return true;
  }
  return false;
}

}  // namespace quillon
