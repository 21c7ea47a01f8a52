#include "ui/menu_geometry.h"

#include <algorithm>

namespace quillon {
namespace {

std::uint8_t Lighten(double factor, std::uint8_t channel) {
  return static_cast<std::uint8_t>(channel + factor * (255 - channel));
}

}  // namespace

Rgb LightenColor(double factor, Rgb colour) {
  if (!(factor > 0.0 && factor <= 1.0)) return colour;
  return {Lighten(factor, colour.red), Lighten(factor, colour.green), Lighten(factor, colour.blue)};
}

OsKind OsKindFor(unsigned platformId, unsigned majorVersion) {
  switch (platformId) {
    case 0:
      return OsKind::kWin32s;
    case 1:
      return OsKind::kWindows95;
    default:
      return majorVersion < 4 ? OsKind::kOldNt : OsKind::kNt;
  }
}

bool IsNewShell(OsKind kind) { return kind == OsKind::kWindows95 || kind == OsKind::kNt; }

OfficeMenuColours OfficeColoursFor(Rgb menu, Rgb menuText, Rgb greyText) {
  constexpr Rgb kWhite{255, 255, 255};
  constexpr Rgb kSelection{206, 231, 255};
  constexpr Rgb kFrame{132, 166, 198};
  const bool blue = menu == kMenuColumnBlue;
  OfficeMenuColours colours;
  colours.background = blue ? kWhite : menu;
  colours.column = blue ? LightenColor(0.35, kMenuColumnBlue) : kMenuColumnBlue;
  colours.selectionFill = blue ? LightenColor(0.85, kFrame) : kSelection;
  colours.frame = kFrame;
  colours.checkFill = LightenColor(0.85, kFrame);
  colours.text = menuText;
  colours.greyText = blue ? LightenColor(0.55, greyText) : greyText;
  return colours;
}

MenuLook ChooseMenuLook(bool paletteDisplay, bool newShell, bool faceDiffersFromMenu,
                        const MenuDrawModes& modes) {
  if (paletteDisplay) return MenuLook::kClassic;
  const int mode = newShell && faceDiffersFromMenu ? modes.whenFaceDiffers : modes.whenFaceEqual;
  return mode == 1 ? MenuLook::kOffice : MenuLook::kClassic;
}

MenuItemSize MeasureMenuSeparator(int cyMenu) { return {0, cyMenu / 2}; }

MenuItemSize MeasureMenuItem(int textWidth, int cyMenu) {
  return {textWidth + 2 * kMenuIconWidth + 1, std::max(cyMenu, kMenuIconHeight + 4)};
}

PixelRect MenuIconColumn(const PixelRect& item) {
  return {item.left, item.top, item.left + kMenuColumnWidth, item.bottom};
}

int MenuCheckOffset(const PixelRect& item) {
  return std::max(0, (item.Height() - kMenuIconHeight - 4) / 2);
}

PixelRect OfficeCheckBox(const PixelRect& item, bool menuIsColumnBlue) {
  const int top = item.top + MenuCheckOffset(item) + 2;
  return {item.left + 2, top, item.left + 18, top + (menuIsColumnBlue ? 15 : 16)};
}

PixelRect ClassicCheckBox(const PixelRect& item) {
  const int top = item.top + MenuCheckOffset(item) + 2;
  return {item.left + 1, top, item.left + 17, top + 15};
}

PixelPoint CheckGlyphOrigin(const PixelRect& box) { return {box.left + 5, box.top + 4}; }

PixelPoint ClassicTickOrigin(const PixelRect& box) { return {box.left + 4, box.top + 4}; }

std::array<PixelRect, 7> CheckTickColumns(PixelPoint origin) {
  constexpr std::array<int, 7> kRows{2, 3, 4, 3, 2, 1, 0};
  std::array<PixelRect, 7> columns;
  for (int i = 0; i < 7; ++i) {
    const int top = origin.y + kRows[static_cast<std::size_t>(i)];
    columns[static_cast<std::size_t>(i)] = {origin.x + i, top, origin.x + i + 1, top + 3};
  }
  return columns;
}

PixelRect CheckDotSquare(PixelPoint origin) {
  return {origin.x, origin.y, origin.x + 6, origin.y + 6};
}

int SeparatorLineY(const PixelRect& item) { return item.top + item.Height() / 2; }

PixelRect OfficeSeparatorEdge(const PixelRect& item) {
  return {item.left + kMenuTextIndent, SeparatorLineY(item), item.right, item.bottom};
}

PixelRect ClassicSelectionRect(const PixelRect& item, bool checked) {
  PixelRect rect = item;
  if (checked) rect.left += kMenuColumnWidth;
  return rect;
}

MenuTextLayout LayoutMenuText(const PixelRect& item, std::u16string_view text) {
  MenuTextLayout layout;
  layout.rect = {item.left + kMenuTextIndent, item.top - 1, item.right, item.bottom - 1};
  const std::size_t firstTab = text.find(u'\t');
  layout.label = std::u16string(text.substr(0, firstTab));
  if (firstTab != std::u16string_view::npos) {
    layout.accelerator = std::u16string(text.substr(text.rfind(u'\t') + 1));
    layout.rect.right -= kMenuAcceleratorGap;
  }
  return layout;
}

std::vector<std::u16string> AlignAccelerators(const std::vector<std::u16string>& texts,
                                              const TextWidth& width) {
  int widest = 0;
  for (const std::u16string& text : texts) {
    widest = std::max(widest, width(text.substr(0, text.find(u'\t')) + u" "));
  }
  std::vector<std::u16string> aligned;
  aligned.reserve(texts.size());
  for (const std::u16string& text : texts) {
    const std::size_t tab = text.find(u'\t');
    if (tab == std::u16string::npos) {
      aligned.push_back(text);
      continue;
    }
    std::u16string label = text.substr(0, tab);
    // Stops as soon as a blank adds no width, so a font without one cannot loop forever.
    for (int current = width(label); current < widest;) {
      label += u' ';
      const int grown = width(label);
      if (grown <= current) break;
      current = grown;
    }
    aligned.push_back(label + text.substr(tab));
  }
  return aligned;
}

}  // namespace quillon
