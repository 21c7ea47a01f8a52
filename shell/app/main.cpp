// quillon.exe: the application object runs the program.
#include <windows.h>

#include "shell/app/quillon_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  static quillon::CQuillonApp app;
  return app.Run();
}
