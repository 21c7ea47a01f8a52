// Where a missing file may have gone: files of its size in the folders around it, in the
// folders of other catalogued files and under the folders the user names, found within fixed
// budgets of directory entries so that a pass stays short whatever is missing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "relocate/file_probe.h"

namespace quillon {

// The catalogue compares paths without regard to ASCII case; so do the pass's sets.
std::u16string PathKey(std::u16string_view fullPath);
// "C:\a\b" for "C:\a\b\name"; empty when the path holds no "\".
std::u16string FolderOf(std::u16string_view fullPath);

struct SearchBudget {
  std::size_t nearbyEntriesPerFile = 4096;  // old folder, parent and sibling folders
  std::size_t sharedEntries = 50000;        // folders of other catalogued files, once a pass
  std::size_t rootEntries = 2000000;        // the folders the user names, once a pass
  std::size_t entriesPerPass = 200000;      // every listing of a pass outside the roots
};

class CandidateSearch {
 public:
  CandidateSearch(FileProbe& probe, const SearchBudget& budget,
                  std::vector<std::u16string> sharedFolders, std::vector<std::u16string> roots);

  // Full paths of files of `size` that may be the file missing from `oldFolder`, each once.
  std::vector<std::u16string> Candidates(const std::u16string& oldFolder, std::uint64_t size);
  // Full paths of the files of `size` in `folder` alone, from its one listing of the pass.
  std::vector<std::u16string> InFolder(const std::u16string& folder, std::uint64_t size);

 private:
  using SizeIndex = std::unordered_multimap<std::uint64_t, std::u16string>;
  // The listing of `folder`, listed once; null when the pass's budget is spent.
  const std::vector<DirectoryEntry>* List(const std::u16string& folder);
  // Adds the files of `folder` to `index`, counting its entries against `left`.
  void IndexFolder(const std::u16string& folder, SizeIndex& index, std::size_t& left,
                   std::vector<std::u16string>* subfolders);
  void BuildShared();
  void BuildRoots();

  FileProbe& probe_;
  SearchBudget budget_;
  std::vector<std::u16string> sharedFolders_;
  std::vector<std::u16string> roots_;
  std::unordered_map<std::u16string, std::vector<DirectoryEntry>> listings_;
  std::size_t listed_ = 0;
  bool sharedBuilt_ = false;
  bool rootsBuilt_ = false;
  SizeIndex shared_;
  SizeIndex underRoots_;
};

}  // namespace quillon
