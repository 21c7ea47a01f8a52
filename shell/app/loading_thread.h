// The one-shot thread that loads the catalogue at start: "Loading...", open data.dat, read the
// folders into the tree, list every file, then "Ready" or the "Load data faild" box. It
// changes the main window only through synchronous requests carried out on the window's thread.
#pragma once

#include <windows.h>

#include "framework/gdi.h"

namespace quillon {

class CQuillonApp;

class LoadingThread {
 public:
  LoadingThread() = default;
  // The catalogue the thread reads must outlive it: the owner waits for it (a little) here.
  ~LoadingThread();
  LoadingThread(const LoadingThread&) = delete;
  LoadingThread& operator=(const LoadingThread&) = delete;

  // Starts loading `app`'s catalogue for the main window `mainWindow`; false if no thread.
  bool Start(CQuillonApp& app, HWND mainWindow);
  // True once the thread has ended (or never started).
  bool Finished() const;

 private:
  OwnedHandle thread_;
};

}  // namespace quillon
