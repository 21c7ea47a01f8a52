// The real preview popup under Wine: shown for files of every kind, read back through its
// controls, its rectangle and its pixels.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "base/text_convert.h"
#include "framework/wide.h"
#include "preview/preview_layout.h"
#include "preview/preview_page.h"
#include "resources/resource.h"
#include "tests/catalogue/catalogue_fixture.h"
#include "tests/image/test_pictures.h"
#include "tests/support/modal_step.h"
#include "tests/support/windows_test_support.h"

namespace quillon {
namespace {

bool SameRect(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

using test::Bytes;
using testing::DesktopLock;
using testing::MessageBoxRecorder;
using testing::TempFolder;

constexpr COLORREF kBorder = RGB(48, 175, 254);
constexpr COLORREF kRule = RGB(173, 222, 242);
constexpr COLORREF kBand = RGB(229, 246, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kPictureColour = RGB(200, 30, 60);

// A PNG whose header declares `width` × `height` and whose data never follows.
Bytes PngHeaderOnly(std::uint32_t width, std::uint32_t height) {
  Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  for (const std::uint32_t value : {width, height}) {
    for (int shift = 24; shift >= 0; shift -= 8) png.push_back(static_cast<std::uint8_t>(value >> shift));
  }
  for (const std::uint8_t byte : {8, 2, 0, 0, 0}) png.push_back(byte);  // 8-bit RGB
  std::uint32_t crc = 0xFFFFFFFF;
  for (std::size_t i = 12; i < png.size(); ++i) {
    crc ^= png[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  crc ^= 0xFFFFFFFF;
  for (int shift = 24; shift >= 0; shift -= 8) png.push_back(static_cast<std::uint8_t>(crc >> shift));
  return png;
}

Bytes SolidBmp(std::int32_t width, std::int32_t height, COLORREF colour = kPictureColour) {
  test::BmpLayout layout = test::BmpOf(width, height, 24);
  layout.rows.assign(height, Bytes(static_cast<std::size_t>(width) * 3));
  for (Bytes& row : layout.rows) {
    for (std::int32_t x = 0; x < width; ++x) {
      row[x * 3] = GetBValue(colour);
      row[x * 3 + 1] = GetGValue(colour);
      row[x * 3 + 2] = GetRValue(colour);
    }
  }
  return test::MakeBmp(layout);
}

// The picture follows the show from the decode worker: lets its message arrive.
bool WaitForPicture(const CPreviewPage& page) {
  for (int i = 0; i < 300 && !page.HasPicture(); ++i) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    if (!page.HasPicture()) ::Sleep(10);
  }
  return page.HasPicture();
}

int ThreadsOfThisProcess() {
  const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = ::Thread32First(snapshot, &entry); more; more = ::Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == ::GetCurrentProcessId()) ++count;
  }
  ::CloseHandle(snapshot);
  return count;
}

class PreviewPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The side the popup opens on follows the cursor: keep it left, where it opens right.
    ::SetCursorPos(20, 20);
    ASSERT_TRUE(page_.Create(nullptr));
    ASSERT_FALSE(page_.IsVisible());
  }
  void TearDown() override {
    page_.Destroy();
    EXPECT_EQ(boxes_.Count(), 0u) << "the preview never shows a message";
  }

  std::u16string MakeFile(const std::u16string& name, const Bytes& bytes) const {
    const std::filesystem::path path = folder_.Path() / std::filesystem::path(name);
    EXPECT_TRUE(test::WriteFile(path.string(), bytes));
    return path.u16string();
  }
  static FileRecord RecordFor(const std::u16string& fullPath, const std::u16string& tags = u"t;",
                              const std::u16string& comment = u"") {
    FileRecord record;
    const std::size_t slash = fullPath.find_last_of(u'\\');
    record.Path = fullPath.substr(0, slash);
    record.FileName = fullPath.substr(slash + 1);
    record.Tags = tags;
    record.Comment = comment;
    return record;
  }

  RECT Rect() const {
    RECT rect{};
    ::GetWindowRect(page_.Handle(), &rect);
    return rect;
  }
  RECT ControlRect(int id) const {
    RECT rect{};
    ::GetWindowRect(page_.Item(id), &rect);
    ::MapWindowPoints(nullptr, page_.Handle(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }
  COLORREF Pixel(int x, int y) const {
    const HDC dc = ::GetDC(page_.Handle());
    const COLORREF colour = ::GetPixel(dc, x, y);
    ::ReleaseDC(page_.Handle(), dc);
    return colour;
  }

  const DesktopLock cursor_;  // the popup is placed by the pointer
  MessageBoxRecorder boxes_;
  TempFolder folder_;
  CPreviewPage page_;
};

TEST_F(PreviewPageTest, ShowsATextFileBesideThePointerWithoutTakingActivation) {
  const std::u16string path = MakeFile(u"meeting-notes.txt", Bytes{'h', 'i'});
  const HWND activeBefore = ::GetActiveWindow();
  page_.ShowFile(RecordFor(path, u"work;notes;"), 300, 200);

  ASSERT_TRUE(page_.IsVisible());
  EXPECT_NE(::GetActiveWindow(), page_.Handle());
  EXPECT_EQ(::GetActiveWindow(), activeBefore);
  EXPECT_EQ(page_.ItemText(IDC_PREVIEW_NAME), u"meeting-notes.txt");
  EXPECT_EQ(page_.ItemText(IDC_PREVIEW_TAGS), u"work;notes;");
  EXPECT_EQ(page_.ItemText(IDC_PREVIEW_COMMENT), u"No Comment\n");
  EXPECT_NE(::SendDlgItemMessageW(page_.Handle(), IDC_PREVIEW_ICON, STM_GETICON, 0, 0), 0);
  EXPECT_FALSE(page_.HasPicture());

  const RECT rect = Rect();
  EXPECT_EQ(rect.left, 350);
  EXPECT_EQ(rect.top, 190);
  EXPECT_EQ(rect.right - rect.left, 250);
  EXPECT_EQ(rect.bottom - rect.top, 110);
  const RECT comment = ControlRect(IDC_PREVIEW_COMMENT);
  EXPECT_EQ(comment.left, 10);
  EXPECT_EQ(comment.top, 74);
  EXPECT_EQ(comment.right - comment.left, 230);
  EXPECT_EQ(comment.bottom - comment.top, 32);

  EXPECT_EQ(Pixel(0, 0), kBorder);
  EXPECT_EQ(Pixel(249, 109), kBorder);
  EXPECT_EQ(Pixel(1, 50), kBorder);
  EXPECT_EQ(Pixel(200, 52), kRule);
  EXPECT_EQ(Pixel(200, 60), kBand);
  EXPECT_EQ(Pixel(200, 100), kWhite);
  EXPECT_EQ(Pixel(245, 60), kWhite);  // the band stops 6 pixels from the edge
}

TEST_F(PreviewPageTest, ShowsAPictureInItsFramedBox) {
  const std::u16string path = MakeFile(u"small.bmp", SolidBmp(100, 50));
  page_.ShowFile(RecordFor(path, u"photo;", u"Summer"), 300, 200);
  ASSERT_TRUE(WaitForPicture(page_));
  const RECT rect = Rect();
  EXPECT_EQ(rect.bottom - rect.top, 110 + 50 + 32);
  // The comment control is 32 high: the picture section's rule at 106, the picture at 133.
  EXPECT_EQ(Pixel(200, 106), kRule);
  EXPECT_EQ(Pixel(200, 110), kBand);
  EXPECT_EQ(Pixel(10, 133), kPictureColour);
  EXPECT_EQ(Pixel(109, 182), kPictureColour);
  EXPECT_EQ(Pixel(110, 182), kWhite);  // natural size: 100 × 50, never enlarged
  EXPECT_EQ(Pixel(9, 132), kWhite);    // the gap
  EXPECT_EQ(Pixel(8, 131), kRule);     // and the frame around it
  EXPECT_EQ(Pixel(111, 184), kRule);
  EXPECT_EQ(rect.bottom - rect.top - 9, 183);  // the picture ends 9 pixels above the bottom

  // A large picture is reduced into the 230 × 168 box, the window keeping room for 200.
  const std::u16string large = MakeFile(u"large.bmp", SolidBmp(1000, 500));
  page_.ShowFile(RecordFor(large), 300, 200);
  ASSERT_TRUE(WaitForPicture(page_));
  EXPECT_EQ(Rect().bottom - Rect().top, 110 + 200);
  EXPECT_EQ(Pixel(239, 133 + 114), kPictureColour);
  EXPECT_EQ(Pixel(240, 133 + 114), kWhite);
  EXPECT_EQ(Pixel(100, 133 + 115), kWhite);
}

TEST_F(PreviewPageTest, RushingOverManyPhotosShowsOnlyTheLastOnesPicture) {
  const Bytes other = SolidBmp(600, 400, RGB(0, 0, 255));
  std::vector<FileRecord> passed;
  for (int i = 0; i < 100; ++i) {
    passed.push_back(RecordFor(MakeFile(u"passed" + FromUtf8(std::to_string(i)) + u".bmp", other)));
  }
  const FileRecord last = RecordFor(MakeFile(u"last.bmp", SolidBmp(100, 50)));
  const int threadsBefore = ThreadsOfThisProcess();
  for (const FileRecord& record : passed) page_.ShowFile(record, 300, 200);
  page_.ShowFile(last, 300, 200);
  ASSERT_TRUE(WaitForPicture(page_));
  // Decodes of the files passed over that finish late must not replace it.
  for (int i = 0; i < 30; ++i) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    ::Sleep(10);
  }
  ::UpdateWindow(page_.Handle());
  EXPECT_EQ(Pixel(10, 133), kPictureColour);
  EXPECT_EQ(Pixel(109, 182), kPictureColour);
  EXPECT_EQ(Rect().bottom - Rect().top, 110 + 50 + 32);
  EXPECT_EQ(ThreadsOfThisProcess(), threadsBefore);
}

TEST_F(PreviewPageTest, TheSameFileKeepsThePopupInPlaceUntilItIsHidden) {
  const FileRecord record = RecordFor(MakeFile(u"a.txt", Bytes{'a'}));
  page_.ShowFile(record, 300, 200);
  const RECT first = Rect();
  FileRecord sameFile = record;
  sameFile.Tags = u"other;";  // only the name and the folder count
  page_.ShowFile(sameFile, 500, 400);
  EXPECT_TRUE(SameRect(first, Rect()));
  EXPECT_EQ(page_.ItemText(IDC_PREVIEW_TAGS), u"t;");

  page_.HidePreview();
  EXPECT_FALSE(page_.IsVisible());
  EXPECT_TRUE(page_.LastShown().FileName.empty());
  EXPECT_TRUE(page_.LastShown().Path.empty());
  page_.HidePreview();  // hiding twice is harmless

  page_.ShowFile(sameFile, 500, 400);
  EXPECT_TRUE(page_.IsVisible());
  EXPECT_EQ(Rect().left, 550);
  EXPECT_EQ(page_.ItemText(IDC_PREVIEW_TAGS), u"other;");

  // An empty record while hidden matches the emptied key: the popup stays hidden.
  page_.HidePreview();
  page_.ShowFile(FileRecord{}, 300, 200);
  EXPECT_FALSE(page_.IsVisible());
}

TEST_F(PreviewPageTest, LongNamesAndTagsAreShortenedAndCommentsWrapped) {
  const std::u16string name = u"abcdefghijklmnopq.txt";  // 21 characters
  page_.ShowFile(RecordFor(MakeFile(name, Bytes{'x'}), u"alpha;beta;gamma;delta;eps;",
                           std::u16string(38, u'c') + u"d"),
                 300, 200);
  EXPECT_EQ(page_.ItemText(IDC_PREVIEW_NAME), u"abcdefghijklmnopq...");
  EXPECT_EQ(page_.ItemText(IDC_PREVIEW_TAGS), u"alpha;beta;gamma;delta...");
  EXPECT_EQ(page_.ItemText(IDC_PREVIEW_COMMENT), std::u16string(38, u'c') + u"\nd\n");
  EXPECT_EQ(Rect().bottom - Rect().top, 130);
  // The key keeps the name as handed in: the same file is still recognised.
  EXPECT_EQ(page_.LastShown().FileName, name);
}

TEST_F(PreviewPageTest, BadFilesShowWhatTheyCanWithoutAPicture) {
  const std::u16string missing = (folder_.Path() / "gone.png").u16string();
  const std::u16string damaged = MakeFile(u"damaged.png", Bytes{0x89, 'P', 'N', 'G', 1, 2, 3});
  Bytes truncatedBmp = SolidBmp(200, 100);
  truncatedBmp.resize(60);
  const std::u16string truncated = MakeFile(u"truncated.bmp", truncatedBmp);
  Bytes hugeBmp = SolidBmp(1, 1);
  test::PutLe32(hugeBmp, 18, 100000);
  test::PutLe32(hugeBmp, 22, 100000);
  const std::u16string hugeBmpPath = MakeFile(u"huge.bmp", hugeBmp);
  const std::u16string hugePng = MakeFile(u"huge.png", PngHeaderOnly(100000, 100000));
  const std::u16string longPath =
      u"C:\\" + std::u16string(150, u'd') + u"\\" + std::u16string(150, u'e') + u"\\photo.jpg";

  for (const std::u16string& path : {missing, damaged, hugeBmpPath, hugePng, longPath}) {
    SCOPED_TRACE(ToUtf8(path));
    const FileRecord record = RecordFor(path, u"bad;", u"still shown");
    page_.ShowFile(record, 300, 200);
    ASSERT_TRUE(page_.IsVisible());
    EXPECT_FALSE(page_.HasPicture());
    EXPECT_EQ(Rect().bottom - Rect().top, 110);
    EXPECT_EQ(page_.ItemText(IDC_PREVIEW_TAGS), u"bad;");
    EXPECT_EQ(page_.ItemText(IDC_PREVIEW_COMMENT), u"still shown\n");
    EXPECT_EQ(page_.ShownRecord().FileName, ShortenForPreview(record.FileName, kShownNameLength));
    EXPECT_NE(::SendDlgItemMessageW(page_.Handle(), IDC_PREVIEW_ICON, STM_GETICON, 0, 0), 0);
  }
  // A truncated BMP keeps its header: the rows it has are shown, the rest stay black.
  page_.ShowFile(RecordFor(truncated), 300, 200);
  EXPECT_TRUE(WaitForPicture(page_));
}

TEST_F(PreviewPageTest, AHugeCommentKeepsTheNameOnTheScreen) {
  const std::u16string comment(100 * 1024 / 2, u'w');
  page_.ShowFile(RecordFor(MakeFile(u"long.txt", Bytes{'x'}), u"t;", comment), 300, 200);
  ASSERT_TRUE(page_.IsVisible());
  const RECT rect = Rect();
  EXPECT_GE(rect.top, 0);
  EXPECT_EQ(rect.bottom, ::GetSystemMetrics(SM_CYSCREEN) - 35);
  EXPECT_EQ(page_.ItemText(IDC_PREVIEW_NAME), u"long.txt");
  const std::u16string shown = page_.ItemText(IDC_PREVIEW_COMMENT);
  EXPECT_EQ(shown.substr(0, 39), std::u16string(38, u'w') + u"\n");
  EXPECT_EQ(shown.substr(shown.size() - 4), u"...\n");
}

}  // namespace
}  // namespace quillon
