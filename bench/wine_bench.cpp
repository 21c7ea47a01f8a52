#include "bench/wine_bench.h"

#include <windows.h>

#include <algorithm>
#include <chrono>

#include "catalogue/file_store.h"
#include "catalogue/schema.h"
#include "catalogue/tag_database.h"
#include "base/text_convert.h"
#include "framework/dialog.h"

namespace quillon::bench {

BenchFolder::BenchFolder(const char* name)
    : path_(std::filesystem::temp_directory_path() / name) {
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

BenchFolder::~BenchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

bool MakeCatalogue(const std::filesystem::path& folder, unsigned files,
                   const std::function<void(unsigned, FileRecord&)>& describe) {
  const std::u16string path = (folder / "data.dat").u16string();
  if (!CreateCatalogue(path)) return false;
  TagDatabase db;
  if (db.Open(path) != 1) return false;
  DatabaseBatch batch(db, DatabaseBatch::Kind::kWrite);
  for (unsigned i = 0; i < files; ++i) {
    FileRecord file;
    describe(i, file);
    if (!InsertFile(db, file)) return false;
  }
  return batch.Commit();
}

double BestMilliseconds(int runs, const std::function<void()>& prepare,
                        const std::function<void()>& work) {
  using Clock = std::chrono::steady_clock;
  double best = 1e12;
  for (int run = 0; run < runs; ++run) {
    prepare();
    const auto start = Clock::now();
    work();
    best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  return best;
}

void Pump() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ProcessMessage(message);
}

void PumpUntil(const std::function<bool()>& done) {
  while (!done()) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    Pump();
  }
  Pump();
}

std::u16string Number(unsigned value) { return FromUtf8(std::to_string(value)); }

}  // namespace quillon::bench
