// Writers in processes of their own: killed at any moment, or adding the same files at once,
// they leave a whole catalogue behind.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <vector>

#include <sqlite3.h>

#include "catalogue/file_store.h"
#include "catalogue/schema.h"
#include "catalogue/tag_search.h"
#include "catalogue/tag_text.h"
#include "base/text_convert.h"
#include "catalogue_fixture.h"
#include "relocate/relocation_pass.h"
#include "tests/relocate/fake_probe.h"

namespace quillon {
namespace {

using testing::TempFolder;

class QuietReporter : public CatalogueReporter {
 public:
  void ReportDatabaseError(const std::u16string&) override {}
  void ReportReadError(const std::u16string&) override {}
};

FileRecord RecordOf(int file, std::u16string tags) {
  FileRecord record;
  SplitFilePath(record, u"C:\\crash\\file" + SqlInteger(file) + u".txt");
  record.Tags = std::move(tags);
  return record;
}

// Adds, replaces and removes files until it is killed, writing a byte to `progress` after each
// operation; never returns.
[[noreturn]] void WriteUntilKilled(const std::u16string& file, unsigned seed, int progress) {
  QuietReporter quiet;
  TagDatabase db;
  db.SetReporter(&quiet);
  if (db.Open(file) != 1) _exit(3);
  std::mt19937 random(seed);
  FileTable listed;
  for (;;) {
    const std::u16string tags = u"t" + SqlInteger(random() % 5) + u";u" +
                                SqlInteger(random() % 3) + u";v" + SqlInteger(random() % 4) + u";";
    SearchByTags(db, listed, u"*;");
    const auto pick = [&] { return listed.GetFile(static_cast<std::int32_t>(random() % listed.Count())); };
    switch (listed.Count() == 0 ? 0 : random() % 3) {
      case 0:
        AddFileOnce(db, RecordOf(static_cast<int>(random() % 30), tags));
        break;
      case 1: {
        FileRecord record = pick();
        record.Tags = tags;
        ReplaceFile(db, record);
        break;
      }
      default:
        RemoveFileByPath(db, pick());
    }
    const char done = 1;
    if (write(progress, &done, 1) != 1) _exit(4);
  }
}

// What a catalogue written only by the program must always be; empty when it is.
std::string Problems(const std::u16string& file) {
  sqlite3* db = nullptr;
  std::string problems;
  if (sqlite3_open(ToUtf8(file).c_str(), &db) != SQLITE_OK) return "cannot open";
  const auto text = [&](const char* sql) {
    sqlite3_stmt* query = nullptr;
    std::string value = "(failed)";
    if (sqlite3_prepare_v2(db, sql, -1, &query, nullptr) == SQLITE_OK &&
        sqlite3_step(query) == SQLITE_ROW) {
      value = reinterpret_cast<const char*>(sqlite3_column_text(query, 0));
    }
    sqlite3_finalize(query);
    return value;
  };
  if (text("PRAGMA integrity_check") != "ok") problems += "integrity check failed; ";
  if (text("SELECT count(*) FROM db_taglist WHERE FileID NOT IN (SELECT ID FROM db_filetags)") != "0") {
    problems += "orphaned tag rows; ";
  }
  if (text("SELECT count(*) FROM (SELECT 1 FROM db_filetags GROUP BY Path, FileName "
           "HAVING count(*) > 1)") != "0") {
    problems += "a file stored twice; ";
  }
  // Every file row has exactly the tag rows of its tag text.
  sqlite3_stmt* query = nullptr;
  sqlite3_prepare_v2(db,
                     "SELECT f.Tags, (SELECT count(*) FROM db_taglist WHERE FileID = f.ID) "
                     "FROM db_filetags AS f",
                     -1, &query, nullptr);
  while (sqlite3_step(query) == SQLITE_ROW) {
    const auto* tags = reinterpret_cast<const char*>(sqlite3_column_text(query, 0));
    if (SplitTagUnits(FromUtf8(tags)).size() != static_cast<std::size_t>(sqlite3_column_int(query, 1))) {
      problems += std::string("tag rows missing for ") + tags + "; ";
    }
  }
  sqlite3_finalize(query);
  sqlite3_close(db);
  return problems;
}

// A kill tests what a process's death leaves behind, which does not depend on the disk: a
// memory file system spares the loop the disk's flushes.
std::filesystem::path FastFolderBase() {
  std::error_code error;
  return std::filesystem::is_directory("/dev/shm", error) ? std::filesystem::path("/dev/shm")
                                                          : std::filesystem::temp_directory_path();
}

int KillCount() {
  const char* configured = std::getenv("QUILLON_CRASH_KILLS");
  return configured != nullptr ? std::atoi(configured) : 120;
}

// Starts `write` in a process of its own again and again and kills it at a random moment of
// its run of writes; after each kill the catalogue must show no problem of `Problems` nor of
// `more`.
void KillWritersRepeatedly(const std::u16string& file,
                           void (*write)(const std::u16string&, unsigned, int),
                           const std::function<std::string()>& more) {
  std::mt19937 random(20261208);
  const int kills = KillCount();
  for (int kill = 0; kill < kills; ++kill) {
    int progress[2];
    ASSERT_EQ(pipe(progress), 0);
    const pid_t writer = fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
      close(progress[0]);
      write(file, static_cast<unsigned>(kill), progress[1]);
    }
    close(progress[1]);
    // Once the writer is under way, anywhere inside its run of commits.
    char done = 0;
    const bool started = read(progress[0], &done, 1) == 1;
    usleep(static_cast<useconds_t>(random() % 20000));
    ::kill(writer, SIGKILL);
    close(progress[0]);
    int status = 0;
    ASSERT_EQ(waitpid(writer, &status, 0), writer);
    ASSERT_TRUE(started) << "the writer ended before its first write";
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself, status " << status;
    ASSERT_EQ(Problems(file) + more(), "") << "after kill " << kill;
  }
}

TEST(CatalogueCrash, AWriterKilledAtAnyMomentLeavesAWholeCatalogue) {
  TempFolder folder(FastFolderBase());
  const std::u16string file = (folder.Path() / "data.dat").u16string();
  ASSERT_TRUE(CreateCatalogue(file));
  KillWritersRepeatedly(file, WriteUntilKilled, [] { return std::string(); });
}

// The relocation pass moving every file between two folders, and back, until it is killed.
constexpr int kMovingFiles = 40;

std::u16string MovingFile(int folder, int file) {
  return u"C:\\moving" + SqlInteger(folder) + u"\\file" + SqlInteger(file) + u".txt";
}

void PlaceMovingFiles(testing::FakeProbe& probe, int folder) {
  for (int f = 0; f < kMovingFiles; ++f) {
    probe.Put(MovingFile(folder, f), static_cast<std::uint64_t>(f + 1), 100 + f, 1000 + f);
  }
}

[[noreturn]] void RelocateUntilKilled(const std::u16string& file, unsigned, int progress) {
  QuietReporter quiet;
  TagDatabase db;
  db.SetReporter(&quiet);
  if (db.Open(file) != 1) _exit(3);
  const std::atomic<bool> stop{false};
  testing::FakeProbe probe;
  // Where the catalogue says the files are now, so the pass finds them all in the other folder.
  FileTable listed;
  SearchByTags(db, listed, u"*;");
  int folder = listed.Count() > 0 && listed.GetFile(0).Path == u"C:\\moving0" ? 1 : 0;
  for (;;) {
    probe = testing::FakeProbe();
    PlaceMovingFiles(probe, folder);
    if (RunRelocationPass(db, probe, stop).moved.size() != kMovingFiles) _exit(4);
    folder = 1 - folder;
    const char done = 1;
    if (write(progress, &done, 1) != 1) _exit(4);
  }
}

TEST(CatalogueCrash, APassKilledWhileItRePointsFilesLeavesNoneHalfDone) {
  TempFolder folder(FastFolderBase());
  const std::u16string file = (folder.Path() / "data.dat").u16string();
  ASSERT_TRUE(CreateCatalogue(file));
  {
    TagDatabase db;
    ASSERT_EQ(db.Open(file), 1);
    testing::FakeProbe probe;
    PlaceMovingFiles(probe, 0);
    for (int f = 0; f < kMovingFiles; ++f) {
      FileRecord record{0, u"file" + SqlInteger(f) + u".txt", u"C:\\moving0", u"m;", u"", 0};
      ASSERT_EQ(AddFileOnce(db, record), AddResult::kAdded);
    }
    const std::atomic<bool> stop{false};
    ASSERT_EQ(RunRelocationPass(db, probe, stop).identitiesRecorded,
              static_cast<std::size_t>(kMovingFiles));
  }
  // All files in one folder or all in the other, each with its identity.
  KillWritersRepeatedly(file, RelocateUntilKilled, [&file] {
    TagDatabase db;
    if (db.Open(file) != 1) return std::string("cannot open; ");
    std::string problems;
    db.Execute(u"SELECT count(DISTINCT Path) AS n FROM db_filetags");
    if (AsInteger(db.GetFieldValue(u"n")) != 1) problems += "files in both folders; ";
    db.Execute(u"SELECT count(*) AS n FROM db_fileidentity WHERE FileID IN (SELECT ID FROM "
               u"db_filetags)");
    if (AsInteger(db.GetFieldValue(u"n")) != kMovingFiles) problems += "identities lost; ";
    return problems;
  });
}

TEST(CatalogueConcurrency, ProcessesAddingTheSameFilesAtOnceStoreEachOnce) {
  TempFolder folder;
  const std::u16string file = (folder.Path() / "data.dat").u16string();
  ASSERT_TRUE(CreateCatalogue(file));
  constexpr int kProcesses = 4;
  constexpr int kFiles = 40;
  std::vector<pid_t> adders;
  for (int p = 0; p < kProcesses; ++p) {
    const pid_t adder = fork();
    ASSERT_GE(adder, 0);
    if (adder == 0) {
      TagDatabase db;
      if (db.Open(file) != 1) _exit(3);
      int failed = 0;
      for (int f = 0; f < kFiles; ++f) {
        failed += AddFileOnce(db, RecordOf(f, u"p" + SqlInteger(p) + u";")) == AddResult::kFailed;
      }
      _exit(failed == 0 ? 0 : 1);
    }
    adders.push_back(adder);
  }
  for (const pid_t adder : adders) {
    int status = 0;
    ASSERT_EQ(waitpid(adder, &status, 0), adder);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }
  EXPECT_EQ(Problems(file), "");
  TagDatabase db;
  ASSERT_EQ(db.Open(file), 1);
  FileTable table;
  EXPECT_EQ(SearchByTags(db, table, u"*;"), static_cast<std::uint32_t>(kFiles));
}

}  // namespace
}  // namespace quillon
