#include "relocate/identity_store.h"

#include <mutex>

#include "catalogue/schema.h"

namespace quillon {
namespace {

// The engine keeps 64-bit integers signed; the unsigned values are stored bit for bit.
std::int64_t Stored(std::uint64_t value) { return static_cast<std::int64_t>(value); }

std::uint64_t ReadU64(TagDatabase& db, std::u16string_view column) {
  const FieldValue value = db.GetFieldValue(column);
  const auto* number = std::get_if<std::int64_t>(&value);
  return number != nullptr ? static_cast<std::uint64_t>(*number) : 0;
}

}  // namespace

std::unordered_map<std::int32_t, FileIdentity> ReadIdentities(TagDatabase& db, std::int32_t firstId,
                                                              std::int32_t lastId) {
  std::unordered_map<std::int32_t, FileIdentity> identities;
  std::lock_guard lock(DatabaseLock());
  if (!HasIdentityTable(db) ||
      !db.Execute(u"SELECT FileID, VolumeSerial, FileIdLow, FileIdHigh, Size, LastWrite, "
                  u"Fingerprint FROM db_fileidentity WHERE FileID BETWEEN ? AND ?",
                  std::int64_t{firstId}, std::int64_t{lastId})) {
    return identities;
  }
  while (!db.AtEnd()) {
    FileIdentity identity;
    const auto fileId = static_cast<std::int32_t>(ReadU64(db, u"FileID"));
    identity.volumeSerial = static_cast<std::uint32_t>(ReadU64(db, u"VolumeSerial"));
    identity.fileIdLow = ReadU64(db, u"FileIdLow");
    identity.fileIdHigh = ReadU64(db, u"FileIdHigh");
    identity.size = ReadU64(db, u"Size");
    identity.lastWrite = static_cast<std::int64_t>(ReadU64(db, u"LastWrite"));
    identity.fingerprint = ReadU64(db, u"Fingerprint");
    identities.emplace(fileId, identity);
    if (!db.MoveNext()) break;
  }
  return identities;
}

bool WriteIdentity(TagDatabase& db, std::int32_t fileId, const FileIdentity& identity) {
  return db.Execute(kCreateIdentityTable) &&
         db.Execute(u"INSERT OR REPLACE INTO db_fileidentity(FileID, VolumeSerial, FileIdLow, "
                    u"FileIdHigh, Size, LastWrite, Fingerprint) VALUES(?, ?, ?, ?, ?, ?, ?)",
                    fileId, std::int64_t{identity.volumeSerial}, Stored(identity.fileIdLow),
                    Stored(identity.fileIdHigh), Stored(identity.size), identity.lastWrite,
                    Stored(identity.fingerprint));
}

std::optional<FileIdentity> IdentifyWithFingerprint(FileProbe& probe,
                                                    const std::u16string& fullPath) {
  std::optional<FileIdentity> identity = probe.Identify(fullPath);
  if (!identity) return std::nullopt;
  const std::optional<std::uint64_t> fingerprint = probe.Fingerprint(fullPath);
  if (!fingerprint) return std::nullopt;
  identity->fingerprint = *fingerprint;
  return identity;
}

bool RecordIdentity(TagDatabase& db, FileProbe& probe, std::int32_t fileId,
                    const std::u16string& fullPath) {
  if (fileId <= 0) return false;
  const std::optional<FileIdentity> identity = IdentifyWithFingerprint(probe, fullPath);
  if (!identity) return false;
  DatabaseBatch batch(db, DatabaseBatch::Kind::kWrite);
  return batch.Began() && WriteIdentity(db, fileId, *identity) && batch.Commit();
}

}  // namespace quillon
