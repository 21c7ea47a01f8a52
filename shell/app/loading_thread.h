// The one-shot thread that loads the catalogue at start: "Loading...", open data.dat, read the
// folders into the tree, list every file, then "Ready" or the "Load data faild" box. A
// catalogue another program holds is said to be in use, and F5 starts the load again. It
// changes its target only through synchronous requests carried out on the target window's thread.
#pragma once

#include <windows.h>

#include <atomic>

#include "framework/gdi.h"

namespace quillon {

class CQuillonApp;
class LoadingTarget;

class LoadingThread {
 public:
  LoadingThread() = default;
  // The catalogue the thread reads must outlive it: stops it and waits for its end.
  ~LoadingThread();
  LoadingThread(const LoadingThread&) = delete;
  LoadingThread& operator=(const LoadingThread&) = delete;

  // Starts loading `app`'s catalogue for `target`, which must outlive the load (Stop ends it);
  // false if no thread.
  bool Start(CQuillonApp& app, LoadingTarget& target);
  // True once the thread has ended (or never started).
  bool Finished() const;
  // Ends a load still under way, however slow the catalogue: its statement is interrupted,
  // nothing more is read or shown, and this returns once the thread has ended. The window
  // thread's own requests from the loading thread are served meanwhile.
  void Stop();

 private:
  CQuillonApp* app_ = nullptr;
  std::atomic<bool> stopping_{false};
  OwnedHandle thread_;
};

}  // namespace quillon
