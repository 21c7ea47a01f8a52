// How the hover preview arranges what it shows: the comment cut into lines, the shortened name
// and tags, the window's place beside the pointer and the rectangles its painting fills. All in
// pixels; the window code only applies them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "preview/image/thumbnail_fit.h"

namespace quillon {

inline constexpr std::size_t kCommentPieceLength = 38;
inline constexpr std::size_t kShownNameLength = 20;
inline constexpr std::size_t kShownTagsLength = 25;
inline constexpr std::int32_t kPreviewWidth = 250;

// The comment cut from the front into pieces of 38 characters (line breaks count as
// characters), each piece followed by one line feed.
std::u16string WrapComment(std::u16string_view comment);

// The line feeds of a wrapped comment after its first character: each adds a line to the
// window's height.
std::int32_t CountCommentLines(std::u16string_view wrapped);

// `text` whole when it has at most `limit` characters, else its first limit - 3 and "...".
std::u16string ShortenForPreview(std::u16string_view text, std::size_t limit);

// Pixels the picture section takes: none without a picture (a size that is not positive),
// 200 for a picture the box must reduce, else its height and 32.
std::int32_t ImageSectionHeight(std::int32_t pictureWidth, std::int32_t pictureHeight);

struct PreviewPlacement {
  std::int32_t pointerX = 0;  // the pointer handed in by the owner, screen pixels
  std::int32_t pointerY = 0;
  std::int32_t cursorX = 0;  // where the cursor is now, which picks the side
  std::int32_t screenWidth = 0;
  std::int32_t screenHeight = 0;
  std::int32_t commentLines = 0;  // CountCommentLines of the shown comment
  std::int32_t imageSection = 0;  // ImageSectionHeight of the picture
};

struct PreviewLayout {
  ImageRect window;  // screen pixels
  // The comment control in window pixels: at (10, 74), 230 wide.
  ImageRect comment;
};

// The popup opens 50 pixels right of the pointer, or 300 left of it once the cursor is at two
// thirds of the screen's width or further; it reaches 10 pixels above the pointer and is held
// 35 pixels above the screen's bottom.
PreviewLayout LayoutPreview(const PreviewPlacement& placement);

// The most comment lines a popup with this picture section can show and still fit between the
// screen's top and its bottom margin; at least one.
std::int32_t MaxCommentLines(std::int32_t screenHeight, std::int32_t imageSection);

// A wrapped comment with more lines than `maxLines` keeps its first maxLines - 1 and ends in a
// line "...": a very long comment must not push the file's name off the screen.
std::u16string LimitCommentLines(std::u16string wrapped, std::int32_t maxLines);

// The name the shell is asked for a file's icon by type: the full path itself, or for a path
// the shell cannot take (MAX_PATH and longer) a short name with the same extension.
std::u16string IconLookupName(std::u16string_view fullPath);

// What one paint of a width × height window fills, in window pixels.
struct PreviewPaintPlan {
  std::array<ImageRect, 4> border;  // top, bottom, left, right
  ImageRect commentRule;
  ImageRect commentBand;
  ImageRect commentLabel;  // the band's text starts at its top-left corner
  bool hasPicture = false;
  ImageRect pictureRule;
  ImageRect pictureBand;
  ImageRect pictureLabel;
  ImageRect picture;  // where the picture is drawn
  std::array<ImageRect, 4> frame;  // one pixel around the picture, a pixel of gap between
};

// `commentHeight` is the comment control's height; a picture size that is not positive means
// no picture section.
PreviewPaintPlan PlanPreviewPaint(std::int32_t width, std::int32_t height,
                                  std::int32_t commentHeight, std::int32_t pictureWidth,
                                  std::int32_t pictureHeight);

// A file that is not where the catalogue says shows, in place of the picture section, a rule
// and a band of two lines that say so.
inline constexpr std::int32_t kMissingSectionHeight = 44;

struct MissingNotePlan {
  ImageRect rule;
  ImageRect band;
  ImageRect text;  // the note is wrapped inside it
};

MissingNotePlan PlanMissingNote(std::int32_t width, std::int32_t commentHeight);

}  // namespace quillon
