// COfficeXPMenu: a menu loaded from a menu resource whose pop-up items are owner-drawn in the
// flat office look (light background, blue icon column, framed light-blue selection, framed
// check boxes, etched separators right of the column), or in the classic look on palette
// displays. Open menus with PopupMenuAt (ui/popup_menu.h), which uses this class.
//
// The platform asks the owner window to measure and draw each item; CWindow hands those
// requests to the painter this class installs, which finds the item's menu by its record.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/menu_geometry.h"
#include "ui/menu_template.h"

namespace quillon {

// One owner-drawn item: its record is the item data of the platform menu item.
struct COfficeXPMenuData {
  std::u16string text;   // as in the resource, padded when accelerators are aligned
  int imageIndex = -1;   // the item's icon; none in this program
  UINT flags = 0;        // the menu flags the item was appended with
  UINT_PTR command = 0;  // command id, the sub-menu handle of a pop-up, 0 for a separator
};

class COfficeXPMenu {
 public:
  COfficeXPMenu() = default;
  ~COfficeXPMenu();
  COfficeXPMenu(const COfficeXPMenu&) = delete;
  COfficeXPMenu& operator=(const COfficeXPMenu&) = delete;

  // Builds the menu from a menu resource of the program; false (and an empty object) when the
  // resource is missing or damaged or a platform menu cannot be created.
  bool LoadMenu(UINT id);
  bool LoadMenu(const wchar_t* name);
  // Releases the sub-menus, the item records and the platform menu.
  void DestroyMenu();

  HMENU Handle() const { return menu_; }
  const std::vector<std::unique_ptr<COfficeXPMenuData>>& Items() const { return items_; }
  // The object of one of this menu's sub-menus (searched at every depth), or null.
  COfficeXPMenu* FindSubMenu(HMENU handle);

  void MeasureItem(MEASUREITEMSTRUCT& item) const;
  void DrawItem(const DRAWITEMSTRUCT& item) const;

  // The process-wide draw-mode switches (1 selects the office look): the first applies when
  // the 3-D face colour differs from the menu colour, the second otherwise. Callers set both
  // to 1 before opening a menu.
  static void SetDrawModes(int whenFaceDiffers, int whenFaceEqual);
  // The kind of system, computed once.
  static OsKind SystemKind();

 private:
  explicit COfficeXPMenu(bool isSubMenu) : isSubMenu_(isSubMenu) {}

  bool BuildLevel(const std::vector<MenuTemplateItem>& items);
  bool Append(const MenuTemplateItem& item, HMENU subMenu);
  void AlignAccelerators();
  void MakeTopLevelPlain();
  bool OwnsRecord(ULONG_PTR data) const;

  friend class OfficeMenuPainter;

  HMENU menu_ = nullptr;
  bool isSubMenu_ = false;
  std::vector<std::unique_ptr<COfficeXPMenuData>> items_;
  std::vector<std::unique_ptr<COfficeXPMenu>> subMenus_;
};

}  // namespace quillon
