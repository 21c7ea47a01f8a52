// The program's command line and the hand-over of files to a Quillon already running: the
// arguments as Windows splits them, the files they name, and the one message that carries
// files from a second start to the first (WM_COPYDATA, checked on receipt).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// The arguments of a command line by the rules of CommandLineToArgvW: the program's name runs
// to its closing quote or the first blank; then blanks and tabs separate, quotes group, "" in
// quotes is a quote, and backslashes escape only before a quote.
std::vector<std::u16string> SplitCommandLine(std::u16string_view commandLine);

// The autorun entry's " -m": the last argument after the program's name is exactly "-m".
bool EndsWithHiddenSwitch(const std::vector<std::u16string>& arguments);

// The files and folders named after the program's name, less a final "-m".
std::vector<std::u16string> PathArguments(const std::vector<std::u16string>& arguments);

// "X:\..." or "\\server\share..." (also "\\?\..."): a path that names its drive or server.
bool IsFullPath(std::u16string_view path);

// The WM_COPYDATA kinds a second start sends the main window of the first (dwData).
//   kHandOverShow   no data: show the main window and bring it to the front.
//   kHandOverFiles  UTF-16 full paths, each ended by a NUL, the list ended by one more NUL.
inline constexpr std::uintptr_t kHandOverShow = 0x51554C01;
inline constexpr std::uintptr_t kHandOverFiles = 0x51554C02;

// Limits of one files message: Windows' longest path, and far more paths and characters than
// the longest command line can name.
inline constexpr std::size_t kMaxHandedPathLength = 32767;
inline constexpr std::size_t kMaxHandedPaths = 20000;
inline constexpr std::size_t kMaxHandOverChars = 1u << 20;

// The payloads of files messages for `paths`, each within the limits; paths longer than the
// longest path are left out.
std::vector<std::u16string> EncodeHandOver(const std::vector<std::u16string>& paths);

// The paths of a files message of `chars` UTF-16 units; nothing when it breaks any rule:
// empty, over a limit, not ended by two NULs, an empty path, a path that is not full.
std::optional<std::vector<std::u16string>> DecodeHandOver(const char16_t* data, std::size_t chars);

// The session's named object that marks this user's running Quillon; the user's SID (or,
// without one, his name) keeps other users' Quillon apart.
std::u16string InstanceMutexName(std::u16string_view user);

}  // namespace quillon
