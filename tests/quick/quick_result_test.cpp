// The real quick result list under Wine: its rows, icons, keys and file commands.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "catalogue/file_store.h"
#include "catalogue/tag_search.h"
#include "files/file_type_icons.h"
#include "resources/resource.h"
#include "resources/user_texts.h"
#include "tests/quick/quick_test_host.h"

namespace quillon::testing {
namespace {

using Names = std::vector<std::u16string>;

constexpr char16_t kSelectFile[] = u"" TEXT_SELECT_FILE;

int IconOfRow(HWND list, int row) {
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  ::SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return item.iImage;
}

std::u16string CellText(HWND list, int row, int column) {
  wchar_t text[520] = {};
  LVITEMW cell{};
  cell.iSubItem = column;
  cell.pszText = text;
  cell.cchTextMax = 520;
  ::SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&cell));
  return std::u16string(reinterpret_cast<const char16_t*>(text));
}

class QuickResultTest : public QuickBarTest {
 protected:
  void SetUp() override {
    AddCatalogued(u"b.txt", u"a;b;");
    AddCatalogued(u"c.txt", u"b;c;");
    AddCatalogued(u"A.txt", u"c;");
    AddCatalogued(u"d.txt", u"d;");
    Start();
  }
  void DoubleClick() {
    NMITEMACTIVATE click{};
    click.hdr = NMHDR{Results().List(), IDC_FILE_LIST, static_cast<UINT>(NM_DBLCLK)};
    click.iItem = 0;
    ::SendMessageW(Results().Handle(), WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&click));
  }
  void Command(int id) {
    ::SendMessageW(Results().Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    PumpPending();
  }
};

TEST_F(QuickResultTest, RowsOrderedByNameCarryTagsAndFullPathsIconsByType) {
  const std::u16string otherFolder = PathOf(u"sub");
  std::filesystem::create_directory(std::filesystem::path(otherFolder));
  CatalogueTest::AddFile(otherFolder + u"\\b.txt", u"c;");
  CatalogueTest::AddFile(PathOf(u"gone.exe"), u"c;");
  Results().FillResults(u"*;");
  EXPECT_EQ(ResultNames(), (Names{u"A.txt", u"b.txt", u"b.txt", u"c.txt", u"d.txt", u"gone.exe"}));
  const HWND list = Results().List();
  // Two files of one name stay apart by their full paths.
  EXPECT_NE(CellText(list, 1, 2), CellText(list, 2, 2));
  EXPECT_EQ(CellText(list, 3, 1), u"b;c;");
  EXPECT_EQ(CellText(list, 3, 2), PathOf(u"c.txt"));
  // In the icon view the rows also stand in that order.
  POINT first{}, second{};
  ::SendMessageW(list, LVM_GETITEMPOSITION, 0, reinterpret_cast<LPARAM>(&first));
  ::SendMessageW(list, LVM_GETITEMPOSITION, 1, reinterpret_cast<LPARAM>(&second));
  EXPECT_TRUE(first.y < second.y || (first.y == second.y && first.x < second.x));
  // A text file shows its type's icon; a program that is gone shows the generic file icon.
  FileTypeIcons icons;
  EXPECT_EQ(IconOfRow(list, 0), icons.SmallIconIndex(u"any.txt"));
  EXPECT_EQ(IconOfRow(list, 5), icons.SmallIconIndex(u"file"));
  // The icons are the platform's own small icons of file types.
  SHFILEINFOW info{};
  EXPECT_EQ(::SendMessageW(list, LVM_GETIMAGELIST, LVSIL_NORMAL, 0),
            static_cast<LRESULT>(::SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info),
                                                  SHGFI_SYSICONINDEX | SHGFI_SMALLICON)));
}

TEST_F(QuickResultTest, OrderIsThePlatformsComparisonOfNamesWhateverTheirMix) {
  Names names = {u"co-op.txt", u"coop.txt", u"Coop.txt", u"zeta.txt", u"\u00c9t\u00e9.txt",
                 u"ete.txt",   u"file10.txt", u"file9.txt", u"_under.txt", u"it's.txt",
                 u"its.txt",   u"ZETA.txt",   u"a b.txt",   u"ab.txt",     u"1.txt"};
  for (const std::u16string& name : names) AddCatalogued(name, u"mix;");
  Results().FillResults(u"mix;");
  std::stable_sort(names.begin(), names.end(), [](const std::u16string& a, const std::u16string& b) {
    return ::lstrcmpW(reinterpret_cast<const wchar_t*>(a.c_str()),
                      reinterpret_cast<const wchar_t*>(b.c_str())) < 0;
  });
  const Names shown = ResultNames();
  ASSERT_EQ(shown.size(), names.size());
  // Names the comparison calls equal may stand either way round.
  for (std::size_t row = 0; row < names.size(); ++row) {
    EXPECT_EQ(::lstrcmpW(reinterpret_cast<const wchar_t*>(shown[row].c_str()),
                         reinterpret_cast<const wchar_t*>(names[row].c_str())),
              0)
        << "row " << row;
  }
}

TEST_F(QuickResultTest, EnterWithNothingSelectedAsksForAFileThenHidesTheList) {
  Bar().SetSearchText(u"b");
  ASSERT_TRUE(ResultsShown());
  SelectResults({});
  PressKey(Results().List(), VK_RETURN);
  EXPECT_EQ(BoxTexts(), (Names{kSelectFile}));
  EXPECT_FALSE(ResultsShown());
  EXPECT_EQ(Bar().ResultsButtonBitmap(), static_cast<UINT>(IDB_QUICK_RESULTS_HIDDEN));
  EXPECT_EQ(shell_.Count(), 0u);

  // With a row selected Enter opens it, and hides the list too.
  Bar().SetSearchText(u"d");
  SelectResults({u"d.txt"});
  PressKey(Results().List(), VK_RETURN);
  ASSERT_EQ(shell_.Count(), 1u);
  EXPECT_EQ(shell_.Requests()[0].file, PathOf(u"d.txt"));
  EXPECT_FALSE(ResultsShown());
}

TEST_F(QuickResultTest, EscapeHidesTheListAndF5DropsAFileRemovedElsewhere) {
  Bar().SetSearchText(u"b");
  EXPECT_EQ(ResultNames(), (Names{u"b.txt", u"c.txt"}));
  // Removed by the main window: this list keeps showing it until F5.
  FileRecord removed;
  ASSERT_TRUE(SplitFilePath(removed, PathOf(u"c.txt")));
  ASSERT_TRUE(RemoveFileByPath(db_, removed));
  EXPECT_EQ(ResultNames(), (Names{u"b.txt", u"c.txt"}));
  PressKey(Results().List(), VK_F5);
  EXPECT_EQ(ResultNames(), (Names{u"b.txt"}));
  EXPECT_TRUE(ResultsShown());

  PressKey(Results().List(), VK_ESCAPE);
  EXPECT_FALSE(ResultsShown());
  EXPECT_TRUE(Bar().IsVisible());
  EXPECT_EQ(Bar().ResultsButtonBitmap(), static_cast<UINT>(IDB_QUICK_RESULTS_HIDDEN));
}

TEST_F(QuickResultTest, SameTagsOfTwoRowsGoIntoTheBarAndListEveryFileOfThem) {
  Bar().SetSearchText(u"b");
  SelectResults({u"b.txt", u"c.txt"});
  Command(ID_RESULT_SAME_TAGS);
  EXPECT_EQ(Bar().SearchText(), u"a;b;c;");
  EXPECT_EQ(Results().ResultTagText(), u"a;b;c;");
  EXPECT_EQ(ResultNames(), (Names{u"A.txt", u"b.txt", u"c.txt"}));
  EXPECT_TRUE(ResultsShown());
  // With no row selected the text is empty, and the empty search hides the list.
  SelectResults({});
  Command(ID_RESULT_SAME_TAGS);
  EXPECT_EQ(Bar().SearchText(), u"");
  EXPECT_FALSE(ResultsShown());
  EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(QuickResultTest, RemoveAsksEvenWithoutSelectionAndTheMainWindowListsAgain) {
  filter_ = u"b;";
  Bar().SetSearchText(u"b");
  SelectResults({});
  boxes_.SetAnswer(IDYES);
  Command(ID_RESULT_REMOVE);
  ASSERT_EQ(boxes_.Count(), 1u);
  EXPECT_EQ(boxes_.Boxes()[0].text, UserText(TEXT_REMOVE_FILES_CONFIRM));
  EXPECT_EQ(boxes_.Boxes()[0].caption, UserText(TEXT_REMOVE_CAPTION));
  EXPECT_EQ(ResultNames(), (Names{u"b.txt", u"c.txt"}));
  EXPECT_EQ(listed_, (Names{u"b;"}));

  SelectResults({u"c.txt"});
  boxes_.SetAnswer(IDNO);
  Command(ID_RESULT_REMOVE);
  EXPECT_EQ(ResultNames(), (Names{u"b.txt", u"c.txt"}));
  EXPECT_EQ(listed_.size(), 2u);

  boxes_.SetAnswer(IDYES);
  Command(ID_RESULT_REMOVE);
  EXPECT_EQ(ResultNames(), (Names{u"b.txt"}));
  EXPECT_EQ(Count(u"SELECT COUNT(*) AS n FROM db_filetags"), 3);
  EXPECT_EQ(listed_.size(), 3u);
}

TEST_F(QuickResultTest, CommandsWithoutSelectionAskForAFileDoubleClickNeedsExactlyOneRow) {
  Bar().SetSearchText(u"b");
  SelectResults({});
  for (const int command : {ID_RESULT_OPEN, ID_RESULT_OPEN_WITH, ID_RESULT_COPY_PATHS,
                            ID_RESULT_EDIT_TAGS}) {
    Command(command);
  }
  EXPECT_EQ(BoxTexts(), (Names(4, kSelectFile)));
  // Edit Tags lists the main window's filter again even after the message.
  EXPECT_EQ(listed_.size(), 1u);

  SelectResults({u"b.txt", u"c.txt"});
  DoubleClick();
  EXPECT_EQ(shell_.Count(), 0u);
  SelectResults({u"c.txt"});
  DoubleClick();
  ASSERT_EQ(shell_.Count(), 1u);
  EXPECT_EQ(shell_.Requests()[0].file, PathOf(u"c.txt"));

  // A file gone from the disk is reported with its path, not opened.
  CatalogueTest::AddFile(PathOf(u"gone.txt"), u"b;");
  PressKey(Results().List(), VK_F5);
  SelectResults({u"gone.txt"});
  Command(ID_RESULT_OPEN);
  EXPECT_EQ(BoxTexts().back(),
            UserText(TEXT_FILE_MISSING) +
                PathOf(u"gone.txt"));
  EXPECT_EQ(shell_.Count(), 1u);
}

}  // namespace
}  // namespace quillon::testing
