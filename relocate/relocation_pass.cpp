#include "relocate/relocation_pass.h"

#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>
#include <unordered_map>
#include <unordered_set>

#include "catalogue/file_store.h"
#include "catalogue/schema.h"
#include "relocate/candidate_search.h"
#include "relocate/identity_store.h"

namespace quillon {
namespace {

// At most this many candidates of the right size are read for one missing file, and this
// many files in all for a pass without roots (128 KiB each), each file once.
constexpr std::size_t kFingerprintsPerFile = 32;
constexpr std::size_t kFingerprintsPerPass = 4096;
// Windows opens a file by ID at once; Wine searches the drive for it each time.
constexpr std::size_t kIdLookupsPerPass = 1000;
constexpr std::size_t kProgressStep = 256;
// Rows of the catalogue read under one hold of the database lock.
constexpr std::size_t kRowsPerRead = 500;

struct CataloguedFile {
  std::int32_t id = 0;
  std::u16string fullPath;
  std::optional<FileIdentity> identity;
};

struct Update {
  std::int32_t fileId;
  std::u16string fullPath;  // where the identity was read: the row must still name it
  FileIdentity identity;
};

// The pass runs on a worker: a catalogue it cannot read or write now is tried again at the next
// pass without a word to the user. Held with the database lock, so no other statement of the
// process reports to the silent reporter.
class QuietReports : public CatalogueReporter {
 public:
  explicit QuietReports(TagDatabase& db) : db_(db), lock_(DatabaseLock()), previous_(&db.Reporter()) {
    db_.SetReporter(this);
  }
  ~QuietReports() override { db_.SetReporter(previous_); }
  void ReportDatabaseError(const std::u16string&) override {}
  void ReportReadError(const std::u16string&) override {}

 private:
  TagDatabase& db_;
  std::lock_guard<std::recursive_mutex> lock_;
  CatalogueReporter* previous_;
};

// The catalogue read a page of rows at a time, each page in a snapshot of its own: the
// process-wide database lock is held a moment per page, so that typing in the quick bar need
// not wait for the whole catalogue. A row changed between pages is caught at the write, which
// checks every row again.
std::vector<CataloguedFile> ReadCatalogue(TagDatabase& db, bool& readable) {
  std::vector<CataloguedFile> files;
  for (;;) {
    const std::size_t first = files.size();
    const std::int64_t after = files.empty() ? 0 : files.back().id;
    bool selected = false;
    QuietReports quiet(db);
    readable = ReadInOneSnapshot(db, [&] {
                 selected = db.Execute(u"SELECT ID, Path, FileName FROM db_filetags WHERE ID > ? "
                                       u"ORDER BY ID LIMIT ?",
                                       after, static_cast<std::int64_t>(kRowsPerRead));
                 if (!selected) return;
                 std::u16string path, name;
                 while (!db.AtEnd()) {
                   db.ReadText(u"Path", path, db.ReadReporter());
                   db.ReadText(u"FileName", name, db.ReadReporter());
                   files.push_back({AsInteger(db.GetFieldValue(u"ID")), path + u'\\' + name, {}});
                   if (!db.MoveNext()) break;
                 }
                 if (files.size() == first) return;
                 const auto identities = ReadIdentities(db, files[first].id, files.back().id);
                 for (std::size_t i = first; i < files.size(); ++i) {
                   if (const auto found = identities.find(files[i].id); found != identities.end()) {
                     files[i].identity = found->second;
                   }
                 }
               }) == ReadAccess::kReadable && selected;
    if (!readable || files.size() - first < kRowsPerRead) return files;
    std::this_thread::yield();  // a thread waiting for the lock takes it now
  }
}

bool NameEquals(std::u16string_view a, std::u16string_view b) {
  return PathKey(a.substr(a.rfind(u'\\') + 1)) == PathKey(b.substr(b.rfind(u'\\') + 1));
}

class Pass {
 public:
  Pass(FileProbe& probe, const std::vector<CataloguedFile>& files,
       const std::vector<std::u16string>& roots)
      : probe_(probe),
        search_(probe, SearchBudget{}, SharedFolders(files), Trimmed(roots)),
        fingerprintsLeft_(roots.empty() ? kFingerprintsPerPass : SIZE_MAX) {
    for (const CataloguedFile& file : files) catalogued_.insert(PathKey(file.fullPath));
  }

  // A missing file renamed in its own folder: the one file there that kept its ID, size and
  // fingerprint (two signals agreeing). Its folder is listed once a pass for all its missing
  // files, which costs far less than opening by ID where the system searches the drive.
  std::optional<FileIdentity> FindInOldFolder(const CataloguedFile& file, std::u16string& newPath) {
    const FileIdentity& stored = *file.identity;
    if ((stored.fileIdLow == 0 && stored.fileIdHigh == 0) || stored.fingerprint == 0) {
      return std::nullopt;
    }
    std::size_t read = 0;
    for (const std::u16string& path : search_.InFolder(FolderOf(file.fullPath), stored.size)) {
      if (catalogued_.contains(PathKey(path))) continue;
      if (read++ == kFingerprintsPerFile) break;
      const std::optional<FileIdentity> current = Read(path);
      if (current && current->SameId(stored) && current->size == stored.size &&
          current->fingerprint == stored.fingerprint) {
        newPath = path;
        return current;
      }
    }
    return std::nullopt;
  }

  // The new identity of a missing file found again, read at its new path.
  std::optional<FileIdentity> FindById(const CataloguedFile& file, std::u16string& newPath) {
    const FileIdentity& stored = *file.identity;
    if ((stored.fileIdLow == 0 && stored.fileIdHigh == 0) || idLookupsLeft_ == 0) {
      return std::nullopt;
    }
    --idLookupsLeft_;
    const auto path = probe_.OpenById(stored.volumeSerial, stored.fileIdLow, stored.fileIdHigh);
    if (!path || catalogued_.contains(PathKey(*path))) return std::nullopt;
    const std::optional<FileIdentity> current = Read(*path);
    // The ID alone is not enough: a volume may give a deleted file's ID to a new one.
    if (!current || !current->SameId(stored)) return std::nullopt;
    const bool sameContent =
        current->size == stored.size && current->fingerprint == stored.fingerprint;
    const bool editedAfterMove =
        NameEquals(*path, file.fullPath) && current->lastWrite > stored.lastWrite;
    if (!sameContent && !editedAfterMove) return std::nullopt;
    newPath = *path;
    return current;
  }

  // Files of the same size and fingerprint around the old place; the one found, or the
  // candidates when there are several.
  std::optional<FileIdentity> FindByContent(const CataloguedFile& file, std::u16string& newPath,
                                            std::vector<std::u16string>& ambiguous) {
    const FileIdentity& stored = *file.identity;
    if (stored.fingerprint == 0) return std::nullopt;
    std::vector<std::pair<std::u16string, FileIdentity>> matches;
    std::size_t read = 0;
    for (const std::u16string& path : search_.Candidates(FolderOf(file.fullPath), stored.size)) {
      if (catalogued_.contains(PathKey(path))) continue;
      if (read++ == kFingerprintsPerFile) break;
      const std::optional<FileIdentity> current = Read(path);
      if (current && current->size == stored.size && current->fingerprint == stored.fingerprint) {
        matches.emplace_back(path, *current);
      }
    }
    if (matches.size() > 1) {
      // Copies of the same content: the one that kept the file's ID is the file itself.
      auto sameId = matches;
      std::erase_if(sameId, [&stored](const auto& match) { return !match.second.SameId(stored); });
      if (sameId.size() != 1) {
        for (const auto& match : matches) ambiguous.push_back(match.first);
        return std::nullopt;
      }
      matches = std::move(sameId);
    }
    if (matches.empty()) return std::nullopt;
    newPath = matches.front().first;
    return matches.front().second;
  }

 private:
  static std::vector<std::u16string> SharedFolders(const std::vector<CataloguedFile>& files) {
    std::vector<std::u16string> folders;
    std::unordered_set<std::u16string> seen;
    for (const CataloguedFile& file : files) {
      std::u16string folder = FolderOf(file.fullPath);
      if (seen.insert(PathKey(folder)).second) folders.push_back(std::move(folder));
    }
    return folders;
  }

  static std::vector<std::u16string> Trimmed(std::vector<std::u16string> roots) {
    for (std::u16string& root : roots) {
      while (!root.empty() && root.back() == u'\\') root.pop_back();
    }
    return roots;
  }

  // The identity and fingerprint of a file, read once a pass and within its budget.
  std::optional<FileIdentity> Read(const std::u16string& path) {
    const std::u16string key = PathKey(path);
    if (const auto found = read_.find(key); found != read_.end()) return found->second;
    if (fingerprintsLeft_ == 0) return std::nullopt;
    --fingerprintsLeft_;
    return read_.emplace(key, IdentifyWithFingerprint(probe_, path)).first->second;
  }

  FileProbe& probe_;
  CandidateSearch search_;
  std::unordered_set<std::u16string> catalogued_;
  std::unordered_map<std::u16string, std::optional<FileIdentity>> read_;
  std::size_t fingerprintsLeft_;
  std::size_t idLookupsLeft_ = kIdLookupsPerPass;
};

// Drops moves whose target another move also claims: neither file is known to be the one.
void DropSharedTargets(std::vector<Relocation>& moved, std::vector<Update>& updates,
                       std::vector<std::u16string>& missing) {
  std::unordered_map<std::u16string, int> claims;
  for (const Relocation& move : moved) ++claims[PathKey(move.newFullPath)];
  std::unordered_set<std::int32_t> dropped;
  std::erase_if(moved, [&](const Relocation& move) {
    if (claims[PathKey(move.newFullPath)] == 1) return false;
    dropped.insert(move.fileId);
    missing.push_back(move.oldFullPath);
    return true;
  });
  std::erase_if(updates, [&dropped](const Update& update) { return dropped.contains(update.fileId); });
}

// True when the row of `fileId` still names `fullPath`.
bool RowNames(TagDatabase& db, std::int32_t fileId, const std::u16string& fullPath) {
  FileRecord record;
  return SplitFilePath(record, fullPath) && FindFileId(db, record) == fileId;
}

// The moves and identities in one transaction; moves whose row changed since it was read are
// left out. False when nothing could be written.
bool WriteChanges(TagDatabase& db, std::vector<Relocation>& moved, const std::vector<Update>& updates,
                  std::size_t& identitiesRecorded) {
  QuietReports quiet(db);
  DatabaseBatch batch(db, DatabaseBatch::Kind::kWrite);
  if (!batch.Began() || !db.Execute(kCreateIdentityTable)) return false;
  std::unordered_set<std::int32_t> applied;
  for (const Relocation& move : moved) {
    FileRecord record;
    SplitFilePath(record, move.newFullPath);
    if (!RowNames(db, move.fileId, move.oldFullPath) || FindFileId(db, record) != 0) continue;
    if (!db.Execute(u"UPDATE db_filetags SET Path = ?, FileName = ? WHERE ID = ?", record.Path,
                    record.FileName, move.fileId)) {
      return false;
    }
    applied.insert(move.fileId);
  }
  std::size_t recorded = 0;
  for (const Update& update : updates) {
    if (!RowNames(db, update.fileId, update.fullPath)) continue;
    if (!WriteIdentity(db, update.fileId, update.identity)) return false;
    if (!applied.contains(update.fileId)) ++recorded;
  }
  if (!batch.Commit()) return false;
  std::erase_if(moved, [&applied](const Relocation& move) { return !applied.contains(move.fileId); });
  identitiesRecorded = recorded;
  return true;
}

}  // namespace

RelocationResult RunRelocationPass(TagDatabase& db, FileProbe& probe,
                                   const std::atomic<bool>& stop, bool dryRun,
                                   const std::vector<std::u16string>& roots,
                                   const RelocationProgress& progress) {
  RelocationResult result;
  bool readable = false;
  const std::vector<CataloguedFile> files = ReadCatalogue(db, readable);
  if (!readable) {
    result.writeFailed = true;
    return result;
  }
  // Present files: their identities recorded or brought up to date.
  std::vector<Update> updates;
  std::vector<const CataloguedFile*> missing;
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (stop) return {};
    if (progress && i % kProgressStep == 0) progress(i, files.size());
    const CataloguedFile& file = files[i];
    const std::optional<FileIdentity> stamp = probe.Stamp(file.fullPath);
    if (!stamp) {
      // A folder or a device at the path is not the file either; a path that exists but cannot
      // be read is left alone.
      if (!probe.Exists(file.fullPath)) missing.push_back(&file);
      continue;
    }
    // Unchanged since its identity was read: the file's ID is not asked again, which costs
    // far more than the size and time on some systems.
    if (file.identity && file.identity->size == stamp->size &&
        file.identity->lastWrite == stamp->lastWrite) {
      continue;
    }
    if (auto identity = IdentifyWithFingerprint(probe, file.fullPath)) {
      updates.push_back({file.id, file.fullPath, *identity});
    }
  }

  if (progress) progress(files.size(), files.size());

  std::optional<Pass> pass;
  if (!missing.empty()) pass.emplace(probe, files, roots);
  for (std::size_t i = 0; i < missing.size(); ++i) {
    if (stop) return {};
    const CataloguedFile& file = *missing[i];
    std::u16string newPath;
    std::vector<std::u16string> candidates;
    std::optional<FileIdentity> found;
    if (file.identity) {
      found = pass->FindInOldFolder(file, newPath);
      if (!found) found = pass->FindById(file, newPath);
      if (!found) found = pass->FindByContent(file, newPath, candidates);
    }
    if (found) {
      result.moved.push_back({file.id, file.fullPath, newPath});
      updates.push_back({file.id, newPath, *found});
      continue;
    }
    result.missing.push_back(file.fullPath);
    if (!candidates.empty()) result.ambiguous.push_back({file.id, file.fullPath, candidates});
  }
  DropSharedTargets(result.moved, updates, result.missing);
  if (dryRun || (result.moved.empty() && updates.empty())) return result;
  if (stop) return {};
  std::vector<Relocation> moved = result.moved;
  if (!WriteChanges(db, moved, updates, result.identitiesRecorded)) {
    // Nothing was written: the files are still where the catalogue says, that is missing.
    for (const Relocation& move : result.moved) result.missing.push_back(move.oldFullPath);
    result.moved.clear();
    result.writeFailed = true;
    return result;
  }
  result.moved = std::move(moved);
  return result;
}

}  // namespace quillon
