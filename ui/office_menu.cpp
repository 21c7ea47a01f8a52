#include "ui/office_menu.h"

#include <algorithm>
#include <span>

#include "framework/gdi.h"
#include "framework/resource_text.h"
#include "framework/wide.h"
#include "framework/window.h"
#include "ui/gdi_bridge.h"
#include "ui/office_menu_dc.h"

namespace quillon {
namespace {

MenuDrawModes g_drawModes;
// Every live menu level, so an owner-draw request finds the menu that owns its record.
std::vector<COfficeXPMenu*> g_liveMenus;

Rgb SystemColour(int index) { return ToRgb(::GetSysColor(index)); }

// Brushes, pens and fonts are made for each item and released at once.

void Frame(HDC dc, const PixelRect& rect, COLORREF colour) {
  GdiObject<HBRUSH> brush(::CreateSolidBrush(colour));
  const RECT r = ToRect(rect);
  ::FrameRect(dc, &r, brush);
}

void EtchedLine(HDC dc, const PixelRect& edge) {
  RECT r = ToRect(edge);
  ::DrawEdge(dc, &r, EDGE_ETCHED, BF_TOP);
}

GdiObject<HFONT> MenuFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  return GdiObject<HFONT>(::CreateFontIndirectW(&metrics.lfMenuFont));
}

int TextWidthOf(HDC dc, std::u16string_view text) {
  SIZE size{};
  ::GetTextExtentPoint32W(dc, Wide(text.data()),
                          static_cast<int>(text.size()), &size);
  return size.cx;
}

// The tick or, for an item with its own check-mark bitmap, the dot.
void DrawCheckGlyph(HDC dc, PixelPoint origin, bool dot, COLORREF colour) {
  if (dot) {
    GdiObject<HBRUSH> brush(::CreateSolidBrush(colour));
    GdiObject<HPEN> pen(::CreatePen(PS_SOLID, 1, colour));
    SelectObjectScope keepBrush(dc, brush);
    SelectObjectScope keepPen(dc, pen);
    const PixelRect square = CheckDotSquare(origin);
    ::Ellipse(dc, square.left, square.top, square.right, square.bottom);
    return;
  }
  for (const PixelRect& column : CheckTickColumns(origin)) FillSolid(dc, column, colour);
}

void PaintMenuText(HDC dc, const MenuTextLayout& layout, COLORREF colour, int shift = 0) {
  GdiObject<HFONT> font = MenuFont();
  SelectObjectScope keepFont(dc, font);
  const COLORREF previousColour = ::SetTextColor(dc, colour);
  const int previousMode = ::SetBkMode(dc, TRANSPARENT);
  RECT rect = ToRect(layout.rect);
  ::OffsetRect(&rect, shift, shift);
  const UINT format = DT_SINGLELINE | DT_VCENTER;
  ::DrawTextW(dc, Wide(layout.label), -1, &rect, format | DT_LEFT);
  if (!layout.accelerator.empty()) {
    ::DrawTextW(dc, Wide(layout.accelerator), -1, &rect, format | DT_RIGHT);
  }
  ::SetBkMode(dc, previousMode);
  ::SetTextColor(dc, previousColour);
}

struct ItemToDraw {
  PixelRect rect;
  const COfficeXPMenuData& data;
  bool separator;
  bool selected;  // as the platform reports it, also for greyed items
  bool greyed;
  bool checked;
  bool ownCheckBitmap;
};

void DrawOfficeItem(HDC dc, const ItemToDraw& item) {
  const Rgb menu = SystemColour(COLOR_MENU);
  const OfficeMenuColours colours =
      OfficeColoursFor(menu, SystemColour(COLOR_MENUTEXT), SystemColour(COLOR_GRAYTEXT));
  const PixelRect& rect = item.rect;
  if (item.separator) {
    FillSolid(dc, rect, ToColorRef(colours.background));
    EtchedLine(dc, OfficeSeparatorEdge(rect));
    FillSolid(dc, MenuIconColumn(rect), ToColorRef(colours.column));
    return;
  }
  // A greyed item never shows as selected.
  if (item.selected && !item.greyed) {
    FillSolid(dc, rect, ToColorRef(colours.selectionFill));
    Frame(dc, rect, ToColorRef(colours.frame));
  } else {
    FillSolid(dc, rect, ToColorRef(colours.background));
    FillSolid(dc, MenuIconColumn(rect), ToColorRef(colours.column));
  }
  if (item.checked && item.data.imageIndex < 0) {
    const PixelRect box = OfficeCheckBox(rect, menu == kMenuColumnBlue);
    FillSolid(dc, box, ToColorRef(colours.checkFill));
    Frame(dc, box, ToColorRef(colours.frame));
    DrawCheckGlyph(dc, CheckGlyphOrigin(box), item.ownCheckBitmap, ToColorRef(colours.text));
  }
  PaintMenuText(dc, LayoutMenuText(rect, item.data.text),
                ToColorRef(item.greyed ? colours.greyText : colours.text));
}

void DrawClassicItem(HDC dc, const ItemToDraw& item, bool newShell) {
  const COLORREF background = ::GetSysColor(newShell ? COLOR_3DFACE : COLOR_MENU);
  const PixelRect& rect = item.rect;
  FillSolid(dc, rect, background);
  if (item.separator) {
    EtchedLine(dc, {rect.left, SeparatorLineY(rect), rect.right, rect.bottom});
    return;
  }
  if (item.selected)
    FillSolid(dc, ClassicSelectionRect(rect, item.checked), ::GetSysColor(COLOR_HIGHLIGHT));
  if (item.checked && item.data.imageIndex < 0) {
    const PixelRect box = ClassicCheckBox(rect);
    FillSolid(dc, box, ::GetSysColor(item.selected || !newShell ? COLOR_MENU : COLOR_3DLIGHT));
    if (newShell) {
      RECT edge = ToRect(box);
      ::DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
    }
    const PixelPoint origin = item.ownCheckBitmap ? CheckGlyphOrigin(box) : ClassicTickOrigin(box);
    DrawCheckGlyph(dc, origin, item.ownCheckBitmap, ::GetSysColor(COLOR_MENUTEXT));
  }
  const MenuTextLayout text = LayoutMenuText(rect, item.data.text);
  if (item.greyed && !item.selected) {
    PaintMenuText(dc, text, ::GetSysColor(COLOR_BTNHIGHLIGHT), 1);
    PaintMenuText(dc, text, ::GetSysColor(COLOR_GRAYTEXT));
  } else if (item.greyed) {
    PaintMenuText(dc, text, background);
  } else {
    PaintMenuText(dc, text, ::GetSysColor(item.selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
  }
}

}  // namespace

// Hands the owner windows' measure and draw requests to the menu that owns the item.
class OfficeMenuPainter : public MenuItemPainter {
 public:
  bool MeasureMenuItem(MEASUREITEMSTRUCT& item) override {
    const COfficeXPMenu* menu = Owner(item.itemData);
    if (menu) menu->MeasureItem(item);
    return menu != nullptr;
  }
  bool DrawMenuItem(const DRAWITEMSTRUCT& item) override {
    const COfficeXPMenu* menu = Owner(item.itemData);
    if (menu) menu->DrawItem(item);
    return menu != nullptr;
  }

 private:
  static const COfficeXPMenu* Owner(ULONG_PTR data) {
    const auto found =
        std::find_if(g_liveMenus.begin(), g_liveMenus.end(),
                     [data](const COfficeXPMenu* menu) { return menu->OwnsRecord(data); });
    return found != g_liveMenus.end() ? *found : nullptr;
  }
};

namespace {
OfficeMenuPainter g_painter;
}  // namespace

COfficeXPMenu::~COfficeXPMenu() { DestroyMenu(); }

void COfficeXPMenu::SetDrawModes(int whenFaceDiffers, int whenFaceEqual) {
  g_drawModes = {whenFaceDiffers, whenFaceEqual};
}

OsKind COfficeXPMenu::SystemKind() {
  static const OsKind kind = [] {
    const DWORD version = ::GetVersion();
    const unsigned major = LOBYTE(LOWORD(version));
    // The high bit marks the systems that are not NT; among them, major 4 on is Windows 95.
    if ((version & 0x80000000u) == 0) return OsKindFor(2, major);
    return OsKindFor(major >= 4 ? 1 : 0, major);
  }();
  return kind;
}

bool COfficeXPMenu::LoadMenu(UINT id) { return LoadMenu(MAKEINTRESOURCEW(id)); }

bool COfficeXPMenu::LoadMenu(const wchar_t* name) {
  DestroyMenu();
  const HMODULE module = ResourceModule();
  const HRSRC resource = ::FindResourceW(module, name, RT_MENU);
  const HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
  const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
  if (!bytes) return false;
  const auto items = ParseMenuTemplate(
      {static_cast<const std::uint8_t*>(bytes), ::SizeofResource(module, resource)});
  if (!items) return false;
  menu_ = ::CreateMenu();
  if (!menu_) return false;
  SetMenuItemPainter(&g_painter);
  g_liveMenus.push_back(this);
  if (!BuildLevel(*items)) {
    DestroyMenu();
    return false;
  }
  MakeTopLevelPlain();
  return true;
}

bool COfficeXPMenu::BuildLevel(const std::vector<MenuTemplateItem>& items) {
  for (const MenuTemplateItem& item : items) {
    HMENU subHandle = nullptr;
    if (item.IsPopup()) {
      std::unique_ptr<COfficeXPMenu> sub(new COfficeXPMenu(true));
      sub->menu_ = ::CreatePopupMenu();
      if (!sub->menu_) return false;
      g_liveMenus.push_back(sub.get());
      subHandle = sub->menu_;
      subMenus_.push_back(std::move(sub));
      if (!subMenus_.back()->BuildLevel(item.children)) {
        ::DestroyMenu(subHandle);  // not attached yet, so no parent destroys it
        return false;
      }
    }
    if (!Append(item, subHandle)) return false;
  }
  AlignAccelerators();
  return true;
}

bool COfficeXPMenu::Append(const MenuTemplateItem& item, HMENU subMenu) {
  auto record = std::make_unique<COfficeXPMenuData>();
  record->text = item.text;
  record->command = subMenu ? reinterpret_cast<UINT_PTR>(subMenu) : item.command;
  record->flags = item.IsSeparator() ? (MF_SEPARATOR | MF_OWNERDRAW) : (item.flags | MF_OWNERDRAW);
  if (!::AppendMenuW(menu_, record->flags, record->command,
                     reinterpret_cast<const wchar_t*>(record.get()))) {
    // A sub-menu that was not appended has no parent to destroy it.
    if (subMenu) ::DestroyMenu(subMenu);
    return false;
  }
  items_.push_back(std::move(record));
  return true;
}

void COfficeXPMenu::AlignAccelerators() {
  std::vector<std::u16string> texts;
  for (const auto& record : items_) texts.push_back(record->text);
  WindowDC screen(nullptr);
  GdiObject<HFONT> font = MenuFont();
  SelectObjectScope keepFont(screen, font);
  const auto aligned = quillon::AlignAccelerators(
      texts, [&screen](std::u16string_view text) { return TextWidthOf(screen, text); });
  for (std::size_t i = 0; i < items_.size(); ++i) items_[i]->text = aligned[i];
}

// Only the items inside pop-ups are owner-drawn: the top level (the resource's menu bar)
// becomes plain text again.
void COfficeXPMenu::MakeTopLevelPlain() {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const COfficeXPMenuData& record = *items_[i];
    const UINT flags = MF_BYPOSITION | MF_STRING | (record.flags & ~(MF_OWNERDRAW | MF_SEPARATOR));
    ::ModifyMenuW(menu_, static_cast<UINT>(i), flags, record.command, Wide(record.text));
  }
}

void COfficeXPMenu::DestroyMenu() {
  std::erase(g_liveMenus, this);
  while (!subMenus_.empty()) subMenus_.pop_back();
  items_.clear();
  // Destroying the top level destroys the sub-menus attached to it.
  if (menu_ && !isSubMenu_) ::DestroyMenu(menu_);
  menu_ = nullptr;
}

COfficeXPMenu* COfficeXPMenu::FindSubMenu(HMENU handle) {
  for (const auto& sub : subMenus_) {
    if (sub->menu_ == handle) return sub.get();
    if (COfficeXPMenu* deeper = sub->FindSubMenu(handle)) return deeper;
  }
  return nullptr;
}

bool COfficeXPMenu::OwnsRecord(ULONG_PTR data) const {
  return std::any_of(items_.begin(), items_.end(), [data](const auto& record) {
    return reinterpret_cast<ULONG_PTR>(record.get()) == data;
  });
}

void COfficeXPMenu::MeasureItem(MEASUREITEMSTRUCT& item) const {
  const auto& record = *reinterpret_cast<const COfficeXPMenuData*>(item.itemData);
  const int cyMenu = ::GetSystemMetrics(SM_CYMENU);
  MenuItemSize size;
  if (record.flags & MF_SEPARATOR) {
    size = MeasureMenuSeparator(cyMenu);
  } else {
    WindowDC screen(nullptr);
    GdiObject<HFONT> font = MenuFont();
    SelectObjectScope keepFont(screen, font);
    size = MeasureMenuItem(TextWidthOf(screen, record.text), cyMenu);
  }
  item.itemWidth = static_cast<UINT>(size.width);
  item.itemHeight = static_cast<UINT>(size.height);
}

void COfficeXPMenu::DrawItem(const DRAWITEMSTRUCT& item) const {
  const auto& record = *reinterpret_cast<const COfficeXPMenuData*>(item.itemData);
  const bool greyed = (item.itemState & ODS_GRAYED) != 0;
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_CHECKMARKS;
  const bool ownCheckBitmap = (record.flags & MF_SEPARATOR) == 0 &&
                              ::GetMenuItemInfoW(menu_, item.itemID, FALSE, &info) &&
                              info.hbmpChecked != nullptr;
  const ItemToDraw toDraw{ToPixelRect(item.rcItem),
                          record,
                          (record.flags & MF_SEPARATOR) != 0,
                          (item.itemState & ODS_SELECTED) != 0,
                          greyed,
                          (item.itemState & ODS_CHECKED) != 0,
                          ownCheckBitmap};
  const bool newShell = IsNewShell(SystemKind());
  const MenuLook look =
      ChooseMenuLook((::GetDeviceCaps(item.hDC, RASTERCAPS) & RC_PALETTE) != 0, newShell,
                     ::GetSysColor(COLOR_3DFACE) != ::GetSysColor(COLOR_MENU), g_drawModes);
  if (look == MenuLook::kClassic) {
    DrawClassicItem(item.hDC, toDraw, newShell);
    return;
  }
  if (!greyed) {
    DrawOfficeItem(item.hDC, toDraw);
    return;
  }
  // Greyed items are drawn off screen and copied when finished.
  COfficeXPMenuMemDC surface(item.hDC, item.rcItem);
  DrawOfficeItem(surface, toDraw);
}

}  // namespace quillon
