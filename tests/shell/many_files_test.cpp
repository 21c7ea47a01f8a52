// Many files at once on the real main window: the question, the Edit Tags dialog for all of
// them, dropped folders, the picker's several files, the progress and its Cancel, and removes
// in one write.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <sqlite3.h>

#include "base/text_convert.h"
#include "base/text_fill.h"
#include "dialogs/file_picker.h"
#include "resources/user_texts.h"
#include "tests/shell/main_window_driver.h"

namespace quillon::testing {
namespace {

using Lines = std::vector<std::u16string>;

struct SeenDialog { std::u16string title, pathBox; bool browseEnabled, pathReadOnly; };

class ManyFilesTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    AddFolderRow(u"Work", 1, u"work;");
  }

  // Holidays\a.jpg, b.jpg, a hidden h.jpg and Rome\c.jpg.
  std::u16string MakeHolidays() {
    const std::u16string folder = MakeFolder(u"Holidays");
    MakeFolder(u"Holidays\\Rome");
    for (const auto* name : {u"Holidays\\a.jpg", u"Holidays\\b.jpg", u"Holidays\\Rome\\c.jpg"}) {
      MakeFile(name);
    }
    ::SetFileAttributesW(reinterpret_cast<const wchar_t*>(MakeFile(u"Holidays\\h.jpg").c_str()),
                         FILE_ATTRIBUTE_HIDDEN);
    return folder;
  }
  Lines MakeFiles(std::size_t count) {
    Lines paths;
    for (std::size_t i = 0; i < count; ++i) paths.push_back(MakeFile(NumberText(i)));
    return paths;
  }

  // Every Edit Tags dialog is recorded and answered: OK with `tags` added (after `beforeOk`),
  // Cancel when `tags` is empty or when it is still open after its OK; a progress window is
  // cancelled when `cancelProgress`.
  void Answer(std::u16string tags, bool cancelProgress = false,
              std::function<void()> beforeOk = {}) {
    step_.reset();
    step_ = std::make_unique<WhileModal>([=, this] {
      if (CDialog* progress = OpenDialog(IDD_BATCH_PROGRESS)) {
        progressShown_ = ::IsWindowVisible(progress->Handle()) != FALSE;
        if (cancelProgress) Press(*progress, IDCANCEL);
        return;
      }
      CDialog* dialog = OpenDialog(IDD_EDIT_FILE);
      if (!dialog || !::IsWindowEnabled(dialog->Handle())) return;  // busy storing
      if (std::find(okPressed_.begin(), okPressed_.end(), dialog->Handle()) != okPressed_.end() ||
          tags.empty()) {
        Press(*dialog, IDCANCEL);
        return;
      }
      seen_.push_back({dialog->Text(), dialog->ItemText(IDC_PATH_BOX),
                       ::IsWindowEnabled(dialog->Item(IDC_BTN_BROWSE)) != FALSE,
                       (::GetWindowLongW(dialog->Item(IDC_PATH_BOX), GWL_STYLE) & ES_READONLY) != 0});
      dialog->SetItemText(IDC_ADD_TAGS, dialog->ItemText(IDC_ADD_TAGS) + u" " + tags);
      if (beforeOk) beforeOk();
      okPressed_.push_back(dialog->Handle());
      Press(*dialog, IDOK);
    }, 30000);
  }
  std::int64_t Files() { return Count(u"SELECT count(*) AS n FROM db_filetags"); }
  std::u16string Added(std::size_t added, std::size_t already) const {
    return FillIn(UserText(TEXT_FILES_ADDED),
                  {{u"{added}", NumberText(added)}, {u"{already}", NumberText(already)}});
  }

  std::vector<SeenDialog> seen_;
  std::vector<HWND> okPressed_;
  bool progressShown_ = false;
  std::unique_ptr<WhileModal> step_;
};

TEST_F(ManyFilesTest, TwoFilesAreAddedTogetherOneByOneOrNotAtAll) {
  Start();
  const Lines two = {MakeFile(u"x.txt"), MakeFile(u"y.txt")};
  // The question's answer, and the tags typed in each Edit Tags dialog (none: Cancel).
  for (const auto& [answer, tags] : {std::pair{IDCANCEL, u"pair"}, std::pair{IDYES, u""},
                                     std::pair{IDYES, u"pair"}, std::pair{IDNO, u"pair"}}) {
    Run(u"DELETE FROM db_filetags");
    seen_.clear();
    boxes.Clear();
    boxes.SetAnswer(answer);
    Answer(tags);
    SendDroppedFiles(Main(), two, NodePoint(u"Work"));
    PumpPending();
    ASSERT_GE(BoxTexts().size(), 1u);
    EXPECT_NE(BoxTexts()[0].find(u"Add these 2 files"), std::u16string::npos);
    const bool stored = answer != IDCANCEL && *tags != u'\0';
    ASSERT_EQ(seen_.size(), stored ? (answer == IDYES ? 1u : 2u) : 0u) << answer;
    EXPECT_EQ(Files(), stored ? 2 : 0) << answer;
    if (!stored) continue;
    EXPECT_EQ(seen_[0].title, answer == IDYES ? u"New Files" : u"New File");
    EXPECT_EQ(seen_[0].browseEnabled, answer == IDNO);
    EXPECT_EQ(seen_[0].pathReadOnly, answer == IDYES);
    EXPECT_EQ(seen_[0].pathBox, answer == IDYES ? u"2 files" : two[0]);
    EXPECT_EQ(Column(u"SELECT Tags FROM db_filetags", u"Tags"), (Lines{u"pair;work;", u"pair;work;"}));
    EXPECT_EQ(ListColumn(0), (Lines{u"x.txt", u"y.txt"}));  // the new tags are listed
  }
}

TEST_F(ManyFilesTest, ADroppedFolderBringsItsVisibleFilesAndSaysWhatItAddedAndLeft) {
  const std::u16string holidays = MakeHolidays();
  AddFile(holidays + u"\\b.jpg", u"old;");
  Start();
  boxes.SetAnswer(IDYES);
  // a.jpg vanishes between the question and OK.
  Answer(u"trip", false, [&] { std::filesystem::remove(holidays + u"\\a.jpg"); });
  SendDroppedFiles(Main(), {holidays}, NodePoint(u"Work"));
  PumpPending();
  const Lines said = BoxTexts();
  ASSERT_EQ(said.size(), 2u);
  EXPECT_EQ(said[0].substr(0, said[0].find(u"\n")),
            u"The folder \"Holidays\" and its sub-folders hold 3 files (hidden and system files left out).");
  EXPECT_EQ(said[1], Added(1, 1) + u"\n1 file(s) no longer exist and were not added.");
  EXPECT_EQ(Column(u"SELECT FileName || ' ' || Tags AS t FROM db_filetags ORDER BY FileName", u"t"),
            (Lines{u"b.jpg old;", u"c.jpg trip;work;"}));
}

TEST_F(ManyFilesTest, CancelInTheProgressOrALockedCatalogueLeavesTheCatalogueAsItWas) {
  Start();
  const Lines paths = MakeFiles(1000);
  boxes.SetAnswer(IDYES);
  Answer(u"bulk", true);
  static_cast<MainWindowPort&>(Window()).AddFiles(paths, u"");
  EXPECT_TRUE(progressShown_);
  EXPECT_EQ(Files(), 0);
  EXPECT_EQ(boxes.Count(), 1u);  // the question only: nothing was said to be added

  // Another program holds the catalogue: one box, nothing written, the dialog stays open.
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(ToUtf8(file_).c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  boxes.Clear();
  okPressed_.clear();
  Answer(u"bulk");
  static_cast<MainWindowPort&>(Window()).AddFiles(Lines(paths.begin(), paths.begin() + 3), u"");
  sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  ASSERT_EQ(BoxTexts().size(), 2u);  // the question, then the catalogue in use, once
  EXPECT_EQ(BoxTexts()[1], UserText(TEXT_CATALOGUE_IN_USE));
  EXPECT_EQ(okPressed_.size(), 1u);
  EXPECT_EQ(Files(), 0);

  // Through the picker, all of them; then removing them: cancelled, then for real.
  okPressed_.clear();
  Answer(u"bulk");
  const FilePickerHandler previous = SetFilePickerHandler([&](HWND, bool) { return paths; });
  Command(IDC_TOOL_ADD_FILE);
  SetFilePickerHandler(previous);
  ASSERT_EQ(Files(), 1000);
  EXPECT_EQ(boxes.Boxes().back().text, Added(1000, 0));
  EXPECT_EQ(ListColumn(0).size(), 1000u);
  // Enough rows that removing them takes several slices of work.
  {
    DatabaseBatch batch(db_, DatabaseBatch::Kind::kWrite);
    for (std::size_t i = 0; i < 4000; ++i) AddFile(u"C:\\gone\\" + NumberText(i), u"bulk;");
    ASSERT_TRUE(batch.Commit());
  }
  Window().ListFiles(u"bulk;");
  for (const bool cancel : {true, false}) {
    Answer(u"", cancel);
    ListView_SetItemState(List(), -1, LVIS_SELECTED, LVIS_SELECTED);
    Command(ID_LIST_REMOVE);
    EXPECT_EQ(Files(), cancel ? 5000 : 0);
  }
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_taglist"), 0);
}

}  // namespace
}  // namespace quillon::testing
