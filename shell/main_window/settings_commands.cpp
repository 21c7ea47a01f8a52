// The settings the menus toggle, the first start's registration as a start item, and the quick
// bar's visibility.
#include "settings/settings_file.h"
#include "settings/settings_keys.h"
#include "shell/app/quillon_app.h"
#include "shell/main_window/quillon_dlg.h"
#include "shell/tray/autorun.h"

namespace quillon {
namespace {

SettingsFile SettingsOf(const CQuillonApp& app) {
  return SettingsFile(SettingsPathIn(app.DataFolder()));
}

}  // namespace

bool CQuillonDlg::IsStartItemOn() const {
  return SettingsOf(app_).ReadFlag(kSectionSoftware, kKeyAutorun);
}

// The settings file decides; the registry is not read back.
void CQuillonDlg::ToggleStartItem() {
  const SettingsFile settings = SettingsOf(app_);
  if (settings.ReadFlag(kSectionSoftware, kKeyAutorun)) {
    UnregisterAutorun();
    settings.WriteFlag(kSectionSoftware, kKeyAutorun, false);
  } else {
    RegisterAutorun(AutorunCommand(ProgramPath()));
    settings.WriteFlag(kSectionSoftware, kKeyAutorun, true);
  }
}

bool CQuillonDlg::IsQuickBarAutoshowOn() const {
  return SettingsOf(app_).ReadFlag(kSectionQuickBar, kKeyAutoshow);
}

void CQuillonDlg::ToggleQuickBarAutoshow() {
  const SettingsFile settings = SettingsOf(app_);
  settings.WriteFlag(kSectionQuickBar, kKeyAutoshow,
                     !settings.ReadFlag(kSectionQuickBar, kKeyAutoshow));
}

void CQuillonDlg::ToggleQuickBar() {
  if (app_.QuickBarWindow()) app_.QuickBar().ToggleVisible();
}

// Until the first start has run, WindowsMode is absent or "Yes": the program then toggles its
// start item once (an absent Autorun reads as on, so a fresh installation is not registered).
void CQuillonDlg::RunFirstStart() {
  const SettingsFile settings = SettingsOf(app_);
  if (settings.ReadFlag(kSectionSoftware, kKeyWindowsMode)) ToggleStartItem();
  settings.WriteFlag(kSectionSoftware, kKeyWindowsMode, false);
}

}  // namespace quillon
