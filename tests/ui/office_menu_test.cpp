#include "ui/office_menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/wide.h"
#include "resources/resource.h"
#include "tests/ui/test_surface.h"
#include "ui/office_menu_dc.h"

namespace quillon {
namespace {

using test::OwnerDialog;
using test::TestSurface;

COLORREF Ref(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

// How many pixels of the text area (right of the column) have `colour`.
int InkInTextArea(const TestSurface& surface, COLORREF colour) {
  int count = 0;
  for (int y = 0; y < surface.Height(); ++y) {
    for (int x = 25; x < surface.Width(); ++x) count += surface.Pixel(x, y) == colour;
  }
  return count;
}

Rgb SystemRgb(int index) {
  const COLORREF colour = ::GetSysColor(index);
  return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

OfficeMenuColours CurrentColours() {
  return OfficeColoursFor(SystemRgb(COLOR_MENU), SystemRgb(COLOR_MENUTEXT),
                          SystemRgb(COLOR_GRAYTEXT));
}

std::u16string MenuText(HMENU menu, UINT position) {
  wchar_t text[128] = {};
  ::GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
  return FromWide(text);
}

UINT MenuType(HMENU menu, UINT position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE;
  ::GetMenuItemInfoW(menu, position, TRUE, &info);
  return info.fType;
}

const COfficeXPMenuData* Record(HMENU menu, UINT position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_DATA;
  ::GetMenuItemInfoW(menu, position, TRUE, &info);
  return reinterpret_cast<const COfficeXPMenuData*>(info.dwItemData);
}

TEST(OfficeMenuLoad, FileMenuKeepsTheTemplatesShape) {
  COfficeXPMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_MENU_FILE));
  // The top level is plain text again: only items inside pop-ups are owner-drawn.
  ASSERT_EQ(::GetMenuItemCount(menu.Handle()), 1);
  EXPECT_EQ(MenuType(menu.Handle(), 0) & MFT_OWNERDRAW, 0u);
  EXPECT_EQ(MenuText(menu.Handle(), 0), u"File");

  const HMENU popup = ::GetSubMenu(menu.Handle(), 0);
  ASSERT_TRUE(popup);
  ASSERT_EQ(::GetMenuItemCount(popup), 5);
  const std::vector<std::u16string> texts{u"Add", u"", u"Open Selected File(s)...", u"", u"Exit"};
  for (UINT i = 0; i < 5; ++i) {
    EXPECT_NE(MenuType(popup, i) & MFT_OWNERDRAW, 0u) << i;
    const COfficeXPMenuData* record = Record(popup, i);
    ASSERT_TRUE(record) << i;
    EXPECT_EQ(record->text, texts[i]);
    EXPECT_EQ(record->imageIndex, -1);
  }
  EXPECT_NE(MenuType(popup, 1) & MFT_SEPARATOR, 0u);
  EXPECT_EQ(Record(popup, 1)->command, 0u);
  EXPECT_EQ(::GetMenuItemID(popup, 2), static_cast<UINT>(ID_FILE_OPEN_SELECTED));
  EXPECT_EQ(Record(popup, 4)->command, static_cast<UINT_PTR>(ID_FILE_EXIT));

  // The nested "Add" pop-up: its own object, found from its handle, with two items.
  const HMENU add = ::GetSubMenu(popup, 0);
  ASSERT_TRUE(add);
  EXPECT_EQ(Record(popup, 0)->command, reinterpret_cast<UINT_PTR>(add));
  COfficeXPMenu* addMenu = menu.FindSubMenu(add);
  ASSERT_TRUE(addMenu);
  ASSERT_EQ(addMenu->Items().size(), 2u);
  EXPECT_EQ(addMenu->Items()[1]->text, u"Folder");
  EXPECT_EQ(::GetMenuItemID(add, 0), static_cast<UINT>(ID_FILE_ADD_FILE));
}

TEST(OfficeMenuLoad, EveryMenuOfTheProgramLoads) {
  const std::vector<std::pair<UINT, int>> menus{
      {IDR_MENU_FILE, 5},      {IDR_MENU_FOLDER, 2},       {IDR_MENU_FILES, 8}, {IDR_MENU_EDIT, 7},
      {IDR_MENU_QUICK_BAR, 2}, {IDR_MENU_HELP, 8},         {IDR_MENU_TRAY, 8},  {IDR_MENU_TREE, 1},
      {IDR_MENU_LIST, 1},      {IDR_MENU_RESULT_EMPTY, 1}, {IDR_MENU_RESULT, 8}};
  for (const auto& [id, items] : menus) {
    COfficeXPMenu menu;
    ASSERT_TRUE(menu.LoadMenu(id)) << id;
    EXPECT_EQ(::GetMenuItemCount(::GetSubMenu(menu.Handle(), 0)), items) << id;
  }
}

TEST(OfficeMenuLoad, MissingResourceLeavesAnEmptyMenu) {
  COfficeXPMenu menu;
  EXPECT_FALSE(menu.LoadMenu(4711));
  EXPECT_EQ(menu.Handle(), nullptr);
  EXPECT_FALSE(menu.LoadMenu(L"NO_SUCH_MENU"));
}

TEST(OfficeMenuLoad, DestroyReleasesEveryLevel) {
  COfficeXPMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_MENU_FILE));
  const HMENU top = menu.Handle();
  const HMENU popup = ::GetSubMenu(top, 0);
  const HMENU add = ::GetSubMenu(popup, 0);
  menu.DestroyMenu();
  EXPECT_EQ(menu.Handle(), nullptr);
  EXPECT_TRUE(menu.Items().empty());
  EXPECT_FALSE(::IsMenu(top));
  EXPECT_FALSE(::IsMenu(popup));
  EXPECT_FALSE(::IsMenu(add));
  // Loading again after a destroy works; a second load replaces the first.
  ASSERT_TRUE(menu.LoadMenu(IDR_MENU_TREE));
  const HMENU first = menu.Handle();
  ASSERT_TRUE(menu.LoadMenu(IDR_MENU_LIST));
  EXPECT_FALSE(::IsMenu(first));
}

// A loaded menu with a window that owns it, as when a popup is open.
class OfficeMenuDraw : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(owner.Create(nullptr));
    ASSERT_TRUE(menu.LoadMenu(IDR_MENU_EDIT));
    popup = ::GetSubMenu(menu.Handle(), 0);
    COfficeXPMenu::SetDrawModes(1, 1);
    colours = CurrentColours();
  }
  void TearDown() override {
    COfficeXPMenu::SetDrawModes(1, 1);
    owner.Destroy();
  }

  MEASUREITEMSTRUCT Measure(UINT position) {
    MEASUREITEMSTRUCT item{};
    item.CtlType = ODT_MENU;
    item.itemID = ::GetMenuItemID(popup, static_cast<int>(position));
    item.itemData = reinterpret_cast<ULONG_PTR>(Record(popup, position));
    // As the platform does: the owner window is asked, and hands the item to the menu.
    EXPECT_TRUE(::SendMessageW(owner.Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&item)));
    return item;
  }

  void Draw(TestSurface& surface, UINT position, UINT state, RECT rect) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_MENU;
    item.itemID = ::GetMenuItemID(popup, static_cast<int>(position));
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hwndItem = reinterpret_cast<HWND>(popup);
    item.hDC = surface;
    item.rcItem = rect;
    item.itemData = reinterpret_cast<ULONG_PTR>(Record(popup, position));
    ASSERT_TRUE(::SendMessageW(owner.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item)));
  }

  OwnerDialog owner;
  COfficeXPMenu menu;
  HMENU popup = nullptr;
  OfficeMenuColours colours;
};

constexpr UINT kEditFileTags = 0;  // "Edit the Tags of Selected File(s)..."
constexpr UINT kSeparator = 2;
constexpr UINT kStartItem = 6;  // "As a Windows Start Item"
constexpr RECT kItem{0, 0, 200, 19};

TEST_F(OfficeMenuDraw, MeasuresTextItemsAndSeparators) {
  const int cyMenu = ::GetSystemMetrics(SM_CYMENU);
  const MEASUREITEMSTRUCT separator = Measure(kSeparator);
  EXPECT_EQ(separator.itemWidth, 0u);
  EXPECT_EQ(static_cast<int>(separator.itemHeight), cyMenu / 2);

  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  GdiObject<HFONT> font(::CreateFontIndirectW(&metrics.lfMenuFont));
  WindowDC screen(nullptr);
  SelectObjectScope keep(screen, font);
  SIZE text{};
  const wchar_t label[] = L"Edit the Tags of Selected File(s)...";
  ::GetTextExtentPoint32W(screen, label, static_cast<int>(wcslen(label)), &text);
  const MEASUREITEMSTRUCT item = Measure(kEditFileTags);
  EXPECT_EQ(static_cast<int>(item.itemWidth), text.cx + 33);
  EXPECT_EQ(static_cast<int>(item.itemHeight), std::max(cyMenu, 19));
}

TEST_F(OfficeMenuDraw, PlainItemShowsColumnBackgroundAndText) {
  TestSurface surface(200, 19);
  Draw(surface, kEditFileTags, 0, kItem);
  EXPECT_EQ(surface.Pixel(0, 0), Ref(colours.column));
  EXPECT_EQ(surface.Pixel(20, 18), Ref(colours.column));
  EXPECT_EQ(surface.Pixel(21, 0), Ref(colours.background));
  EXPECT_EQ(surface.Pixel(199, 18), Ref(colours.background));
  EXPECT_GT(InkInTextArea(surface, Ref(colours.text)), 20) << "the label in the menu-text colour";
  for (int y = 0; y < 19; ++y) {
    for (int x = 0; x < 25; ++x)
      ASSERT_NE(surface.Pixel(x, y), Ref(colours.text)) << "ink in the column";
  }
}

TEST_F(OfficeMenuDraw, SelectedItemIsFilledAndFramedWithoutColumn) {
  TestSurface surface(200, 19);
  Draw(surface, kEditFileTags, ODS_SELECTED, kItem);
  EXPECT_EQ(surface.Pixel(0, 0), Ref(colours.frame));
  EXPECT_EQ(surface.Pixel(199, 18), Ref(colours.frame));
  EXPECT_EQ(surface.Pixel(0, 9), Ref(colours.frame));
  EXPECT_EQ(surface.Pixel(1, 1), Ref(colours.selectionFill));
  EXPECT_EQ(surface.Pixel(10, 9), Ref(colours.selectionFill));
  EXPECT_EQ(surface.Pixel(198, 17), Ref(colours.selectionFill));
}

TEST_F(OfficeMenuDraw, GreyedItemNeverShowsTheSelection) {
  TestSurface plain(200, 19), hovered(200, 19);
  Draw(plain, kEditFileTags, ODS_GRAYED, kItem);
  Draw(hovered, kEditFileTags, ODS_GRAYED | ODS_SELECTED, kItem);
  EXPECT_EQ(hovered.Pixel(5, 9), Ref(colours.column));
  EXPECT_EQ(hovered.Pixel(0, 0), Ref(colours.column));
  for (int y = 0; y < 19; ++y) {
    for (int x = 0; x < 200; x += 3) ASSERT_EQ(hovered.Pixel(x, y), plain.Pixel(x, y));
  }
  EXPECT_GT(InkInTextArea(plain, Ref(colours.greyText)), 20) << "greyed text colour";
  EXPECT_EQ(InkInTextArea(plain, Ref(colours.text)), 0);
}

TEST_F(OfficeMenuDraw, CheckedItemHasAFramedBoxWithATick) {
  TestSurface surface(200, 19);
  Draw(surface, kStartItem, ODS_CHECKED, kItem);
  // Default metrics: t = 0, box (2, 2)-(18, 18).
  EXPECT_EQ(surface.Pixel(2, 2), Ref(colours.frame));
  EXPECT_EQ(surface.Pixel(17, 17), Ref(colours.frame));
  EXPECT_EQ(surface.Pixel(1, 1), Ref(colours.column));
  EXPECT_EQ(surface.Pixel(3, 3), Ref(colours.checkFill));
  // The tick from (7, 6): columns start at rows 8, 9, 10, 9, 8, 7, 6, each three tall.
  const int rows[7] = {2, 3, 4, 3, 2, 1, 0};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(surface.Pixel(7 + i, 6 + rows[i]), Ref(colours.text)) << i;
    EXPECT_EQ(surface.Pixel(7 + i, 6 + rows[i] + 2), Ref(colours.text)) << i;
    EXPECT_EQ(surface.Pixel(7 + i, 6 + rows[i] + 3), Ref(colours.checkFill)) << i;
  }
  // Also when selected, on the selection fill.
  TestSurface selected(200, 19);
  Draw(selected, kStartItem, ODS_CHECKED | ODS_SELECTED, kItem);
  EXPECT_EQ(selected.Pixel(3, 3), Ref(colours.checkFill));
  EXPECT_EQ(selected.Pixel(1, 1), Ref(colours.selectionFill));
}

TEST_F(OfficeMenuDraw, TallItemsMoveTheCheckBoxDown) {
  TestSurface surface(200, 25);
  Draw(surface, kStartItem, ODS_CHECKED, {0, 0, 200, 25});  // t = 3
  EXPECT_EQ(surface.Pixel(2, 5), Ref(colours.frame));
  EXPECT_EQ(surface.Pixel(2, 4), Ref(colours.column));
  EXPECT_EQ(surface.Pixel(17, 20), Ref(colours.frame));
}

TEST_F(OfficeMenuDraw, SeparatorLineStartsRightOfTheColumn) {
  TestSurface surface(200, 9);
  Draw(surface, kSeparator, 0, {0, 0, 200, 9});
  EXPECT_EQ(surface.Pixel(5, 4), Ref(colours.column));
  EXPECT_EQ(surface.Pixel(20, 4), Ref(colours.column));
  EXPECT_EQ(surface.Pixel(24, 4), Ref(colours.background));
  // The etched line: a shadow row at y = 4 and a highlight row under it, from x = 25.
  EXPECT_EQ(surface.Pixel(25, 4), ::GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(surface.Pixel(199, 4), ::GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(surface.Pixel(60, 5), ::GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(surface.Pixel(60, 3), Ref(colours.background));
  EXPECT_EQ(surface.Pixel(60, 6), Ref(colours.background));
}

TEST_F(OfficeMenuDraw, ClassicLookWhenTheSwitchesAreOff) {
  COfficeXPMenu::SetDrawModes(0, 0);
  TestSurface plain(200, 19), selected(200, 19), checked(200, 19);
  Draw(plain, kEditFileTags, 0, kItem);
  Draw(selected, kEditFileTags, ODS_SELECTED, kItem);
  Draw(checked, kStartItem, ODS_CHECKED | ODS_SELECTED, kItem);
  const COLORREF face = ::GetSysColor(COLOR_3DFACE);
  EXPECT_EQ(plain.Pixel(5, 9), face) << "no blue column";
  EXPECT_EQ(selected.Pixel(0, 0), ::GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(selected.Pixel(5, 9), ::GetSysColor(COLOR_HIGHLIGHT));
  // Checked and selected: highlight only right of the column, box filled with the menu colour.
  EXPECT_EQ(checked.Pixel(20, 0), face);
  EXPECT_EQ(checked.Pixel(21, 0), ::GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(checked.Pixel(3, 9), ::GetSysColor(COLOR_MENU));
}

// Sets the system menu colour for one test and restores it.
class MenuColourScope {
 public:
  explicit MenuColourScope(COLORREF colour) : previous_(::GetSysColor(COLOR_MENU)) { Set(colour); }
  ~MenuColourScope() { Set(previous_); }

 private:
  static void Set(COLORREF colour) {
    const INT element = COLOR_MENU;
    ::SetSysColors(1, &element, &colour);
  }
  COLORREF previous_;
};

TEST_F(OfficeMenuDraw, ColumnBlueMenuColourTurnsTheBackgroundWhite) {
  MenuColourScope blue(RGB(99, 190, 255));
  ASSERT_EQ(::GetSysColor(COLOR_MENU), RGB(99, 190, 255));
  TestSurface plain(200, 19), selected(200, 19), checked(200, 19);
  Draw(plain, kEditFileTags, 0, kItem);
  Draw(selected, kEditFileTags, ODS_SELECTED, kItem);
  Draw(checked, kStartItem, ODS_CHECKED, kItem);
  EXPECT_EQ(plain.Pixel(100, 1), RGB(255, 255, 255));
  EXPECT_EQ(plain.Pixel(5, 9), RGB(153, 212, 255));
  EXPECT_EQ(selected.Pixel(5, 9), RGB(236, 241, 246));
  // The check box ends one row higher: (2, 2)-(18, 17).
  EXPECT_EQ(checked.Pixel(2, 16), RGB(132, 166, 198));
  EXPECT_EQ(checked.Pixel(2, 17), RGB(153, 212, 255));
}

TEST(OfficeMenuMemDC, DrawsOffScreenAndCopiesAtTheEnd) {
  TestSurface target(40, 30, RGB(0, 0, 0));
  {
    COfficeXPMenuMemDC surface(target, RECT{10, 5, 30, 25});
    GdiObject<HBRUSH> brush(::CreateSolidBrush(RGB(10, 200, 30)));
    RECT inner{12, 7, 28, 23};
    ::FillRect(surface, &inner, brush);
    EXPECT_EQ(target.Pixel(15, 10), RGB(0, 0, 0)) << "nothing reaches the target before the end";
  }
  EXPECT_EQ(target.Pixel(15, 10), RGB(10, 200, 30));
  EXPECT_EQ(target.Pixel(12, 7), RGB(10, 200, 30));
  EXPECT_EQ(target.Pixel(5, 5), RGB(0, 0, 0)) << "outside the rectangle stays";
}

}  // namespace
}  // namespace quillon
