// The Edit Tags dialog driven for real: its boxes, buttons, Enter keys, drops and OK checks,
// with the catalogue read back after each run.
#include "dialogs/edit_file_dlg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "catalogue/file_store.h"
#include "dialogs/edit_file_rules.h"
#include "dialogs/file_picker.h"
#include "dialog_driver.h"
#include "tests/support/modal_step.h"
#include "framework/wide.h"
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

constexpr char16_t kFileMissing[] = u"" TEXT_FILE_MISSING;
constexpr char16_t kFileExisted[] = u"" TEXT_FILE_EXISTED;

FileRecord NewFileRecord(const std::u16string& fullPath, const std::u16string& filter) {
  FileRecord record;
  record.ID = kNewFileId;
  SplitFilePath(record, fullPath);
  record.Tags = filter;
  return record;
}

class EditFileDialog : public testing::DialogTest {
 protected:
  // The catalogued file as a listing holds it.
  FileRecord Catalogued(const std::u16string& fullPath, const std::u16string& tags,
                        const std::u16string& comment = u"") {
    FileRecord record;
    record.ID = AddFile(fullPath, tags, comment);
    SplitFilePath(record, fullPath);
    record.Tags = tags;
    record.Comment = comment;
    return record;
  }
  std::int32_t IdOf(const std::u16string& fullPath) {
    FileRecord record;
    SplitFilePath(record, fullPath);
    return FindFileId(db_, record);
  }
  std::int64_t FileRows() { return Count(u"SELECT COUNT(*) AS n FROM db_filetags"); }

  std::u16string a = MakeFile(u"a.txt");
  std::u16string b = MakeFile(u"b.txt");
};

TEST_F(EditFileDialog, NewFileStartsWithTheProposedTagsAndStoresThemAddedToTheTop) {
  CEditFileDlg dialog(context, NewFileRecord(a, u"photo;trip;"));
  testing::Open(dialog);
  EXPECT_EQ(dialog.Text(), UserText(TEXT_TITLE_NEW_FILE));
  EXPECT_EQ(dialog.ItemText(IDC_PATH_BOX), a);
  EXPECT_EQ(dialog.ItemText(IDC_ADD_TAGS), u"photo;trip;");
  EXPECT_TRUE(ListItems(dialog).empty());
  EXPECT_EQ(::GetFocus(), dialog.Item(IDC_ADD_TAGS));

  Click(dialog, IDOK);
  ASSERT_TRUE(dialog.Ended());
  EXPECT_EQ(dialog.Result(), IDOK);
  EXPECT_EQ(ListItems(dialog), (Items{u"trip", u"photo"}));
  const std::int32_t id = IdOf(a);
  ASSERT_GT(id, 0);
  EXPECT_EQ(StoredTags(id), u"trip;photo;");
  EXPECT_EQ(TagRows(id), (Items{u"trip", u"photo"}));
  EXPECT_EQ(context.filter, u"trip;photo;");
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(EditFileDialog, TheWildcardFilterIsNotProposed) {
  CEditFileDlg dialog(context, NewFileRecord(a, u"*;"));
  testing::Open(dialog);
  EXPECT_EQ(dialog.ItemText(IDC_ADD_TAGS), u"");
}

TEST_F(EditFileDialog, EditModeListsTheStoredTagsInOrder) {
  FileRecord record = Catalogued(a, u"work;;draft;", u"first\r\nsecond");
  record.Tags = u"work;;draft;tail";  // text after the last ";" is not shown
  CEditFileDlg dialog(context, record);
  testing::Open(dialog);
  EXPECT_EQ(dialog.Text(), u"Edit Tags");
  EXPECT_EQ(ListItems(dialog), (Items{u"work", u"", u"draft"}));
  EXPECT_EQ(dialog.ItemText(IDC_ADD_TAGS), u"");
  EXPECT_EQ(dialog.ItemText(IDC_COMMENT), u"first\r\nsecond");
  EXPECT_EQ(::GetFocus(), dialog.Item(IDC_ADD_TAGS));
}

TEST_F(EditFileDialog, AddPutsNewTagsOnTopOnceWithoutCaseForAToZ) {
  CEditFileDlg dialog(context, Catalogued(a, u"x;"));
  testing::Open(dialog);
  Type(dialog, IDC_ADD_TAGS, u"a b;c");
  Click(dialog, IDC_BTN_ADD);
  EXPECT_EQ(ListItems(dialog), (Items{u"c", u"b", u"a", u"x"}));
  EXPECT_EQ(dialog.ItemText(IDC_ADD_TAGS), u"");

  Type(dialog, IDC_ADD_TAGS, u"Foo foo FOO X");
  Click(dialog, IDC_BTN_ADD);
  EXPECT_EQ(ListItems(dialog), (Items{u"Foo", u"c", u"b", u"a", u"x"}));
  EXPECT_FALSE(dialog.Ended());
}

TEST_F(EditFileDialog, DeleteRemovesTheSelectionOrAsksForOne) {
  CEditFileDlg dialog(context, Catalogued(a, u"a;b;c;d;"));
  testing::Open(dialog);
  Click(dialog, IDC_BTN_DELETE);
  EXPECT_EQ(BoxTexts(), (Items{kSelectTag}));
  EXPECT_EQ(boxes.Boxes()[0].owner, dialog.Handle());
  EXPECT_EQ(ListItems(dialog).size(), 4u);

  testing::SelectItems(dialog, {0, 2, 3});
  Click(dialog, IDC_BTN_DELETE);
  EXPECT_EQ(ListItems(dialog), (Items{u"b"}));
  EXPECT_EQ(boxes.Count(), 1u);
  EXPECT_FALSE(dialog.Ended());
}

TEST_F(EditFileDialog, EnterInTheAddTagsBoxAddsThenConfirms) {
  CEditFileDlg dialog(context, NewFileRecord(a, u""));
  testing::Open(dialog);
  Type(dialog, IDC_ADD_TAGS, u"x y");
  PressKey(dialog, IDC_ADD_TAGS, VK_RETURN);
  EXPECT_EQ(ListItems(dialog), (Items{u"y", u"x"}));
  EXPECT_FALSE(dialog.Ended());
  EXPECT_EQ(IdOf(a), 0);

  PressKey(dialog, IDC_ADD_TAGS, VK_RETURN);
  ASSERT_TRUE(dialog.Ended());
  EXPECT_EQ(dialog.Result(), IDOK);
  EXPECT_EQ(StoredTags(IdOf(a)), u"y;x;");
}

TEST_F(EditFileDialog, EnterInTheCommentIsALineBreakAndInTheTagListConfirms) {
  CEditFileDlg dialog(context, Catalogued(a, u"t;"));
  testing::Open(dialog);
  Type(dialog, IDC_COMMENT, u"one");
  ::SendDlgItemMessageW(dialog.Handle(), IDC_COMMENT, EM_SETSEL, 3, 3);
  PressKey(dialog, IDC_COMMENT, VK_RETURN);
  EXPECT_FALSE(dialog.Ended());
  EXPECT_EQ(dialog.ItemText(IDC_COMMENT), u"one\r\n");
  Type(dialog, IDC_COMMENT, u"one\r\ntwo");

  PressKey(dialog, IDC_TAG_LIST, VK_RETURN);
  ASSERT_TRUE(dialog.Ended());
  const std::int32_t id = IdOf(a);
  EXPECT_EQ(Value(u"SELECT Comment FROM db_filetags WHERE ID = " + SqlInteger(id), u"Comment"),
            u"one\r\ntwo");
}

TEST_F(EditFileDialog, EnterInThePathBoxPressesOk) {
  CEditFileDlg dialog(context, NewFileRecord(a, u"t;"));
  testing::Open(dialog);
  PressKey(dialog, IDC_PATH_BOX, VK_RETURN);
  ASSERT_TRUE(dialog.Ended());
  EXPECT_EQ(dialog.Result(), IDOK);
  EXPECT_GT(IdOf(a), 0);
}

TEST_F(EditFileDialog, AMissingFileIsRefusedBeforeThePendingTagsAreAdded) {
  const std::u16string gone = folder_.Path().u16string() + u"\\gone.txt";
  CEditFileDlg dialog(context, NewFileRecord(gone, u"t;"));
  testing::Open(dialog);
  Click(dialog, IDOK);
  EXPECT_EQ(BoxTexts(), (Items{kFileMissing + gone}));
  EXPECT_EQ(boxes.Boxes()[0].flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  EXPECT_FALSE(dialog.Ended());
  EXPECT_EQ(dialog.ItemText(IDC_ADD_TAGS), u"t;");
  EXPECT_TRUE(ListItems(dialog).empty());
  // A wildcard names no file, although a find-first would match a.txt with it.
  Type(dialog, IDC_PATH_BOX, folder_.Path().u16string() + u"\\a.t?t");
  Click(dialog, IDOK);
  EXPECT_EQ(boxes.Count(), 2u);
  EXPECT_EQ(FileRows(), 0);
  EXPECT_EQ(context.filter, u"unchanged;");
}

TEST_F(EditFileDialog, AFileAlreadyCataloguedIsRefusedInBothModes) {
  Catalogued(a, u"old;");
  CEditFileDlg adding(context, NewFileRecord(a, u"t;"));
  testing::Open(adding);
  Click(adding, IDOK);
  EXPECT_EQ(BoxTexts(), (Items{kFileExisted}));
  EXPECT_FALSE(adding.Ended());

  CEditFileDlg editing(context, Catalogued(b, u"b;"));
  testing::Open(editing);
  Type(editing, IDC_PATH_BOX, a);
  Click(editing, IDOK);
  EXPECT_EQ(BoxTexts(), (Items{kFileExisted, kFileExisted}));
  EXPECT_FALSE(editing.Ended());
  EXPECT_EQ(FileRows(), 2);
  EXPECT_EQ(StoredTags(IdOf(a)), u"old;");
}

TEST_F(EditFileDialog, AnEmptyTagListIsRefusedAfterThePendingTextWasTaken) {
  CEditFileDlg dialog(context, Catalogued(a, u"a;b;"));
  testing::Open(dialog);
  testing::SelectItems(dialog, {0, 1});
  Click(dialog, IDC_BTN_DELETE);
  Type(dialog, IDC_ADD_TAGS, u" ; ");
  Click(dialog, IDOK);
  EXPECT_EQ(BoxTexts(), (Items{kNeedTag}));
  EXPECT_EQ(dialog.ItemText(IDC_ADD_TAGS), u"");
  EXPECT_FALSE(dialog.Ended());
  EXPECT_EQ(StoredTags(IdOf(a)), u"a;b;");
}

TEST_F(EditFileDialog, APathWithoutFolderIsRefusedWithAClearMessage) {
  // A bare name that exists in the working folder cannot be split into Path and FileName.
  const std::u16string bare = u"quillon-bare-name.txt";
  std::ofstream(std::filesystem::path(bare)) << "x";
  CEditFileDlg dialog(context, NewFileRecord(a, u"t;"));
  testing::Open(dialog);
  Type(dialog, IDC_PATH_BOX, bare);
  Click(dialog, IDOK);
  std::filesystem::remove(std::filesystem::path(bare));
  EXPECT_EQ(BoxTexts(),
            (Items{UserText(TEXT_PATH_NOT_FULL)}));
  EXPECT_FALSE(dialog.Ended());
  EXPECT_EQ(FileRows(), 0);
}

TEST_F(EditFileDialog, TypingOrDroppingAnotherFileRepointsTheEditedEntry) {
  const FileRecord record = Catalogued(a, u"work;", u"note");
  CEditFileDlg dialog(context, record);
  testing::Open(dialog);
  const std::u16string folder = MakeFolder(u"sub");
  testing::SendDroppedFiles(dialog.Handle(), {b, folder, a + u".missing"}, POINT{5, 5});
  EXPECT_EQ(dialog.ItemText(IDC_PATH_BOX), b);
  Click(dialog, IDOK);
  ASSERT_TRUE(dialog.Ended());
  EXPECT_EQ(IdOf(a), 0);
  const std::int32_t moved = IdOf(b);
  EXPECT_GT(moved, record.ID);
  EXPECT_EQ(StoredTags(moved), u"work;");
  EXPECT_EQ(FileRows(), 1);
}

TEST_F(EditFileDialog, OfSeveralDroppedFilesTheLastWinsAndFoldersAreSkipped) {
  CEditFileDlg dialog(context, NewFileRecord(a, u"t;"));
  testing::Open(dialog);
  const std::u16string c = MakeFile(u"c.txt");
  const std::u16string folder = MakeFolder(u"pictures");
  testing::SendDroppedFiles(dialog.Handle(), {b, c, folder}, POINT{5, 5});
  EXPECT_EQ(dialog.ItemText(IDC_PATH_BOX), c);
  testing::SendDroppedFiles(dialog.Handle(), {folder}, POINT{5, 5});
  EXPECT_EQ(dialog.ItemText(IDC_PATH_BOX), c);
}

class BrowseTo {
 public:
  explicit BrowseTo(std::optional<std::u16string> choice)
      : previous_(SetFilePickerHandler([choice, this](HWND owner, bool several) {
          owners.push_back(owner);
          severals.push_back(several);
          return choice ? std::vector<std::u16string>{*choice} : std::vector<std::u16string>{};
        })) {}
  ~BrowseTo() { SetFilePickerHandler(std::move(previous_)); }
  std::vector<HWND> owners;
  std::vector<bool> severals;  // Browse picks one file

 private:
  FilePickerHandler previous_;
};

TEST_F(EditFileDialog, BrowsingToAnotherFileWhileEditingAddsThatFile) {
  const FileRecord record = Catalogued(a, u"old;");
  CEditFileDlg dialog(context, record);
  testing::Open(dialog);
  BrowseTo picker(b);
  Click(dialog, IDC_BTN_BROWSE);
  EXPECT_EQ(picker.owners, (std::vector<HWND>{dialog.Handle()}));
  EXPECT_EQ(picker.severals, (std::vector<bool>{false}));
  EXPECT_EQ(dialog.ItemText(IDC_PATH_BOX), b);
  Type(dialog, IDC_ADD_TAGS, u"new");
  Click(dialog, IDOK);
  ASSERT_TRUE(dialog.Ended());
  EXPECT_EQ(IdOf(a), record.ID);
  EXPECT_EQ(StoredTags(record.ID), u"old;");
  EXPECT_EQ(StoredTags(IdOf(b)), u"new;old;");
}

TEST_F(EditFileDialog, BrowsingToTheStartingPathInNewFileModeStillAddsTheFile) {
  CEditFileDlg dialog(context, NewFileRecord(a, u"t;"));
  testing::Open(dialog);
  BrowseTo picker(a);
  Click(dialog, IDC_BTN_BROWSE);
  Click(dialog, IDOK);
  ASSERT_TRUE(dialog.Ended());
  EXPECT_EQ(StoredTags(IdOf(a)), u"t;");
  EXPECT_EQ(FileRows(), 1);
}

TEST_F(EditFileDialog, BrowsingBackToTheStartingPathEditsAgain) {
  const FileRecord record = Catalogued(a, u"old;");
  CEditFileDlg dialog(context, record);
  testing::Open(dialog);
  {
    BrowseTo picker(b);
    Click(dialog, IDC_BTN_BROWSE);
  }
  BrowseTo back(a);
  Click(dialog, IDC_BTN_BROWSE);
  Click(dialog, IDOK);
  ASSERT_TRUE(dialog.Ended());
  EXPECT_EQ(boxes.Count(), 0u);  // editing its own path is not a second entry
  EXPECT_EQ(FileRows(), 1);
  EXPECT_EQ(IdOf(b), 0);
}

TEST_F(EditFileDialog, ACancelledBrowseChangesNothing) {
  CEditFileDlg dialog(context, NewFileRecord(a, u"t;"));
  testing::Open(dialog);
  BrowseTo picker(std::nullopt);
  Click(dialog, IDC_BTN_BROWSE);
  EXPECT_EQ(dialog.ItemText(IDC_PATH_BOX), a);
}

TEST_F(EditFileDialog, AFoldersPathIsCataloguedLikeAFile) {
  const std::u16string folder = MakeFolder(u"album");
  CEditFileDlg dialog(context, NewFileRecord(a, u"t;"));
  testing::Open(dialog);
  Type(dialog, IDC_PATH_BOX, folder);
  Click(dialog, IDOK);
  ASSERT_TRUE(dialog.Ended());
  EXPECT_GT(IdOf(folder), 0);
}

TEST_F(EditFileDialog, ApostrophesAndLineBreaksAreStoredIntact) {
  const std::u16string odd = MakeFile(u"it's.txt");
  CEditFileDlg dialog(context, NewFileRecord(odd, u""));
  testing::Open(dialog);
  Type(dialog, IDC_ADD_TAGS, u"o'clock");
  Type(dialog, IDC_COMMENT, u"Bob's\r\nlist");
  Click(dialog, IDOK);
  ASSERT_TRUE(dialog.Ended());
  const std::int32_t id = IdOf(odd);
  ASSERT_GT(id, 0);
  EXPECT_EQ(StoredTags(id), u"o'clock;");
  EXPECT_EQ(TagRows(id), (Items{u"o'clock"}));
  EXPECT_TRUE(reporter_.databaseErrors.empty());
}

TEST_F(EditFileDialog, CancelEscapeAndTheCloseBoxWriteNothing) {
  for (int way = 0; way < 3; ++way) {
    CEditFileDlg dialog(context, NewFileRecord(a, u"t;"));
    testing::Open(dialog);
    Type(dialog, IDC_ADD_TAGS, u"more");
    Click(dialog, IDC_BTN_ADD);
    if (way == 0) Click(dialog, IDCANCEL);
    if (way == 1) testing::Escape(dialog);
    if (way == 2) {
      ::SendMessageW(dialog.Handle(), WM_CLOSE, 0, 0);  // the dialog manager posts Cancel
      testing::PumpPending();
    }
    ASSERT_TRUE(dialog.Ended()) << way;
    EXPECT_EQ(dialog.Result(), IDCANCEL);
  }
  EXPECT_EQ(FileRows(), 0);
  EXPECT_EQ(context.filter, u"unchanged;");
}

TEST_F(EditFileDialog, F1OpensTheHelp) {
  CEditFileDlg dialog(context, NewFileRecord(a, u"t;"));
  testing::Open(dialog);
  PressKey(dialog, IDC_COMMENT, VK_F1);
  EXPECT_EQ(context.helpRequests, 1);
  EXPECT_FALSE(dialog.Ended());
}

// The modal run a caller uses: without an owner of its own the main window owns the dialog.
TEST_F(EditFileDialog, RunIsModalAndOwnedByTheMainWindow) {
  testing::InitCommonControlsForTests();
  CEditFileDlg owner(context, NewFileRecord(b, u""));
  testing::Open(owner);
  context.mainWindow = owner.Handle();

  HWND seenOwner = nullptr;
  bool ownerDisabled = false;
  CEditFileDlg dialog(context, NewFileRecord(a, u"modal;"));
  testing::WhileModal confirm([&] {
    if (seenOwner || !dialog.Handle()) return;
    seenOwner = ::GetWindow(dialog.Handle(), GW_OWNER);
    ownerDisabled = !::IsWindowEnabled(seenOwner);
    // The first Enter adds the proposed tags, the second confirms.
    ::PostMessageW(dialog.Item(IDC_ADD_TAGS), WM_KEYDOWN, VK_RETURN, 1);
    ::PostMessageW(dialog.Item(IDC_ADD_TAGS), WM_KEYDOWN, VK_RETURN, 1);
  });
  EXPECT_EQ(dialog.Run(), IDOK);
  EXPECT_EQ(seenOwner, owner.Handle());
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(::IsWindowEnabled(owner.Handle()));
  EXPECT_EQ(StoredTags(IdOf(a)), u"modal;");
}

}  // namespace
}  // namespace quillon
