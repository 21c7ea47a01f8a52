#include "ui/button_geometry.h"

namespace quillon {

ButtonState ButtonStateFor(const ButtonConditions& conditions) {
  if (conditions.disabled) return ButtonState::kDisabled;
  if (conditions.pressed) return ButtonState::kPressed;
  if (conditions.hover) return ButtonState::kHover;
  if (conditions.focused) return ButtonState::kFocused;
  return ButtonState::kNormal;
}

std::vector<BitmapPiece> ButtonSkinPlan(const PixelRect& item, int skinWidth, ButtonState state) {
  const int height = item.Height();
  const int sourceY = static_cast<int>(state) * height;
  const int middle = skinWidth - 2 * kSkinCapWidth;
  std::vector<BitmapPiece> plan;
  if (middle > 0) {
    const int tiles = item.Width() / middle + 1;
    for (int k = 0; k < tiles; ++k) {
      const int left = item.left + kSkinCapWidth + k * middle;
      plan.push_back({kSkinCapWidth, sourceY, {left, item.top, left + middle, item.bottom}});
    }
  }
  plan.push_back({0, sourceY, {item.left, item.top, item.left + kSkinCapWidth, item.bottom}});
  plan.push_back({skinWidth - kSkinCapWidth,
                  sourceY,
                  {item.right - kSkinCapWidth, item.top, item.right, item.bottom}});
  return plan;
}

PixelPoint ButtonCaptionOrigin(const PixelRect& item, int textWidth, int textHeight, bool pressed) {
  const int shift = pressed ? 1 : 0;
  return {(item.left + item.right) / 2 - textWidth / 2 + shift,
          (item.top + item.bottom) / 2 - textHeight / 2 + shift};
}

}  // namespace quillon
