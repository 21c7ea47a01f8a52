// The identities of catalogued files in data.dat: the table db_fileidentity beside the three
// tables of the catalogue, one row per catalogued file (FileID = db_filetags.ID). The table is
// made by the first write that records an identity; a catalogue without it has no identities.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "catalogue/tag_database.h"
#include "relocate/file_identity.h"
#include "relocate/file_probe.h"

namespace quillon {

// The stored identities of the files `firstId` to `lastId` by file ID; empty when the table
// does not exist. Call inside a read batch.
std::unordered_map<std::int32_t, FileIdentity> ReadIdentities(TagDatabase& db, std::int32_t firstId,
                                                              std::int32_t lastId);

// Stores (or replaces) the identity of `fileId`, making the table when needed. Call inside a
// write batch; false when a statement failed.
bool WriteIdentity(TagDatabase& db, std::int32_t fileId, const FileIdentity& identity);

// Reads the identity and fingerprint of the file just catalogued as `fileId` at `fullPath`
// and stores them in a write of its own; false when the file cannot be read or nothing was
// written (the relocation pass records it later).
bool RecordIdentity(TagDatabase& db, FileProbe& probe, std::int32_t fileId,
                    const std::u16string& fullPath);

// The identity of `fullPath` with its fingerprint; nothing when the file cannot be read.
std::optional<FileIdentity> IdentifyWithFingerprint(FileProbe& probe,
                                                    const std::u16string& fullPath);

}  // namespace quillon
