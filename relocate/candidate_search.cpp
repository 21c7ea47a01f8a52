#include "relocate/candidate_search.h"

#include <deque>

namespace quillon {
namespace {

std::u16string Child(const std::u16string& folder, const std::u16string& name) {
  return folder + u'\\' + name;
}

}  // namespace

std::u16string PathKey(std::u16string_view fullPath) {
  std::u16string key(fullPath);
  for (char16_t& c : key) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return key;
}

std::u16string FolderOf(std::u16string_view fullPath) {
  const auto separator = fullPath.rfind(u'\\');
  return separator == std::u16string_view::npos ? std::u16string()
                                                 : std::u16string(fullPath.substr(0, separator));
}

CandidateSearch::CandidateSearch(FileProbe& probe, const SearchBudget& budget,
                                 std::vector<std::u16string> sharedFolders,
                                 std::vector<std::u16string> roots)
    : probe_(probe),
      budget_(budget),
      sharedFolders_(std::move(sharedFolders)),
      roots_(std::move(roots)) {}

const std::vector<DirectoryEntry>* CandidateSearch::List(const std::u16string& folder) {
  const std::u16string key = PathKey(folder);
  if (const auto found = listings_.find(key); found != listings_.end()) return &found->second;
  if (listed_ >= budget_.entriesPerPass) return nullptr;
  std::vector<DirectoryEntry> entries = probe_.ListDirectory(folder);
  listed_ += entries.size() + 1;  // a folder that cannot be listed still costs its attempt
  return &listings_.emplace(key, std::move(entries)).first->second;
}

void CandidateSearch::IndexFolder(const std::u16string& folder, SizeIndex& index,
                                  std::size_t& left, std::vector<std::u16string>* subfolders) {
  const std::vector<DirectoryEntry> entries = probe_.ListDirectory(folder);
  for (const DirectoryEntry& entry : entries) {
    if (left == 0) return;
    --left;
    if (!entry.isFolder) {
      index.emplace(entry.size, Child(folder, entry.name));
    } else if (subfolders != nullptr) {
      subfolders->push_back(Child(folder, entry.name));
    }
  }
}

void CandidateSearch::BuildShared() {
  sharedBuilt_ = true;
  std::size_t left = budget_.sharedEntries;
  for (const std::u16string& folder : sharedFolders_) {
    if (left == 0) break;
    const std::vector<DirectoryEntry>* entries = List(folder);
    if (entries == nullptr) break;
    for (const DirectoryEntry& entry : *entries) {
      if (left == 0) break;
      --left;
      if (!entry.isFolder) shared_.emplace(entry.size, Child(folder, entry.name));
    }
  }
}

void CandidateSearch::BuildRoots() {
  rootsBuilt_ = true;
  std::size_t left = budget_.rootEntries;
  // Breadth first, so that a budget spent on a deep tree still covered its upper folders.
  std::deque<std::u16string> folders(roots_.begin(), roots_.end());
  while (!folders.empty() && left > 0) {
    std::vector<std::u16string> subfolders;
    IndexFolder(folders.front(), underRoots_, left, &subfolders);
    folders.pop_front();
    folders.insert(folders.end(), subfolders.begin(), subfolders.end());
  }
}

std::vector<std::u16string> CandidateSearch::InFolder(const std::u16string& folder,
                                                      std::uint64_t size) {
  std::vector<std::u16string> found;
  const std::vector<DirectoryEntry>* entries = List(folder);
  if (entries == nullptr) return found;
  for (const DirectoryEntry& entry : *entries) {
    if (!entry.isFolder && entry.size == size) found.push_back(Child(folder, entry.name));
  }
  return found;
}

std::vector<std::u16string> CandidateSearch::Candidates(const std::u16string& oldFolder,
                                                        std::uint64_t size) {
  std::vector<std::u16string> found;
  std::unordered_set<std::u16string> seen;
  const auto add = [&](const std::u16string& path) {
    if (seen.insert(PathKey(path)).second) found.push_back(path);
  };

  // The old folder, its parent and the parent's other folders.
  std::vector<std::u16string> nearby = {oldFolder};
  const std::u16string parent = FolderOf(oldFolder);
  if (!parent.empty()) nearby.push_back(parent);
  std::size_t left = budget_.nearbyEntriesPerFile;
  for (std::size_t i = 0; i < nearby.size() && left > 0; ++i) {
    const std::vector<DirectoryEntry>* entries = List(nearby[i]);
    if (entries == nullptr) break;
    for (const DirectoryEntry& entry : *entries) {
      if (left == 0) break;
      --left;
      const std::u16string path = Child(nearby[i], entry.name);
      if (!entry.isFolder) {
        if (entry.size == size) add(path);
      } else if (i == 1 && PathKey(path) != PathKey(oldFolder)) {
        nearby.push_back(path);  // a sibling of the old folder
      }
    }
  }

  if (!sharedBuilt_) BuildShared();
  for (auto [it, end] = shared_.equal_range(size); it != end; ++it) add(it->second);
  if (!roots_.empty()) {
    if (!rootsBuilt_) BuildRoots();
    for (auto [it, end] = underRoots_.equal_range(size); it != end; ++it) add(it->second);
  }
  return found;
}

}  // namespace quillon
