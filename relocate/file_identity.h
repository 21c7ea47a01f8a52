// Who a catalogued file is, beyond its path: what lets the program find it again after it was
// renamed or moved.
#pragma once

#include <cstdint>
#include <span>

namespace quillon {

struct FileIdentity {
  std::uint32_t volumeSerial = 0;
  // The volume's 128-bit file ID, or a 64-bit file index (an inode) in fileIdLow.
  std::uint64_t fileIdLow = 0;
  std::uint64_t fileIdHigh = 0;
  std::uint64_t size = 0;
  // 100-nanosecond steps since 1601 (a FILETIME), on every system.
  std::int64_t lastWrite = 0;
  // FingerprintOf the file's content; 0 until it has been read.
  std::uint64_t fingerprint = 0;

  bool SameId(const FileIdentity& other) const {
    return volumeSerial == other.volumeSerial && fileIdLow == other.fileIdLow &&
           fileIdHigh == other.fileIdHigh;
  }
};

// How many bytes at each end of a file the fingerprint reads.
inline constexpr std::uint64_t kFingerprintSpan = 64 * 1024;

// XXH3-64 of the size, the first kFingerprintSpan bytes and the last kFingerprintSpan bytes
// (the whole file when it is shorter): `head` and `tail` are those bytes as read.
std::uint64_t FingerprintOf(std::uint64_t size, std::span<const unsigned char> head,
                            std::span<const unsigned char> tail);

}  // namespace quillon
