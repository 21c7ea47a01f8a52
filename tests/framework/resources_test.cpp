// The compiled resources: every template creates with its controls, the menus hold their
// commands in order, and the string table holds the program's texts exactly.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/dialog.h"
#include "framework/gdi.h"
#include "framework/resource_text.h"
#include "framework/wide.h"
#include "resources/resource.h"
#include "tests/support/windows_test_support.h"
#include "resources/user_texts.h"

namespace quillon {
namespace {

class Plain : public CDialog {
 public:
  explicit Plain(int id) : CDialog(id) {}
};

struct TemplateCase {
  int id;
  std::vector<int> controls;
};

TEST(ResourcesTest, EveryTemplateCreatesWithItsControls) {
  testing::InitCommonControlsForTests();
  const std::vector<TemplateCase> cases = {
      {IDD_QUILLON_DIALOG,
       {IDC_BTN_MINIMIZE, IDC_BTN_MAXIMIZE, IDC_BTN_CLOSE, IDC_BTN_FILE, IDC_BTN_EDIT,
        IDC_BTN_QUICK_BAR, IDC_BTN_HELP, IDC_TOOL_ADD_FILE, IDC_TOOL_ADD_FOLDER,
        IDC_TOOL_EDIT_TAGS, IDC_TOOL_OPEN, IDC_TOOL_HELP, IDC_FOLDER_TREE, IDC_SEARCH_BOX,
        IDC_BTN_SEARCH, IDC_FILE_LIST, IDC_STATUS}},
      {IDD_EDIT_FILE,
       {IDC_PATH_BOX, IDC_BTN_BROWSE, IDC_ADD_TAGS, IDC_BTN_ADD, IDC_TAG_LIST, IDC_BTN_DELETE,
        IDC_COMMENT, IDOK, IDCANCEL}},
      {IDD_EDIT_FOLDER,
       {IDC_FOLDER_NAME, IDC_ADD_TAGS, IDC_BTN_ADD, IDC_TAG_LIST, IDC_BTN_DELETE, IDOK,
        IDCANCEL}},
      {IDD_QUICK_BAR, {IDC_QUICK_SEARCH, IDC_BTN_SEARCH, IDC_BTN_RESULTS, IDC_BTN_HIDE}},
      {IDD_QUICK_RESULT, {IDC_FILE_LIST}},
      {IDD_PREVIEW,
       {IDC_PREVIEW_ICON, IDC_PREVIEW_NAME, IDC_PREVIEW_TAGS, IDC_PREVIEW_COMMENT}},
      {IDD_ABOUTBOX, {IDC_ABOUT_BANNER, IDC_ABOUT_ICON, IDOK}},
  };
  for (const TemplateCase& c : cases) {
    Plain dialog(c.id);
    ASSERT_TRUE(dialog.Create(nullptr)) << "template " << c.id;
    for (int control : c.controls) {
      EXPECT_NE(dialog.Item(control), nullptr) << "template " << c.id << " control " << control;
    }
  }
}

TEST(ResourcesTest, EditingDialogsHaveTheirTitlesDefaultsAndUnsortedLists) {
  testing::InitCommonControlsForTests();
  Plain tags(IDD_EDIT_FILE);
  ASSERT_TRUE(tags.Create(nullptr));
  EXPECT_EQ(tags.Text(), u"Edit Tags");
  EXPECT_EQ(LOWORD(::SendMessageW(tags.Handle(), DM_GETDEFID, 0, 0)), IDOK);
  EXPECT_TRUE(::GetWindowLongW(tags.Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  const LONG list = ::GetWindowLongW(tags.Item(IDC_TAG_LIST), GWL_STYLE);
  EXPECT_FALSE(list & LBS_SORT);
  EXPECT_TRUE(list & LBS_EXTENDEDSEL);
  EXPECT_TRUE(::GetWindowLongW(tags.Item(IDC_COMMENT), GWL_STYLE) & ES_WANTRETURN);
  // Controls sit at their dialog-unit positions: the Browse button at 201, 18, 60 x 13.
  RECT browse;
  ::GetWindowRect(tags.Item(IDC_BTN_BROWSE), &browse);
  ::MapWindowPoints(nullptr, tags.Handle(), reinterpret_cast<POINT*>(&browse), 2);
  const RECT expected = tags.DialogUnitsToPixels(RECT{201, 18, 261, 31});
  EXPECT_EQ(browse.left, expected.left);
  EXPECT_EQ(browse.bottom, expected.bottom);

  Plain folder(IDD_EDIT_FOLDER);
  ASSERT_TRUE(folder.Create(nullptr));
  EXPECT_EQ(folder.Text(), u"Edit Folder");
  // In the folder dialog "Add" is the default button, not OK.
  EXPECT_EQ(LOWORD(::SendMessageW(folder.Handle(), DM_GETDEFID, 0, 0)), IDC_BTN_ADD);
  EXPECT_FALSE(::GetWindowLongW(folder.Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

TEST(ResourcesTest, MainWindowTemplateAcceptsFilesAndShowsInTheTaskBar) {
  testing::InitCommonControlsForTests();
  Plain main(IDD_QUILLON_DIALOG);
  ASSERT_TRUE(main.Create(nullptr));
  const LONG ex = ::GetWindowLongW(main.Handle(), GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_ACCEPTFILES);
  EXPECT_TRUE(ex & WS_EX_APPWINDOW);
  const LONG style = ::GetWindowLongW(main.Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(style & WS_MAXIMIZEBOX);
  const LONG tree = ::GetWindowLongW(main.Item(IDC_FOLDER_TREE), GWL_STYLE);
  EXPECT_TRUE(tree & TVS_HASLINES);
  EXPECT_TRUE(tree & TVS_SHOWSELALWAYS);
  EXPECT_FALSE(tree & TVS_HASBUTTONS);
  const LONG list = ::GetWindowLongW(main.Item(IDC_FILE_LIST), GWL_STYLE);
  EXPECT_EQ(list & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_FALSE(list & LVS_SINGLESEL);
  EXPECT_TRUE(list & LVS_SHOWSELALWAYS);
}

// The items of a menu's first popup as "text=id" (separators "-", sub-menus "text>").
std::vector<std::u16string> PopupItems(int menuId) {
  OwnedMenu menu(::LoadMenuW(ResourceModule(), MAKEINTRESOURCEW(menuId)));
  std::vector<std::u16string> items;
  if (!menu) return items;
  HMENU popup = ::GetSubMenu(menu, 0);
  for (int i = 0; i < ::GetMenuItemCount(popup); ++i) {
    wchar_t text[128] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
    info.dwTypeData = text;
    info.cch = 127;
    ::GetMenuItemInfoW(popup, i, TRUE, &info);
    if (info.fType & MFT_SEPARATOR) {
      items.push_back(u"-");
    } else if (info.hSubMenu) {
      items.push_back(FromWide(text) + u">");
    } else {
      const std::string id = std::to_string(info.wID);
      items.push_back(FromWide(text) + u"=" + std::u16string(id.begin(), id.end()));
    }
  }
  return items;
}

TEST(ResourcesTest, MenusHoldTheirCommandsInOrder) {
  using Items = std::vector<std::u16string>;
  EXPECT_EQ(PopupItems(IDR_MENU_FILE),
            (Items{u"Add>", u"-", u"Open Selected File(s)...=32801", u"-", u"Exit=32783"}));
  EXPECT_EQ(PopupItems(IDR_MENU_EDIT),
            (Items{u"Edit the Tags of Selected File(s)...=32797",
                   u"Edit the Tags of Selected Folder...=32798", u"-",
                   u"Delete Selected File(s)=32799", u"Delete Selected Folder=32800", u"-",
                   u"As a Windows Start Item=32810"}));
  EXPECT_EQ(PopupItems(IDR_MENU_QUICK_BAR),
            (Items{u"Show/Hide Quick Bar=32802",
                   u"Show Quick Bar after the software start=32803"}));
  EXPECT_EQ(PopupItems(IDR_MENU_HELP),
            (Items{u"Contents=32804", u"Online Help...=32821", u"-", u"Veldmark Website=32836",
                   u"Check for Updates=32805", u"Bug Report=32822", u"-",
                   u"About Veldmark Quillon=32809"}));
  EXPECT_EQ(PopupItems(IDR_MENU_FOLDER), (Items{u"Edit Tags=32773", u"Remove=32774"}));
  EXPECT_EQ(PopupItems(IDR_MENU_TREE), (Items{u"Add a Folder=32816"}));
  EXPECT_EQ(PopupItems(IDR_MENU_FILES),
            (Items{u"Open=57601", u"Open with...=32838", u"Copy file path(s) to clipboard=32841",
                   u"-", u"Edit Tags=32775", u"Remove from Quillon=32776", u"-",
                   u"Search for the files with same tags=32834"}));
  EXPECT_EQ(PopupItems(IDR_MENU_LIST), (Items{u"Add a File=32833"}));
  EXPECT_EQ(PopupItems(IDR_MENU_TRAY),
            (Items{u"Bug Report...=32815", u"Check for Updates...=32823", u"-",
                   u"Add a File=32813", u"-", u"Show/Hide Quick Bar=32818",
                   u"Open Quillon=32812", u"Exit=32811"}));
  EXPECT_EQ(PopupItems(IDR_MENU_RESULT),
            (Items{u"Open=32827", u"Open with...=32840", u"Copy file path(s) to clipboard=32843",
                   u"-", u"Edit Tags=32828", u"Remove from Quillon=32829", u"-",
                   u"Search for the files with same tags=32835"}));
  EXPECT_EQ(PopupItems(IDR_MENU_RESULT_EMPTY), (Items{u"Add a File=32831"}));
}

TEST(ResourcesTest, StringTableHoldsTheTextsExactly) {
  EXPECT_EQ(LoadResourceString(IDS_ABOUTBOX), UserText(TEXT_ABOUTBOX));
  EXPECT_EQ(LoadResourceString(IDS_LOADING), UserText(TEXT_LOADING));
  EXPECT_EQ(LoadResourceString(IDS_READY), UserText(TEXT_READY));
  EXPECT_EQ(LoadResourceString(IDS_QUIT_CAPTION), u"Quit");
  EXPECT_EQ(LoadResourceString(IDS_LOAD_FAILED),
            UserText(TEXT_LOAD_FAILED));
  // The line break is a real one, and the texts keep their blanks at both ends of it.
  EXPECT_EQ(LoadResourceString(IDS_FILE_MISSING),
            UserText(TEXT_FILE_MISSING));
  EXPECT_EQ(LoadResourceString(IDS_FOLDER_EXISTS), UserText(TEXT_FOLDER_EXISTS));
  EXPECT_EQ(LoadResourceString(IDS_URL_UPDATES).substr(7),
            u"www.veldmark.com/update.php?product=quillon&ver=1.0.0");
  EXPECT_EQ(LoadResourceString(IDS_URL_ONLINE_HELP).find(u"/quillon/help.php?client=1"), 23u);
  EXPECT_EQ(LoadResourceString(IDS_REMOVE_FILES_CONFIRM), UserText(TEXT_REMOVE_FILES_CONFIRM));
  EXPECT_EQ(LoadResourceString(9999), u"");
}

TEST(ResourcesTest, ArtworkAndManifestAreLinkedIn) {
  OwnedIcon icon(static_cast<HICON>(
      ::LoadImageW(ResourceModule(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, 16, 16, 0)));
  EXPECT_TRUE(icon);
  GdiObject<HBITMAP> banner(static_cast<HBITMAP>(::LoadImageW(
      ResourceModule(), MAKEINTRESOURCEW(IDB_ABOUT_BANNER), IMAGE_BITMAP, 0, 0, 0)));
  EXPECT_TRUE(banner);
  EXPECT_NE(::FindResourceW(ResourceModule(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)),
            nullptr);
}

}  // namespace
}  // namespace quillon
