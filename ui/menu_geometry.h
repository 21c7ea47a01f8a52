// How an office-style popup menu item is measured, coloured and laid out, as pure functions.
// The Windows menu class (ui/office_menu.h) asks the system for its colours and metrics and
// paints what these functions decide.
//
// Item rectangles are (L, T, R, B) with right and bottom exclusive, h = B - T. The blue icon
// column is (L, T, L + 21, B); text starts at L + 25.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/piece_geometry.h"

namespace quillon {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const Rgb&) const = default;
};

// 0 < factor <= 1 moves each channel that far towards 255 (truncated); any other factor
// leaves the colour unchanged.
Rgb LightenColor(double factor, Rgb colour);

// The kind of system, from the platform's version query.
enum class OsKind : int { kWin32s = 0, kWindows95 = 1, kOldNt = 2, kNt = 3 };
// platformId as the version query reports it: 0 Win32s, 1 the Windows 95 family, 2 NT.
OsKind OsKindFor(unsigned platformId, unsigned majorVersion);
bool IsNewShell(OsKind kind);

// The menu colour that turns the office look's background white and lightens its column.
inline constexpr Rgb kMenuColumnBlue{99, 190, 255};

struct OfficeMenuColours {
  Rgb background;
  Rgb column;
  Rgb selectionFill;
  Rgb frame;  // selection frame and check-box frame
  Rgb checkFill;
  Rgb text;
  Rgb greyText;
};

// menu, menuText and greyText are the system's colours.
OfficeMenuColours OfficeColoursFor(Rgb menu, Rgb menuText, Rgb greyText);

enum class MenuLook { kOffice, kClassic };

// The two draw-mode switches: one applies when, on a new-shell system, the 3-D face colour
// differs from the menu colour, the other otherwise; 1 selects the office look. Palette
// displays always get the classic look.
struct MenuDrawModes {
  int whenFaceDiffers = 1;
  int whenFaceEqual = 0;
};
MenuLook ChooseMenuLook(bool paletteDisplay, bool newShell, bool faceDiffersFromMenu,
                        const MenuDrawModes& modes);

inline constexpr int kMenuIconWidth = 16;
inline constexpr int kMenuIconHeight = 15;
inline constexpr int kMenuColumnWidth = 21;
inline constexpr int kMenuTextIndent = 25;
inline constexpr int kMenuAcceleratorGap = 16;

struct MenuItemSize {
  int width = 0;
  int height = 0;
  bool operator==(const MenuItemSize&) const = default;
};

// cyMenu is the system's menu-bar height (SM_CYMENU).
MenuItemSize MeasureMenuSeparator(int cyMenu);
MenuItemSize MeasureMenuItem(int textWidth, int cyMenu);

PixelRect MenuIconColumn(const PixelRect& item);
// Vertical offset of the check box: (h - 19) / 2, never negative.
int MenuCheckOffset(const PixelRect& item);
// The office look's check box; one pixel shorter when the menu colour is kMenuColumnBlue.
PixelRect OfficeCheckBox(const PixelRect& item, bool menuIsColumnBlue);
PixelRect ClassicCheckBox(const PixelRect& item);
// Where the glyph starts inside a check box: the dot (both looks) and the tick (office look)
// at (left + 5, top + 4); the classic tick at (left + 4, top + 4).
PixelPoint CheckGlyphOrigin(const PixelRect& box);
PixelPoint ClassicTickOrigin(const PixelRect& box);
// The tick: seven one-pixel columns, three pixels tall, falling then rising.
std::array<PixelRect, 7> CheckTickColumns(PixelPoint origin);
// The dot: the square its filled circle is drawn in.
PixelRect CheckDotSquare(PixelPoint origin);

// The rectangle whose top side carries the office separator's etched line (from L + 25 at
// T + h / 2); the classic separator runs at the same height across the whole width.
PixelRect OfficeSeparatorEdge(const PixelRect& item);
int SeparatorLineY(const PixelRect& item);
// The classic look's selection fill: the whole item, or right of the column when checked.
PixelRect ClassicSelectionRect(const PixelRect& item, bool checked);

// An item's text split for drawing: the label (before the first tab) left-aligned and the
// accelerator (after the last tab) right-aligned in `rect`.
struct MenuTextLayout {
  std::u16string label;
  std::u16string accelerator;
  PixelRect rect;
};
MenuTextLayout LayoutMenuText(const PixelRect& item, std::u16string_view text);

// Pads the part before the first tab of every text that holds a tab with blanks until it is
// as wide as the widest "label + blank" of the level, so the accelerators line up.
// `width` measures a text in the menu font.
using TextWidth = std::function<int(std::u16string_view)>;
std::vector<std::u16string> AlignAccelerators(const std::vector<std::u16string>& texts,
                                              const TextWidth& width);

}  // namespace quillon
