// The pass that finds catalogued files again after they were renamed or moved, and records the
// identities of files catalogued before identities were kept.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "catalogue/tag_database.h"
#include "relocate/file_probe.h"

namespace quillon {

struct Relocation {
  std::int32_t fileId;
  std::u16string oldFullPath, newFullPath;
};

// A missing file with more than one file that could be it: left as it is.
struct AmbiguousMatch {
  std::int32_t fileId;
  std::u16string oldFullPath;
  std::vector<std::u16string> candidates;
};

struct RelocationResult {
  std::vector<Relocation> moved;           // re-pointed in data.dat (one write transaction)
  std::vector<std::u16string> missing;     // full paths still missing after the pass
  std::vector<AmbiguousMatch> ambiguous;   // among `missing`, those with several candidates
  std::size_t identitiesRecorded = 0;      // back-filled for files catalogued before
  bool writeFailed = false;                // catalogue locked etc.: nothing written, retry next pass
};

// Called now and then with the files checked so far and the count of all files.
using RelocationProgress = std::function<void(std::size_t done, std::size_t total)>;

// Checks every catalogued file's path. A missing file is re-pointed when its identity opens
// it elsewhere with a second signal agreeing, or when a bounded search of the folders around
// it (and under each of `roots`, whole) finds exactly one file with its size and fingerprint.
// A dry run writes nothing and reports what it would change. Files on disk are never touched.
// `stop` ends the pass early with nothing written.
RelocationResult RunRelocationPass(TagDatabase& db, FileProbe& probe,
                                   const std::atomic<bool>& stop, bool dryRun = false,
                                   const std::vector<std::u16string>& roots = {},
                                   const RelocationProgress& progress = {});

}  // namespace quillon
