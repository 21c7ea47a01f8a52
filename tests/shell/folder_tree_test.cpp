// The folder tree of the real main window on a real catalogue.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "catalogue/schema.h"
#include "resources/user_texts.h"
#include "tests/shell/main_window_driver.h"

namespace quillon::testing {
namespace {

using Lines = std::vector<std::u16string>;
using Commands = std::vector<UINT>;

class FolderTreeTest : public MainWindowTest {
 protected:
  // Root (ID 1) > Work > Reports, and Home; three files.
  void MakeCatalogue() {
    work_ = AddFolderRow(u"Work", 1, u"work;");
    AddFolderRow(u"Reports", work_, u"report;");
    AddFolderRow(u"Home", 1, u"home;");
    AddFile(MakeFile(u"a.txt"), u"work;");
    AddFile(MakeFile(u"b.txt"), u"home;");
    AddFile(MakeFile(u"c.txt"), u"work;report;");
  }

  TVITEMW NodeItem(const std::u16string& name) const {
    TVITEMW item{};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    item.stateMask = TVIS_EXPANDED;
    item.hItem = FindNode(name);
    ::SendMessageW(Tree(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item;
  }

  // Right-clicks the tree at `point` (tree client coordinates) and returns the commands of
  // the menu that opened.
  Commands RightClickTree(POINT point) {
    POINT screen = point;
    ::ClientToScreen(Tree(), &screen);
    const DesktopLock cursor;  // the tree reads the click's place from the cursor
    ::SetCursorPos(screen.x, screen.y);
    Commands shown;
    WhileModal closeMenu([&] {
      if (shown.empty()) shown = CloseOpenMenu();
    });
    NMHDR click{Tree(), IDC_FOLDER_TREE, static_cast<UINT>(NM_RCLICK)};
    ::SendMessageW(Window().Handle(), WM_NOTIFY, IDC_FOLDER_TREE, reinterpret_cast<LPARAM>(&click));
    PumpPending();
    return shown;
  }
  POINT InTree(const std::u16string& name) const {
    POINT point = NodePoint(name);
    ::MapWindowPoints(Window().Handle(), Tree(), &point, 1);
    return point;
  }

  std::int32_t work_ = 0;
};

TEST_F(FolderTreeTest, ChildrenStoredBeforeTheirParentAndOrphansAreShownAsTheTreeRules) {
  // B is stored before its parent A; the orphan names no folder and takes its child with it.
  const std::int32_t b = AddFolderRow(u"B", 3, u"b;");
  const std::int32_t a = AddFolderRow(u"A", 1, u"a;");
  ASSERT_EQ(b, 2);
  ASSERT_EQ(a, 3);
  const std::int32_t orphan = AddFolderRow(u"Orphan", 99, u"o;");
  AddFolderRow(u"UnderOrphan", orphan, u"u;");
  AddFolderRow(u"C", 1, u"c;");
  Start();

  EXPECT_EQ(TreeLines(), (Lines{kRootFolderName, u"  A", u"    B", u"  C"}));
  // Only the root is expanded; the root has its own image, other folders change when chosen.
  const TVITEMW root = NodeItem(kRootFolderName);
  EXPECT_TRUE(root.state & TVIS_EXPANDED);
  EXPECT_EQ(root.iImage, 0);
  EXPECT_EQ(root.iSelectedImage, 0);
  const TVITEMW folderA = NodeItem(u"A");
  EXPECT_FALSE(folderA.state & TVIS_EXPANDED);
  EXPECT_EQ(folderA.iImage, 2);
  EXPECT_EQ(folderA.iSelectedImage, 1);
  const auto images = reinterpret_cast<HIMAGELIST>(
      ::SendMessageW(Tree(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
  ASSERT_NE(images, nullptr);
  EXPECT_EQ(::ImageList_GetImageCount(images), 3);
  int width = 0, height = 0;
  ::ImageList_GetIconSize(images, &width, &height);
  EXPECT_EQ(width, 32);
  EXPECT_EQ(height, 32);

  // Each shown folder's record knows its node; the unshown ones know none.
  const FolderTable& folders = app_->Folders();
  EXPECT_EQ(folders.FindFolderByViewHandle(reinterpret_cast<std::uintptr_t>(FindNode(u"B"))).ID, b);
  EXPECT_EQ(folders.GetFolder(3).viewHandle, 0u);  // the orphan
  EXPECT_EQ(folders.GetFolder(4).viewHandle, 0u);
}

TEST_F(FolderTreeTest, SelectingAFolderListsItsFilesAndWritesItsTagsIntoTheSearchBox) {
  MakeCatalogue();
  Start();
  SelectFolder(u"Work");
  EXPECT_EQ(ListColumn(0), (Lines{u"a.txt", u"c.txt"}));
  EXPECT_EQ(SearchBox(), u"work;");
  EXPECT_EQ(Window().CurrentFilter(), u"work;");

  // The root's "*;" lists everything but leaves the box as it was.
  SelectFolder(kRootFolderName);
  EXPECT_EQ(ListColumn(0), (Lines{u"a.txt", u"b.txt", u"c.txt"}));
  EXPECT_EQ(Window().CurrentFilter(), u"*;");
  EXPECT_EQ(SearchBox(), u"work;");
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(FolderTreeTest, AFolderWhoseTagsStartWithASemicolonListsEveryFile) {
  MakeCatalogue();
  AddFolderRow(u"Odd", 1, u";work;");
  Start();
  SelectFolder(u"Home");
  ASSERT_EQ(ListColumn(0), (Lines{u"b.txt"}));
  SelectFolder(u"Odd");
  EXPECT_EQ(ListColumn(0), (Lines{u"a.txt", u"b.txt", u"c.txt"}));
  EXPECT_EQ(Window().CurrentFilter(), u"*;");
  EXPECT_EQ(SearchBox(), u"home;");
}

TEST_F(FolderTreeTest, TheRootCannotBeDeletedAndFolderCommandsNeedASelection) {
  MakeCatalogue();
  Start();
  const Lines before = TreeLines();

  SelectFolder(kRootFolderName);
  Command(ID_EDIT_DELETE_FOLDER);
  ::SendMessageW(Tree(), TVM_SELECTITEM, TVGN_CARET, 0);
  Command(ID_EDIT_DELETE_FOLDER);
  Command(ID_EDIT_FOLDER_TAGS);

  EXPECT_EQ(BoxTexts(), (Lines{UserText(TEXT_ROOT_FOLDER), UserText(TEXT_SELECT_FOLDER),
                               UserText(TEXT_SELECT_FOLDER)}));
  for (const MessageBoxRequest& box : boxes.Boxes()) {
    EXPECT_EQ(box.caption, u"");
    EXPECT_EQ(box.flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(box.owner, Window().Handle());
  }
  EXPECT_EQ(TreeLines(), before);
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_virtualdir"), 4);
  EXPECT_EQ(OpenDialog(IDD_EDIT_FOLDER), nullptr);
}

TEST_F(FolderTreeTest, WithTwoRootRowsTheRootShownIsTheRootProtected) {
  // A second row with FatherID 0 and its own subtree, beside the catalogue's root.
  const std::int32_t second = AddFolderRow(u"Second", 0, u"second;");
  AddFolderRow(u"UnderSecond", second, u"under;");
  AddFolderRow(u"UnderFirst", 1, u"first;");
  Start();
  const FolderRecord root = app_->Folders().GetFolder(Window().RootFolderIndex());
  ASSERT_FALSE(TreeLines().empty());
  EXPECT_EQ(TreeLines()[0], root.DirName);
  EXPECT_EQ(app_->RootFolderId(), root.ID);

  // The shown root can be neither deleted nor edited, from either menu.
  SelectFolder(root.DirName);
  Command(ID_EDIT_DELETE_FOLDER);
  Command(ID_EDIT_FOLDER_TAGS);
  EXPECT_EQ(BoxTexts(), (Lines{UserText(TEXT_ROOT_FOLDER), UserText(TEXT_ROOT_FOLDER_EDIT)}));
  EXPECT_EQ(RightClickTree(InTree(root.DirName)), (Commands{ID_TREE_ADD_FOLDER}));
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_virtualdir"), 4);
  EXPECT_EQ(OpenDialog(IDD_EDIT_FOLDER), nullptr);
}

TEST_F(FolderTreeTest, AFolderRowWithoutANameOrTagsIsEditedNotCreatedAnew) {
  const std::int32_t unnamed = AddFolderRow(u"", 1, u"");
  Start();
  ASSERT_EQ(TreeLines(), (Lines{kRootFolderName, u"  "}));
  SelectFolder(u"");
  int dialogs = 0;
  {
    WhileModal name([&] {
      if (CDialog* dialog = OpenDialog(IDD_EDIT_FOLDER)) {
        ++dialogs;
        dialog->SetItemText(IDC_FOLDER_NAME, u"Named");
        dialog->SetItemText(IDC_ADD_TAGS, u"named");
        Press(*dialog, IDOK);
      }
    });
    Command(ID_EDIT_FOLDER_TAGS);
  }
  EXPECT_EQ(dialogs, 1);
  EXPECT_TRUE(BoxTexts().empty());
  EXPECT_EQ(TreeLines(), (Lines{kRootFolderName, u"  Named"}));
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_virtualdir"), 2);
  EXPECT_EQ(Column(u"SELECT Tags FROM db_virtualdir WHERE ID = " + SqlInteger(unnamed), u"Tags"),
            (Lines{u"named;"}));
}

TEST_F(FolderTreeTest, DeletingTheSelectedFolderAsksAndRemovesOnlyThatFolderOnYes) {
  MakeCatalogue();
  Start();
  SelectFolder(u"Work");
  boxes.SetAnswer(IDNO);
  Command(ID_EDIT_DELETE_FOLDER);
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, UserText(TEXT_REMOVE_FOLDER_CONFIRM));
  EXPECT_EQ(boxes.Boxes()[0].caption, UserText(TEXT_REMOVE_CAPTION));
  EXPECT_EQ(boxes.Boxes()[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_virtualdir"), 4);
  EXPECT_EQ(TreeLines(), (Lines{kRootFolderName, u"  Work", u"    Reports", u"  Home"}));

  boxes.SetAnswer(IDYES);
  Command(ID_EDIT_DELETE_FOLDER);
  // Its sub-folder stays stored but can no longer be reached.
  EXPECT_EQ(TreeLines(), (Lines{kRootFolderName, u"  Home"}));
  EXPECT_EQ(Column(u"SELECT DirName FROM db_virtualdir ORDER BY ID", u"DirName"),
            (Lines{kRootFolderName, u"Reports", u"Home"}));
  EXPECT_EQ(app_->Folders().GetFolder(1).deleted, 1);

  // Selecting a folder after the rebuild still lists that folder's files.
  SelectFolder(u"Home");
  EXPECT_EQ(ListColumn(0), (Lines{u"b.txt"}));
}

TEST_F(FolderTreeTest, RightClickOffersFolderCommandsOnlyOnAFolderOtherThanTheRoot) {
  MakeCatalogue();
  Start();
  EXPECT_EQ(RightClickTree(InTree(u"Work")), (Commands{ID_FOLDER_EDIT_TAGS, ID_FOLDER_REMOVE}));
  EXPECT_EQ(Window().CurrentFolder().DirName, u"Work");
  EXPECT_EQ(Window().CurrentFolder().ID, work_);

  EXPECT_EQ(RightClickTree(InTree(kRootFolderName)), (Commands{ID_TREE_ADD_FOLDER}));
  RECT client;
  ::GetClientRect(Tree(), &client);
  EXPECT_EQ(RightClickTree(POINT{client.right / 2, client.bottom - 3}),
            (Commands{ID_TREE_ADD_FOLDER}));
  EXPECT_EQ(Window().CurrentFolder().ID, -1);
}

TEST_F(FolderTreeTest, TheFolderMenuEditsAndRemovesTheRightClickedFolder) {
  MakeCatalogue();
  Start();
  RightClickTree(InTree(u"Home"));
  {
    WhileModal rename([&] {
      if (CDialog* dialog = OpenDialog(IDD_EDIT_FOLDER)) {
        dialog->SetItemText(IDC_FOLDER_NAME, u"House");
        Press(*dialog, IDOK);
      }
    });
    Command(ID_FOLDER_EDIT_TAGS);
  }
  EXPECT_EQ(TreeLines(), (Lines{kRootFolderName, u"  Work", u"    Reports", u"  House"}));
  EXPECT_EQ(Column(u"SELECT DirName FROM db_virtualdir WHERE Tags = 'home;'", u"DirName"),
            (Lines{u"House"}));

  // Reports shows once its parent is opened.
  ::SendMessageW(Tree(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(FindNode(u"Work")));
  EXPECT_EQ(RightClickTree(InTree(u"Reports")), (Commands{ID_FOLDER_EDIT_TAGS, ID_FOLDER_REMOVE}));
  boxes.SetAnswer(IDYES);
  Command(ID_FOLDER_REMOVE);
  EXPECT_EQ(TreeLines(), (Lines{kRootFolderName, u"  Work", u"  House"}));
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_virtualdir WHERE DirName = 'Reports'"), 0);
}

TEST_F(FolderTreeTest, AddingAFolderPutsItUnderTheRootOnlyWhenTheDialogEndsWithOk) {
  MakeCatalogue();
  Start();
  int dialogs = 0;
  bool accept = false;
  WhileModal answer([&] {
    CDialog* dialog = OpenDialog(IDD_EDIT_FOLDER);
    if (!dialog) return;
    ++dialogs;
    dialog->SetItemText(IDC_FOLDER_NAME, u"Music");
    dialog->SetItemText(IDC_ADD_TAGS, u"music");
    Press(*dialog, accept ? IDOK : IDCANCEL);
  });
  Command(IDC_TOOL_ADD_FOLDER);
  EXPECT_EQ(TreeLines(), (Lines{kRootFolderName, u"  Work", u"    Reports", u"  Home"}));
  accept = true;
  Command(ID_TREE_ADD_FOLDER);
  EXPECT_EQ(dialogs, 2);
  EXPECT_EQ(TreeLines(),
            (Lines{kRootFolderName, u"  Work", u"    Reports", u"  Home", u"  Music"}));
  SelectFolder(u"Music");
  EXPECT_EQ(SearchBox(), u"music;");
}

}  // namespace
}  // namespace quillon::testing
