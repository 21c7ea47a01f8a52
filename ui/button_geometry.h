// What a skinned push button (ButtonEx) draws, as pure functions: the state strip, the tiles
// of its skin bitmap and the caption's place.
//
// A skin bitmap is W pixels wide and holds one strip per state, each as tall as the button,
// stacked from the top. A strip is a 10-pixel left cap, a middle part repeated to the
// button's width, and a 10-pixel right cap.
#pragma once

#include <vector>

#include "ui/piece_geometry.h"

namespace quillon {

enum class ButtonState : int { kNormal = 0, kDisabled = 1, kHover = 2, kPressed = 3, kFocused = 4 };

struct ButtonConditions {
  bool disabled = false;
  bool pressed = false;
  bool hover = false;
  bool focused = false;
};

constexpr int kSkinCapWidth = 10;

// Disabled wins over pressed, pressed over hover, hover over focus.
ButtonState ButtonStateFor(const ButtonConditions& conditions);

// The pieces that paint `item` from a skin of width `skinWidth`, in painting order: the
// middle tiles (the last may reach past the right edge; the button's own clipping cuts it and
// the right cap covers it), then the left cap, then the right cap. The strip is taken at the
// button's own height. A skin without a middle part (W <= 20) gets no tiles.
std::vector<BitmapPiece> ButtonSkinPlan(const PixelRect& item, int skinWidth, ButtonState state);

// Top-left corner of a caption of textWidth x textHeight centred on the button, one pixel
// right and down while it is pressed.
PixelPoint ButtonCaptionOrigin(const PixelRect& item, int textWidth, int textHeight, bool pressed);

}  // namespace quillon
