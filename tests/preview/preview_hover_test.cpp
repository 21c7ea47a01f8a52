// The owners' hover side under Wine: posted pointer movements over a real list of files reach
// the real popup through a window's message pre-translation, as in the program's windows.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "files/preview_hover.h"
#include "framework/wide.h"
#include "preview/preview_page.h"
#include "resources/resource.h"
#include "tests/support/modal_step.h"
#include "tests/support/windows_test_support.h"

namespace quillon {
namespace {

bool SameRect(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

using testing::DesktopLock;
using testing::PumpPending;

FileRecord Record(const std::u16string& path, const std::u16string& name,
                  const std::u16string& tags) {
  FileRecord record;
  record.Path = path;
  record.FileName = name;
  record.Tags = tags;
  return record;
}

// A top-level window with a report-view list, relaying its movements as an owner does.
class ListOwner : public CWindow {
 public:
  ListOwner() {
    testing::InitCommonControlsForTests();
    Attach(::CreateWindowExW(0, WC_STATICW, L"", WS_POPUP | WS_VISIBLE, 40, 40, 500, 300,
                             nullptr, nullptr, nullptr, nullptr));
    list_ = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0,
                              500, 300, Handle(), nullptr, nullptr, nullptr);
    for (int column = 0; column < 3; ++column) {
      LVCOLUMNW header{};
      header.mask = LVCF_WIDTH;
      header.cx = 150;
      ::SendMessageW(list_, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&header));
    }
  }
  ~ListOwner() override {
    const HWND window = Handle();
    Detach();
    ::DestroyWindow(window);
  }

  // The rows show `files` in table order, as a list's refill does.
  void Fill(const std::vector<FileRecord>& records) {
    files_.Reset();
    ::SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
    for (const FileRecord& record : records) {
      const int row = static_cast<int>(files_.Count());
      files_.Append(record);
      AddRow(row, record.FileName, record.FullPath());
    }
    hover.Rebuild();
  }
  void AddRow(int row, const std::u16string& name, const std::u16string& fullPath) const {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(Wide(name));
    ::SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 2;
    item.pszText = const_cast<wchar_t*>(Wide(fullPath));
    ::SendMessageW(list_, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  }

  // A movement posted to the list over `row` (`dx` pixels into it), or below the last row.
  void MoveOverRow(int row, int dx = 20) const {
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    ::SendMessageW(list_, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
    MoveTo(POINT{bounds.left + dx, (bounds.top + bounds.bottom) / 2});
  }
  void MoveTo(POINT client) const {
    testing::PointerTo(list_, client);
    ::PostMessageW(list_, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    PumpPending();
  }
  POINT ScreenPointOfRow(int row, int dx = 20) const {
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    ::SendMessageW(list_, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
    POINT point{bounds.left + dx, (bounds.top + bounds.bottom) / 2};
    ::ClientToScreen(list_, &point);
    return point;
  }

  bool PreTranslateMessage(MSG& message) override {
    hover.RelayMouseMove(message);
    return false;
  }

  HWND list_ = nullptr;
  FileTable files_;
  PreviewHover hover;
};

class PreviewHoverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::SetCursorPos(20, 20);  // the popup opens right of the pointer
    ASSERT_TRUE(page_.Create(nullptr));
    owner_.hover.Attach(owner_.list_, owner_.files_, &page_);
    owner_.Fill({Record(u"C:\\docs", u"one.txt", u"a;"), Record(u"C:\\docs", u"two.txt", u"b;"),
                 Record(u"C:\\docs", u"one.txt", u"a;")});
  }
  void TearDown() override { page_.Destroy(); }
  RECT Rect() const {
    RECT rect{};
    ::GetWindowRect(page_.Handle(), &rect);
    return rect;
  }

  const DesktopLock cursor_;  // the popup is placed by the pointer
  CPreviewPage page_;
  ListOwner owner_;
};

TEST_F(PreviewHoverTest, TheSameFileOnTwoRowsKeepsThePopupInPlace) {
  owner_.MoveOverRow(0);
  const RECT first = Rect();
  owner_.MoveOverRow(0, 60);
  EXPECT_TRUE(SameRect(first, Rect()));
  owner_.MoveOverRow(2, 90);  // another row, the same full path
  EXPECT_TRUE(SameRect(first, Rect()));
  owner_.MoveOverRow(1);
  EXPECT_FALSE(SameRect(first, Rect()));
}

TEST_F(PreviewHoverTest, ARowWithoutARecordShowsTheEmptyRecordOnlyWhileShown) {
  owner_.AddRow(3, u"stray.txt", u"C:\\elsewhere\\stray.txt");
  owner_.MoveOverRow(3);
  EXPECT_FALSE(page_.IsVisible());  // the empty record matches the emptied key
  owner_.MoveOverRow(1);
  owner_.MoveOverRow(3);
  ASSERT_TRUE(page_.IsVisible());
  EXPECT_EQ(page_.ItemText(IDC_PREVIEW_NAME), u"");
  EXPECT_EQ(page_.ItemText(IDC_PREVIEW_COMMENT), u"No Comment\n");
}

}  // namespace
}  // namespace quillon
