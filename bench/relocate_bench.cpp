// The relocation pass on real files: a catalogue of 10,000 files with none missing (the pass
// after every start and F5), and `repair` over a root of 20,000 files of which 1,000 were
// moved into a folder only the root's search reaches.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "catalogue/file_store.h"
#include "catalogue/schema.h"
#include "catalogue/tag_database.h"
#include "relocate/file_probe.h"
#include "relocate/relocation_pass.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;

constexpr int kPassFiles = 10000;
constexpr int kRootFiles = 20000;
constexpr int kMovedFiles = 1000;
constexpr int kFilesPerFolder = 100;

// The path as the catalogue keeps it on Linux: drive Z: is the root.
std::u16string Catalogued(const fs::path& file) {
  std::u16string path = u"Z:" + file.u16string();
  for (char16_t& c : path) {
    if (c == u'/') c = u'\\';
  }
  return path;
}

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "relocate_bench: %s\n", what);
  std::exit(1);
}

// `count` files of 1 to 8 KiB, each of its own content, in folders of kFilesPerFolder under
// `root`, catalogued in `catalogue` with their identities recorded.
std::vector<fs::path> MakeFiles(const fs::path& root, int count, const std::u16string& catalogue) {
  std::mt19937 random(static_cast<unsigned>(count));
  std::vector<fs::path> files;
  for (int i = 0; i < count; ++i) {
    const fs::path folder = root / ("folder" + std::to_string(i / kFilesPerFolder));
    if (i % kFilesPerFolder == 0) fs::create_directories(folder);
    files.push_back(folder / ("file" + std::to_string(i) + ".dat"));
    std::string content(1024 + random() % 7168, 'x');
    content.replace(0, 16, std::to_string(i) + "-" + std::to_string(random()));
    std::ofstream(files.back(), std::ios::binary) << content;
  }
  if (!CreateCatalogue(catalogue)) Fail("cannot create a catalogue");
  TagDatabase db;
  if (!db.Open(catalogue)) Fail("cannot open a catalogue");
  {
    DatabaseBatch batch(db, DatabaseBatch::Kind::kWrite);
    for (const fs::path& file : files) {
      FileRecord record;
      SplitFilePath(record, Catalogued(file));
      record.Tags = u"bench;";
      InsertFile(db, record);
    }
    batch.Commit();
  }
  const std::atomic<bool> stop{false};
  const auto probe = MakeSystemProbe();
  if (RunRelocationPass(db, *probe, stop).identitiesRecorded != files.size()) {
    Fail("identities not recorded");
  }
  return files;
}

class BenchFiles {
 public:
  BenchFiles() {
    std::random_device random;
    folder_ = fs::temp_directory_path() / ("quillon-relocate-bench-" + std::to_string(random()));
    MakeFiles(folder_ / "pass", kPassFiles, PassCatalogue());
    const std::vector<fs::path> rootFiles =
        MakeFiles(folder_ / "root", kRootFiles, (folder_ / "root.dat").u16string());
    // Every twentieth file, into a folder that is neither near its old one nor holds
    // catalogued files.
    const fs::path away = folder_ / "root" / "moved" / "deep";
    fs::create_directories(away);
    for (int i = 0; i < kRootFiles; i += kRootFiles / kMovedFiles) {
      fs::rename(rootFiles[i], away / rootFiles[i].filename());
    }
  }
  ~BenchFiles() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  std::u16string PassCatalogue() const { return (folder_ / "pass.dat").u16string(); }
  // A fresh copy of the catalogue of the root's files, as it was before the moves.
  std::u16string RepairCatalogue() const {
    const fs::path copy = folder_ / "repair.dat";
    fs::copy_file(folder_ / "root.dat", copy, fs::copy_options::overwrite_existing);
    return copy.u16string();
  }
  std::u16string Root() const { return Catalogued(folder_ / "root"); }

 private:
  fs::path folder_;
};

BenchFiles& Files() {
  static BenchFiles files;
  return files;
}

void BM_PassNoneMissing(benchmark::State& state) {
  TagDatabase db;
  if (!db.Open(Files().PassCatalogue())) Fail("cannot open the catalogue");
  const std::atomic<bool> stop{false};
  const auto probe = MakeSystemProbe();
  for (auto _ : state) {
    const RelocationResult result = RunRelocationPass(db, *probe, stop);
    if (!result.missing.empty() || !result.moved.empty()) Fail("files missing");
  }
}

void BM_RepairRootWithMovedFiles(benchmark::State& state) {
  const std::atomic<bool> stop{false};
  const auto probe = MakeSystemProbe();
  for (auto _ : state) {
    state.PauseTiming();
    TagDatabase db;
    if (!db.Open(Files().RepairCatalogue())) Fail("cannot open the catalogue");
    state.ResumeTiming();
    const RelocationResult result = RunRelocationPass(db, *probe, stop, false, {Files().Root()});
    if (result.moved.size() != kMovedFiles || !result.missing.empty()) Fail("moves not found");
  }
}

BENCHMARK(BM_PassNoneMissing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepairRootWithMovedFiles)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace quillon

BENCHMARK_MAIN();
