// The search for catalogued files that were renamed or moved, away from the window's thread.
// Each search opens a connection of its own to the catalogue, so its waits for another program
// and its failures never reach the user (a write that fails is tried again by the next
// search), runs the relocation pass and posts a message to the window that asked; the window
// then takes the results on its own thread. Asked while a search runs, one more runs after it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/gdi.h"
#include "relocate/relocation_pass.h"

namespace quillon {

class MovedFileSearch {
 public:
  MovedFileSearch();
  // Stops the search.
  ~MovedFileSearch();
  MovedFileSearch(const MovedFileSearch&) = delete;
  MovedFileSearch& operator=(const MovedFileSearch&) = delete;

  // Searches the catalogue at `cataloguePath` and then posts `doneMessage` to `window`.
  void Request(const std::u16string& cataloguePath, HWND window, UINT doneMessage);
  // The results of the searches that ended since the last call, oldest first.
  std::vector<RelocationResult> TakeResults();
  // Ends the search under way, writing nothing, and waits a moment for it: a file system that
  // answers slowly must not hold the program's end. Later requests are ignored.
  void Stop();

 private:
  struct Shared;
  static DWORD WINAPI ThreadMain(void* parameter);

  std::shared_ptr<Shared> shared_;  // the thread holds it too: it may outlive this object
  OwnedHandle thread_;
};

}  // namespace quillon
