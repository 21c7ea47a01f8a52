// A new, empty catalogue: the three tables, their indexes and the root folder row.
#pragma once

#include <string>

namespace quillon {

// The name and tag text of the root folder row; "*;" lists every catalogued file.
inline constexpr char16_t kRootFolderName[] = u"All Files";
inline constexpr char16_t kRootFolderTags[] = u"*;";

// Creates the catalogue file at `path`. Never touches an existing file: false, with the
// reason in `error` when one is given, if the file exists or cannot be made.
bool CreateCatalogue(const std::u16string& path, std::u16string* error = nullptr);

// The identities of catalogued files, a table beside the three (see relocate/): made inside
// the first write that records one, never when a catalogue is created or opened, so that an
// older program reads the catalogue as before.
inline constexpr char16_t kCreateIdentityTable[] =
    u"CREATE TABLE IF NOT EXISTS db_fileidentity(FileID INTEGER PRIMARY KEY, "
    u"VolumeSerial INTEGER, FileIdLow INTEGER, FileIdHigh INTEGER, Size INTEGER, "
    u"LastWrite INTEGER, Fingerprint INTEGER)";

class TagDatabase;
// Whether the catalogue has the identity table; false also when it cannot be read.
bool HasIdentityTable(TagDatabase& db);

}  // namespace quillon
