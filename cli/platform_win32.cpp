#include "cli/platform.h"

#include <io.h>

#include <vector>

#include "base/text_convert.h"
#include "cli/windows_names.h"
#include "framework/wide.h"

namespace quillon {

std::optional<std::u16string> CataloguePath(const std::filesystem::path& file,
                                            std::u16string& problem) {
  // The system takes a device name for the device; the other names it refuses by itself.
  const std::u16string name = FromWide(file.filename().native());
  if (auto reason = WindowsNameProblem(name)) {
    problem = u"Windows cannot open \"" + name + u"\": " + *reason;
    return std::nullopt;
  }
  const std::wstring& given = file.native();
  const DWORD size = GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
  if (size == 0) return FromWide(given);
  std::vector<wchar_t> full(size);
  return FromWide(full.data(), GetFullPathNameW(given.c_str(), size, full.data(), nullptr));
}

bool IsTerminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }
bool IsHiddenOrSystem(const std::filesystem::path& file) {
  const DWORD attributes = GetFileAttributesW(file.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
}

void WriteText(std::FILE* stream, std::string_view text) {
  // A console shows UTF-16 through WriteConsoleW whatever its code page; pipes and files get
  // the UTF-8 bytes.
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
    const std::u16string wide = FromUtf8(text);
    std::fflush(stream);
    DWORD written = 0;
    WriteConsoleW(handle, Wide(wide), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace quillon
