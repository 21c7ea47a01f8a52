// What a list of files needs from the hover preview popup: the popup itself (preview/) sits above
// the lists' shared pieces and implements this.
#pragma once

#include <windows.h>

#include <cstdint>

#include "catalogue/tables.h"

namespace quillon {

class PreviewPopup {
 public:
  virtual ~PreviewPopup() = default;

  // The popup's window; null before it is created.
  virtual HWND PopupWindow() const = 0;
  // Shows the popup for `record` beside the pointer (screen pixels), or does nothing when
  // that file is the one shown last.
  virtual void ShowFile(FileRecord record, std::int32_t pointerX, std::int32_t pointerY) = 0;
  // Forgets the file shown last and hides the popup; safe while hidden.
  virtual void HidePreview() = 0;
};

}  // namespace quillon
