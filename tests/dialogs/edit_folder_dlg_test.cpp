// The Edit Folder dialog driven for real: the name box, the tag list, its Enter keys and the
// OK checks in their order, with the folder table and the catalogue read back.
#include "dialogs/edit_folder_dlg.h"

#include <gtest/gtest.h>

#include "catalogue/folder_store.h"
#include "dialog_driver.h"
#include "resources/resource.h"
#include "tests/support/windows_test_support.h"
#include "resources/user_texts.h"

namespace quillon {
namespace {

using testing::Click;
using testing::kNeedTag;
using testing::kSelectTag;
using testing::ListItems;
using testing::PressKey;
using testing::Type;
using Items = std::vector<std::u16string>;

constexpr char16_t kFolderExists[] = u"" TEXT_FOLDER_EXISTS;

class EditFolderDialog : public testing::DialogTest {
 protected:
  std::int64_t FolderRows() { return Count(u"SELECT COUNT(*) AS n FROM db_virtualdir"); }
  std::u16string Row(std::int32_t id, std::u16string_view column) {
    return Value(u"SELECT * FROM db_virtualdir WHERE ID = " + SqlInteger(id), column);
  }
  // Nothing was written: the table and the database hold what the fixture made.
  void ExpectUnchanged() {
    EXPECT_EQ(folders_.Count(), 3u);
    EXPECT_EQ(FolderRows(), 3);
    EXPECT_EQ(folders_.GetFolder(work).DirName, u"Work");
    EXPECT_EQ(Row(folders_.GetFolder(work).ID, u"DirName"), u"Work");
  }

  std::int32_t work = AddFolder(u"Work", u"report;draft;");
  std::int32_t home = AddFolder(u"Home", u"family;");
};

TEST_F(EditFolderDialog, ANewFolderGoesUnderTheRootWithTheTagsTypedButNotAdded) {
  CEditFolderDlg dialog(context, FolderRecord{}, CEditFolderDlg::Mode::kNewFolder);
  testing::Open(dialog);
  EXPECT_EQ(dialog.Text(), UserText(TEXT_TITLE_NEW_FOLDER));
  EXPECT_EQ(dialog.ItemText(IDC_FOLDER_NAME), u"");
  EXPECT_TRUE(ListItems(dialog).empty());
  EXPECT_EQ(::GetFocus(), dialog.Item(IDC_FOLDER_NAME));

  Type(dialog, IDC_FOLDER_NAME, u"  Trips ");
  Type(dialog, IDC_ADD_TAGS, u"trip photo");
  Click(dialog, IDOK);
  ASSERT_TRUE(dialog.Ended());
  EXPECT_EQ(dialog.Result(), IDOK);
  EXPECT_EQ(dialog.ItemText(IDC_FOLDER_NAME), u"Trips");
  ASSERT_EQ(folders_.Count(), 4u);
  const FolderRecord stored = folders_.GetFolder(3);
  EXPECT_EQ(stored.DirName, u"Trips");
  EXPECT_EQ(stored.Tags, u"photo;trip;");
  EXPECT_EQ(stored.FatherID, root_.id);
  EXPECT_EQ(Row(stored.ID, u"DirName"), u"Trips");
  EXPECT_EQ(Row(stored.ID, u"Tags"), u"photo;trip;");
  EXPECT_EQ(Row(stored.ID, u"FatherID"), SqlInteger(root_.id));
  EXPECT_EQ(boxes.Count(), 0u);
  EXPECT_EQ(context.filter, u"unchanged;");
}

TEST_F(EditFolderDialog, AnExistingFolderIsRenamedAndRetaggedInPlace) {
  const FolderRecord before = folders_.GetFolder(work);
  CEditFolderDlg dialog(context, before, CEditFolderDlg::Mode::kExistingFolder);
  testing::Open(dialog);
  EXPECT_EQ(dialog.Text(), u"Edit Folder");
  EXPECT_EQ(dialog.ItemText(IDC_FOLDER_NAME), u"Work");
  EXPECT_EQ(ListItems(dialog), (Items{u"report", u"draft"}));
  EXPECT_EQ(::GetFocus(), dialog.Item(IDC_ADD_TAGS));

  Type(dialog, IDC_FOLDER_NAME, u"Office ");
  testing::SelectItems(dialog, {1});
  Click(dialog, IDC_BTN_DELETE);
  Type(dialog, IDC_ADD_TAGS, u"memo REPORT");
  Click(dialog, IDOK);
  ASSERT_TRUE(dialog.Ended());
  const FolderRecord after = folders_.GetFolder(work);
  EXPECT_EQ(after.DirName, u"Office");
  EXPECT_EQ(after.Tags, u"memo;report;");
  EXPECT_EQ(after.ID, before.ID);
  EXPECT_EQ(after.FatherID, before.FatherID);
  EXPECT_EQ(Row(before.ID, u"DirName"), u"Office");
  EXPECT_EQ(Row(before.ID, u"Tags"), u"memo;report;");
  EXPECT_EQ(FolderRows(), 3);
}

TEST_F(EditFolderDialog, KeepingItsOwnNamePassesTheNameCheck) {
  CEditFolderDlg dialog(context, folders_.GetFolder(work), CEditFolderDlg::Mode::kExistingFolder);
  testing::Open(dialog);
  Type(dialog, IDC_FOLDER_NAME, u"work");
  Click(dialog, IDOK);
  ASSERT_TRUE(dialog.Ended());
  EXPECT_EQ(folders_.GetFolder(work).DirName, u"work");
}

TEST_F(EditFolderDialog, ANameInUseIsRefusedAndTheTrimmedNameStaysShown) {
  CEditFolderDlg dialog(context, FolderRecord{}, CEditFolderDlg::Mode::kNewFolder);
  testing::Open(dialog);
  Type(dialog, IDC_FOLDER_NAME, u"  WORK ");
  Type(dialog, IDC_ADD_TAGS, u"x");
  Click(dialog, IDOK);
  EXPECT_EQ(BoxTexts(), (Items{kFolderExists}));
  EXPECT_EQ(boxes.Boxes()[0].owner, dialog.Handle());
  EXPECT_EQ(boxes.Boxes()[0].caption, u"");
  EXPECT_EQ(dialog.ItemText(IDC_FOLDER_NAME), u"WORK");
  EXPECT_EQ(ListItems(dialog), (Items{u"x"}));
  EXPECT_FALSE(dialog.Ended());

  // The root folder's name is taken too.
  Type(dialog, IDC_FOLDER_NAME, folders_.GetFolder(root_.index).DirName);
  Click(dialog, IDOK);
  EXPECT_EQ(BoxTexts(), (Items{kFolderExists, kFolderExists}));
  ExpectUnchanged();
}

TEST_F(EditFolderDialog, RenamingToAnotherFoldersNameIsRefused) {
  CEditFolderDlg dialog(context, folders_.GetFolder(home), CEditFolderDlg::Mode::kExistingFolder);
  testing::Open(dialog);
  Type(dialog, IDC_FOLDER_NAME, u"work");
  Click(dialog, IDOK);
  EXPECT_EQ(BoxTexts(), (Items{kFolderExists}));
  EXPECT_FALSE(dialog.Ended());
  EXPECT_EQ(folders_.GetFolder(home).DirName, u"Home");
}

TEST_F(EditFolderDialog, AFolderRemovedInThisRunStillHoldsItsName) {
  DeleteFolderRow(db_, folders_, home);
  CEditFolderDlg dialog(context, FolderRecord{}, CEditFolderDlg::Mode::kNewFolder);
  testing::Open(dialog);
  Type(dialog, IDC_FOLDER_NAME, u"HOME");
  Type(dialog, IDC_ADD_TAGS, u"x");
  Click(dialog, IDOK);
  EXPECT_EQ(BoxTexts(), (Items{kFolderExists}));
  EXPECT_EQ(folders_.Count(), 3u);
}

TEST_F(EditFolderDialog, ABlankNameIsReportedAndNothingIsWritten) {
  CEditFolderDlg dialog(context, folders_.GetFolder(work), CEditFolderDlg::Mode::kExistingFolder);
  testing::Open(dialog);
  Type(dialog, IDC_FOLDER_NAME, u"   ");
  Click(dialog, IDOK);
  EXPECT_EQ(BoxTexts(), (Items{UserText(TEXT_FOLDER_NAME_BLANK)}));
  EXPECT_FALSE(dialog.Ended());
  EXPECT_EQ(::GetFocus(), dialog.Item(IDC_FOLDER_NAME));
  ExpectUnchanged();

  // Enter in the empty Add Tags box runs the same OK: again a message, nothing written.
  PressKey(dialog, IDC_ADD_TAGS, VK_RETURN);
  EXPECT_EQ(boxes.Count(), 2u);
  EXPECT_FALSE(dialog.Ended());
  ExpectUnchanged();
}

TEST_F(EditFolderDialog, AnEmptyTagListIsRefusedAfterTheNameChecks) {
  CEditFolderDlg dialog(context, FolderRecord{}, CEditFolderDlg::Mode::kNewFolder);
  testing::Open(dialog);
  Type(dialog, IDC_FOLDER_NAME, u" Trips");
  Click(dialog, IDOK);
  EXPECT_EQ(BoxTexts(), (Items{kNeedTag}));
  EXPECT_EQ(dialog.ItemText(IDC_FOLDER_NAME), u"Trips");
  EXPECT_FALSE(dialog.Ended());
  // A blank name is reported first, whatever the tags.
  Type(dialog, IDC_FOLDER_NAME, u"");
  Click(dialog, IDOK);
  EXPECT_EQ(boxes.Boxes().back().text, UserText(TEXT_FOLDER_NAME_BLANK));
  ExpectUnchanged();
}

TEST_F(EditFolderDialog, EnterInTheNameBoxOrTheListPressesAddNotOk) {
  CEditFolderDlg dialog(context, FolderRecord{}, CEditFolderDlg::Mode::kNewFolder);
  testing::Open(dialog);
  Type(dialog, IDC_FOLDER_NAME, u"Trips");
  PressKey(dialog, IDC_FOLDER_NAME, VK_RETURN);
  EXPECT_FALSE(dialog.Ended());
  EXPECT_TRUE(ListItems(dialog).empty());

  // "Add" takes the box's text, whichever control had the focus.
  Type(dialog, IDC_ADD_TAGS, u"a");
  PressKey(dialog, IDC_TAG_LIST, VK_RETURN);
  EXPECT_EQ(ListItems(dialog), (Items{u"a"}));
  EXPECT_FALSE(dialog.Ended());

  Type(dialog, IDC_ADD_TAGS, u"b c");
  PressKey(dialog, IDC_ADD_TAGS, VK_RETURN);
  EXPECT_EQ(ListItems(dialog), (Items{u"c", u"b", u"a"}));
  EXPECT_FALSE(dialog.Ended());
  PressKey(dialog, IDC_ADD_TAGS, VK_RETURN);
  ASSERT_TRUE(dialog.Ended());
  EXPECT_EQ(dialog.Result(), IDOK);
  EXPECT_EQ(folders_.GetFolder(3).Tags, u"c;b;a;");
}

TEST_F(EditFolderDialog, DeleteWithoutSelectionAsksForOne) {
  CEditFolderDlg dialog(context, folders_.GetFolder(work), CEditFolderDlg::Mode::kExistingFolder);
  testing::Open(dialog);
  Click(dialog, IDC_BTN_DELETE);
  EXPECT_EQ(BoxTexts(), (Items{kSelectTag}));
  EXPECT_EQ(ListItems(dialog).size(), 2u);
}

TEST_F(EditFolderDialog, CancelWritesNothingAndF1OpensTheHelp) {
  CEditFolderDlg dialog(context, folders_.GetFolder(work), CEditFolderDlg::Mode::kExistingFolder);
  testing::Open(dialog);
  PressKey(dialog, IDC_FOLDER_NAME, VK_F1);
  EXPECT_EQ(context.helpRequests, 1);
  Type(dialog, IDC_FOLDER_NAME, u"Changed");
  testing::Escape(dialog);
  ASSERT_TRUE(dialog.Ended());
  EXPECT_EQ(dialog.Result(), IDCANCEL);
  ExpectUnchanged();
}

TEST_F(EditFolderDialog, AFullFolderTableTakesNoNewFolder) {
  FillFolderTable();
  CEditFolderDlg dialog(context, FolderRecord{}, CEditFolderDlg::Mode::kNewFolder);
  testing::Open(dialog);
  Type(dialog, IDC_FOLDER_NAME, u"One more");
  Type(dialog, IDC_ADD_TAGS, u"x");
  Click(dialog, IDOK);
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_NE(boxes.Boxes()[0].text.find(u"No more virtual folders"), std::u16string::npos);
  EXPECT_FALSE(dialog.Ended());
  EXPECT_EQ(FolderRows(), 3);
}

}  // namespace
}  // namespace quillon
