// PreviewHover: the owner's side of the hover preview, once for every window that lists
// catalogued files in a list view (report view, the full path in the third column) and keeps
// their records in a FileTable. It finds the record under the pointer and calls the popup's
// ShowFile or HidePreview. An owner:
//
//   PreviewHover hover_;                          // a member beside its list and table
//   hover_.Attach(Item(IDC_FILE_LIST), files_, app.Preview());   // once the list exists
//   hover_.Rebuild();                             // after every fill of the list from files_
//   bool PreTranslateMessage(MSG& message) override {
//     hover_.RelayMouseMove(message);             // every movement and leave, window or control
//     ...
//   }
//   bool OnActivate(...) override { ...default...; hover_.Hide(); }   // both ways
//   before the list's context menu:               hover_.Hide();
//   when the list's window is hidden:             hover_.Hide();
//
// A movement over the same file costs the hit test, one hash lookup and the popup's two
// comparisons: the full path -> record index is built by Rebuild, not searched per movement.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <unordered_map>

#include "catalogue/tables.h"

namespace quillon {

class PreviewPopup;

class PreviewHover {
 public:
  // `list` shows the records of `files`; both outlive this object. A null `preview` (no
  // popup in this process) makes every call do nothing.
  void Attach(HWND list, const FileTable& files, PreviewPopup* preview);
  // Indexes the table's records by full path; call after every refill of the list.
  void Rebuild();

  // A WM_MOUSEMOVE for any window: its point is taken to the screen and hit-tested against the
  // list, and the list asks for a WM_MOUSELEAVE; a leave hides the popup unless the pointer is
  // over the list. Other messages are ignored; nothing is consumed.
  void RelayMouseMove(const MSG& message);
  // Over a row: ShowFile with the row's record (the empty record when its path matches none);
  // elsewhere: HidePreview.
  void PointerMoved(POINT screen);
  // The list's WM_MOUSELEAVE: PointerMoved where the pointer is now.
  void PointerLeft();
  // HidePreview, when there is a popup window.
  void Hide();

  // The row under a screen point, or -1.
  int RowAt(POINT screen) const;
  // The record whose full path is the row's third column, as FindFileByPath finds it.
  FileRecord RecordOfRow(int row);

 private:
  HWND list_ = nullptr;
  const FileTable* files_ = nullptr;
  PreviewPopup* preview_ = nullptr;
  std::unordered_map<std::u16string, std::int32_t> indexByPath_;
  bool leaveAsked_ = false;  // a WM_MOUSELEAVE is due from the list
};

}  // namespace quillon
