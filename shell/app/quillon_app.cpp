#include "shell/app/quillon_app.h"

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include "framework/wide.h"
#include "shell/main_window/main_window_port.h"
#include "shell/main_window/quillon_dlg.h"
#include "shell/model/start_options.h"

namespace quillon {

CQuillonApp::CQuillonApp(std::u16string dataFolder)
    : dataFolder_(std::move(dataFolder)), commandLine_(FromWide(::GetCommandLineW())) {
  database_.SetReporter(&reporter_);
}

void CQuillonApp::InitInstance() {
  INITCOMMONCONTROLSEX controls{sizeof(controls), 0xFF};
  ::InitCommonControlsEx(&controls);
  if (dataFolder_.empty()) {
    // Neither created nor tested: a missing folder shows up as a failed load.
    wchar_t applicationData[MAX_PATH + 1] = {};
    ::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, applicationData);
    dataFolder_ = DataFolderUnder(FromWide(applicationData));
  }
  if (!preview_.Handle()) preview_.Create(nullptr);
  preview_.ShowMissing(&missing_);
}

int CQuillonApp::Run() {
  // The shell's file dialogs and icon look-ups expect the component library on this thread.
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  InitInstance();
  CreateQuickBar();
  {
    CQuillonDlg mainWindow(*this);
    mainWindow.DoModal(nullptr);
  }
  movedFiles_.Stop();
  if (SUCCEEDED(com)) ::CoUninitialize();
  return 0;
}

std::u16string CQuillonApp::CataloguePath() const { return CataloguePathIn(dataFolder_); }

HWND CQuillonApp::MainWindow() const {
  return mainWindow_ ? mainWindow_->WindowHandle() : nullptr;
}

void CQuillonApp::MainWindowOpened(MainWindowPort& window) {
  mainWindow_ = &window;
  reporter_.SetOwner(window.WindowHandle());
}

void CQuillonApp::MainWindowClosed(const MainWindowPort& window) {
  if (mainWindow_ != &window) return;
  mainWindow_ = nullptr;
  reporter_.SetOwner(nullptr);
}

}  // namespace quillon
