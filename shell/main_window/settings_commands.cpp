// The settings the menus toggle, the first start's registration as a start item, and the quick
// bar's visibility.
#include "quick/quick_bar.h"
#include "settings/settings_file.h"
#include "settings/settings_keys.h"
#include "shell/main_window/quillon_dlg.h"
#include "shell/tray/autorun.h"

namespace quillon {
namespace {

SettingsFile SettingsOf(const MainWindowHost& host) {
  return SettingsFile(SettingsPathIn(host.DataFolder()));
}

}  // namespace

bool CQuillonDlg::IsStartItemOn() const {
  return SettingsOf(host_).ReadFlag(kSectionSoftware, kKeyAutorun);
}

// The settings file decides; the registry is not read back.
void CQuillonDlg::ToggleStartItem() {
  const SettingsFile settings = SettingsOf(host_);
  if (settings.ReadFlag(kSectionSoftware, kKeyAutorun)) {
    UnregisterAutorun();
    settings.WriteFlag(kSectionSoftware, kKeyAutorun, false);
  } else {
    RegisterAutorun(AutorunCommand(ProgramPath()));
    settings.WriteFlag(kSectionSoftware, kKeyAutorun, true);
  }
}

bool CQuillonDlg::IsQuickBarAutoshowOn() const {
  return SettingsOf(host_).ReadFlag(kSectionQuickBar, kKeyAutoshow);
}

void CQuillonDlg::ToggleQuickBarAutoshow() {
  const SettingsFile settings = SettingsOf(host_);
  settings.WriteFlag(kSectionQuickBar, kKeyAutoshow,
                     !settings.ReadFlag(kSectionQuickBar, kKeyAutoshow));
}

void CQuillonDlg::ToggleQuickBar() {
  if (CQuickBar* quickBar = host_.RunningQuickBar()) quickBar->ToggleVisible();
}

// Until the first start has run, WindowsMode is absent or "Yes": the program then toggles its
// start item once (an absent Autorun reads as on, so a fresh installation is not registered).
void CQuillonDlg::RunFirstStart() {
  const SettingsFile settings = SettingsOf(host_);
  if (settings.ReadFlag(kSectionSoftware, kKeyWindowsMode)) ToggleStartItem();
  settings.WriteFlag(kSectionSoftware, kKeyWindowsMode, false);
}

}  // namespace quillon
