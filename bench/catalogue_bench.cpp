// The tag search against the floor the engine can reach: one JOIN returning the same rows.
//
// The catalogue is a file of 10,000 files with three tags each; one of the tags is carried by
// 100 files. Texts that repeat a tag (a 10,000-character "* * * ..." and "group7 " 1,428
// times) cost what the tag given once costs: "repeated ..." lines print those ratios. The last
// line printed is "ratio N.N", SearchByTags("*;") over the JOIN.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <string>

#include <sqlite3.h>
#include <unistd.h>

#include "catalogue/file_store.h"
#include "catalogue/schema.h"
#include "catalogue/tag_database.h"
#include "catalogue/tag_search.h"
#include "catalogue/tag_text.h"

namespace quillon {
namespace {

constexpr int kFiles = 10000;
constexpr char16_t kHundredFilesTag[] = u"group7;";

constexpr char kJoinAll[] =
    "SELECT f.ID, f.FileName, f.Path, f.Tags, f.Comment FROM db_filetags AS f "
    "JOIN (SELECT DISTINCT FileID FROM db_taglist) AS t ON t.FileID = f.ID";
constexpr char kJoinHundred[] =
    "SELECT f.ID, f.FileName, f.Path, f.Tags, f.Comment FROM db_taglist AS t "
    "JOIN db_filetags AS f ON f.ID = t.FileID WHERE t.Tag = 'group7'";

// A catalogue file in a temporary folder, filled through the file store, removed at exit.
class BenchCatalogue {
 public:
  BenchCatalogue() {
    std::random_device random;
    folder_ = std::filesystem::temp_directory_path() /
              ("quillon-bench-" + std::to_string(random()));
    std::filesystem::create_directories(folder_);
    const std::u16string file = (folder_ / "data.dat").u16string();
    if (!CreateCatalogue(file) || !db_.Open(file)) {
      std::fprintf(stderr, "cannot create the benchmark catalogue\n");
      std::exit(1);
    }
    DatabaseBatch batch(db_, DatabaseBatch::Kind::kWrite);
    for (int i = 0; i < kFiles; ++i) {
      FileRecord record;
      record.Path = u"C:\\Users\\demo\\Documents\\project" + SqlInteger(i % 50);
      record.FileName = u"file" + SqlInteger(i) + u".txt";
      record.Tags = u"group" + SqlInteger(i % 100) + u";kind" + SqlInteger(i % 7) + u";year" +
                    SqlInteger(2000 + i % 25) + u";";
      record.Comment = u"comment on file " + SqlInteger(i);
      InsertFile(db_, record);
    }
    batch.Commit();
    sqlite3_open_v2((folder_ / "data.dat").c_str(), &raw_, SQLITE_OPEN_READONLY, nullptr);
  }
  ~BenchCatalogue() {
    sqlite3_close_v2(raw_);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  TagDatabase& Database() { return db_; }
  sqlite3* Raw() { return raw_; }

 private:
  std::filesystem::path folder_;
  TagDatabase db_;
  sqlite3* raw_ = nullptr;
};

BenchCatalogue& Catalogue() {
  static BenchCatalogue catalogue;
  return catalogue;
}

std::u16string Text16(sqlite3_stmt* statement, int column) {
  const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(statement, column));
  return text == nullptr ? std::u16string()
                         : std::u16string(text, sqlite3_column_bytes16(statement, column) / 2);
}

// The JOIN's rows into a FileTable, as the search fills it.
void FillByJoin(sqlite3* db, const char* sql, FileTable& table) {
  table.Reset();
  sqlite3_stmt* statement = nullptr;
  sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
  FileRecord record;
  while (sqlite3_step(statement) == SQLITE_ROW) {
    record.ID = sqlite3_column_int(statement, 0);
    record.FileName = Text16(statement, 1);
    record.Path = Text16(statement, 2);
    record.Tags = Text16(statement, 3);
    record.Comment = Text16(statement, 4);
    table.Append(record);
  }
  sqlite3_finalize(statement);
}

std::set<std::int32_t> Ids(const FileTable& table) {
  std::set<std::int32_t> ids;
  for (std::uint32_t i = 0; i < table.Count(); ++i) {
    ids.insert(table.GetFile(static_cast<std::int32_t>(i)).ID);
  }
  return ids;
}

// A comparison is only worth printing when both sides return the same files.
void CheckSameRows(const char16_t* tags, const char* join, std::size_t expected) {
  FileTable searched;
  FileTable joined;
  SearchByTags(Catalogue().Database(), searched, tags);
  FillByJoin(Catalogue().Raw(), join, joined);
  if (searched.Count() != expected || Ids(searched) != Ids(joined)) {
    std::fprintf(stderr, "search and JOIN disagree: %u and %u rows\n", searched.Count(),
                 joined.Count());
    std::exit(1);
  }
}

void BM_SearchAllFiles(benchmark::State& state) {
  FileTable table;
  for (auto _ : state) SearchByTags(Catalogue().Database(), table, u"*;");
  state.counters["files"] = table.Count();
}

void BM_JoinAllFiles(benchmark::State& state) {
  FileTable table;
  for (auto _ : state) FillByJoin(Catalogue().Raw(), kJoinAll, table);
  state.counters["files"] = table.Count();
}

void BM_SearchHundredFiles(benchmark::State& state) {
  FileTable table;
  for (auto _ : state) SearchByTags(Catalogue().Database(), table, kHundredFilesTag);
  state.counters["files"] = table.Count();
}

// A tag typed over and over, as a stuck key or a pasted text gives it, normalised as the
// search boxes do.
std::u16string Repeated(std::u16string_view typed, std::size_t times) {
  std::u16string text;
  for (std::size_t i = 0; i < times; ++i) text += typed;
  return NormalizeTagText(text);
}

void BM_SearchRepeatedAllFiles(benchmark::State& state) {
  const std::u16string text = Repeated(u"* ", 5000);
  FileTable table;
  for (auto _ : state) SearchByTags(Catalogue().Database(), table, text);
  state.counters["files"] = table.Count();
}

void BM_SearchRepeatedHundredFiles(benchmark::State& state) {
  const std::u16string text = Repeated(u"group7 ", 1428);
  FileTable table;
  for (auto _ : state) SearchByTags(Catalogue().Database(), table, text);
  state.counters["files"] = table.Count();
}

void BM_JoinHundredFiles(benchmark::State& state) {
  FileTable table;
  for (auto _ : state) FillByJoin(Catalogue().Raw(), kJoinHundred, table);
  state.counters["files"] = table.Count();
}

BENCHMARK(BM_SearchAllFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JoinAllFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchHundredFiles)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_JoinHundredFiles)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SearchRepeatedAllFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchRepeatedHundredFiles)->Unit(benchmark::kMicrosecond);

// Keeps the times of the runs so the ratio can be printed after the table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  // Colours only on a terminal, so that logs stay plain text.
  RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_Defaults : OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) times_[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  double Time(const std::string& name) const {
    const auto it = times_.find(name);
    return it == times_.end() ? 0 : it->second;
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace
}  // namespace quillon

int main(int argc, char** argv) {
  using namespace quillon;
  benchmark::Initialize(&argc, argv);
  CheckSameRows(u"*;", kJoinAll, kFiles);
  CheckSameRows(kHundredFilesTag, kJoinHundred, 100);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  const auto ratio = [&reporter](const char* search, const char* join) {
    const double floor = reporter.Time(join);
    return floor > 0 ? reporter.Time(search) / floor : 0.0;
  };
  std::printf("repeated \"*\" over \"*\" once %.1f\n",
              ratio("BM_SearchRepeatedAllFiles", "BM_SearchAllFiles"));
  std::printf("repeated group7 over group7 once %.1f\n",
              ratio("BM_SearchRepeatedHundredFiles", "BM_SearchHundredFiles"));
  std::printf("hundred-file ratio %.1f\n", ratio("BM_SearchHundredFiles", "BM_JoinHundredFiles"));
  std::printf("ratio %.1f\n", ratio("BM_SearchAllFiles", "BM_JoinAllFiles"));
  return 0;
}
