// The main window's own frame, which replaces the platform's caption and border: the skinned
// buttons, the placement of every control from the window's size and the splitter, the skin
// painted on every paint, and the mouse drags that move, resize and maximise the window and
// move the splitter between folder tree and file list.
//
//   MainFrame frame;
//   frame.Attach(dialog);          // at the dialog's initialisation
//   frame.LayoutControls();        // after every size change
//   bool OnLButtonDown(UINT, POINT p) override { return frame_.OnLButtonDown(p); }
#pragma once

#include <windows.h>

#include <array>

#include "shell/model/frame_geometry.h"
#include "ui/button_ex.h"

namespace quillon {

class MainFrame {
 public:
  // Skins the dialog's buttons; the splitter starts at its initial place.
  void Attach(HWND dialog);

  // The splitter as the user left it. Only a splitter drag changes it: a window too narrow
  // for it places the controls as if it stood further left, and growing the window back
  // restores it.
  int Splitter() const { return splitter_; }
  // Where the splitter stands in the window as it is now.
  int PlacedSplitter() const;

  // Places every control from the window's size and the splitter.
  void LayoutControls() const;
  // The skin's bitmap pieces and lines, on the window's paint surface.
  void PaintSkin(HDC dc) const;
  // Maximised to the desktop's work area, or restored.
  void ToggleMaximized() const;

  // The dialog's mouse handlers hand their messages here; true when the frame took them.
  bool OnLButtonDown(POINT point);
  bool OnMouseMove(UINT keys, POINT point);
  bool OnLButtonUp(POINT point);
  bool OnLButtonDblClk(POINT point) const;
  bool OnSetCursor() const;

 private:
  SIZE ClientSize() const;
  HWND Item(int id) const { return ::GetDlgItem(dialog_, id); }
  // The drag under way, from the window's size at the press.
  void DragTo(POINT point);

  HWND dialog_ = nullptr;
  int splitter_ = kInitialSplitter;
  unsigned dragEdges_ = kEdgeNone;  // FrameEdge flags of the drag under way
  std::array<ButtonEx, 13> buttons_;
};

}  // namespace quillon
