#include "ui/menu_template.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quillon {
namespace {

// Builds template bytes item by item, as the resource compiler lays them out.
class TemplateBuilder {
 public:
  explicit TemplateBuilder(std::uint16_t version = 0, std::uint16_t offset = 0) {
    Word(version);
    Word(offset);
    for (int i = 0; i < offset; ++i) bytes_.push_back(0xEE);
  }
  TemplateBuilder& Item(std::uint16_t flags, std::uint16_t command, const std::u16string& text) {
    Word(flags);
    Word(command);
    Text(text);
    return *this;
  }
  TemplateBuilder& Popup(std::uint16_t flags, const std::u16string& text) {
    Word(static_cast<std::uint16_t>(flags | kMenuFlagPopup));
    Text(text);
    return *this;
  }
  std::vector<std::uint8_t> Bytes() const { return bytes_; }

 private:
  void Word(std::uint16_t value) {
    bytes_.push_back(static_cast<std::uint8_t>(value & 0xFF));
    bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
  }
  void Text(const std::u16string& text) {
    for (char16_t c : text) Word(c);
    Word(0);
  }
  std::vector<std::uint8_t> bytes_;
};

constexpr std::uint16_t kEnd = kMenuFlagEnd;
constexpr std::uint16_t kGreyed = 0x0001;
constexpr std::uint16_t kChecked = 0x0008;

TEST(MenuTemplate, FileMenuWithNestedPopupAndSeparators) {
  // Menu 167: one pop-up holding "Add" (File, Folder), separator, Open, separator, Exit.
  const auto bytes = TemplateBuilder()
                         .Popup(kEnd, u"File")
                         .Popup(0, u"Add")
                         .Item(0, 32777, u"File")
                         .Item(kEnd, 32778, u"Folder")
                         .Item(0, 0, u"")
                         .Item(0, 32801, u"Open Selected File(s)...")
                         .Item(0, 0, u"")
                         .Item(kEnd, 32783, u"Exit")
                         .Bytes();
  const auto menu = ParseMenuTemplate(bytes);
  ASSERT_TRUE(menu);
  ASSERT_EQ(menu->size(), 1u);
  const MenuTemplateItem& file = (*menu)[0];
  EXPECT_TRUE(file.IsPopup());
  EXPECT_EQ(file.flags, kMenuFlagPopup);  // the end flag is not kept
  EXPECT_EQ(file.text, u"File");
  ASSERT_EQ(file.children.size(), 5u);
  const MenuTemplateItem& add = file.children[0];
  ASSERT_TRUE(add.IsPopup());
  ASSERT_EQ(add.children.size(), 2u);
  EXPECT_EQ(add.children[0].command, 32777);
  EXPECT_EQ(add.children[1].text, u"Folder");
  EXPECT_TRUE(file.children[1].IsSeparator());
  EXPECT_EQ(file.children[2].command, 32801);
  EXPECT_EQ(file.children[2].text, u"Open Selected File(s)...");
  EXPECT_TRUE(file.children[3].IsSeparator());
  EXPECT_EQ(file.children[4].command, 32783);
  EXPECT_FALSE(file.children[4].IsSeparator());
}

TEST(MenuTemplate, PopupAsLastItemClosesItsParentToo) {
  // The inner pop-up carries the end flag: after its items, the outer level is closed as well,
  // and the following top-level item belongs to the menu bar.
  const auto bytes = TemplateBuilder()
                         .Popup(0, u"Outer")
                         .Item(0, 1, u"One")
                         .Popup(kEnd, u"Inner")
                         .Item(kEnd, 2, u"Two")
                         .Popup(kEnd, u"Second")
                         .Item(kEnd | kChecked | kGreyed, 3, u"Three")
                         .Bytes();
  const auto menu = ParseMenuTemplate(bytes);
  ASSERT_TRUE(menu);
  ASSERT_EQ(menu->size(), 2u);
  ASSERT_EQ((*menu)[0].children.size(), 2u);
  EXPECT_EQ((*menu)[0].children[1].children[0].command, 2);
  EXPECT_EQ((*menu)[1].text, u"Second");
  EXPECT_EQ((*menu)[1].children[0].flags, kChecked | kGreyed);
}

TEST(MenuTemplate, HeaderOffsetSkipsExtraBytesAndTrailingBytesAreIgnored) {
  auto bytes = TemplateBuilder(0, 4).Popup(kEnd, u"P").Item(kEnd, 7, u"Seven").Bytes();
  bytes.push_back(0x12);
  const auto menu = ParseMenuTemplate(bytes);
  ASSERT_TRUE(menu);
  EXPECT_EQ((*menu)[0].children[0].command, 7);
}

TEST(MenuTemplate, RejectsDamagedTemplates) {
  const auto good = TemplateBuilder().Popup(kEnd, u"P").Item(kEnd, 7, u"Seven").Bytes();
  ASSERT_TRUE(ParseMenuTemplate(good));
  // Every truncation fails cleanly.
  for (std::size_t size = 0; size < good.size(); ++size) {
    EXPECT_FALSE(ParseMenuTemplate({good.data(), size})) << "size " << size;
  }
  // An extended template (version 1) is not the standard layout.
  EXPECT_FALSE(ParseMenuTemplate(TemplateBuilder(1).Popup(kEnd, u"P").Item(kEnd, 1, u"x").Bytes()));
  // An offset past the end.
  EXPECT_FALSE(ParseMenuTemplate(TemplateBuilder(0, 0).Bytes()));
  std::vector<std::uint8_t> farOffset{0, 0, 0x40, 0};
  EXPECT_FALSE(ParseMenuTemplate(farOffset));
  // A level that never ends.
  EXPECT_FALSE(ParseMenuTemplate(TemplateBuilder().Popup(kEnd, u"P").Item(0, 1, u"x").Bytes()));
}

TEST(MenuTemplate, RejectsNestingDeeperThanTheLimit) {
  TemplateBuilder deep;
  for (int i = 0; i < kMaxMenuDepth + 1; ++i) deep.Popup(kEnd, u"P");
  deep.Item(kEnd, 1, u"x");
  EXPECT_FALSE(ParseMenuTemplate(deep.Bytes()));

  TemplateBuilder allowed;
  for (int i = 0; i < kMaxMenuDepth - 1; ++i) allowed.Popup(kEnd, u"P");
  allowed.Item(kEnd, 1, u"x");
  EXPECT_TRUE(ParseMenuTemplate(allowed.Bytes()));
}

}  // namespace
}  // namespace quillon
