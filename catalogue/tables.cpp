#include "catalogue/tables.h"

#include <utility>

namespace quillon {
namespace {

// Indexes come from callers that walked the same table; a stale or foreign one must still
// never reach past the slots that exist.
bool InTable(std::int32_t index, std::uint32_t limit) {
  return index >= 0 && static_cast<std::uint32_t>(index) < limit;
}

}  // namespace

FolderTable::FolderTable() : records_(kTableCapacity) {}

std::int32_t FolderTable::AppendFolder(std::int32_t id, std::u16string dirName,
                                       std::int32_t fatherId, std::u16string tags) {
  if (IsFull()) return -1;
  const auto index = static_cast<std::int32_t>(count_);
  FolderRecord& slot = records_[count_];
  slot.index = index;
  slot.ID = id;
  slot.FatherID = fatherId;
  slot.DirName = std::move(dirName);
  slot.Tags = std::move(tags);
  slot.deleted = 0;
  ++count_;
  return index;
}

void FolderTable::SetFolder(const FolderRecord& record) {
  if (InTable(record.index, count_)) records_[record.index] = record;
}

FolderRecord FolderTable::GetFolder(std::int32_t index) const {
  if (InTable(index, count_)) return records_[index];
  FolderRecord missing;
  missing.index = -1;
  missing.ID = -1;
  return missing;
}

FolderRecord FolderTable::FindFolderByViewHandle(std::uintptr_t handle) const {
  for (std::uint32_t i = 0; i < count_; ++i) {
    if (records_[i].viewHandle == handle) return records_[i];
  }
  FolderRecord missing;
  missing.index = -1;
  missing.ID = -1;
  return missing;
}

void FolderTable::DropNewest(std::int32_t index) {
  if (count_ > 0 && index == static_cast<std::int32_t>(count_ - 1)) --count_;
}

void FolderTable::SetId(std::int32_t index, std::int32_t id) {
  if (InTable(index, count_)) records_[index].ID = id;
}

void FolderTable::SetViewHandle(std::int32_t index, std::uintptr_t handle) {
  if (InTable(index, count_)) records_[index].viewHandle = handle;
}

void FolderTable::MarkDeleted(std::int32_t index) {
  if (InTable(index, count_)) records_[index].deleted = 1;
}

std::u16string FileRecord::FullPath() const { return Path + u'\\' + FileName; }

FileTable::FileTable() : records_(kTableCapacity) {}

FileRecord FileTable::GetFile(std::int32_t index) const {
  return InTable(index, count_) ? records_[index] : FileRecord{};
}

FileRecord FileTable::FindFileByPath(std::u16string_view fullPath) const {
  const std::int32_t index = IndexOfPath(fullPath);
  return index < 0 ? FileRecord{} : records_[index];
}

std::int32_t FileTable::IndexOfPath(std::u16string_view fullPath) const {
  for (std::uint32_t i = 0; i < count_; ++i) {
    const FileRecord& record = records_[i];
    // Compared piece by piece so that no full path is built per record.
    if (fullPath.size() == record.Path.size() + 1 + record.FileName.size() &&
        fullPath.substr(0, record.Path.size()) == record.Path &&
        fullPath[record.Path.size()] == u'\\' &&
        fullPath.substr(record.Path.size() + 1) == record.FileName) {
      return static_cast<std::int32_t>(i);
    }
  }
  return -1;
}

bool FileTable::Append(const FileRecord& record) {
  if (count_ >= kTableCapacity) return false;
  records_[count_] = record;
  records_[count_].deleted = 0;
  ++count_;
  return true;
}

void FileTable::SetFile(std::int32_t index, const FileRecord& record) {
  if (InTable(index, count_)) records_[index] = record;
}

void FileTable::MarkDeleted(std::int32_t index) {
  if (InTable(index, count_)) records_[index].deleted = 1;
}

}  // namespace quillon
