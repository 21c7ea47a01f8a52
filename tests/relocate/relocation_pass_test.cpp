// The relocation pass on a catalogue file of its own and a file system in memory.
#include <gtest/gtest.h>

#include <functional>

#include <sqlite3.h>

#include "base/text_convert.h"
#include "catalogue/busy_wait.h"
#include "catalogue/file_store.h"
#include "catalogue/schema.h"
#include "relocate/file_identity.h"
#include "relocate/relocation_pass.h"
#include "tests/catalogue/catalogue_fixture.h"
#include "tests/relocate/fake_probe.h"

namespace quillon {
namespace {

using testing::FakeProbe;

constexpr char16_t kReport[] = u"C:\\docs\\report.txt";
constexpr char16_t kOther[] = u"C:\\docs\\other.txt";

class RelocationPassTest : public testing::CatalogueTest {
 protected:
  RelocationPassTest() {
    probe_.Put(kReport, 100, 5000, 0xAAAA, 10);
    probe_.Put(kOther, 101, 6000, 0xBBBB, 10);
    reportId_ = AddFile(kReport, u"work");
    otherId_ = AddFile(kOther, u"work");
  }

  RelocationResult Pass(bool dryRun = false) { return RunRelocationPass(db_, probe_, stop_, dryRun); }

  std::u16string PathOf(std::int32_t id) {
    const auto paths = Column(u"SELECT Path || '\\' || FileName AS p FROM db_filetags WHERE ID = " +
                                  SqlInteger(id), u"p");
    return paths.empty() ? u"" : paths[0];
  }

  FakeProbe probe_;
  std::atomic<bool> stop_{false};
  std::int32_t reportId_ = 0;
  std::int32_t otherId_ = 0;
};

struct Case {
  const char* name;
  std::function<void(FakeProbe&)> change;
  std::u16string foundAt;  // empty: stays missing
  std::size_t candidates = 0;
};
const Case kCases[] = {
    {"renamed in place, opened by its ID",
     [](FakeProbe& p) { p.Move(kReport, u"C:\\docs\\renamed.txt"); }, u"C:\\docs\\renamed.txt"},
    {"moved to a sibling folder where IDs do not open",
     [](FakeProbe& p) {
       p.opensById = false;
       p.Move(kReport, u"C:\\archive\\report.txt");
     },
     u"C:\\archive\\report.txt"},
    {"moved far away, then edited: same ID and name, newer",
     [](FakeProbe& p) {
       p.Move(kReport, u"D:\\elsewhere\\deep\\report.txt");
       p.At(u"D:\\elsewhere\\deep\\report.txt") = {7, 100, 0, 7000, 11, 0xCCCC};
     },
     u"D:\\elsewhere\\deep\\report.txt"},
    {"renamed and edited: same ID, another name",
     [](FakeProbe& p) {
       p.Move(kReport, u"C:\\docs\\renamed.txt");
       p.At(u"C:\\docs\\renamed.txt") = {7, 100, 0, 7000, 11, 0xCCCC};
     },
     u""},
    {"two copies of the content and the original gone",
     [](FakeProbe& p) {
       p.opensById = false;
       p.Remove(kReport);
       p.Put(u"C:\\docs\\copy1.txt", 200, 5000, 0xAAAA);
       p.Put(u"C:\\archive\\copy2.txt", 201, 5000, 0xAAAA);
     },
     u"", 2},
    {"two copies, one of them keeping the file's ID",
     [](FakeProbe& p) {
       p.opensById = false;
       p.Move(kReport, u"C:\\docs\\moved.txt");
       p.Put(u"C:\\docs\\copy.txt", 201, 5000, 0xAAAA);
     },
     u"C:\\docs\\moved.txt"},
    {"deleted", [](FakeProbe& p) { p.Remove(kReport); }, u""},
    {"a different file given the deleted file's ID",
     [](FakeProbe& p) {
       p.Remove(kReport);
       p.Put(u"C:\\new\\photo.jpg", 100, 4000, 0xDDDD, 12);
     },
     u""},
    {"same size, another content nearby",
     [](FakeProbe& p) {
       p.opensById = false;
       p.Remove(kReport);
       p.Put(u"C:\\docs\\lookalike.txt", 300, 5000, 0xEEEE);
     },
     u""},
    {"moved onto the path of another catalogued file",
     [](FakeProbe& p) {
       p.Remove(kOther);
       p.Move(kReport, kOther);
     },
     u""},
};

class FoundAgainTest : public RelocationPassTest, public ::testing::WithParamInterface<Case> {};

TEST_P(FoundAgainTest, OnlyWhenTwoSignalsAgree) {
  const Case& c = GetParam();
  SCOPED_TRACE(c.name);
  ASSERT_EQ(Pass().identitiesRecorded, 2u);  // the files catalogued before: their identities
  ASSERT_EQ(Count(u"SELECT count(*) AS n FROM db_fileidentity"), 2);
  c.change(probe_);
  const RelocationResult result = Pass();
  const std::u16string now = PathOf(reportId_);
  if (c.foundAt.empty()) {
    EXPECT_TRUE(result.moved.empty());
    EXPECT_EQ(result.missing, std::vector<std::u16string>{kReport});
    EXPECT_EQ(now, kReport);
  } else {
    ASSERT_EQ(result.moved.size(), 1u);
    EXPECT_EQ(result.moved[0].fileId, reportId_);
    EXPECT_EQ(result.moved[0].newFullPath, c.foundAt);
    EXPECT_TRUE(result.missing.empty());
    EXPECT_EQ(now, c.foundAt);
    // The identity now is the one at the new place.
    EXPECT_EQ(Count(u"SELECT Fingerprint AS n FROM db_fileidentity WHERE FileID = " +
                    SqlInteger(reportId_)),
              static_cast<std::int64_t>(probe_.At(c.foundAt).fingerprint));
  }
  EXPECT_EQ(result.ambiguous.empty() ? 0 : result.ambiguous[0].candidates.size(), c.candidates);
  EXPECT_EQ(PathOf(otherId_), kOther);
  EXPECT_FALSE(result.writeFailed);
  EXPECT_TRUE(reporter_.databaseErrors.empty());
}

INSTANTIATE_TEST_SUITE_P(Changes, FoundAgainTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(RelocationPassTest, TwoMissingFilesClaimingOneFileAreBothLeftAlone) {
  probe_.opensById = false;
  Pass();
  // Both rows had the same content; one file of it is left, somewhere else.
  ASSERT_TRUE(db_.Execute(u"UPDATE db_fileidentity SET Size = 5000, Fingerprint = ?",
                          static_cast<std::int64_t>(0xAAAA)));
  probe_.Remove(kOther);
  probe_.Move(kReport, u"C:\\archive\\x.txt");
  const RelocationResult result = Pass();
  EXPECT_TRUE(result.moved.empty());
  EXPECT_EQ(result.missing.size(), 2u);
  EXPECT_EQ(PathOf(reportId_), kReport);
}

TEST_F(RelocationPassTest, ALargeCatalogueIsReadWholeAndFilesRenamedInAFolderNeedOneListing) {
  {
    DatabaseBatch batch(db_, DatabaseBatch::Kind::kWrite);  // more rows than one read takes
    for (int i = 0; i < 1200; ++i) {
      const std::u16string path = u"C:\\many\\file " + SqlInteger(i) + u".txt";
      probe_.Put(path, 1000 + i, 10 + i, 0x100 + i);
      AddFile(path, u"t");
    }
    ASSERT_TRUE(batch.Commit());
  }
  EXPECT_EQ(Pass().identitiesRecorded, 1202u);
  probe_.Move(u"C:\\many\\file 1199.txt", u"C:\\many\\last.txt");
  probe_.Move(u"C:\\many\\file 3.txt", u"C:\\many\\first.txt");
  probe_.listings.clear();
  const RelocationResult result = Pass();
  EXPECT_TRUE(result.moved.size() == 2 && result.missing.empty() && result.identitiesRecorded == 0);
  EXPECT_EQ(probe_.idLookups, 0);  // opening by ID searches the whole drive under Wine
  EXPECT_EQ(probe_.listings[u"C:\\many"], 1);
}

TEST_F(RelocationPassTest, AnOlderCatalogueGetsItsTableAtTheFirstWriteAndLosesRowsWithFiles) {
  EXPECT_FALSE(HasIdentityTable(db_));
  // Nothing missing, a dry run: nothing written, the catalogue stays as an older program made it.
  EXPECT_TRUE(Pass(true).missing.empty());
  EXPECT_FALSE(HasIdentityTable(db_));
  probe_.Move(kReport, u"C:\\docs\\renamed.txt");
  EXPECT_TRUE(Pass(true).missing.size() == 1 && !HasIdentityTable(db_));

  EXPECT_EQ(Pass().identitiesRecorded, 1u);  // the file still there
  EXPECT_TRUE(HasIdentityTable(db_));
  ASSERT_TRUE(RemoveFileByPath(db_, {otherId_, u"other.txt", u"C:\\docs", u"work;", u"", 0}));
  EXPECT_EQ(Count(u"SELECT count(*) AS n FROM db_fileidentity"), 0);
}

TEST_F(RelocationPassTest, ACatalogueHeldByAnotherProgramIsLeftForTheNextPassWithoutAWord) {
  Pass();
  probe_.Move(kReport, u"C:\\docs\\renamed.txt");
  std::int64_t now = 0;
  db_.Busy().SetClock([&now] { return now; }, [&now](int ms) { now += ms; });
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(ToUtf8(file_).c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
  const RelocationResult held = Pass();
  sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  EXPECT_TRUE(held.writeFailed);
  EXPECT_TRUE(held.moved.empty());
  EXPECT_TRUE(reporter_.databaseErrors.empty());
  EXPECT_EQ(PathOf(reportId_), kReport);

  const RelocationResult later = Pass();
  EXPECT_FALSE(later.writeFailed);
  EXPECT_EQ(later.moved.size(), 1u);
  EXPECT_EQ(PathOf(reportId_), u"C:\\docs\\renamed.txt");
}

TEST(Fingerprint, ReadsTheSizeAndBothEnds) {
  const std::vector<unsigned char> a(100, 1), b(100, 2);
  const std::uint64_t base = FingerprintOf(1000, a, a);
  EXPECT_TRUE(FingerprintOf(1000, a, a) == base && FingerprintOf(1001, a, a) != base &&
              FingerprintOf(1000, b, a) != base && FingerprintOf(1000, a, b) != base);
}

}  // namespace
}  // namespace quillon
