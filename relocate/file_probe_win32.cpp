// The probe on Windows: files keep their volume serial and file ID through renames and moves
// on the same volume, and the system opens a file by that ID without searching.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "relocate/file_probe.h"

namespace quillon {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

// Windows 8's 128-bit file IDs, which the headers show only to programs that require Windows 8.
// On Windows 7 the call fails and the 64-bit file index stands in.
constexpr auto kFileIdInfo = static_cast<FILE_INFO_BY_HANDLE_CLASS>(18);
constexpr auto kExtendedFileIdType = static_cast<FILE_ID_TYPE>(2);
struct FileIdInfoRecord {
  ULONGLONG volumeSerialNumber;
  unsigned char fileId[16];
};

const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

std::u16string FromWide(const wchar_t* text, std::size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (valid()) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }

 private:
  HANDLE handle_;
};

class FindHandle {
 public:
  explicit FindHandle(HANDLE handle) : handle_(handle) {}
  ~FindHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

// Opened for reading its attributes and content, sharing it with every other program; folders
// too, so that a path naming one is told apart from a missing one.
HANDLE OpenShared(const std::u16string& fullPath, DWORD access) {
  return CreateFileW(Wide(fullPath), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

std::int64_t FileTimeValue(const FILETIME& time) {
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                   time.dwLowDateTime);
}

// The volume serial and ID of `file`, with its size and last-write time, read the same way
// for files and drive roots so that their serials compare: Windows 8's FileIdInfo (its serial
// cut to 32 bits) where there is one, else the 32-bit serial and the 64-bit file index. Each
// asks the volume for its serial, which Wine does slowly: one of them is asked, not both.
std::optional<FileIdentity> InfoOf(HANDLE file, bool& isFolder) {
  FileIdentity identity;
  FileIdInfoRecord idInfo;
  FILE_BASIC_INFO basic;
  FILE_STANDARD_INFO standard;
  if (GetFileInformationByHandleEx(file, kFileIdInfo, &idInfo, sizeof idInfo) &&
      GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic) &&
      GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof standard)) {
    // ReFS has 128-bit IDs; NTFS gives its 64-bit index in the low half.
    identity.volumeSerial = static_cast<std::uint32_t>(idInfo.volumeSerialNumber);
    std::memcpy(&identity.fileIdLow, idInfo.fileId, 8);
    std::memcpy(&identity.fileIdHigh, idInfo.fileId + 8, 8);
    identity.size = static_cast<std::uint64_t>(standard.EndOfFile.QuadPart);
    identity.lastWrite = basic.LastWriteTime.QuadPart;
    isFolder = standard.Directory != 0;
    return identity;
  }
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(file, &info)) return std::nullopt;
  identity.volumeSerial = info.dwVolumeSerialNumber;
  identity.fileIdLow = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  identity.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  identity.lastWrite = FileTimeValue(info.ftLastWriteTime);
  isFolder = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  return identity;
}

// The root ("C:\") of each drive present by its volume serial, asked once.
std::unordered_map<std::uint32_t, std::u16string> DriveRoots() {
  std::unordered_map<std::uint32_t, std::u16string> roots;
  const DWORD drives = GetLogicalDrives();
  // Without SEM_FAILCRITICALERRORS an empty drive would ask the user to insert a disk.
  const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  for (int letter = 0; letter < 26; ++letter) {
    if ((drives & (1u << letter)) == 0) continue;
    const std::u16string root = {static_cast<char16_t>(u'A' + letter), u':', u'\\'};
    const UINT type = GetDriveTypeW(Wide(root));
    if (type != DRIVE_FIXED && type != DRIVE_REMOVABLE && type != DRIVE_REMOTE) continue;
    const Handle handle(OpenShared(root, FILE_READ_ATTRIBUTES));
    if (!handle.valid()) continue;
    bool isFolder = false;
    if (const auto info = InfoOf(handle.get(), isFolder)) roots.emplace(info->volumeSerial, root);
  }
  SetErrorMode(oldMode);
  return roots;
}

class Win32Probe : public FileProbe {
 public:
  std::optional<FileIdentity> Identify(const std::u16string& fullPath) override {
    const Handle file(OpenShared(fullPath, FILE_READ_ATTRIBUTES));
    if (!file.valid()) return std::nullopt;
    bool isFolder = false;
    std::optional<FileIdentity> identity = InfoOf(file.get(), isFolder);
    return isFolder ? std::nullopt : identity;
  }

  std::optional<FileIdentity> Stamp(const std::u16string& fullPath) override {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(Wide(fullPath), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      return std::nullopt;
    }
    FileIdentity stamp;
    stamp.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp.lastWrite = FileTimeValue(data.ftLastWriteTime);
    return stamp;
  }

  std::optional<std::u16string> OpenById(std::uint32_t volumeSerial, std::uint64_t fileIdLow,
                                         std::uint64_t fileIdHigh) override {
    if (!driveRoots_) driveRoots_ = DriveRoots();
    const auto root = driveRoots_->find(volumeSerial);
    if (root == driveRoots_->end()) return std::nullopt;
    const Handle volume(OpenShared(root->second, FILE_READ_ATTRIBUTES));
    if (!volume.valid()) return std::nullopt;
    FILE_ID_DESCRIPTOR id = {};
    id.dwSize = sizeof id;
    if (fileIdHigh == 0) {
      id.Type = FileIdType;
      id.FileId.QuadPart = static_cast<LONGLONG>(fileIdLow);
    } else {
      // The 16 bytes of the extended ID share the union with the object ID.
      id.Type = kExtendedFileIdType;
      static_assert(sizeof id.ObjectId == 16);
      auto* bytes = reinterpret_cast<unsigned char*>(&id.ObjectId);
      std::memcpy(bytes, &fileIdLow, 8);
      std::memcpy(bytes + 8, &fileIdHigh, 8);
    }
    const Handle file(OpenFileById(volume.get(), &id, FILE_READ_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, FILE_FLAG_BACKUP_SEMANTICS));
    if (!file.valid()) return std::nullopt;
    std::vector<wchar_t> path(MAX_PATH);
    DWORD length = GetFinalPathNameByHandleW(file.get(), path.data(),
                                             static_cast<DWORD>(path.size()), FILE_NAME_NORMALIZED);
    if (length >= path.size()) {
      path.resize(length + 1);
      length = GetFinalPathNameByHandleW(file.get(), path.data(),
                                         static_cast<DWORD>(path.size()), FILE_NAME_NORMALIZED);
    }
    if (length == 0 || length >= path.size()) return std::nullopt;
    std::u16string result = FromWide(path.data(), length);
    // "\\?\C:\..." as the catalogue writes it; a network path ("\\?\UNC\...") is not one.
    constexpr std::u16string_view kLongPrefix = u"\\\\?\\";
    if (result.starts_with(kLongPrefix)) result.erase(0, kLongPrefix.size());
    if (result.size() < 3 || result[1] != u':') return std::nullopt;
    return result;
  }

  std::optional<std::uint64_t> Fingerprint(const std::u16string& fullPath) override {
    const Handle file(OpenShared(fullPath, GENERIC_READ));
    LARGE_INTEGER size;
    if (!file.valid() || !GetFileSizeEx(file.get(), &size)) return std::nullopt;
    const auto total = static_cast<std::uint64_t>(size.QuadPart);
    const auto span = static_cast<DWORD>(std::min(total, kFingerprintSpan));
    head_.resize(span);
    tail_.resize(span);
    if (!ReadAt(file.get(), head_.data(), span, 0) ||
        !ReadAt(file.get(), tail_.data(), span, total - span)) {
      return std::nullopt;
    }
    return FingerprintOf(total, head_, tail_);
  }

  std::vector<DirectoryEntry> ListDirectory(const std::u16string& folder) override {
    std::vector<DirectoryEntry> entries;
    const std::u16string pattern = folder + u"\\*";
    WIN32_FIND_DATAW data;
    const FindHandle find(FindFirstFileExW(Wide(pattern), FindExInfoBasic, &data,
                                           FindExSearchNameMatch, nullptr,
                                           FIND_FIRST_EX_LARGE_FETCH));
    if (find.get() == INVALID_HANDLE_VALUE) return entries;
    constexpr DWORD kSkipped =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_REPARSE_POINT;
    do {
      const std::u16string name = FromWide(data.cFileName, wcslen(data.cFileName));
      if (name == u"." || name == u".." || (data.dwFileAttributes & kSkipped) != 0) continue;
      entries.push_back({name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                         (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) |
                             data.nFileSizeLow});
    } while (FindNextFileW(find.get(), &data));
    return entries;
  }

  bool Exists(const std::u16string& fullPath) override {
    return GetFileAttributesW(Wide(fullPath)) != INVALID_FILE_ATTRIBUTES;
  }

 private:
  static bool ReadAt(HANDLE file, unsigned char* buffer, DWORD count, std::uint64_t offset) {
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(file, position, nullptr, FILE_BEGIN)) return false;
    while (count > 0) {
      DWORD got = 0;
      if (!ReadFile(file, buffer, count, &got, nullptr) || got == 0) return false;
      buffer += got;
      count -= got;
    }
    return true;
  }

  std::vector<unsigned char> head_, tail_;
  std::optional<std::unordered_map<std::uint32_t, std::u16string>> driveRoots_;
};

}  // namespace

std::unique_ptr<FileProbe> MakeSystemProbe() { return std::make_unique<Win32Probe>(); }

}  // namespace quillon
