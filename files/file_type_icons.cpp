#include "files/file_type_icons.h"

#include <windows.h>
#include <shellapi.h>

#include "files/file_rules.h"
#include "framework/wide.h"

namespace quillon {
namespace {

// A name without an extension stands for the generic file.
constexpr char16_t kGenericFileName[] = u"file";

}  // namespace

int FileTypeIcons::SmallIconIndex(const std::u16string& fileName) {
  const std::u16string type = FileTypeKey(fileName);
  const auto known = byType_.find(type);
  if (known != byType_.end()) return known->second;
  SHFILEINFOW info{};
  const DWORD_PTR found = ::SHGetFileInfoW(
      Wide(fileName), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
      SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
  const int index = found ? info.iIcon : 0;
  byType_.emplace(type, index);
  return index;
}

int FileTypeIcons::SmallIconIndexOfFile(const std::u16string& fullPath) {
  const std::size_t separator = fullPath.find_last_of(u"\\/");
  const std::u16string fileName =
      separator == std::u16string::npos ? fullPath : fullPath.substr(separator + 1);
  if (!HasOwnIcon(FileTypeKey(fileName))) return SmallIconIndex(fileName);
  SHFILEINFOW info{};
  if (::SHGetFileInfoW(Wide(fullPath), 0, &info, sizeof(info),
                       SHGFI_SYSICONINDEX | SHGFI_SMALLICON)) {
    return info.iIcon;
  }
  return SmallIconIndex(kGenericFileName);
}

}  // namespace quillon
