// The in-memory catalogue: fixed tables of records that are never compacted.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

inline constexpr std::uint32_t kTableCapacity = 10000;

struct FolderRecord {
  std::int32_t index = 0;
  std::int32_t ID = 0;
  std::int32_t FatherID = 0;
  std::u16string DirName;
  std::uintptr_t viewHandle = 0;  // the folder's tree node, written by the tree builder
  std::u16string Tags;
  std::int32_t deleted = 0;
};

class FolderTable {
 public:
  FolderTable();

  // Fills the slot at Count() and returns its index; -1 when the table is full.
  std::int32_t AppendFolder(std::int32_t id, std::u16string dirName, std::int32_t fatherId,
                            std::u16string tags);
  void SetFolder(const FolderRecord& record);
  FolderRecord GetFolder(std::int32_t index) const;
  // The first record (deleted ones included) carrying `handle`; ID -1 when none does.
  FolderRecord FindFolderByViewHandle(std::uintptr_t handle) const;

  // Takes back the record just appended at `index` (the last one), whose row could not be
  // stored: a folder that never existed keeps no slot.
  void DropNewest(std::int32_t index);

  void SetId(std::int32_t index, std::int32_t id);
  void SetViewHandle(std::int32_t index, std::uintptr_t handle);
  void MarkDeleted(std::int32_t index);

  std::uint32_t Count() const { return count_; }
  bool IsFull() const { return count_ >= kTableCapacity; }

 private:
  std::vector<FolderRecord> records_;
  std::uint32_t count_ = 0;
};

struct FileRecord {
  std::int32_t ID = 0;  // -1: prepared for a file that is not catalogued yet
  std::u16string FileName;
  std::u16string Path;
  std::u16string Tags;
  std::u16string Comment;
  std::int32_t deleted = 0;

  // Path + "\" + FileName.
  std::u16string FullPath() const;
};

class FileTable {
 public:
  FileTable();

  FileRecord GetFile(std::int32_t index) const;
  // The first record (deleted ones included) whose full path equals `fullPath` exactly;
  // a record with empty strings when none does.
  FileRecord FindFileByPath(std::u16string_view fullPath) const;
  // Index of that record, or -1.
  std::int32_t IndexOfPath(std::u16string_view fullPath) const;

  // Used by the tag search only: empties the table, then appends records (false when full).
  void Reset() { count_ = 0; }
  bool Append(const FileRecord& record);
  // Replaces the record at `index` (a file found again at another place); nothing outside.
  void SetFile(std::int32_t index, const FileRecord& record);
  void MarkDeleted(std::int32_t index);

  std::uint32_t Count() const { return count_; }

 private:
  std::vector<FileRecord> records_;
  std::uint32_t count_ = 0;
};

}  // namespace quillon
