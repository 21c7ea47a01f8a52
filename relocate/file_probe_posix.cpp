// The probe on Linux: catalogue paths are Wine's, drive Z: being the root of the file system.
// Files cannot be opened by their inode here, so a moved file is found by its fingerprint.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "base/text_convert.h"
#include "relocate/file_probe.h"

namespace quillon {
namespace {

// "Z:\a\b" as "/a/b"; nothing for another drive.
std::optional<std::string> NativePath(const std::u16string& fullPath) {
  if (fullPath.size() < 2 || (fullPath[0] != u'Z' && fullPath[0] != u'z') || fullPath[1] != u':') {
    return std::nullopt;
  }
  std::string path = ToUtf8(std::u16string_view(fullPath).substr(2));
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  if (path.empty()) path.push_back('/');
  return path;
}

// Seconds and nanoseconds since 1970 as 100-nanosecond steps since 1601.
std::int64_t FileTime(const timespec& time) {
  constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;
  return (time.tv_sec + kSecondsFrom1601To1970) * 10000000 + time.tv_nsec / 100;
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

bool ReadAt(int fd, unsigned char* buffer, std::size_t count, off_t offset) {
  while (count > 0) {
    const ssize_t got = pread(fd, buffer, count, offset);
    if (got <= 0) return false;
    buffer += got;
    count -= static_cast<std::size_t>(got);
    offset += got;
  }
  return true;
}

class PosixProbe : public FileProbe {
 public:
  std::optional<FileIdentity> Identify(const std::u16string& fullPath) override {
    const auto path = NativePath(fullPath);
    struct stat info;
    if (!path || stat(path->c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    FileIdentity identity;
    identity.volumeSerial = static_cast<std::uint32_t>(info.st_dev);
    identity.fileIdLow = info.st_ino;
    identity.size = static_cast<std::uint64_t>(info.st_size);
    identity.lastWrite = FileTime(info.st_mtim);
    return identity;
  }

  std::optional<std::u16string> OpenById(std::uint32_t, std::uint64_t, std::uint64_t) override {
    return std::nullopt;
  }

  std::optional<std::uint64_t> Fingerprint(const std::u16string& fullPath) override {
    const auto path = NativePath(fullPath);
    if (!path) return std::nullopt;
    const FileDescriptor file(open(path->c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info;
    if (file.get() < 0 || fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
      return std::nullopt;
    }
    const auto size = static_cast<std::uint64_t>(info.st_size);
    const std::size_t span = static_cast<std::size_t>(std::min(size, kFingerprintSpan));
    head_.resize(span);
    tail_.resize(span);
    if (!ReadAt(file.get(), head_.data(), span, 0) ||
        !ReadAt(file.get(), tail_.data(), span, static_cast<off_t>(size - span))) {
      return std::nullopt;
    }
    return FingerprintOf(size, head_, tail_);
  }

  std::vector<DirectoryEntry> ListDirectory(const std::u16string& folder) override {
    std::vector<DirectoryEntry> entries;
    const auto path = NativePath(folder);
    DIR* dir = path ? opendir(path->c_str()) : nullptr;
    if (dir == nullptr) return entries;
    while (const dirent* entry = readdir(dir)) {
      if (entry->d_name[0] == '.') continue;  // hidden, and "." and ".."
      if (!IsValidUtf8(entry->d_name)) continue;  // no Windows name could reach it
      struct stat info;
      if (fstatat(dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
      if (!S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode)) continue;  // links, devices
      entries.push_back({FromUtf8(entry->d_name), S_ISDIR(info.st_mode),
                         static_cast<std::uint64_t>(info.st_size)});
    }
    closedir(dir);
    return entries;
  }

  bool Exists(const std::u16string& fullPath) override {
    const auto path = NativePath(fullPath);
    return path && access(path->c_str(), F_OK) == 0;
  }

 private:
  std::vector<unsigned char> head_, tail_;
};

}  // namespace

std::unique_ptr<FileProbe> MakeSystemProbe() { return std::make_unique<PosixProbe>(); }

}  // namespace quillon
