#include "ui/button_ex.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/resource_text.h"
#include "framework/wide.h"
#include "resources/resource.h"
#include "tests/ui/test_surface.h"
#include "ui/bitmap_piece.h"

namespace quillon {
namespace {

using test::OwnerDialog;
using test::TestSurface;

constexpr COLORREF kUntouched = RGB(255, 0, 255);

// The pixels of a bitmap resource, to compare what was copied against.
class ResourceBitmap {
 public:
  explicit ResourceBitmap(UINT id)
      : bitmap_(static_cast<HBITMAP>(::LoadImageW(ResourceModule(), MAKEINTRESOURCEW(id),
                                                  IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))),
        dc_(nullptr),
        select_(dc_, bitmap_) {
    BITMAP info{};
    ::GetObjectW(bitmap_, sizeof(info), &info);
    width_ = info.bmWidth;
    height_ = info.bmHeight;
  }
  bool Loaded() const { return static_cast<bool>(bitmap_); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  COLORREF Pixel(int x, int y) const { return ::GetPixel(dc_, x, y); }

 private:
  GdiObject<HBITMAP> bitmap_;
  MemoryDC dc_;
  SelectObjectScope select_;
  int width_ = 0;
  int height_ = 0;
};

TEST(DrawBitmapPiece, CopiesUnscaledFromTheSourcePoint) {
  ResourceBitmap toolbar(IDB_SKIN_TOOLBAR);
  ASSERT_TRUE(toolbar.Loaded());
  TestSurface surface(200, 60);
  // Rows 34..38 of the toolbar band, as the main window paints its lower strip.
  ASSERT_TRUE(DrawBitmapPiece(surface, IDB_SKIN_TOOLBAR, 0, 34, 5, 20, 150, 25));
  for (int y = 20; y < 25; ++y) {
    for (int x : {5, 77, 149}) {
      EXPECT_EQ(surface.Pixel(x, y), toolbar.Pixel(x - 5, 34 + y - 20)) << x << "," << y;
    }
  }
  EXPECT_EQ(surface.Pixel(4, 22), kUntouched);
  EXPECT_EQ(surface.Pixel(150, 22), kUntouched);
  EXPECT_EQ(surface.Pixel(50, 19), kUntouched);
  EXPECT_EQ(surface.Pixel(50, 25), kUntouched);
}

TEST(DrawBitmapPiece, LeavesWhatTheBitmapCannotSupplyUnpainted) {
  ResourceBitmap corner(IDB_SKIN_BOTTOM_RIGHT);  // 25 x 25
  ASSERT_EQ(corner.Width(), 25);
  TestSurface surface(60, 60);
  EXPECT_FALSE(DrawBitmapPiece(surface, IDB_SKIN_BOTTOM_RIGHT, 0, 0, 0, 0, 40, 40));
  EXPECT_EQ(surface.Pixel(24, 24), corner.Pixel(24, 24));
  EXPECT_EQ(surface.Pixel(25, 10), kUntouched);
  EXPECT_EQ(surface.Pixel(10, 25), kUntouched);

  TestSurface missing(20, 20);
  EXPECT_FALSE(DrawBitmapPiece(missing, 4242, 0, 0, 0, 0, 20, 20));
  EXPECT_EQ(missing.Pixel(10, 10), kUntouched);
}

TEST(Artwork, BitmapsHaveTheSizesTheWindowsCopyThemAt) {
  struct Expected {
    UINT id;
    int width;   // 0: at least 3840 (a band)
    int height;  // 0: at least 2160 (an edge)
  };
  const std::vector<Expected> sizes{{130, 135, 34}, {131, 80, 34},   {132, 0, 34},   {133, 5, 0},
                                    {134, 5, 0},    {135, 25, 25},   {136, 5, 25},   {137, 0, 25},
                                    {138, 22, 120}, {139, 23, 120},  {140, 22, 120}, {145, 5, 39},
                                    {146, 5, 39},   {147, 0, 39},    {148, 85, 204}, {149, 0, 34},
                                    {151, 32, 180}, {152, 32, 180},  {153, 32, 180}, {154, 32, 180},
                                    {157, 32, 180}, {159, 112, 204}, {165, 379, 39}, {172, 78, 234},
                                    {173, 12, 90},  {174, 12, 90},   {176, 9, 330},  {177, 379, 10},
                                    {178, 379, 10}, {187, 360, 72},  {194, 12, 90}};
  for (const Expected& expected : sizes) {
    ResourceBitmap bitmap(expected.id);
    ASSERT_TRUE(bitmap.Loaded()) << expected.id;
    if (expected.width)
      EXPECT_EQ(bitmap.Width(), expected.width) << expected.id;
    else
      EXPECT_GE(bitmap.Width(), 3840) << expected.id;
    if (expected.height)
      EXPECT_EQ(bitmap.Height(), expected.height) << expected.id;
    else
      EXPECT_GE(bitmap.Height(), 2160) << expected.id;
  }
  for (UINT icon : {128u, 161u, 162u, 163u}) {
    for (int size : {16, 32, 48}) {
      OwnedIcon loaded(
          static_cast<HICON>(::LoadImageW(ResourceModule(), MAKEINTRESOURCEW(icon),
                                          IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
      ASSERT_TRUE(loaded) << icon;
      ICONINFO info{};
      ASSERT_TRUE(::GetIconInfo(loaded, &info));
      BITMAP colour{};
      ::GetObjectW(info.hbmColor, sizeof(colour), &colour);
      EXPECT_EQ(colour.bmWidth, size) << icon;
      EXPECT_TRUE(info.hbmMask != nullptr) << icon;
      ::DeleteObject(info.hbmColor);
      ::DeleteObject(info.hbmMask);
    }
  }
}

// The "Search" button of the main window: 80 x 34 from the 112-pixel skin 159, whose five
// state strips all differ.
constexpr int kWidth = 80;
constexpr int kHeight = 34;
constexpr int kSkinWidth = 112;

class ButtonExTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(owner.Create(nullptr));
    control = owner.Item(IDC_BTN_SEARCH);
    ASSERT_TRUE(button.Attach(control));
    ::MoveWindow(control, 0, 0, kWidth, kHeight, FALSE);
    button.SetSkin(IDB_BTN_SEARCH, kSkinWidth, RGB(0, 0, 0));
  }
  void TearDown() override { owner.Destroy(); }

  // Draws the button as the platform asks its owner to.
  void Draw(TestSurface& surface, UINT itemState, RECT rect = {0, 0, kWidth, kHeight}) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = IDC_BTN_SEARCH;
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = itemState;
    item.hwndItem = control;
    item.hDC = surface;
    item.rcItem = rect;
    ::SendMessageW(owner.Handle(), WM_DRAWITEM, IDC_BTN_SEARCH, reinterpret_cast<LPARAM>(&item));
  }

  // The strip the surface shows, compared pixel by pixel with each strip of the skin as it
  // lands on an 80-pixel button: source x = x up to the right cap, which comes from 102..111.
  static int StripShown(const TestSurface& surface) {
    ResourceBitmap skin(IDB_BTN_SEARCH);
    for (int strip = 0; strip < 5; ++strip) {
      bool same = true;
      for (int y = 0; y < kHeight && same; ++y) {
        for (int x = 0; x < kWidth && same; ++x) {
          const int sourceX = x < kWidth - 10 ? x : kSkinWidth - 10 + (x - (kWidth - 10));
          same = surface.Pixel(x, y) == skin.Pixel(sourceX, strip * kHeight + y);
        }
      }
      if (same) return strip;
    }
    return -1;
  }

  OwnerDialog owner;
  HWND control = nullptr;
  ButtonEx button;
};

TEST_F(ButtonExTest, AttachingMakesTheButtonOwnerDrawn) {
  EXPECT_EQ(::GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_EQ(CWindow::FromHandle(control), &button);
  ButtonEx second;
  EXPECT_FALSE(second.Attach(control));
}

TEST_F(ButtonExTest, EachStateDrawsItsStrip) {
  // Distinct strips, so the comparison below can tell them apart.
  ResourceBitmap skin(IDB_BTN_SEARCH);
  for (int a = 0; a < 5; ++a) {
    for (int b = a + 1; b < 5; ++b) {
      bool differ = false;
      for (int y = 0; y < kHeight && !differ; ++y) {
        differ = skin.Pixel(1, a * kHeight + y) != skin.Pixel(1, b * kHeight + y) ||
                 skin.Pixel(40, a * kHeight + y) != skin.Pixel(40, b * kHeight + y);
      }
      ASSERT_TRUE(differ) << "strips " << a << " and " << b;
    }
  }

  ::SetWindowTextW(control, L"");
  TestSurface normal(kWidth, kHeight), disabled(kWidth, kHeight), pressed(kWidth, kHeight),
      focused(kWidth, kHeight);
  Draw(normal, 0);
  Draw(disabled, ODS_DISABLED | ODS_SELECTED | ODS_FOCUS);
  Draw(pressed, ODS_SELECTED | ODS_FOCUS);
  Draw(focused, ODS_FOCUS);
  EXPECT_EQ(StripShown(normal), 0);
  EXPECT_EQ(StripShown(disabled), 1);
  EXPECT_EQ(StripShown(pressed), 3);
  EXPECT_EQ(StripShown(focused), 4);

  // Hover: the platform reports it; a disabled button under the pointer still draws strip 1.
  ::SendMessageW(control, WM_MOUSEHOVER, 0, MAKELPARAM(5, 5));
  ASSERT_TRUE(button.Hover());
  TestSurface hover(kWidth, kHeight), disabledHover(kWidth, kHeight), pressedHover(kWidth, kHeight);
  Draw(hover, ODS_FOCUS);
  Draw(disabledHover, ODS_DISABLED);
  Draw(pressedHover, ODS_SELECTED);
  EXPECT_EQ(StripShown(hover), 2);
  EXPECT_EQ(StripShown(disabledHover), 1);
  EXPECT_EQ(StripShown(pressedHover), 3);

  // Leaving redraws in the normal strip, or the focused one.
  ::SendMessageW(control, WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(button.Hover());
  TestSurface left(kWidth, kHeight), leftFocused(kWidth, kHeight);
  Draw(left, 0);
  Draw(leftFocused, ODS_FOCUS);
  EXPECT_EQ(StripShown(left), 0);
  EXPECT_EQ(StripShown(leftFocused), 4);
}

TEST_F(ButtonExTest, PointerMovementStartsTrackingOnce) {
  EXPECT_FALSE(button.Tracking());
  ::SendMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_TRUE(button.Tracking());
  ::SendMessageW(control, WM_MOUSEHOVER, 0, MAKELPARAM(3, 3));
  EXPECT_TRUE(button.Hover());
  ::SendMessageW(control, WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(button.Tracking());
  EXPECT_FALSE(button.Hover());
}

// The bounding box of the pixels where two drawings differ.
RECT Difference(const TestSurface& a, const TestSurface& b) {
  RECT box{a.Width(), a.Height(), -1, -1};
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      if (a.Pixel(x, y) == b.Pixel(x, y)) continue;
      box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
             std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
    }
  }
  return box;
}

TEST_F(ButtonExTest, CaptionIsCentredAndMovesWhenPressed) {
  ::SetWindowTextW(control, L"");
  button.SetSkin(IDB_BTN_MENU, 85, RGB(255, 255, 255));
  TestSurface bare(60, 34), barePressed(60, 34);
  const RECT menuButton{0, 0, 60, 34};
  Draw(bare, 0, menuButton);
  Draw(barePressed, ODS_SELECTED, menuButton);
  ::SetWindowTextW(control, L"Edit");
  TestSurface captioned(60, 34), captionedPressed(60, 34);
  Draw(captioned, 0, menuButton);
  Draw(captionedPressed, ODS_SELECTED, menuButton);

  const RECT text = Difference(bare, captioned);
  const RECT pressedText = Difference(barePressed, captionedPressed);
  ASSERT_LT(text.left, text.right) << "no caption drawn";
  EXPECT_EQ(pressedText.left, text.left + 1);
  EXPECT_EQ(pressedText.top, text.top + 1);
  // Centred: the ink lies within a pixel or two of the middle on both sides.
  EXPECT_NEAR((text.left + text.right) / 2.0, 30.0, 3.0);
  EXPECT_NEAR((text.top + text.bottom) / 2.0, 17.0, 3.0);
  // White caption on the blue menu button.
  bool white = false;
  for (int x = text.left; x < text.right; ++x) {
    for (int y = text.top; y < text.bottom; ++y)
      white = white || captioned.Pixel(x, y) == RGB(255, 255, 255);
  }
  EXPECT_TRUE(white);
}

TEST_F(ButtonExTest, SkinCanBeSwitchedLater) {
  ::SetWindowTextW(control, L"");
  button.SetSkinBitmap(IDB_QUICK_RESULTS_SHOWN);
  EXPECT_EQ(button.SkinBitmap(), static_cast<UINT>(IDB_QUICK_RESULTS_SHOWN));
  button.SetSkin(IDB_QUICK_RESULTS_HIDDEN, 12, RGB(0, 0, 0));
  ::MoveWindow(control, 0, 0, 12, 15, FALSE);
  TestSurface surface(12, 15);
  Draw(surface, 0, {0, 0, 12, 15});
  // A 12-pixel skin has no middle: the caps alone reproduce strip 0 exactly.
  ResourceBitmap skin(IDB_QUICK_RESULTS_HIDDEN);
  for (int y = 0; y < 15; ++y) {
    for (int x = 0; x < 12; ++x) ASSERT_EQ(surface.Pixel(x, y), skin.Pixel(x, y)) << x << "," << y;
  }
}

TEST_F(ButtonExTest, ADoubleClickIsOneClick) {
  ::ShowWindow(owner.Handle(), SW_SHOWNOACTIVATE);
  const LPARAM inside = MAKELPARAM(10, 10);
  ::SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, inside);
  ::SendMessageW(control, WM_LBUTTONUP, 0, inside);
  ::SendMessageW(control, WM_LBUTTONDBLCLK, MK_LBUTTON, inside);
  ::SendMessageW(control, WM_LBUTTONUP, 0, inside);
  // The second press of a double click is no second click.
  EXPECT_EQ(owner.commands, 1);
  EXPECT_EQ(owner.lastCommand, IDC_BTN_SEARCH);
}

}  // namespace
}  // namespace quillon
