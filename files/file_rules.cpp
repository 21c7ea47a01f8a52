#include "files/file_rules.h"

#include "catalogue/tag_text.h"

namespace quillon {

void FileListSort::Reset() {
  column_ = 0;
  ascending_.fill(true);
}

void FileListSort::ClickColumn(int column) {
  if (column < 0 || column >= kFileListColumns) return;
  column_ = column;
  ascending_[column] = !ascending_[column];
}

bool FileListSort::Ascending(int column) const {
  return column < 0 || column >= kFileListColumns || ascending_[column];
}

int FileListSort::Order(int comparison) const {
  const int sign = (comparison > 0) - (comparison < 0);
  return Ascending(column_) ? sign : -sign;
}

std::u16string JoinFullPaths(const std::vector<FileRecord>& records) {
  std::u16string joined;
  for (const FileRecord& record : records) {
    if (!joined.empty()) joined += u"; ";
    joined += record.FullPath();
  }
  return joined;
}

std::u16string SameTagsText(const std::vector<FileRecord>& records) {
  std::u16string merged;
  for (const FileRecord& record : records) MergeTagText(merged, record.Tags);
  return NormalizeTagText(merged);
}

std::u16string OpenWithParameters(std::u16string_view fullPath) {
  return u"shell32.dll, OpenAs_RunDLL " + std::u16string(fullPath);
}

std::u16string FileTypeKey(std::u16string_view fileName) {
  const std::size_t dot = fileName.rfind(u'.');
  if (dot == std::u16string_view::npos) return {};
  std::u16string key(fileName.substr(dot + 1));
  for (char16_t& unit : key) {
    if (unit >= u'A' && unit <= u'Z') unit = static_cast<char16_t>(unit - u'A' + u'a');
  }
  return key;
}

bool HasOwnIcon(std::u16string_view typeKey) {
  static constexpr std::u16string_view kOwnIconTypes[] = {u"exe", u"scr", u"cpl", u"ico", u"cur",
                                                          u"ani", u"lnk", u"url", u"pif"};
  for (const std::u16string_view type : kOwnIconTypes) {
    if (type == typeKey) return true;
  }
  return false;
}

}  // namespace quillon
