// quillon.exe: a start while this user's Quillon runs hands over to it and ends; otherwise the
// application object runs the program.
#include <windows.h>

#include <optional>

#include "framework/wide.h"
#include "shell/app/quillon_app.h"
#include "shell/app/single_instance.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  quillon::SingleInstance instance;  // held until the program ends
  if (!instance.IsFirst()) {
    const std::optional<int> exitCode = instance.HandOver(quillon::FromWide(::GetCommandLineW()));
    if (exitCode) return *exitCode;
  }
  static quillon::CQuillonApp app;
  return app.Run();
}
