#include "ui/menu_geometry.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(LightenColor, TruncatesTowardsWhiteAndIgnoresBadFactors) {
  EXPECT_EQ(LightenColor(0.35, {99, 190, 255}), (Rgb{153, 212, 255}));
  EXPECT_EQ(LightenColor(0.85, {132, 166, 198}), (Rgb{236, 241, 246}));
  EXPECT_EQ(LightenColor(1.0, {0, 10, 20}), (Rgb{255, 255, 255}));
  EXPECT_EQ(LightenColor(0.0, {1, 2, 3}), (Rgb{1, 2, 3}));
  EXPECT_EQ(LightenColor(-0.5, {1, 2, 3}), (Rgb{1, 2, 3}));
  EXPECT_EQ(LightenColor(1.5, {1, 2, 3}), (Rgb{1, 2, 3}));
  // 128 + 0.5 * 127 = 191.5, truncated.
  EXPECT_EQ(LightenColor(0.5, {128, 0, 255}), (Rgb{191, 127, 255}));
}

TEST(OfficeColours, OrdinaryMenuColour) {
  const auto colours = OfficeColoursFor({255, 255, 255}, {0, 0, 0}, {109, 109, 109});
  EXPECT_EQ(colours.background, (Rgb{255, 255, 255}));
  EXPECT_EQ(colours.column, (Rgb{99, 190, 255}));
  EXPECT_EQ(colours.selectionFill, (Rgb{206, 231, 255}));
  EXPECT_EQ(colours.frame, (Rgb{132, 166, 198}));
  EXPECT_EQ(colours.checkFill, (Rgb{236, 241, 246}));
  EXPECT_EQ(colours.greyText, (Rgb{109, 109, 109}));
  EXPECT_EQ(OfficeColoursFor({212, 208, 200}, {1, 2, 3}, {4, 5, 6}).background,
            (Rgb{212, 208, 200}));
}

TEST(OfficeColours, MenuColourEqualToTheColumnBlue) {
  const auto colours = OfficeColoursFor({99, 190, 255}, {0, 0, 0}, {100, 100, 100});
  EXPECT_EQ(colours.background, (Rgb{255, 255, 255}));
  EXPECT_EQ(colours.column, (Rgb{153, 212, 255}));
  EXPECT_EQ(colours.selectionFill, (Rgb{236, 241, 246}));
  EXPECT_EQ(colours.greyText, LightenColor(0.55, {100, 100, 100}));
}

TEST(MenuLookChoice, SwitchesAndPalette) {
  const MenuDrawModes both{1, 1};
  EXPECT_EQ(ChooseMenuLook(false, true, true, both), MenuLook::kOffice);
  EXPECT_EQ(ChooseMenuLook(false, true, false, both), MenuLook::kOffice);
  EXPECT_EQ(ChooseMenuLook(true, true, true, both), MenuLook::kClassic);
  // The starting switches: office only where the face colour differs from the menu colour.
  const MenuDrawModes start;
  EXPECT_EQ(ChooseMenuLook(false, true, true, start), MenuLook::kOffice);
  EXPECT_EQ(ChooseMenuLook(false, true, false, start), MenuLook::kClassic);
  // Old shells always consult the second switch.
  EXPECT_EQ(ChooseMenuLook(false, false, true, {1, 0}), MenuLook::kClassic);
  EXPECT_EQ(ChooseMenuLook(false, false, true, {0, 1}), MenuLook::kOffice);
}

TEST(OsKind, FromPlatformAndMajorVersion) {
  EXPECT_EQ(OsKindFor(0, 3), OsKind::kWin32s);
  EXPECT_EQ(OsKindFor(1, 4), OsKind::kWindows95);
  EXPECT_EQ(OsKindFor(2, 3), OsKind::kOldNt);
  EXPECT_EQ(OsKindFor(2, 10), OsKind::kNt);
  EXPECT_TRUE(IsNewShell(OsKind::kNt));
  EXPECT_TRUE(IsNewShell(OsKind::kWindows95));
  EXPECT_FALSE(IsNewShell(OsKind::kOldNt));
  EXPECT_FALSE(IsNewShell(OsKind::kWin32s));
}

TEST(MenuMeasure, ItemsAndSeparators) {
  EXPECT_EQ(MeasureMenuItem(100, 19), (MenuItemSize{133, 19}));
  EXPECT_EQ(MeasureMenuItem(100, 15), (MenuItemSize{133, 19}));
  EXPECT_EQ(MeasureMenuItem(0, 25), (MenuItemSize{33, 25}));
  EXPECT_EQ(MeasureMenuSeparator(19), (MenuItemSize{0, 9}));
  EXPECT_EQ(MeasureMenuSeparator(25), (MenuItemSize{0, 12}));
}

TEST(MenuLayout, CheckBoxWithDefaultMetrics) {
  const PixelRect item{0, 40, 150, 59};  // 19 high: t = 0
  EXPECT_EQ(MenuCheckOffset(item), 0);
  EXPECT_EQ(OfficeCheckBox(item, false), (PixelRect{2, 42, 18, 58}));
  EXPECT_EQ(OfficeCheckBox(item, true), (PixelRect{2, 42, 18, 57}));
  EXPECT_EQ(ClassicCheckBox(item), (PixelRect{1, 42, 17, 57}));
  EXPECT_EQ(MenuIconColumn(item), (PixelRect{0, 40, 21, 59}));
}

TEST(MenuLayout, TallItemsCentreTheCheckBox) {
  const PixelRect item{3, 10, 150, 35};  // SM_CYMENU 25: t = (25 - 19) / 2 = 3
  EXPECT_EQ(MenuCheckOffset(item), 3);
  EXPECT_EQ(OfficeCheckBox(item, false), (PixelRect{5, 15, 21, 31}));
  EXPECT_EQ(MenuCheckOffset({0, 0, 10, 20}), 0);  // (20 - 19) / 2 truncates
  EXPECT_EQ(MenuCheckOffset({0, 0, 10, 9}), 0);   // never negative
}

TEST(MenuLayout, TickAndDotGlyphs) {
  const PixelRect box{2, 2, 18, 18};
  const PixelPoint origin = CheckGlyphOrigin(box);
  EXPECT_EQ(origin, (PixelPoint{7, 6}));
  EXPECT_EQ(ClassicTickOrigin(box), (PixelPoint{6, 6}));
  const auto tick = CheckTickColumns(origin);
  const int rows[7] = {2, 3, 4, 3, 2, 1, 0};
  for (int i = 0; i < 7; ++i) {
    const PixelRect& column = tick[static_cast<std::size_t>(i)];
    EXPECT_EQ(column, (PixelRect{7 + i, 6 + rows[i], 8 + i, 9 + rows[i]})) << "column " << i;
  }
  EXPECT_EQ(CheckDotSquare(origin), (PixelRect{7, 6, 13, 12}));
}

TEST(MenuLayout, SeparatorsAndClassicSelection) {
  const PixelRect separator{0, 100, 140, 109};
  EXPECT_EQ(SeparatorLineY(separator), 104);
  EXPECT_EQ(OfficeSeparatorEdge(separator), (PixelRect{25, 104, 140, 109}));
  EXPECT_EQ(ClassicSelectionRect({0, 0, 90, 19}, false), (PixelRect{0, 0, 90, 19}));
  EXPECT_EQ(ClassicSelectionRect({0, 0, 90, 19}, true), (PixelRect{21, 0, 90, 19}));
}

TEST(MenuText, LabelAndAcceleratorRectangles) {
  const PixelRect item{0, 19, 200, 38};
  const auto plain = LayoutMenuText(item, u"&Open");
  EXPECT_EQ(plain.label, u"&Open");
  EXPECT_TRUE(plain.accelerator.empty());
  EXPECT_EQ(plain.rect, (PixelRect{25, 18, 200, 37}));

  const auto shortcut = LayoutMenuText(item, u"&Open\tCtrl+O");
  EXPECT_EQ(shortcut.label, u"&Open");
  EXPECT_EQ(shortcut.accelerator, u"Ctrl+O");
  EXPECT_EQ(shortcut.rect.right, 184);

  // The label ends at the first tab, the accelerator starts after the last.
  const auto twoTabs = LayoutMenuText(item, u"A\tB\tC");
  EXPECT_EQ(twoTabs.label, u"A");
  EXPECT_EQ(twoTabs.accelerator, u"C");
}

TEST(AcceleratorAlignment, PadsLabelsToTheWidestLabel) {
  // Every unit is 5 pixels wide; a blank too.
  const TextWidth width = [](std::u16string_view text) {
    return static_cast<int>(text.size()) * 5;
  };
  const std::vector<std::u16string> texts{u"Open\tCtrl+O", u"Save all\tCtrl+S", u"Exit"};
  const auto aligned = AlignAccelerators(texts, width);
  // Widest "label + blank" is "Save all " (9 units): shorter labels are padded to 9.
  EXPECT_EQ(aligned[0], u"Open     \tCtrl+O");
  EXPECT_EQ(aligned[1], u"Save all \tCtrl+S");
  EXPECT_EQ(aligned[2], u"Exit");

  // Without tabs nothing changes (the program's own menus).
  const std::vector<std::u16string> plain{u"File", u"Folder"};
  EXPECT_EQ(AlignAccelerators(plain, width), plain);
}

TEST(AcceleratorAlignment, FontWithoutBlankWidthDoesNotHang) {
  const TextWidth noBlank = [](std::u16string_view text) {
    int w = 0;
    for (char16_t c : text) w += c == u' ' ? 0 : 7;
    return w;
  };
  const auto aligned = AlignAccelerators({u"A\tx", u"Longer\ty"}, noBlank);
  EXPECT_EQ(aligned[0], u"A \tx");
  EXPECT_EQ(aligned[1], u"Longer\ty");
}

}  // namespace
}  // namespace quillon
