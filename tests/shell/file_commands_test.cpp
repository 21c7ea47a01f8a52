// The file commands of the real main window: open, open with, copy paths, edit tags, remove,
// same tags, add (picker and drop), with the message boxes and shell requests they make.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <optional>

#include "catalogue/schema.h"
#include "dialogs/file_picker.h"
#include "framework/wide.h"
#include "resources/user_texts.h"
#include "tests/shell/main_window_driver.h"

namespace quillon::testing {
namespace {

using Lines = std::vector<std::u16string>;

constexpr char16_t kSelectFile[] = u"" TEXT_SELECT_FILE;
constexpr char16_t kMissing[] = u"" TEXT_FILE_MISSING;

std::u16string ClipboardText() {
  std::u16string text;
  if (!::OpenClipboard(nullptr)) return u"(clipboard busy)";
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    text = FromWide(static_cast<const wchar_t*>(::GlobalLock(data)));
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  return text;
}

void SetClipboardText(const std::u16string& text) {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
  std::memcpy(::GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(char16_t));
  ::GlobalUnlock(block);
  ::SetClipboardData(CF_UNICODETEXT, block);
  ::CloseClipboard();
}

// Chooses `paths` in every file picker while it lives.
class PickerChoice {
 public:
  explicit PickerChoice(std::optional<std::u16string> path)
      : PickerChoice(path ? Lines{*path} : Lines{}) {}
  explicit PickerChoice(Lines paths)
      : previous_(SetFilePickerHandler([paths](HWND, bool) { return paths; })) {}
  ~PickerChoice() { SetFilePickerHandler(std::move(previous_)); }

 private:
  FilePickerHandler previous_;
};

// What one Edit Tags dialog showed when it opened.
struct SeenDialog {
  std::u16string title;
  std::u16string path;
  std::u16string proposedTags;
};

class FileCommandsTest : public MainWindowTest {
 protected:
  void MakeCatalogue() {
    work_ = AddFolderRow(u"Work", 1, u"work;");
    AddFile(MakeFile(u"a.txt"), u"work;");
    AddFile(MakeFile(u"b.txt"), u"home;pets;");
    AddFile(MakeFile(u"c.txt"), u"work;home;");
    AddFile(PathOf(u"gone.txt"), u"old;");
  }
  std::u16string PathOf(const std::u16string& name) const {
    return folder_.Path().u16string() + u"\\" + name;
  }

  // Every Edit Tags dialog is recorded and answered in turn: with OK after adding the answer's
  // tags to its Add Tags box, or with Cancel when the answer is empty.
  void AnswerEditTags(std::vector<std::u16string> answers) {
    editTags_.reset();
    answers_ = std::move(answers);
    editTags_ = std::make_unique<WhileModal>([this] {
      CDialog* dialog = OpenDialog(IDD_EDIT_FILE);
      if (!dialog) return;
      seen_.push_back({dialog->Text(), dialog->ItemText(IDC_PATH_BOX),
                       dialog->ItemText(IDC_ADD_TAGS)});
      const std::u16string tags =
          seen_.size() <= answers_.size() ? answers_[seen_.size() - 1] : std::u16string();
      if (tags.empty()) {
        Press(*dialog, IDCANCEL);
        return;
      }
      dialog->SetItemText(IDC_ADD_TAGS, seen_.back().proposedTags + u" " + tags);
      Press(*dialog, IDOK);
    });
  }

  std::int32_t work_ = 0;
  std::vector<std::u16string> answers_;
  std::vector<SeenDialog> seen_;
  std::unique_ptr<WhileModal> editTags_;
};

TEST_F(FileCommandsTest, CopyingThreeFilesPutsTheirPathsJoinedBySemicolonsOnTheClipboard) {
  MakeCatalogue();
  Start();
  const DesktopLock clipboard;
  SetClipboardText(u"before");
  Command(ID_LIST_COPY_PATHS);  // nothing selected
  EXPECT_EQ(ClipboardText(), u"before");

  SelectRows({u"c.txt", u"a.txt", u"gone.txt"});
  Command(ID_LIST_COPY_PATHS);
  EXPECT_EQ(ClipboardText(),
            PathOf(u"a.txt") + u"; " + PathOf(u"c.txt") + u"; " + PathOf(u"gone.txt"));
  EXPECT_EQ(BoxTexts(), (Lines{kSelectFile, UserText(TEXT_PATHS_COPIED)}));
  EXPECT_EQ(boxes.Boxes()[1].flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
}

TEST_F(FileCommandsTest, OpenReportsMissingFilesAndFallsBackToTheChooser) {
  MakeCatalogue();
  Start();
  Command(ID_LIST_OPEN);
  EXPECT_EQ(BoxTexts(), (Lines{kSelectFile}));
  EXPECT_EQ(shell.Count(), 0u);

  SelectRows({u"a.txt", u"gone.txt", u"b.txt"});
  Command(IDC_TOOL_OPEN);
  EXPECT_EQ(BoxTexts(), (Lines{kSelectFile, kMissing + PathOf(u"gone.txt")}));
  ASSERT_EQ(shell.Count(), 2u);
  for (const ShellOpenRequest& request : shell.Requests()) {
    EXPECT_EQ(request.verb, u"open");
    EXPECT_EQ(request.parameters, u"");
    EXPECT_EQ(request.directory, u"");
    EXPECT_EQ(request.show, SW_SHOWNORMAL);
  }
  EXPECT_EQ(shell.Requests()[0].file, PathOf(u"a.txt"));
  EXPECT_EQ(shell.Requests()[1].file, PathOf(u"b.txt"));

  // A type without a program: the platform asks which program to use.
  shell.SetResult(SE_ERR_NOASSOC);
  SelectRows({u"c.txt"});
  Command(ID_FILE_OPEN_SELECTED);
  ASSERT_EQ(shell.Count(), 4u);
  EXPECT_EQ(shell.Requests()[2].file, PathOf(u"c.txt"));
  EXPECT_EQ(shell.Requests()[3].verb, u"open");
  EXPECT_EQ(shell.Requests()[3].file, u"rundll32.exe");
  EXPECT_EQ(shell.Requests()[3].parameters, u"shell32.dll, OpenAs_RunDLL " + PathOf(u"c.txt"));
}

TEST_F(FileCommandsTest, OpenWithAsksForEverySelectedFileEvenAMissingOne) {
  MakeCatalogue();
  Start();
  SelectRows({u"gone.txt", u"b.txt"});
  Command(ID_LIST_OPEN_WITH);
  ASSERT_EQ(shell.Count(), 2u);
  EXPECT_EQ(shell.Requests()[0].file, u"rundll32.exe");
  EXPECT_EQ(shell.Requests()[0].parameters, u"shell32.dll, OpenAs_RunDLL " + PathOf(u"b.txt"));
  EXPECT_EQ(shell.Requests()[1].parameters, u"shell32.dll, OpenAs_RunDLL " + PathOf(u"gone.txt"));
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(FileCommandsTest, RemoveAsksEvenWithoutSelectionAndRemovesOnlyOnYes) {
  MakeCatalogue();
  Start();
  SelectFolder(u"Work");
  ASSERT_EQ(ListColumn(0), (Lines{u"a.txt", u"c.txt"}));

  boxes.SetAnswer(IDNO);
  SelectRows({u"a.txt", u"c.txt"});
  Command(ID_LIST_REMOVE);
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, UserText(TEXT_REMOVE_FILES_CONFIRM));
  EXPECT_EQ(boxes.Boxes()[0].caption, UserText(TEXT_REMOVE_CAPTION));
  EXPECT_EQ(boxes.Boxes()[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_filetags"), 4);

  boxes.SetAnswer(IDYES);
  SelectRows({u"c.txt"});
  Command(ID_EDIT_DELETE_FILES);
  EXPECT_EQ(ListColumn(0), (Lines{u"a.txt"}));
  EXPECT_EQ(Window().CurrentFilter(), u"work;");
  EXPECT_EQ(Column(u"SELECT FileName FROM db_filetags ORDER BY ID", u"FileName"),
            (Lines{u"a.txt", u"b.txt", u"gone.txt"}));
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_taglist WHERE FileID = 3"), 0);

  SelectRows({});
  Command(ID_LIST_REMOVE);
  EXPECT_EQ(boxes.Count(), 3u);
  EXPECT_EQ(ListColumn(0), (Lines{u"a.txt"}));
}

TEST_F(FileCommandsTest, SameTagsMergesTheSelectedFilesTagsOrEmptiesTheList) {
  MakeCatalogue();
  Start();
  SelectRows({u"a.txt", u"b.txt"});
  Command(ID_LIST_SAME_TAGS);
  EXPECT_EQ(SearchBox(), u"work;home;pets;");
  EXPECT_EQ(Window().CurrentFilter(), u"work;home;pets;");
  EXPECT_EQ(ListColumn(0), (Lines{u"a.txt", u"b.txt", u"c.txt"}));

  SelectRows({});
  Command(ID_LIST_SAME_TAGS);
  EXPECT_EQ(SearchBox(), u"");
  EXPECT_TRUE(ListColumn(0).empty());
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(FileCommandsTest, EditTagsRunsOneDialogPerSelectedFileThenListsTheNewFilter) {
  MakeCatalogue();
  Start();
  Command(IDC_TOOL_EDIT_TAGS);
  EXPECT_EQ(BoxTexts(), (Lines{kSelectFile}));

  AnswerEditTags({u"extra", u""});
  SelectRows({u"c.txt", u"a.txt"});
  Command(ID_LIST_EDIT_TAGS);
  ASSERT_EQ(seen_.size(), 2u);
  EXPECT_EQ(seen_[0].path, PathOf(u"a.txt"));
  EXPECT_EQ(seen_[1].path, PathOf(u"c.txt"));
  // The dialog that stored its file made the file's tags the filter; the list shows them.
  EXPECT_EQ(Column(u"SELECT Tags FROM db_filetags WHERE FileName = 'a.txt'", u"Tags"),
            (Lines{u"extra;work;"}));
  EXPECT_EQ(Window().CurrentFilter(), u"extra;work;");
  EXPECT_EQ(ListColumn(0), (Lines{u"a.txt", u"c.txt"}));
  EXPECT_EQ(ListColumn(1), (Lines{u"extra;work;", u"work;home;"}));
}

TEST_F(FileCommandsTest, AddRefusesAMissingFileAndOneAlreadyCatalogued) {
  MakeCatalogue();
  Start();
  AnswerEditTags({});
  {
    PickerChoice choose(PathOf(u"nowhere.txt"));
    Command(IDC_TOOL_ADD_FILE);
  }
  {
    PickerChoice choose(PathOf(u"b.txt"));
    Command(ID_LIST_ADD_FILE);
  }
  {
    PickerChoice cancel(std::nullopt);
    Command(ID_FILE_ADD_FILE);
  }
  EXPECT_EQ(BoxTexts(), (Lines{kMissing + PathOf(u"nowhere.txt"), UserText(TEXT_FILE_EXISTED)}));
  EXPECT_TRUE(seen_.empty());
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_filetags"), 4);
}

TEST_F(FileCommandsTest, AddOpensANewFileDialogWithTheFilterAsProposedTags) {
  MakeCatalogue();
  Start();
  SelectFolder(u"Work");
  const std::u16string added = MakeFile(u"d.txt");
  AnswerEditTags({u"fresh"});
  {
    PickerChoice choose(added);
    Command(IDC_TOOL_ADD_FILE);
  }
  ASSERT_EQ(seen_.size(), 1u);
  EXPECT_EQ(seen_[0].title, UserText(TEXT_TITLE_NEW_FILE));
  EXPECT_EQ(seen_[0].path, added);
  EXPECT_EQ(seen_[0].proposedTags, u"work;");
  // The stored tags became the filter: the file is listed with those that share its tags.
  const Lines stored = Column(u"SELECT Tags FROM db_filetags WHERE FileName = 'd.txt'", u"Tags");
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_NE(stored[0].find(u"work;"), std::u16string::npos);
  EXPECT_NE(stored[0].find(u"fresh;"), std::u16string::npos);
  EXPECT_EQ(Window().CurrentFilter(), stored[0]);
  EXPECT_EQ(ListColumn(0), (Lines{u"a.txt", u"c.txt", u"d.txt"}));

  // From the whole catalogue nothing is proposed.
  SelectFolder(kRootFolderName);
  AnswerEditTags({u""});
  {
    PickerChoice choose(MakeFile(u"e.txt"));
    Command(ID_LIST_ADD_FILE);
  }
  ASSERT_EQ(seen_.size(), 2u);
  EXPECT_EQ(seen_[1].proposedTags, u"");
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_filetags WHERE FileName = 'e.txt'"), 0);
  EXPECT_EQ(ListColumn(0).size(), 5u);
}

TEST_F(FileCommandsTest, DroppingAnEmptyFolderAndTwoFilesOneByOneOpensTheDialogTwice) {
  MakeCatalogue();
  Start();
  const std::u16string folder = MakeFolder(u"sub");
  const std::u16string first = MakeFile(u"x.txt");
  const std::u16string second = MakeFile(u"y.txt");
  AnswerEditTags({u"", u"dropped"});
  boxes.SetAnswer(IDNO);  // one by one
  SendDroppedFiles(Window().Handle(), {folder, first, PathOf(u"never.txt"), second},
                   NodePoint(u"Work"));
  PumpPending();

  ASSERT_EQ(seen_.size(), 2u);
  EXPECT_EQ(seen_[0].path, first);
  EXPECT_EQ(seen_[1].path, second);
  EXPECT_EQ(seen_[0].proposedTags, u"work;");
  EXPECT_EQ(seen_[1].proposedTags, u"work;");
  EXPECT_EQ(boxes.Count(), 1u);  // the question
  EXPECT_EQ(Column(u"SELECT FileName FROM db_filetags WHERE ID > 4", u"FileName"),
            (Lines{u"y.txt"}));
  // The stored file's tags became the filter.
  EXPECT_EQ(ListColumn(0), (Lines{u"a.txt", u"c.txt", u"y.txt"}));

  // Dropped beside every folder: nothing is selected and no tags are proposed.
  RECT tree;
  ::GetWindowRect(Tree(), &tree);
  POINT below{tree.left + 5, tree.bottom - 5};
  ::ScreenToClient(Window().Handle(), &below);
  SendDroppedFiles(Window().Handle(), {MakeFile(u"z.txt")}, below);
  PumpPending();
  ASSERT_EQ(seen_.size(), 3u);
  EXPECT_EQ(seen_[2].proposedTags, u"");
  EXPECT_EQ(::SendMessageW(Tree(), TVM_GETNEXTITEM, TVGN_CARET, 0), 0);
}

}  // namespace
}  // namespace quillon::testing
