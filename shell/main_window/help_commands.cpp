// The help file, the vendor's web pages and the about box: the Help menu, the toolbar's help
// button, the help key, the tray menu's web pages and the system menu's about item.
#include "framework/resource_text.h"
#include "framework/shell_open.h"
#include "framework/wide.h"
#include "resources/resource.h"
#include "shell/main_window/about_dlg.h"
#include "shell/main_window/quillon_dlg.h"

namespace quillon {
namespace {

// The system menu ignores the low four bits of its commands.
constexpr UINT kSystemCommandMask = 0xFFF0;

}  // namespace

// Looked for in the data folder, beside the catalogue; a missing file is not reported.
void CQuillonDlg::OpenHelpFile() {
  ShellOpen(Handle(), u"open", host_.DataFolder() + u"\\help.chm");
}

void CQuillonDlg::OpenWebPage(const std::u16string& address) {
  ShellOpen(Handle(), {}, u"iexplore", address);
}

void CQuillonDlg::OpenOnlineHelp() { OpenWebPage(LoadResourceString(IDS_URL_ONLINE_HELP)); }
void CQuillonDlg::OpenWebsite() { OpenWebPage(LoadResourceString(IDS_URL_WEBSITE)); }
void CQuillonDlg::CheckForUpdates() { OpenWebPage(LoadResourceString(IDS_URL_UPDATES)); }
void CQuillonDlg::ReportBug() { OpenWebPage(LoadResourceString(IDS_URL_BUG_REPORT)); }

void CQuillonDlg::ShowAbout() {
  CAboutDlg about([this] { OpenHelpFile(); });
  about.DoModal(Handle());
}

bool CQuillonDlg::OnHelp(const HELPINFO&) {
  OpenHelpFile();
  return true;
}

void CQuillonDlg::AppendAboutToSystemMenu() {
  const HMENU systemMenu = ::GetSystemMenu(Handle(), FALSE);
  const std::u16string about = LoadResourceString(IDS_ABOUTBOX);
  if (!systemMenu || about.empty()) return;
  ::AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, Wide(about));
}

bool CQuillonDlg::OnSysCommand(UINT command, LPARAM) {
  if ((command & kSystemCommandMask) != IDM_ABOUTBOX) return false;
  ShowAbout();
  return true;
}

}  // namespace quillon
