#include "preview/preview_layout.h"
#include "resources/user_texts.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

constexpr std::int32_t kScreenWidth = 1280;
constexpr std::int32_t kScreenHeight = 1024;

// The height of the popup for a comment and a picture, pointer well inside the screen.
std::int32_t PopupHeight(std::u16string_view comment, std::int32_t pictureWidth = 0,
                         std::int32_t pictureHeight = 0) {
  const PreviewLayout layout = LayoutPreview(
      {400, 300, 400, kScreenWidth, kScreenHeight, CountCommentLines(WrapComment(comment)),
       ImageSectionHeight(pictureWidth, pictureHeight)});
  return layout.window.bottom - layout.window.top;
}

TEST(PreviewComment, IsCutIntoPiecesOf38EachEndingInALineFeed) {
  const std::u16string exact(38, u'a');
  EXPECT_EQ(WrapComment(exact), exact + u"\n");
  EXPECT_EQ(PopupHeight(exact), 110);
  EXPECT_EQ(PopupHeight(u"" TEXT_NO_COMMENT), 110);

  const std::u16string longer = exact + u"b";
  EXPECT_EQ(WrapComment(longer), exact + u"\nb\n");
  EXPECT_EQ(PopupHeight(longer), 130);

  // A typed line break stays inside its piece and adds a line of its own.
  EXPECT_EQ(WrapComment(u"a\r\nb"), u"a\r\nb\n");
  EXPECT_EQ(PopupHeight(u"a\r\nb"), 130);
  // Line breaks count as characters of a piece: here the pair is cut after its CR.
  EXPECT_EQ(WrapComment(std::u16string(37, u'x') + u"\r\n"),
            std::u16string(37, u'x') + u"\r\n" + u"\n\n");
}

TEST(PreviewComment, ALineFeedAsTheVeryFirstCharacterAddsNoLine) {
  EXPECT_EQ(CountCommentLines(u"\n"), 0);
  EXPECT_EQ(CountCommentLines(u"\nab\n"), 1);
  EXPECT_EQ(CountCommentLines(u""), 0);
}

TEST(PreviewComment, AVeryLongCommentIsHeldToTheScreen) {
  const std::u16string hundredKilobytes(100 * 1024 / 2, u'c');
  const std::u16string wrapped = WrapComment(hundredKilobytes);
  const std::int32_t maxLines = MaxCommentLines(kScreenHeight, 0);
  EXPECT_EQ(maxLines, (1024 - 35 - 90) / 20);
  const std::u16string limited = LimitCommentLines(wrapped, maxLines);
  EXPECT_EQ(CountCommentLines(limited), maxLines);
  EXPECT_EQ(limited.substr(limited.size() - 6), u"c\n...\n");
  EXPECT_EQ(limited.substr(0, 39), std::u16string(38, u'c') + u"\n");

  const PreviewLayout layout = LayoutPreview(
      {400, 300, 400, kScreenWidth, kScreenHeight, CountCommentLines(limited), 0});
  EXPECT_GE(layout.window.top, 0);  // the name and icon stay on the screen
  EXPECT_EQ(layout.window.bottom, kScreenHeight - 35);

  // A comment that fits is left alone; a single allowed line still says it was cut.
  EXPECT_EQ(LimitCommentLines(u"ab\n", 1), u"ab\n");
  EXPECT_EQ(LimitCommentLines(u"ab\ncd\n", 1), u"...\n");
  EXPECT_EQ(MaxCommentLines(100, 200), 1);
}

TEST(PreviewText, NamesAndTagsAreShortenedPastTheirLimits) {
  const std::u16string name20 = u"abcdefghijklmnopqrst";
  EXPECT_EQ(ShortenForPreview(name20, kShownNameLength), name20);
  EXPECT_EQ(ShortenForPreview(name20 + u"u", kShownNameLength), u"abcdefghijklmnopq...");
  const std::u16string tags25 = u"one;two;three;four;five;;";
  ASSERT_EQ(tags25.size(), 25u);
  EXPECT_EQ(ShortenForPreview(tags25, kShownTagsLength), tags25);
  EXPECT_EQ(ShortenForPreview(tags25 + u"x", kShownTagsLength), u"one;two;three;four;fiv...");
}

TEST(PreviewPicture, SectionHeightFollowsWhetherTheBoxReducesThePicture) {
  EXPECT_EQ(ImageSectionHeight(0, 0), 0);
  EXPECT_EQ(ImageSectionHeight(230, 168), 200);  // natural size: 168 + 32
  EXPECT_EQ(ImageSectionHeight(100, 50), 82);
  EXPECT_EQ(ImageSectionHeight(231, 10), 200);
  EXPECT_EQ(ImageSectionHeight(10, 169), 200);
  EXPECT_EQ(PopupHeight(u"" TEXT_NO_COMMENT, 100, 50), 110 + 82);
}

TEST(PreviewPlacement, OpensRightOfThePointerUntilTwoThirdsOfTheScreen) {
  // 1280 / 3 * 2 = 853.33: the cursor at 853 still opens right, 854 opens left.
  PreviewPlacement placement{853, 300, 853, kScreenWidth, kScreenHeight, 1, 0};
  EXPECT_EQ(LayoutPreview(placement).window.left, 903);
  placement.cursorX = 854;
  EXPECT_EQ(LayoutPreview(placement).window.left, 853 - 300);
  EXPECT_EQ(LayoutPreview(placement).window.right, 853 - 300 + 250);

  // Exactly two thirds (1200 / 3 * 2 = 800) opens to the left.
  placement = {800, 300, 800, 1200, 900, 1, 0};
  EXPECT_EQ(LayoutPreview(placement).window.left, 500);
  // The side follows the cursor, the place follows the pointer handed in.
  placement.cursorX = 10;
  EXPECT_EQ(LayoutPreview(placement).window.left, 850);
}

TEST(PreviewPlacement, NearTheBottomThePopupIsHeld35PixelsAboveIt) {
  const PreviewLayout free = LayoutPreview({400, 300, 400, kScreenWidth, kScreenHeight, 1, 0});
  EXPECT_EQ(free.window, (ImageRect{450, 290, 700, 400}));
  EXPECT_EQ(free.comment, (ImageRect{10, 74, 240, 106}));

  const PreviewLayout held =
      LayoutPreview({400, 1000, 400, kScreenWidth, kScreenHeight, 2, 200});
  EXPECT_EQ(held.window.bottom, 1024 - 35);
  EXPECT_EQ(held.window.top, 1024 - 330 - 35);
  // The comment keeps its height: the window height minus the picture section and 78.
  EXPECT_EQ(held.comment.bottom - held.comment.top, 330 - 200 - 78);
}

TEST(PreviewPaint, ThePictureEndsNinePixelsAboveTheBottomWhenItFillsTheBox) {
  struct Case {
    std::int32_t width, height;
  };
  for (const Case c : {Case{230, 168}, Case{640, 480}, Case{10, 169}, Case{100, 50},
                       Case{231, 10}}) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    const std::int32_t section = ImageSectionHeight(c.width, c.height);
    const PreviewLayout layout =
        LayoutPreview({400, 300, 400, kScreenWidth, kScreenHeight, 1, section});
    const std::int32_t width = layout.window.right - layout.window.left;
    const std::int32_t height = layout.window.bottom - layout.window.top;
    const PreviewPaintPlan plan = PlanPreviewPaint(
        width, height, layout.comment.bottom - layout.comment.top, c.width, c.height);
    ASSERT_TRUE(plan.hasPicture);
    // Only a wide picture, reduced to the box's width, ends higher.
    const bool reduced = c.width > 230 || c.height > 168;
    const bool wide = static_cast<double>(c.width) / c.height > 230.0 / 168;
    if (reduced && wide) {
      EXPECT_LT(plan.picture.bottom, height - 9);
    } else {
      EXPECT_EQ(plan.picture.bottom, height - 9);
    }
    EXPECT_EQ(plan.picture.top, layout.comment.bottom + 27);
    // The frame lies one pixel of gap outside the picture.
    EXPECT_EQ(plan.frame[0], (ImageRect{8, plan.picture.top - 2, plan.picture.right + 2,
                                        plan.picture.top - 1}));
    EXPECT_EQ(plan.frame[3].left, plan.picture.right + 1);
    EXPECT_EQ(plan.frame[1].top, plan.picture.bottom + 1);
  }
}

TEST(PreviewPaint, BorderAndBandsWithoutAPicture) {
  const PreviewPaintPlan plan = PlanPreviewPaint(250, 110, 32, 0, 0);
  EXPECT_FALSE(plan.hasPicture);
  EXPECT_EQ(plan.border[1], (ImageRect{0, 108, 250, 110}));
  EXPECT_EQ(plan.border[3], (ImageRect{248, 0, 250, 110}));
  EXPECT_EQ(plan.commentBand, (ImageRect{6, 53, 244, 71}));
  EXPECT_EQ(plan.commentRule, (ImageRect{6, 52, 244, 53}));
}

TEST(PreviewPaint, TheMissingNoteFillsItsSectionBelowTheCommentAndInsideTheBorder) {
  for (const std::int32_t commentLines : {0, 1, 5}) {
    SCOPED_TRACE(commentLines);
    const PreviewLayout layout = LayoutPreview(
        {400, 300, 400, kScreenWidth, kScreenHeight, commentLines, kMissingSectionHeight});
    const std::int32_t width = layout.window.right - layout.window.left;
    const std::int32_t height = layout.window.bottom - layout.window.top;
    const MissingNotePlan note =
        PlanMissingNote(width, layout.comment.bottom - layout.comment.top);
    EXPECT_EQ(note.rule.top, layout.comment.bottom);
    EXPECT_EQ(note.band.top, note.rule.bottom);
    // Two lines of text fit, and the band ends eight pixels above the border.
    EXPECT_GE(note.text.bottom - note.text.top, 2 * 16);
    EXPECT_EQ(note.band.bottom, height - 2 - 8);
    EXPECT_EQ(note.band.right, width - 6);
  }
}

TEST(PreviewIcon, PathsTheShellCannotTakeAreAskedByTheirExtension) {
  EXPECT_EQ(IconLookupName(u"C:\\a\\b.txt"), u"C:\\a\\b.txt");
  const std::u16string deep = u"C:\\" + std::u16string(300, u'd') + u"\\photo.JPG";
  EXPECT_EQ(IconLookupName(deep), u"file.JPG");
  EXPECT_EQ(IconLookupName(u"C:\\x.y\\" + std::u16string(300, u'n')), u"file");
  EXPECT_EQ(IconLookupName(u"\\"), u"\\");
}

}  // namespace
}  // namespace quillon
