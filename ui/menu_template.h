// Reads a standard menu template (the MENU resource format) into a tree of items, without
// <windows.h>, so every menu resource of the program can be checked natively.
//
// Layout: a header of a version word and an offset word, then the items from header end +
// offset. Each item is a flags word, a command word unless the item is a pop-up, and a
// zero-terminated UTF-16 text; the end flag closes the current level.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quillon {

inline constexpr std::uint16_t kMenuFlagPopup = 0x0010;
inline constexpr std::uint16_t kMenuFlagEnd = 0x0080;
// Deeper nesting than this is treated as a damaged template.
inline constexpr int kMaxMenuDepth = 16;

struct MenuTemplateItem {
  std::uint16_t flags = 0;    // the item's flags without the end flag
  std::uint16_t command = 0;  // 0 for pop-ups and separators
  std::u16string text;
  std::vector<MenuTemplateItem> children;  // the pop-up's items

  bool IsPopup() const { return (flags & kMenuFlagPopup) != 0; }
  bool IsSeparator() const { return !IsPopup() && command == 0; }
};

// The top-level items, or nothing when the template is truncated, has another version than
// the standard one, or nests deeper than kMaxMenuDepth. Bytes after the last level are ignored.
std::optional<std::vector<MenuTemplateItem>> ParseMenuTemplate(std::span<const std::uint8_t> data);

}  // namespace quillon
