// What the program asks the file system about a path it is given: the files it catalogues are
// only looked at, never opened.
#pragma once

#include <string>
#include <vector>

#include "base/file_gathering.h"

namespace quillon {

// Whether a file or folder is found at `path`. Wildcards are not looked up: "*.txt" names no
// file, even where a find-first would find one.
bool FileOrFolderExists(const std::u16string& path);

// Whether `path` is a file that exists; a folder, or a path whose attributes cannot be read,
// is not.
bool FileExists(const std::u16string& path);

// The folder walk's view of the system: hidden, system and reparse-point entries (links,
// junctions) are marked, so the walk leaves them out and never follows a link.
class SystemFolderReader : public FolderReader {
 public:
  PathKind Kind(const std::u16string& path) override;
  bool Read(const std::u16string& folder, std::vector<FolderEntry>& entries) override;
};

// `path` made full against the current folder ("notes.txt" -> "C:\\Work\\notes.txt"); itself
// when it cannot be.
std::u16string FullPathOf(const std::u16string& path);

}  // namespace quillon
