// What the loading thread changes in the window it loads the catalogue for. Every call but
// LoadFailed comes on the window's own thread, carried there by the thread's requests.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "catalogue/tables.h"

namespace quillon {

class LoadingTarget {
 public:
  virtual ~LoadingTarget() = default;

  // The window the requests run on; it owns the failure box.
  virtual HWND LoadingWindow() const = 0;
  // "Loading..." in the status line.
  virtual void LoadingShown() = 0;
  // The folder table is read; `rootIndex` is the root folder's place in it (-1 for none).
  virtual void FoldersReady(std::int32_t rootIndex) = 0;
  // `found`, the result of a search for `tagText` that found `foundCount` files.
  virtual void FilesReady(const std::u16string& tagText, FileTable&& found,
                          std::uint32_t foundCount) = 0;
  // "Ready": from now on every listing keeps the status line up to date.
  virtual void Ready() = 0;
  // Another program holds the catalogue: the status line says so until a read gets through
  // (the loading thread shows the one box that tells it).
  virtual void CatalogueInUse() = 0;
  // "Load data faild", on the loading thread; the status line keeps "Loading...".
  virtual void LoadFailed() = 0;
};

}  // namespace quillon
