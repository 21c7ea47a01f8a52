// What the benchmarks under Wine share: a catalogue of generated files in a folder of their own,
// the best of a few timed runs, and the message processing between runs.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "catalogue/tables.h"

namespace quillon::bench {

// A folder below the system's temporary folder, emptied at the start and removed at the end.
class BenchFolder {
 public:
  explicit BenchFolder(const char* name);
  ~BenchFolder();
  BenchFolder(const BenchFolder&) = delete;
  BenchFolder& operator=(const BenchFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// data.dat in `folder` with `files` files, each described by `describe(i, record)`, written in
// one batch; false when the catalogue cannot be made.
bool MakeCatalogue(const std::filesystem::path& folder, unsigned files,
                   const std::function<void(unsigned, FileRecord&)>& describe);

// The shortest of `runs` timings of `work` in milliseconds, `prepare` running untimed before
// each.
double BestMilliseconds(int runs, const std::function<void()>& prepare,
                        const std::function<void()>& work);

// Processes every queued message through the program's own message handling.
void Pump();
// Waits for messages and processes them until `done` (a loading thread has ended, say).
void PumpUntil(const std::function<bool()>& done);

std::u16string Number(unsigned value);

}  // namespace quillon::bench
