#include "shell/files/file_type_icons.h"

#include <windows.h>
#include <shellapi.h>

#include "framework/wide.h"
#include "shell/model/file_list_model.h"

namespace quillon {

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

}  // namespace quillon
