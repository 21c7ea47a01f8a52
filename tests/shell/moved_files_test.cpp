// Catalogued files renamed, moved or deleted behind the program's back, on a small drive of
// their own (Wine finds a file by its ID by scanning the drive's whole tree; the runner maps
// the drive): the lists show them at their new places with their tags, grey the missing ones,
// the preview says a file is missing, and the status line counts both.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "base/text_convert.h"
#include "preview/preview_page.h"
#include "quick/quick_bar.h"
#include "resources/user_texts.h"
#include "tests/shell/main_window_driver.h"

namespace quillon::testing {
namespace {

using Lines = std::vector<std::u16string>;
namespace fs = std::filesystem;

class MovedFilesTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    seeksMovedFiles_ = true;
    wchar_t drive[8] = {};
    ASSERT_GT(::GetEnvironmentVariableW(L"QUILLON_TEST_DRIVE", drive, 8), 0u)
        << "run through tools/wine-run-with-drive.sh";
    files_ = std::make_unique<TempFolder>(fs::path(std::wstring(drive) + L"\\"));
  }

  std::u16string Place(const std::u16string& relative) const {
    return (files_->Path() / fs::path(relative)).u16string();
  }
  // A file whose content is its name: each has a fingerprint of its own.
  std::u16string Write(const std::u16string& relative) const {
    fs::create_directories(fs::path(Place(relative)).parent_path());
    std::ofstream(fs::path(Place(relative))) << fs::path(relative).string() << " content";
    return Place(relative);
  }
  // The load is done and the first search has recorded who each file is.
  void StartAndRecordIdentities(std::int64_t files) {
    ASSERT_TRUE(Create());
    ASSERT_TRUE(WaitForLoad());
    ASSERT_TRUE(PumpUntil([&] {
      return Count(u"SELECT COUNT(*) AS n FROM sqlite_master WHERE name = 'db_fileidentity'") ==
                 1 &&
             Count(u"SELECT COUNT(*) AS n FROM db_fileidentity") == files;
    }));
  }
  bool StatusBecomes(const std::u16string& text) {
    return PumpUntil([&] { return Window().StatusText() == text; });
  }
  // The darkest grey level of the pixels of a row's name as the list draws it.
  int DarkestTextLevel(HWND list, int row) const {
    ::UpdateWindow(list);
    RECT label{LVIR_LABEL, 0, 0, 0};
    ::SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&label));
    const HDC dc = ::GetDC(list);
    int darkest = 255;
    for (int y = label.top; y < label.bottom; ++y) {
      for (int x = label.left; x < label.right; ++x) {
        const COLORREF pixel = ::GetPixel(dc, x, y);
        darkest = std::min<int>(darkest, std::max({GetRValue(pixel), GetGValue(pixel),
                                                   GetBValue(pixel)}));
      }
    }
    ::ReleaseDC(list, dc);
    return darkest;
  }

  std::unique_ptr<TempFolder> files_;
};

TEST_F(MovedFilesTest, F5FindsRenamedAndMovedFilesAndGreysTheDeletedOne) {
  AddFile(Write(u"a.txt"), u"alpha;");
  AddFile(Write(u"one\\b.txt"), u"beta;");
  AddFile(Write(u"c.txt"), u"gamma;");
  AddFile(Write(u"d.txt"), u"delta;");
  fs::create_directory(fs::path(Place(u"two")));
  MakeQuickBar();
  StartAndRecordIdentities(4);
  EXPECT_EQ(Window().StatusText(), UserText(TEXT_READY));
  ASSERT_TRUE(app_->QuickBar().Results().FillResults(u"*;"));

  fs::rename(fs::path(Place(u"a.txt")), fs::path(Place(u"a-renamed.txt")));
  fs::rename(fs::path(Place(u"one\\b.txt")), fs::path(Place(u"two\\b.txt")));
  fs::remove(fs::path(Place(u"c.txt")));
  ::PostMessageW(List(), WM_KEYDOWN, VK_F5, 1);
  ASSERT_TRUE(StatusBecomes(u"Ready - 2 moved files found again - 1 catalogued file is missing"))
      << ToUtf8(Window().StatusText());

  EXPECT_EQ(ListColumn(0), (Lines{u"a-renamed.txt", u"b.txt", u"c.txt", u"d.txt"}));
  EXPECT_EQ(ListColumn(1), (Lines{u"alpha;", u"beta;", u"gamma;", u"delta;"}));
  EXPECT_EQ(ListColumn(2), (Lines{Place(u"a-renamed.txt"), Place(u"two\\b.txt"),
                                  Place(u"c.txt"), Place(u"d.txt")}));
  // The quick result list shows the same places, ordered as it was.
  CQuickResult& results = app_->QuickBar().Results();
  ASSERT_EQ(results.RowCount(), 4);
  wchar_t name[MAX_PATH] = {};
  LVITEMW cell{};
  cell.pszText = name;
  cell.cchTextMax = MAX_PATH;
  ::SendMessageW(results.List(), LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&cell));
  EXPECT_EQ(std::wstring(name), L"a-renamed.txt");

  // Only the missing file's row is grey: its darkest pixel is the system's grey, not black.
  const int grey = GetRValue(::GetSysColor(COLOR_GRAYTEXT));
  EXPECT_EQ(DarkestTextLevel(List(), RowOf(u"c.txt")), grey);
  EXPECT_LT(DarkestTextLevel(List(), RowOf(u"d.txt")), grey);

  // The preview of the missing file says so in place of a picture.
  CPreviewPage& preview = app_->Preview();
  preview.ShowFile(Window().Files().FindFileByPath(Place(u"c.txt")), 300, 200);
  EXPECT_TRUE(preview.ShowsMissingNote());
  preview.ShowFile(Window().Files().FindFileByPath(Place(u"d.txt")), 300, 200);
  EXPECT_FALSE(preview.ShowsMissingNote());
  preview.HidePreview();

  // The next listing no longer counts the files found again; the missing one stays counted.
  Window().ListFiles(u"*;");
  EXPECT_EQ(Window().StatusText(), u"Ready - 1 catalogued file is missing");
}

TEST_F(MovedFilesTest, AFileRenamedWhileTheProgramWasClosedIsFoundAgainAfterReady) {
  AddFile(Write(u"photo.txt"), u"holiday;", u"the beach");
  StartAndRecordIdentities(1);
  window_->Destroy();
  window_.reset();
  app_.reset();

  fs::rename(fs::path(Place(u"photo.txt")), fs::path(Place(u"beach.txt")));
  ASSERT_TRUE(Create());
  ASSERT_TRUE(StatusBecomes(u"Ready - 1 moved file found again"));
  EXPECT_EQ(ListColumn(2), (Lines{Place(u"beach.txt")}));
  EXPECT_EQ(Column(u"SELECT Path || '\\' || FileName AS P FROM db_filetags", u"P"),
            (Lines{Place(u"beach.txt")}));
  EXPECT_EQ(Window().Files().FindFileByPath(Place(u"beach.txt")).Comment, u"the beach");
}

}  // namespace
}  // namespace quillon::testing
