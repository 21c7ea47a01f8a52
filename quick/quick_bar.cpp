#include "quick/quick_bar.h"

#include "catalogue/busy_wait.h"
#include "catalogue/tag_text.h"
#include "framework/gdi.h"
#include "framework/message_box.h"
#include "framework/resource_text.h"
#include "quick/quick_layout.h"
#include "resources/resource.h"
#include "settings/settings_file.h"
#include "settings/settings_keys.h"
#include "ui/bitmap_piece.h"
#include "ui/gdi_bridge.h"

namespace quillon {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);

PixelRect WindowPlace(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return ToPixelRect(rect);
}

void MoveTo(HWND window, const PixelRect& place, UINT flags) {
  ::SetWindowPos(window, nullptr, place.left, place.top, place.Width(), place.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | flags);
}

PixelPoint DefaultBarPosition() {
  return QuickBarPosition(kNoStoredPosition, kNoStoredPosition, ::GetSystemMetrics(SM_CXSCREEN),
                          ::GetSystemMetrics(SM_CYSCREEN));
}

}  // namespace

const CommandRoute<CQuickBar> CQuickBar::kCommands[] = {
    {IDC_BTN_RESULTS, &CQuickBar::ToggleResults},
    {IDC_BTN_SEARCH, &CQuickBar::SearchInMainWindow},
    {IDC_BTN_HIDE, &CQuickBar::ConfirmHide},
};

CQuickBar::CQuickBar(QuickBarHost& host)
    : CDialog(IDD_QUICK_BAR), host_(host), results_(host, *this) {}

bool CQuickBar::Create() { return CDialog::Create(nullptr); }

void CQuickBar::SavePlace() const {
  const PixelRect place = WindowPlace(Handle());
  const SettingsFile settings(SettingsPathIn(host_.DataFolder()));
  settings.WriteNumber(kSectionSoftware, kKeyQuickBarX, place.left);
  settings.WriteNumber(kSectionSoftware, kKeyQuickBarY, place.top);
}

bool CQuickBar::OnInitDialog() {
  const SettingsFile settings(SettingsPathIn(host_.DataFolder()));
  const PixelPoint place = QuickBarPosition(
      settings.ReadNumber(kSectionSoftware, kKeyQuickBarX, kNoStoredPosition),
      settings.ReadNumber(kSectionSoftware, kKeyQuickBarY, kNoStoredPosition),
      ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  ::SetWindowPos(Handle(), nullptr, place.x, place.y, kQuickBarWidth, kQuickBarHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client{};
  ::GetClientRect(Handle(), &client);
  // The window owns the region once it is set.
  ::SetWindowRgn(Handle(),
                 ::CreateRoundRectRgn(client.left, client.top, client.right, client.bottom,
                                      kQuickCornerEllipse, kQuickCornerEllipse),
                 FALSE);
  SkinAndPlaceControls();
  // A tool window gets no task-bar button.
  const LONG_PTR exStyle = ::GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
  ::SetWindowLongPtrW(Handle(), GWL_EXSTYLE,
                      (exStyle & ~static_cast<LONG_PTR>(WS_EX_APPWINDOW)) | WS_EX_TOOLWINDOW);
  results_.Create(Handle());
  results_.SetResultTagText(std::u16string(kAllFilesTagText));
  return false;  // a hidden bar takes no focus
}

void CQuickBar::SkinAndPlaceControls() {
  const QuickBarLayout layout = LayoutQuickBar();
  struct Skin {
    ButtonEx& button;
    int id;
    UINT bitmap;
    const PixelRect& place;
  };
  const Skin skins[] = {
      {searchButton_, IDC_BTN_SEARCH, IDB_QUICK_SEARCH, layout.searchButton},
      {resultsButton_, IDC_BTN_RESULTS, IDB_QUICK_RESULTS_HIDDEN, layout.resultsButton},
      {hideButton_, IDC_BTN_HIDE, IDB_QUICK_HIDE, layout.hideButton},
  };
  for (const Skin& skin : skins) {
    skin.button.Attach(Item(skin.id));
    skin.button.SetSkin(skin.bitmap, skin.place.Width(), kBlack);
    MoveTo(Item(skin.id), skin.place, 0);
  }
  MoveTo(Item(IDC_QUICK_SEARCH), layout.searchBox, 0);
}

void CQuickBar::PlaceResults() {
  MoveTo(results_.Handle(), ShownResultsPlace(WindowPlace(Handle()), WindowPlace(results_.Handle())),
         SWP_SHOWWINDOW);
  resultsButton_.SetSkinBitmap(IDB_QUICK_RESULTS_SHOWN);
  resultsButton_.Repaint();
}

void CQuickBar::MarkResultsHidden() {
  resultsButton_.SetSkinBitmap(IDB_QUICK_RESULTS_HIDDEN);
  resultsButton_.Repaint();
}

void CQuickBar::HideResults() {
  MarkResultsHidden();
  results_.HideWindow();
}

std::u16string CQuickBar::SearchText() const { return ItemText(IDC_QUICK_SEARCH); }

void CQuickBar::SetSearchText(const std::u16string& text) { SetItemText(IDC_QUICK_SEARCH, text); }

void CQuickBar::ToggleVisible() {
  RECT place{};
  ::GetWindowRect(Handle(), &place);
  if (!::MonitorFromRect(&place, MONITOR_DEFAULTTONULL)) {
    const PixelPoint home = DefaultBarPosition();
    ::SetWindowPos(Handle(), nullptr, home.x, home.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(Handle(), SW_SHOWNORMAL);
    return;
  }
  if (IsVisible()) {
    HideResults();
    ::ShowWindow(Handle(), SW_HIDE);
    return;
  }
  ::ShowWindow(Handle(), SW_SHOWNORMAL);
}

bool CQuickBar::OnCommand(int id, int code, HWND) {
  if (id == IDC_QUICK_SEARCH) {
    if (code == EN_CHANGE) RunTypingSearch();
    return true;
  }
  return RunCommand(*this, kCommands, id);
}

void CQuickBar::RunTypingSearch() {
  {
    // A held catalogue must not cost the full wait, nor a box, on every key.
    const TypingWait typing(host_.Catalogue().Database().Busy());
    if (!results_.FillResults(NormalizeTagText(SearchText()))) return;
  }
  // A hidden bar shows no list either.
  if (results_.RowCount() == 0 || !IsVisible()) {
    HideResults();
    return;
  }
  PlaceResults();
  FocusSearchBox();
}

void CQuickBar::FocusSearchBox() {
  if (IsVisible()) ::SetFocus(Item(IDC_QUICK_SEARCH));
}

bool CQuickBar::PreTranslateMessage(MSG& message) {
  if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) {
    if (results_.IsVisible()) {
      results_.FocusFirstRow();
    } else {
      RunTypingSearch();
    }
  }
  return false;  // then the usual handling: the bar's OK does nothing
}

void CQuickBar::OnCancel() { HideResults(); }

void CQuickBar::ToggleResults() {
  if (results_.IsVisible()) {
    HideResults();
    return;
  }
  std::u16string text = NormalizeTagText(SearchText());
  if (text.empty()) text = kAllFilesTagText;
  results_.FillResults(text);
  // A search that finds nothing lists every catalogued file instead.
  if (results_.RowCount() == 0) results_.FillResults(std::u16string(kAllFilesTagText));
  PlaceResults();
}

void CQuickBar::SearchInMainWindow() {
  // It refills the main window's list, which a modal dialog of the main window may be reading.
  mainWindowWait_.Run(Handle(), host_.Catalogue().MainWindow(), [this] { ListInMainWindow(); });
}

bool CQuickBar::OnTimer(UINT_PTR id) { return mainWindowWait_.OnTimer(id); }

void CQuickBar::ListInMainWindow() {
  std::u16string text = NormalizeTagText(SearchText());
  host_.SetSearchBoxText(text);
  if (text.empty()) text = kAllFilesTagText;
  const HWND mainWindow = host_.Catalogue().MainWindow();
  // A second press with the same text hides the main window again.
  if (text == host_.CurrentFilter() && ::IsWindowVisible(mainWindow)) {
    ::ShowWindow(mainWindow, SW_HIDE);
    return;
  }
  host_.ListFiles(text);
  ::ShowWindow(mainWindow, SW_SHOWNORMAL);
  ::SetForegroundWindow(mainWindow);
}

void CQuickBar::ConfirmHide() {
  if (!AskYesNo(Handle(), LoadResourceString(IDS_HIDE_QUICK_BAR_CONFIRM),
                LoadResourceString(IDS_HIDE_CAPTION))) {
    return;
  }
  HideResults();
  ::ShowWindow(Handle(), SW_HIDE);
}

bool CQuickBar::OnLButtonDown(UINT, POINT) {
  // Dragged by its background as if by a caption.
  ::ReleaseCapture();
  ::SendMessageW(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
  return true;
}

bool CQuickBar::OnMove(int, int) {
  FollowBar();
  return false;
}

void CQuickBar::FollowBar() {
  if (!results_.Handle()) return;  // the bar's first move comes before its list exists
  if (results_.IsVisible()) {
    PlaceResults();
  } else {
    MoveTo(results_.Handle(),
           HiddenResultsPlace(WindowPlace(Handle()), WindowPlace(results_.Handle())), 0);
  }
  FocusSearchBox();
}

bool CQuickBar::OnPaint() {
  {
    PaintDC dc(Handle());
    RECT client{};
    ::GetClientRect(Handle(), &client);
    DrawBitmapPiece(dc, IDB_QUICK_BAR, 0, 0, client.left, client.top, client.right, client.bottom);
  }
  resultsButton_.Repaint();
  return true;
}

bool CQuickBar::OnSetCursor(HWND, int, UINT) {
  POINT cursor{};
  ::GetCursorPos(&cursor);
  RECT button{};
  ::GetWindowRect(Item(IDC_BTN_SEARCH), &button);
  if (!::PtInRect(&button, cursor)) return false;
  ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
  return true;
}

bool CQuickBar::OnHelp(const HELPINFO&) {
  host_.Catalogue().OpenHelpFile();
  return true;
}

bool CQuickBar::OnDropFiles(const std::vector<std::u16string>& paths, POINT) {
  // Added through the main window's Edit Tags dialog, once no other dialog is open there.
  mainWindowWait_.Run(Handle(), host_.Catalogue().MainWindow(),
                      [this, paths] { host_.AddFiles(paths, results_.ResultTagText()); });
  return true;
}

}  // namespace quillon
