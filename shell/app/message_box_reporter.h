// Brings the catalogue's errors to the user: a message box with an OK button and the
// program's title as caption, owned by the main window once there is one.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "catalogue/tag_database.h"

namespace quillon {

class MessageBoxReporter : public CatalogueReporter {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  void ReportDatabaseError(const std::u16string& text) override;
  void ReportReadError(const std::u16string& text) override;

 private:
  void Show(const std::u16string& text);

  // Errors come from the loading thread as well as from the window's thread.
  std::atomic<HWND> owner_{nullptr};
};

}  // namespace quillon
