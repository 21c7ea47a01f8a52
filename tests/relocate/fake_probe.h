// A file system in memory for the relocation tests: files by full Windows path, each with the
// identity the test gives it (its fingerprint standing for the content), and opening by ID
// where the test allows it.
#pragma once

#include <map>
#include <set>

#include "relocate/file_probe.h"

namespace quillon::testing {

class FakeProbe : public FileProbe {
 public:
  void Put(const std::u16string& path, std::uint64_t id, std::uint64_t size,
           std::uint64_t content, std::int64_t lastWrite = 1) {
    files_[path] = FileIdentity{7, id, 0, size, lastWrite, content};
  }
  void Move(const std::u16string& from, const std::u16string& to) {
    files_[to] = files_.at(from);
    files_.erase(from);
  }
  void Remove(const std::u16string& path) { files_.erase(path); }
  FileIdentity& At(const std::u16string& path) { return files_.at(path); }
  // Volumes that give no lasting IDs (or Linux): a moved file is found by its content only.
  bool opensById = true;
  // What the pass asked: ID lookups, and listings by folder.
  int idLookups = 0;
  std::map<std::u16string, int> listings;

  std::optional<FileIdentity> Identify(const std::u16string& fullPath) override {
    auto identity = Find(fullPath);
    if (identity) identity->fingerprint = 0;
    return identity;
  }
  std::optional<std::u16string> OpenById(std::uint32_t serial, std::uint64_t low,
                                         std::uint64_t high) override {
    ++idLookups;
    for (const auto& [path, identity] : files_) {
      if (opensById && identity.SameId(FileIdentity{serial, low, high, 0, 0, 0})) return path;
    }
    return std::nullopt;
  }
  std::optional<std::uint64_t> Fingerprint(const std::u16string& fullPath) override {
    const auto identity = Find(fullPath);
    return identity ? std::optional(identity->fingerprint) : std::nullopt;
  }
  std::vector<DirectoryEntry> ListDirectory(const std::u16string& folder) override {
    ++listings[folder];
    std::vector<DirectoryEntry> entries;
    std::set<std::u16string> subfolders;
    for (const auto& [path, identity] : files_) {
      if (!path.starts_with(folder + u'\\')) continue;
      const std::u16string rest = path.substr(folder.size() + 1);
      const auto separator = rest.find(u'\\');
      if (separator == std::u16string::npos) {
        entries.push_back({rest, false, identity.size});
      } else if (subfolders.insert(rest.substr(0, separator)).second) {
        entries.push_back({rest.substr(0, separator), true, 0});
      }
    }
    return entries;
  }
  bool Exists(const std::u16string& fullPath) override {
    return files_.contains(fullPath) || !ListDirectory(fullPath).empty();
  }

 private:
  std::optional<FileIdentity> Find(const std::u16string& path) const {
    const auto found = files_.find(path);
    return found == files_.end() ? std::nullopt : std::optional(found->second);
  }
  std::map<std::u16string, FileIdentity> files_;
};

}  // namespace quillon::testing
