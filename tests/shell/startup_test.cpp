// Start-up driven for real: the application object against data folders the tests prepare,
// the main window with its loading thread, the status line and the message boxes.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include <sqlite3.h>

#include "base/text_convert.h"
#include "catalogue/schema.h"
#include "catalogue/tag_database.h"
#include "framework/wide.h"
#include "resources/resource.h"
#include "resources/user_texts.h"
#include "shell/app/quillon_app.h"
#include "shell/main_window/quillon_dlg.h"
#include "shell/model/command_line.h"
#include "tests/shell/main_window_driver.h"

namespace quillon::testing {
namespace {

// Every text the status line was given, seen by a hook on the window thread, so that texts
// set before the test could look (during creation) are counted too. The skin gives the line
// its text again after every paint: a repeat of the text it shows is no change, and neither is
// the empty text it starts with, which a paint may re-apply before the loading thread runs.
class StatusHistory {
 public:
  StatusHistory() {
    current_ = this;
    hook_ = ::SetWindowsHookExW(WH_CALLWNDPROC, &Hook, nullptr, ::GetCurrentThreadId());
  }
  ~StatusHistory() {
    ::UnhookWindowsHookEx(hook_);
    current_ = nullptr;
  }
  const std::vector<std::u16string>& Texts() const { return texts_; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && current_ && call->message == WM_SETTEXT &&
        ::GetDlgCtrlID(call->hwnd) == IDC_STATUS) {
      std::u16string text = FromWide(reinterpret_cast<const wchar_t*>(call->lParam));
      std::vector<std::u16string>& texts = current_->texts_;
      const std::u16string shown = texts.empty() ? std::u16string() : texts.back();
      if (text != shown) texts.push_back(std::move(text));
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static inline StatusHistory* current_ = nullptr;
  HHOOK hook_ = nullptr;
  std::vector<std::u16string> texts_;
};

class StartupTest : public MainWindowTest {
 protected:
  // The catalogue's root folder and two folders under it.
  void MakeCatalogue() {
    AddFolderRow(u"Holidays", 1, u"photo;trip;");
    AddFolderRow(u"Work", 1, u"work;");
  }
  // A data folder of its own inside the test's folder, without a catalogue.
  std::u16string OtherDataFolder(const std::u16string& name) const {
    return MakeFolder(name);
  }
};

bool IsReady(const CQuillonDlg& window) { return window.StatusText() == UserText(TEXT_READY); }

TEST_F(StartupTest, GoodCatalogueLoadsTheFoldersAndReportsReady) {
  MakeCatalogue();
  StatusHistory status;
  ASSERT_TRUE(Create());
  CQuillonApp& app = *app_;
  CQuillonDlg& window = *window_;
  EXPECT_EQ(app.MainWindow(), window.Handle());

  ASSERT_TRUE(WaitForLoad());
  ASSERT_TRUE(IsReady(window));
  EXPECT_EQ(status.Texts(), (std::vector<std::u16string>{UserText(TEXT_LOADING), UserText(TEXT_READY)}));
  EXPECT_EQ(window.ItemText(IDC_STATUS), UserText(TEXT_READY));
  EXPECT_EQ(boxes.Count(), 0u);

  // The folder table holds the catalogue's folders in the database's order.
  FolderTable& folders = app.Folders();
  ASSERT_EQ(folders.Count(), 3u);
  EXPECT_EQ(folders.GetFolder(0).FatherID, 0);
  EXPECT_EQ(folders.GetFolder(1).DirName, u"Holidays");
  EXPECT_EQ(folders.GetFolder(1).Tags, u"photo;trip;");
  EXPECT_EQ(folders.GetFolder(2).DirName, u"Work");
  EXPECT_EQ(app.RootFolderId(), folders.GetFolder(0).ID);
  EXPECT_EQ(window.RootFolderIndex(), 0);
}

TEST_F(StartupTest, MainWindowShowsWithoutCaptionAtItsPlace) {
  MakeCatalogue();
  ASSERT_TRUE(Create());
  CQuillonDlg& window = *window_;
  ASSERT_TRUE(PumpUntil([&] { return IsReady(window); }));

  EXPECT_TRUE(window.IsVisible());
  EXPECT_TRUE(window.IsInitialised());
  EXPECT_EQ(window.Text(), u"Veldmark Quillon");
  EXPECT_FALSE(::GetWindowLongW(window.Handle(), GWL_STYLE) & WS_CAPTION);
  RECT place;
  ::GetWindowRect(window.Handle(), &place);
  EXPECT_EQ(place.left, 150);
  EXPECT_EQ(place.top, 80);
  EXPECT_EQ(place.right - place.left, 700);
  EXPECT_EQ(place.bottom - place.top, 500);
  // Without a frame, window and client area are the same size.
  RECT client;
  ::GetClientRect(window.Handle(), &client);
  EXPECT_EQ(client.right, 700);
  EXPECT_EQ(client.bottom, 500);
  EXPECT_EQ(::GetFocus(), window.Item(IDC_SEARCH_BOX));
  EXPECT_NE(::SendMessageW(window.Handle(), WM_GETICON, ICON_BIG, 0), 0);

  // Paints after the first leave a normal start shown.
  ::InvalidateRect(window.Handle(), nullptr, TRUE);
  ::UpdateWindow(window.Handle());
  PumpPending();
  EXPECT_TRUE(window.IsVisible());
}

TEST_F(StartupTest, MissingCatalogueShowsTheQuitBoxOnceAndKeepsLoading) {
  const std::u16string empty = OtherDataFolder(u"empty");
  StatusHistory status;
  ASSERT_TRUE(Create(u"quillon.exe", empty));
  CQuillonApp& app = *app_;
  CQuillonDlg& window = *window_;
  ASSERT_TRUE(WaitForLoad());

  std::vector<MessageBoxRequest> quitBoxes;
  for (const MessageBoxRequest& box : boxes.Boxes()) {
    if (box.caption == UserText(TEXT_QUIT_CAPTION)) quitBoxes.push_back(box);
  }
  ASSERT_EQ(quitBoxes.size(), 1u);
  EXPECT_EQ(quitBoxes[0].text, UserText(TEXT_LOAD_FAILED));
  EXPECT_EQ(quitBoxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(quitBoxes[0].owner, window.Handle());
  // The Quit box comes last; the folder read before it failed with the catalogue's own box.
  EXPECT_EQ(boxes.Boxes().back().caption, UserText(TEXT_QUIT_CAPTION));
  EXPECT_EQ(status.Texts(), (std::vector<std::u16string>{UserText(TEXT_LOADING)}));
  EXPECT_EQ(window.StatusText(), UserText(TEXT_LOADING));
  EXPECT_EQ(app.Folders().Count(), 0u);
  // The program never creates the catalogue.
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(empty) / "data.dat"));
}

TEST_F(StartupTest, FileThatIsNoCatalogueFailsLikeAMissingOne) {
  const std::u16string junk = OtherDataFolder(u"junk");
  std::ofstream(std::filesystem::path(junk) / "data.dat", std::ios::binary)
      << "this is not a database at all";
  ASSERT_TRUE(Create(u"quillon.exe", junk));
  CQuillonApp& app = *app_;
  CQuillonDlg& window = *window_;
  ASSERT_TRUE(WaitForLoad());

  int quitBoxes = 0;
  for (const MessageBoxRequest& box : boxes.Boxes()) quitBoxes += box.caption == UserText(TEXT_QUIT_CAPTION);
  EXPECT_EQ(quitBoxes, 1);
  EXPECT_EQ(window.ItemText(IDC_STATUS), UserText(TEXT_LOADING));
  EXPECT_EQ(app.Folders().Count(), 0u);
}

TEST_F(StartupTest, ClosingWhileAnotherProgramHoldsTheCatalogueEndsTheLoadFirst) {
  MakeCatalogue();
  // Another program holds the whole file, so the load waits for it.
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(ToUtf8(file_).c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  ASSERT_TRUE(Create());
  // Closing the window ends the load, which never outlives what it reads.
  window_.reset();
  EXPECT_TRUE(app_->Loading().Finished());
  PumpPending();
  EXPECT_TRUE(BoxTexts().empty());  // an ended load tells nobody of its failure
  sqlite3_close(other);
}

TEST_F(StartupTest, ACatalogueHeldByAnotherProgramIsSaidToBeInUseAndF5ReadsItOnceFree) {
  MakeCatalogue();
  AddFile(MakeFile(u"kept.txt"), u"photo;");
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(ToUtf8(file_).c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  ASSERT_TRUE(Create());
  ASSERT_TRUE(WaitForLoad());
  EXPECT_EQ(BoxTexts(), std::vector{UserText(TEXT_CATALOGUE_IN_USE)});  // once, and no Quit box
  EXPECT_EQ(Window().ItemText(IDC_STATUS), UserText(TEXT_STATUS_IN_USE));

  ASSERT_EQ(sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr), SQLITE_OK);
  Key(Main(), VK_F5);
  ASSERT_TRUE(PumpUntil([&] { return IsReady(Window()) && app_->Loading().Finished(); }));
  EXPECT_EQ(ListColumn(0), std::vector<std::u16string>{u"kept.txt"});
  ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  Window().ListFiles(u"work;");
  EXPECT_EQ(ListColumn(0), std::vector<std::u16string>{u"kept.txt"});
  EXPECT_EQ(Window().ItemText(IDC_STATUS), UserText(TEXT_STATUS_IN_USE));
  EXPECT_EQ(BoxTexts().size(), 2u);
  sqlite3_close(other);
}

TEST_F(StartupTest, MoreFilesThanTheListHoldsAreCountedInTheStatusLine) {
  MakeCatalogue();
  {
    TagDatabase& db = db_;
    DatabaseBatch batch(db, DatabaseBatch::Kind::kWrite);
    ASSERT_EQ(db.Execute(u"INSERT INTO db_filetags(FileName, Path, Tags, Comment) WITH RECURSIVE "
                         u"n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10002) "
                         u"SELECT 'f' || i || '.txt', 'C:\\bulk', CASE WHEN i < 3 THEN 'few;' "
                         u"ELSE 'bulk;' END, '' FROM n"),
              1);
    ASSERT_EQ(db.Execute(u"INSERT INTO db_taglist(FileID, Tag) SELECT ID, substr(Tags, 1, "
                         u"length(Tags) - 1) FROM db_filetags"),
              1);
    ASSERT_TRUE(batch.Commit());
  }
  ASSERT_TRUE(Create());
  ASSERT_TRUE(WaitForLoad());
  CQuillonDlg& window = *window_;
  EXPECT_EQ(window.ItemText(IDC_STATUS), u"Ready - showing 10000 of 10002 files");
  EXPECT_EQ(window.Files().Count(), 10000u);
  window.ListFiles(u"few;");
  EXPECT_EQ(window.ItemText(IDC_STATUS), UserText(TEXT_READY));
  window.ListFiles(u"bulk;");  // exactly as many as the list holds
  EXPECT_EQ(window.ItemText(IDC_STATUS), UserText(TEXT_READY));
  window.ListFiles(u"few;bulk;");
  EXPECT_EQ(window.ItemText(IDC_STATUS), u"Ready - showing 10000 of 10002 files");
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(StartupTest, DatabaseErrorsReachTheUserInTheProgramsBox) {
  MakeCatalogue();
  ASSERT_TRUE(Create());
  CQuillonApp& app = *app_;
  CQuillonDlg& window = *window_;
  ASSERT_TRUE(WaitForLoad());
  ASSERT_TRUE(IsReady(window));

  EXPECT_EQ(app.Database().Execute(u"SELECT * FROM db_nothing"), 0);
  ASSERT_EQ(boxes.Count(), 1u);
  const MessageBoxRequest box = boxes.Boxes()[0];
  EXPECT_EQ(box.caption, u"Veldmark Quillon");
  EXPECT_EQ(box.flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(box.owner, window.Handle());
  EXPECT_NE(box.text.find(u"db_nothing"), std::u16string::npos);
}

TEST_F(StartupTest, TrailingMHidesTheWindowAtTheFirstPaint) {
  MakeCatalogue();
  ASSERT_TRUE(Create(u"\"C:\\Program Files\\Quillon\\quillon.exe\" -m"));
  CQuillonDlg& window = *window_;
  // Shown by the initialisation, hidden by the first paint.
  EXPECT_TRUE(window.IsVisible());
  ASSERT_TRUE(PumpUntil([&] { return !window.IsVisible(); }));
  ASSERT_TRUE(PumpUntil([&] { return IsReady(window); }));

  // Only the first paint hides: shown again, the window stays.
  ::ShowWindow(window.Handle(), SW_SHOWNORMAL);
  ::InvalidateRect(window.Handle(), nullptr, TRUE);
  ::UpdateWindow(window.Handle());
  PumpPending();
  EXPECT_TRUE(window.IsVisible());
}

TEST_F(StartupTest, EscapeEnterAndTheCloseButtonNeverEndTheRun) {
  MakeCatalogue();
  ASSERT_TRUE(Create());
  CQuillonDlg& window = *window_;
  ASSERT_TRUE(PumpUntil([&] { return IsReady(window); }));

  ::PostMessageW(window.Item(IDC_SEARCH_BOX), WM_KEYDOWN, VK_ESCAPE, 0);
  ::PostMessageW(window.Item(IDC_SEARCH_BOX), WM_KEYDOWN, VK_RETURN, 0);
  PumpPending();
  EXPECT_FALSE(window.Ended());

  // The caption's close button hides the window behind the tray icon; only "Exit" ends.
  ::SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(IDC_BTN_CLOSE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(window.Item(IDC_BTN_CLOSE)));
  EXPECT_FALSE(window.Ended());
  EXPECT_FALSE(window.IsVisible());
}

TEST_F(StartupTest, RunGoesThroughTheModalMainWindowUntilExit) {
  MakeCatalogue();
  boxes.SetAnswer(IDYES);
  CQuillonApp app(DataFolder());
  // Closes the main window, then chooses "Exit", once it shows "Ready".
  bool exited = false;
  WhileModal exitWhenReady([&] {
    const HWND main = app.MainWindow();
    if (exited || !main || GetWindowTextU16(::GetDlgItem(main, IDC_STATUS)) != UserText(TEXT_READY)) return;
    exited = true;
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(ID_FILE_EXIT, 0), 0);
  });
  EXPECT_EQ(app.Run(), 0);
  EXPECT_EQ(app.MainWindow(), nullptr);
  EXPECT_EQ(app.Folders().Count(), 3u);
  // Closing only hid the window; the one box is the question of "Exit".
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, UserText(TEXT_QUIT_CONFIRM));
}

TEST_F(StartupTest, NamedAndHandedFilesWaitForReadyAndTheOpenDialogAndMalformedOnesAreRefused) {
  const std::u16string named = MakeFile(u"a b \u00c4rger \u65e5\u672c plan.htm");
  const std::u16string handed = MakeFile(u"handed.txt");
  const std::u16string good = EncodeHandOver({handed}).at(0);
  const std::size_t bytes = good.size() * 2;
  // Each dialog AddFiles opens (today Edit Tags) is seen with the status line, and "!" if the
  // about box, which takes a second start's messages meanwhile, was open; then cancelled.
  std::vector<std::u16string> seen;
  std::u16string answers;  // r: refused, t: taken
  int ticks = 0;
  WhileModal steps([&] {
    if (CDialog* dialog = OpenDialog(IDD_EDIT_FILE)) {
      seen.push_back(dialog->ItemText(IDC_PATH_BOX) + (OpenDialog(IDD_ABOUTBOX) ? u"!" : u"") +
                     u" " + Window().StatusText());
      Press(*dialog, IDCANCEL);
    }
    CDialog* about = OpenDialog(IDD_ABOUTBOX);
    if (about && ++ticks == 40) Press(*about, IDOK);
    if (ticks != 20) return;
    for (const auto& [kind, payload, size] :
         {std::tuple{std::uintptr_t{0x1234}, good, bytes}, {kHandOverFiles, good, bytes - 1},
          {kHandOverFiles, std::u16string(), 64}, {kHandOverFiles, good, bytes - 2},
          {kHandOverFiles, std::u16string(u"a.txt\0\0", 7), std::size_t{14}},
          {kHandOverShow, good, bytes}, {kHandOverFiles, good, bytes}}) {
      COPYDATASTRUCT data{kind, static_cast<DWORD>(size),
                          payload.empty() ? nullptr : const_cast<char16_t*>(payload.data())};
      const LRESULT taken = ::SendMessageW(Main(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
      answers += taken ? u't' : u'r';
    }
  });
  ASSERT_TRUE(Create(u"\"C:\\Quillon\\quillon.exe\" \"" + named + u"\""));
  ASSERT_TRUE(PumpUntil([&] { return seen.size() == 1; }));
  Command(ID_HELP_ABOUT);
  ASSERT_TRUE(PumpUntil([&] { return seen.size() == 2; }));
  const std::u16string ready = UserText(" " TEXT_READY);
  EXPECT_EQ(seen, (std::vector<std::u16string>{named + ready, handed + ready}));
  EXPECT_EQ(answers, u"rrrrrrt");
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST(DataFolderTest, DefaultsToTheUsersApplicationData) {
  CQuillonApp app;
  app.InitInstance();
  wchar_t applicationData[MAX_PATH + 1] = {};
  ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, applicationData), S_OK);
  EXPECT_EQ(app.DataFolder(), FromWide(applicationData) + u"\\Veldmark\\Quillon");
  EXPECT_EQ(app.CataloguePath(), app.DataFolder() + u"\\data.dat");
}

}  // namespace
}  // namespace quillon::testing
