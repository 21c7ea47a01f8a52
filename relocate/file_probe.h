// Every question the relocation asks of the file system, so that tests can answer with a file
// system of their own. Paths are full Windows paths ("C:\folder\name"), as the catalogue keeps
// them; each system's probe maps them to its own.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "relocate/file_identity.h"

namespace quillon {

struct DirectoryEntry {
  std::u16string name;
  bool isFolder = false;
  std::uint64_t size = 0;
};

class FileProbe {
 public:
  virtual ~FileProbe() = default;
  // The file's volume, ID, size and last-write time (fingerprint 0); nothing when it is
  // missing or cannot be opened.
  virtual std::optional<FileIdentity> Identify(const std::u16string& fullPath) = 0;
  // Only the size and last-write time (the ID left 0), where the system gives them for less
  // than Identify; nothing when the file is missing.
  virtual std::optional<FileIdentity> Stamp(const std::u16string& fullPath) {
    return Identify(fullPath);
  }
  // The current full path of the file with this ID on the volume with this serial; nothing
  // when the volume is not there, the system cannot open files by ID, or no file has it.
  virtual std::optional<std::u16string> OpenById(std::uint32_t volumeSerial,
                                                 std::uint64_t fileIdLow,
                                                 std::uint64_t fileIdHigh) = 0;
  // FingerprintOf the file's content; nothing when it cannot be read.
  virtual std::optional<std::uint64_t> Fingerprint(const std::u16string& fullPath) = 0;
  // The files and folders in `folder`, hidden and system entries and links left out; empty
  // when it cannot be listed.
  virtual std::vector<DirectoryEntry> ListDirectory(const std::u16string& folder) = 0;
  virtual bool Exists(const std::u16string& fullPath) = 0;
};

// The probe of the system the program runs on.
std::unique_ptr<FileProbe> MakeSystemProbe();

}  // namespace quillon
