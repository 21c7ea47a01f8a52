// A file system in memory for the relocation tests: files by full Windows path, each with the
// identity the test gives it, and opening by ID where the test allows it.
#pragma once

#include <map>

#include "relocate/file_probe.h"

namespace quillon::testing {

class FakeProbe : public FileProbe {
 public:
  // A file with this ID, size and content; its fingerprint stands for the content.
  void Put(const std::u16string& path, std::uint64_t id, std::uint64_t size,
           std::uint64_t content, std::int64_t lastWrite = 1);
  void Move(const std::u16string& from, const std::u16string& to);
  void Remove(const std::u16string& path) { files_.erase(path); }
  FileIdentity& At(const std::u16string& path) { return files_.at(path); }
  // Volumes that give no lasting IDs (or Linux): a moved file is found by its content only.
  bool opensById = true;

  std::optional<FileIdentity> Identify(const std::u16string& fullPath) override;
  std::optional<std::u16string> OpenById(std::uint32_t volumeSerial, std::uint64_t fileIdLow,
                                         std::uint64_t fileIdHigh) override;
  std::optional<std::uint64_t> Fingerprint(const std::u16string& fullPath) override;
  std::vector<DirectoryEntry> ListDirectory(const std::u16string& folder) override;
  bool Exists(const std::u16string& fullPath) override;

 private:
  std::map<std::u16string, FileIdentity> files_;
};

}  // namespace quillon::testing
