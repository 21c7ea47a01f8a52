// The files that a drop, the picker or the command line brings: dropped files as they are, the
// files inside dropped folders (and their sub-folders), without hidden or system files and
// without following links, within the limits of one batch. The file system is reached through
// a FolderReader, so the walk's rules are the same for the program and the command line.
//
//   GatheredFiles found = GatherFiles(paths, reader, {.separator = u'\\', .recursive = true});
//   if (found.tooMany) ... else AddTogether(found.files);
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// The most files one batch takes; a drop that brings more adds none.
inline constexpr std::size_t kMaxBatchFiles = 10000;
// The longest full path the program catalogues (the shell's MAX_PATH, its NUL left out).
inline constexpr std::size_t kMaxCataloguedPath = 260;

enum class PathKind { kMissing, kFile, kFolder };

struct FolderEntry {
  std::u16string name;
  bool folder = false;
  bool hiddenOrSystem = false;
  bool link = false;  // a link or other reparse point: never followed
};

class FolderReader {
 public:
  virtual ~FolderReader() = default;
  // What is found at a path handed in; a path whose attributes cannot be read is missing.
  virtual PathKind Kind(const std::u16string& path) = 0;
  // The entries of `folder` (without "." and ".."); false when it cannot be read.
  virtual bool Read(const std::u16string& folder, std::vector<FolderEntry>& entries) = 0;
};

struct GatherOptions {
  char16_t separator = u'\\';
  bool recursive = true;  // false: only the files right inside a handed-in folder
  std::size_t limit = kMaxBatchFiles;
};

struct GatheredFiles {
  std::vector<std::u16string> files;  // in the order found; empty when tooMany
  std::size_t tooLong = 0;            // files and folders left out for a path over the limit
  std::size_t unreadableFolders = 0;
  std::size_t missing = 0;  // handed-in paths at which nothing was found
  std::size_t folders = 0;  // handed-in folders
  std::u16string firstFolder;  // the name (last part) of the first handed-in folder
  bool tooMany = false;        // more files than the limit: none are taken
};

// The full paths in what the open-file dialog returns for several files: the folder, then
// each name, every part ended by a NUL and the list by a second one; a single chosen file
// comes as its full path alone.
std::vector<std::u16string> SplitPickedFiles(std::u16string_view result);

GatheredFiles GatherFiles(const std::vector<std::u16string>& paths, FolderReader& reader,
                          const GatherOptions& options = {});

}  // namespace quillon
