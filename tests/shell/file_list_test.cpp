// The file list of the real main window: the start-up listing, columns, icons, sorting, the
// search box, F5, double clicks and the context menus.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "resources/user_texts.h"
#include "tests/shell/main_window_driver.h"

namespace quillon::testing {
namespace {

using Lines = std::vector<std::u16string>;
using Commands = std::vector<UINT>;

class FileListTest : public MainWindowTest {
 protected:
  void MakeCatalogue() {
    AddFile(MakeFile(u"b.txt"), u"beta;");
    AddFile(MakeFile(u"a.csv"), u"gamma;alpha;");
    AddFile(MakeFile(u"C.txt"), u"alpha;");
    AddFile(folder_.Path().u16string() + u"\\gone.png", u"beta;");  // no longer on disk
  }

  std::u16string PathOf(const std::u16string& name) const {
    return folder_.Path().u16string() + u"\\" + name;
  }

  // A click on a column's header, as the mouse gives it.
  void ClickHeader(int column) {
    const auto header = reinterpret_cast<HWND>(::SendMessageW(List(), LVM_GETHEADER, 0, 0));
    RECT place{};
    ::SendMessageW(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&place));
    const LPARAM at = MAKELPARAM((place.left + place.right) / 2, (place.top + place.bottom) / 2);
    ::SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(header, WM_LBUTTONUP, 0, at);
    PumpPending();
  }

  int RowImage(int row) const {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    ::SendMessageW(List(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
  }

  void DoubleClickRow(int row) {
    NMITEMACTIVATE click{};
    click.hdr = NMHDR{List(), IDC_FILE_LIST, static_cast<UINT>(NM_DBLCLK)};
    click.iItem = row;
    ::SendMessageW(Window().Handle(), WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&click));
    PumpPending();
  }

  Commands RightClickList() {
    Commands shown;
    WhileModal closeMenu([&] {
      if (shown.empty()) shown = CloseOpenMenu();
    });
    NMHDR click{List(), IDC_FILE_LIST, static_cast<UINT>(NM_RCLICK)};
    ::SendMessageW(Window().Handle(), WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&click));
    PumpPending();
    return shown;
  }
};

TEST_F(FileListTest, StartListsTheWholeCatalogueByNameWithTheTypesIcons) {
  MakeCatalogue();
  Start();
  // lstrcmpW puts "C.txt" between the lower-case names, as a reader expects.
  EXPECT_EQ(ListColumn(0), (Lines{u"a.csv", u"b.txt", u"C.txt", u"gone.png"}));
  EXPECT_EQ(ListColumn(1), (Lines{u"gamma;alpha;", u"beta;", u"alpha;", u"beta;"}));
  EXPECT_EQ(ListColumn(2), (Lines{PathOf(u"a.csv"), PathOf(u"b.txt"), PathOf(u"C.txt"),
                                  PathOf(u"gone.png")}));
  EXPECT_EQ(Window().CurrentFilter(), u"*;");
  EXPECT_EQ(SearchBox(), u"");
  EXPECT_EQ(Window().Files().Count(), 4u);

  // Columns as inserted, the first then narrowed; whole rows are selected.
  const auto header = reinterpret_cast<HWND>(::SendMessageW(List(), LVM_GETHEADER, 0, 0));
  ASSERT_EQ(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 3);
  const wchar_t* titles[] = {L"" TEXT_COLUMN_FILE_NAME, L"" TEXT_COLUMN_TAGS, L"" TEXT_COLUMN_PATH};
  const int widths[] = {100, 150, 180};
  for (int column = 0; column < 3; ++column) {
    wchar_t title[64] = {};
    LVCOLUMNW format{};
    format.mask = LVCF_TEXT | LVCF_FMT;
    format.pszText = title;
    format.cchTextMax = 64;
    ::SendMessageW(List(), LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&format));
    EXPECT_STREQ(title, titles[column]);
    EXPECT_EQ(format.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
    EXPECT_EQ(::SendMessageW(List(), LVM_GETCOLUMNWIDTH, column, 0), widths[column]);
  }
  EXPECT_TRUE(::SendMessageW(List(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);

  // Icons from the shell's shared list, which the list must never destroy; one per type, a
  // missing file showing its type's icon too.
  EXPECT_NE(::SendMessageW(List(), LVM_GETIMAGELIST, LVSIL_SMALL, 0), 0);
  EXPECT_TRUE(::GetWindowLongW(List(), GWL_STYLE) & LVS_SHAREIMAGELISTS);
  EXPECT_EQ(RowImage(1), RowImage(2));
  SHFILEINFOW png{};
  ::SHGetFileInfoW(L"any.png", FILE_ATTRIBUTE_NORMAL, &png, sizeof(png),
                   SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
  EXPECT_EQ(RowImage(3), png.iIcon);
}

TEST_F(FileListTest, HeaderClicksSortEachColumnInItsOwnDirection) {
  MakeCatalogue();
  Start();
  ClickHeader(1);  // "Tags", first click: descending
  EXPECT_EQ(ListColumn(1), (Lines{u"gamma;alpha;", u"beta;", u"beta;", u"alpha;"}));
  ClickHeader(1);  // second click: ascending
  EXPECT_EQ(ListColumn(1), (Lines{u"alpha;", u"beta;", u"beta;", u"gamma;alpha;"}));
  ClickHeader(2);  // "Path": descending
  EXPECT_EQ(ListColumn(0), (Lines{u"gone.png", u"C.txt", u"b.txt", u"a.csv"}));

  // Later listings keep the column and its direction.
  Window().ListFiles(u"beta;alpha;");
  EXPECT_EQ(ListColumn(0), (Lines{u"gone.png", u"C.txt", u"b.txt", u"a.csv"}));
  ClickHeader(0);
  EXPECT_EQ(ListColumn(0), (Lines{u"gone.png", u"C.txt", u"b.txt", u"a.csv"}));
  ClickHeader(0);
  EXPECT_EQ(ListColumn(0), (Lines{u"a.csv", u"b.txt", u"C.txt", u"gone.png"}));
}

TEST_F(FileListTest, TheSearchButtonListsTheNormalFormOfTheBoxsText) {
  MakeCatalogue();
  Start();
  Window().SetItemText(IDC_SEARCH_BOX, u"  gamma beta;;");
  Command(IDC_BTN_SEARCH);
  EXPECT_EQ(SearchBox(), u"gamma;beta;");
  EXPECT_EQ(Window().CurrentFilter(), u"gamma;beta;");
  EXPECT_EQ(ListColumn(0), (Lines{u"a.csv", u"b.txt", u"gone.png"}));

  // A tag no file carries lists nothing; the wildcard lists every file.
  Window().SetItemText(IDC_SEARCH_BOX, u"nothing");
  Command(IDC_BTN_SEARCH);
  EXPECT_TRUE(ListColumn(0).empty());
  Window().SetItemText(IDC_SEARCH_BOX, u"*");
  Command(IDC_BTN_SEARCH);
  EXPECT_EQ(ListColumn(0).size(), 4u);
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(FileListTest, EnterInTheSearchBoxSearchesAndSelectsTheText) {
  MakeCatalogue();
  Start();
  const HWND box = Window().Item(IDC_SEARCH_BOX);
  ::SetFocus(box);
  Window().SetItemText(IDC_SEARCH_BOX, u"alpha");
  ::PostMessageW(box, WM_KEYDOWN, VK_RETURN, 1);
  PumpPending();
  EXPECT_EQ(SearchBox(), u"alpha;");
  EXPECT_EQ(ListColumn(0), (Lines{u"a.csv", u"C.txt"}));
  DWORD start = 0, end = 0;
  ::SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 6u);
  EXPECT_EQ(shell.Count(), 0u);  // nothing was opened
}

TEST_F(FileListTest, F5ListsAChangeMadeBehindTheWindowsBack) {
  MakeCatalogue();
  Start();
  Window().ListFiles(u"beta;");
  ASSERT_EQ(ListColumn(0), (Lines{u"b.txt", u"gone.png"}));

  // Another program changes the catalogue: the list shows it only when asked.
  AddFile(MakeFile(u"new.txt"), u"beta;");
  Run(u"DELETE FROM db_taglist WHERE Tag = 'beta' AND FileID = 1");
  EXPECT_EQ(ListColumn(0), (Lines{u"b.txt", u"gone.png"}));
  ::PostMessageW(List(), WM_KEYDOWN, VK_F5, 1);
  PumpPending();
  EXPECT_EQ(ListColumn(0), (Lines{u"gone.png", u"new.txt"}));
  EXPECT_EQ(Window().CurrentFilter(), u"beta;");
}

TEST_F(FileListTest, DoubleClickOpensOnlyWhenExactlyOneRowIsSelected) {
  MakeCatalogue();
  Start();
  SelectRows({u"b.txt"});
  DoubleClickRow(RowOf(u"b.txt"));
  ASSERT_EQ(shell.Count(), 1u);
  EXPECT_EQ(shell.Requests()[0].file, PathOf(u"b.txt"));

  SelectRows({u"b.txt", u"C.txt"});
  DoubleClickRow(RowOf(u"b.txt"));
  SelectRows({u"b.txt"});
  DoubleClickRow(-1);  // beside the rows
  EXPECT_EQ(shell.Count(), 1u);
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(FileListTest, RightClickOffersTheFileCommandsOnlyWithRowsSelected) {
  MakeCatalogue();
  Start();
  EXPECT_EQ(RightClickList(), (Commands{ID_LIST_ADD_FILE}));
  SelectRows({u"a.csv"});
  EXPECT_EQ(RightClickList(), (Commands{ID_LIST_OPEN, ID_LIST_OPEN_WITH, ID_LIST_COPY_PATHS,
                                        ID_LIST_EDIT_TAGS, ID_LIST_REMOVE, ID_LIST_SAME_TAGS}));
}

}  // namespace
}  // namespace quillon::testing
