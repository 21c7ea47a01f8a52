#include "preview/preview_layout.h"

#include <algorithm>

namespace quillon {
namespace {

constexpr std::int32_t kBaseHeight = 90;
constexpr std::int32_t kLineHeight = 20;
constexpr std::int32_t kBottomMargin = 35;
constexpr std::int32_t kReducedSection = 200;
constexpr std::int32_t kPictureSectionExtra = 32;
constexpr std::int32_t kCommentTop = 74;
// The comment control ends this far above the picture section: 90 - 78 leaves it 12 pixels
// and 20 a line.
constexpr std::int32_t kCommentBottomGap = 78;
constexpr std::u16string_view kEllipsis = u"...";

}  // namespace

std::u16string WrapComment(std::u16string_view comment) {
  std::u16string wrapped;
  wrapped.reserve(comment.size() + comment.size() / kCommentPieceLength + 1);
  for (std::size_t at = 0; at < comment.size(); at += kCommentPieceLength) {
    wrapped.append(comment.substr(at, kCommentPieceLength));
    wrapped.push_back(u'\n');
  }
  return wrapped;
}

std::int32_t CountCommentLines(std::u16string_view wrapped) {
  if (wrapped.size() < 2) return 0;
  return static_cast<std::int32_t>(std::count(wrapped.begin() + 1, wrapped.end(), u'\n'));
}

std::u16string ShortenForPreview(std::u16string_view text, std::size_t limit) {
  if (text.size() <= limit) return std::u16string(text);
  std::u16string shortened(text.substr(0, limit - kEllipsis.size()));
  shortened.append(kEllipsis);
  return shortened;
}

std::int32_t ImageSectionHeight(std::int32_t pictureWidth, std::int32_t pictureHeight) {
  if (pictureWidth <= 0 || pictureHeight <= 0) return 0;
  if (pictureHeight > kThumbnailBoxHeight || pictureWidth > kThumbnailBoxWidth) {
    return kReducedSection;
  }
  return pictureHeight + kPictureSectionExtra;
}

PreviewLayout LayoutPreview(const PreviewPlacement& placement) {
  const std::int32_t height =
      kBaseHeight + kLineHeight * placement.commentLines + placement.imageSection;
  PreviewLayout layout;
  ImageRect& window = layout.window;
  // At exactly two thirds the popup already opens to the left.
  const bool opensRight = placement.screenWidth / 3.0 * 2 > placement.cursorX;
  window.left = opensRight ? placement.pointerX + 50 : placement.pointerX - 300;
  window.right = window.left + kPreviewWidth;
  window.top = placement.pointerY - 10;
  window.bottom = window.top + height;
  if (window.bottom > placement.screenHeight - kBottomMargin) {
    window.bottom = placement.screenHeight - kBottomMargin;
    window.top = placement.screenHeight - height - kBottomMargin;
  }
  const std::int32_t commentHeight =
      window.bottom - placement.imageSection - window.top - kCommentBottomGap;
  layout.comment = ImageRect{kThumbnailBoxLeft, kCommentTop,
                             kThumbnailBoxLeft + kThumbnailBoxWidth, kCommentTop + commentHeight};
  return layout;
}

std::int32_t MaxCommentLines(std::int32_t screenHeight, std::int32_t imageSection) {
  const std::int32_t room = screenHeight - kBottomMargin - kBaseHeight - imageSection;
  return std::max<std::int32_t>(1, room / kLineHeight);
}

std::u16string LimitCommentLines(std::u16string wrapped, std::int32_t maxLines) {
  if (CountCommentLines(wrapped) <= maxLines) return wrapped;
  // Keep the text up to the line feed that ends line maxLines - 1 (counted as the layout
  // counts them: from the second character on).
  std::size_t keep = 0;
  std::int32_t kept = 0;
  for (std::size_t at = 1; at < wrapped.size() && kept < maxLines - 1; ++at) {
    if (wrapped[at] == u'\n') {
      ++kept;
      keep = at + 1;
    }
  }
  wrapped.resize(keep);
  wrapped.append(kEllipsis);
  wrapped.push_back(u'\n');
  return wrapped;
}

namespace {

// The name's extension with its dot, as it stands; empty without one.
std::u16string_view ExtensionOf(std::u16string_view fullPath) {
  const std::size_t nameStart = fullPath.find_last_of(u'\\');
  const std::size_t dot = fullPath.find_last_of(u'.');
  if (dot == std::u16string_view::npos) return {};
  if (nameStart != std::u16string_view::npos && dot < nameStart) return {};
  return fullPath.substr(dot);
}

}  // namespace

std::u16string IconLookupName(std::u16string_view fullPath) {
  constexpr std::size_t kShellPathLimit = 260;
  constexpr std::size_t kLongestExtension = 64;
  if (fullPath.size() < kShellPathLimit) return std::u16string(fullPath);
  std::u16string name = u"file";
  const std::u16string_view extension = ExtensionOf(fullPath);
  if (extension.size() < kLongestExtension) name.append(extension);
  return name;
}

PreviewPaintPlan PlanPreviewPaint(std::int32_t width, std::int32_t height,
                                  std::int32_t commentHeight, std::int32_t pictureWidth,
                                  std::int32_t pictureHeight) {
  PreviewPaintPlan plan;
  plan.border = {ImageRect{0, 0, width, 2}, ImageRect{0, height - 2, width, height},
                 ImageRect{0, 0, 2, height}, ImageRect{width - 2, 0, width, height}};
  plan.commentRule = ImageRect{6, 52, width - 6, 53};
  plan.commentBand = ImageRect{6, 53, width - 6, 71};
  plan.commentLabel = ImageRect{10, 55, width - 6, 71};
  plan.hasPicture = pictureWidth > 0 && pictureHeight > 0;
  if (!plan.hasPicture) return plan;

  const std::int32_t below = commentHeight + kCommentTop;
  plan.pictureRule = ImageRect{6, below, width - 6, below + 1};
  plan.pictureBand = ImageRect{6, below + 1, width - 6, below + 19};
  plan.pictureLabel = ImageRect{10, below + 3, width - 6, below + 19};
  const std::int32_t boxTop = below + 27;
  const ImageRect& p = plan.picture = FitThumbnail(pictureWidth, pictureHeight, boxTop);
  plan.frame = {ImageRect{8, p.top - 2, p.right + 2, p.top - 1},
                ImageRect{8, p.bottom + 1, p.right + 2, p.bottom + 2},
                ImageRect{8, p.top - 2, 9, p.bottom + 2},
                ImageRect{p.right + 1, p.top - 2, p.right + 2, p.bottom + 2}};
  return plan;
}

MissingNotePlan PlanMissingNote(std::int32_t width, std::int32_t commentHeight) {
  // Where a picture section would start, and as high as the section the layout gave it.
  const std::int32_t below = commentHeight + kCommentTop;
  const std::int32_t bottom = below + kMissingSectionHeight - 6;
  return {ImageRect{6, below, width - 6, below + 1}, ImageRect{6, below + 1, width - 6, bottom},
          ImageRect{10, below + 3, width - 8, bottom}};
}

}  // namespace quillon
