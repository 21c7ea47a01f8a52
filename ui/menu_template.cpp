#include "ui/menu_template.h"

namespace quillon {
namespace {

class TemplateReader {
 public:
  explicit TemplateReader(std::span<const std::uint8_t> data) : data_(data) {}

  bool Word(std::uint16_t& value) {
    if (data_.size() - position_ < 2) return false;
    value = static_cast<std::uint16_t>(data_[position_] | (data_[position_ + 1] << 8));
    position_ += 2;
    return true;
  }

  bool Text(std::u16string& text) {
    for (std::uint16_t unit = 0; Word(unit);) {
      if (unit == 0) return true;
      text.push_back(static_cast<char16_t>(unit));
    }
    return false;
  }

  bool Skip(std::size_t count) {
    if (data_.size() - position_ < count) return false;
    position_ += count;
    return true;
  }

 private:
  std::span<const std::uint8_t> data_;
  std::size_t position_ = 0;
};

}  // namespace

std::optional<std::vector<MenuTemplateItem>> ParseMenuTemplate(std::span<const std::uint8_t> data) {
  TemplateReader reader(data);
  std::uint16_t version = 0;
  std::uint16_t offset = 0;
  if (!reader.Word(version) || !reader.Word(offset) || version != 0 || !reader.Skip(offset)) {
    return std::nullopt;
  }
  std::vector<MenuTemplateItem> top;
  // The open levels, innermost last; each level's items are appended to its vector.
  std::vector<std::vector<MenuTemplateItem>*> levels{&top};
  // Whether closing a level also closes the one around it (its pop-up carried the end flag).
  std::vector<bool> parentEnds{false};
  while (!levels.empty()) {
    MenuTemplateItem item;
    std::uint16_t flags = 0;
    if (!reader.Word(flags)) return std::nullopt;
    item.flags = static_cast<std::uint16_t>(flags & ~kMenuFlagEnd);
    if (!item.IsPopup() && !reader.Word(item.command)) return std::nullopt;
    if (!reader.Text(item.text)) return std::nullopt;
    const bool endsLevel = (flags & kMenuFlagEnd) != 0;
    std::vector<MenuTemplateItem>& level = *levels.back();
    level.push_back(std::move(item));
    if (level.back().IsPopup()) {
      if (static_cast<int>(levels.size()) >= kMaxMenuDepth) return std::nullopt;
      levels.push_back(&level.back().children);
      parentEnds.push_back(endsLevel);
      continue;
    }
    if (!endsLevel) continue;
    // Close this level and every enclosing level whose pop-up was its own level's last item.
    bool closeOuter = true;
    while (closeOuter && !levels.empty()) {
      closeOuter = parentEnds.back();
      levels.pop_back();
      parentEnds.pop_back();
    }
  }
  return top;
}

}  // namespace quillon
