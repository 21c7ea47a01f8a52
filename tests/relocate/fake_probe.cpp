#include "tests/relocate/fake_probe.h"

#include <set>

namespace quillon::testing {

void FakeProbe::Put(const std::u16string& path, std::uint64_t id, std::uint64_t size,
                    std::uint64_t content, std::int64_t lastWrite) {
  files_[path] = FileIdentity{7, id, 0, size, lastWrite, content};
}

void FakeProbe::Move(const std::u16string& from, const std::u16string& to) {
  const FileIdentity identity = files_.at(from);
  files_.erase(from);
  files_[to] = identity;
}

std::optional<FileIdentity> FakeProbe::Identify(const std::u16string& fullPath) {
  const auto found = files_.find(fullPath);
  if (found == files_.end()) return std::nullopt;
  FileIdentity identity = found->second;
  identity.fingerprint = 0;
  return identity;
}

std::optional<std::u16string> FakeProbe::OpenById(std::uint32_t volumeSerial,
                                                  std::uint64_t fileIdLow,
                                                  std::uint64_t fileIdHigh) {
  if (!opensById) return std::nullopt;
  for (const auto& [path, identity] : files_) {
    if (identity.SameId(FileIdentity{volumeSerial, fileIdLow, fileIdHigh, 0, 0, 0})) return path;
  }
  return std::nullopt;
}

std::optional<std::uint64_t> FakeProbe::Fingerprint(const std::u16string& fullPath) {
  const auto found = files_.find(fullPath);
  if (found == files_.end()) return std::nullopt;
  return found->second.fingerprint;
}

std::vector<DirectoryEntry> FakeProbe::ListDirectory(const std::u16string& folder) {
  std::vector<DirectoryEntry> entries;
  std::set<std::u16string> subfolders;
  const std::u16string prefix = folder + u'\\';
  for (const auto& [path, identity] : files_) {
    if (!path.starts_with(prefix)) continue;
    const std::u16string rest = path.substr(prefix.size());
    const auto separator = rest.find(u'\\');
    if (separator == std::u16string::npos) {
      entries.push_back({rest, false, identity.size});
    } else if (subfolders.insert(rest.substr(0, separator)).second) {
      entries.push_back({rest.substr(0, separator), true, 0});
    }
  }
  return entries;
}

bool FakeProbe::Exists(const std::u16string& fullPath) {
  return files_.contains(fullPath) || !ListDirectory(fullPath).empty();
}

}  // namespace quillon::testing
