#include "catalogue/tag_database.h"

#include <charconv>
#include <cstdio>
#include <string>

#include <sqlite3.h>

#include "catalogue/result_set.h"
#include "catalogue/statement_cache.h"
#include "base/text_convert.h"

namespace quillon {
namespace {

// Another process (a backup, quillon-catalogue) may hold the file briefly; wait for it.
constexpr int kBusyTimeoutMs = 5000;

class StandardErrorReporter : public CatalogueReporter {
 public:
  void ReportDatabaseError(const std::u16string& text) override { Write(text); }
  void ReportReadError(const std::u16string& text) override { Write(text); }

 private:
  static void Write(const std::u16string& text) {
    std::fprintf(stderr, "%s\n", ToUtf8(text).c_str());
  }
};

// The engine's message as the user sees it: without a final line break.
std::u16string MessageText(std::string_view message) {
  if (!message.empty() && message.back() == '\n') message.remove_suffix(1);
  if (!message.empty() && message.back() == '\r') message.remove_suffix(1);
  return FromUtf8(message);
}

bool HoldsCatalogueTables(sqlite3* db) {
  sqlite3_stmt* query = nullptr;
  const bool ok =
      sqlite3_prepare_v2(db,
                         "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name "
                         "COLLATE NOCASE IN ('db_virtualdir', 'db_filetags', 'db_taglist')",
                         -1, &query, nullptr) == SQLITE_OK &&
      sqlite3_step(query) == SQLITE_ROW && sqlite3_column_int(query, 0) == 3;
  sqlite3_finalize(query);
  return ok;
}

}  // namespace

struct TagDatabase::Engine {
  ~Engine() { Close(); }

  void Close() {
    statements.reset();
    sqlite3_close_v2(db);
    db = nullptr;
    result = ResultSet();
    spare = ResultSet();
  }

  // Runs one statement; on success its rows become the current result.
  bool Run(std::string_view sql, std::string& error) {
    sqlite3_stmt* statement = statements->Acquire(sql, error);
    if (statement == nullptr) return false;
    // The rows go into the spare result first, so a failure leaves the current one readable;
    // the two swap roles and keep their storage for the next statements.
    const bool ok = spare.Load(statement);
    if (!ok) error = sqlite3_errmsg(db);
    sqlite3_reset(statement);
    if (ok) std::swap(result, spare);
    return ok;
  }

  // Transaction control, which never touches the current result.
  bool Control(const char* sql, CatalogueReporter& reporter) {
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK) return true;
    reporter.ReportDatabaseError(MessageText(sqlite3_errmsg(db)));
    return false;
  }

  sqlite3* db = nullptr;
  std::unique_ptr<StatementCache> statements;
  ResultSet result;
  ResultSet spare;
};

std::recursive_mutex& DatabaseLock() {
  static std::recursive_mutex lock;
  return lock;
}

std::u16string QuoteSqlText(std::u16string_view text) {
  std::u16string quoted;
  quoted.reserve(text.size());
  for (const char16_t c : text) {
    quoted.push_back(c);
    if (c == u'\'') quoted.push_back(u'\'');
  }
  return quoted;
}

std::u16string SqlInteger(std::int64_t value) {
  char digits[24];
  char* const end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  return std::u16string(digits, end);
}

TagDatabase::TagDatabase() {
  // Touching the lock here makes it outlive a TagDatabase that is itself a static object.
  std::lock_guard lock(DatabaseLock());
  engine_ = std::make_unique<Engine>();
}

TagDatabase::~TagDatabase() {
  std::lock_guard lock(DatabaseLock());
  engine_.reset();
}

int TagDatabase::Open(const std::u16string& path) {
  std::lock_guard lock(DatabaseLock());
  engine_->Close();
  sqlite3* db = nullptr;
  // Read-write only: a missing file must fail here rather than turn into an empty database.
  // The connection needs no lock of its own: every use holds DatabaseLock().
  if (sqlite3_open_v2(ToUtf8(path).c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                      nullptr) != SQLITE_OK) {
    sqlite3_close_v2(db);
    return 0;
  }
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  if (!HoldsCatalogueTables(db)) {
    sqlite3_close_v2(db);
    return 0;
  }
  // Write-ahead logging lets other processes read the catalogue while the program writes it.
  // A file that cannot switch (read-only media) still works in its own journal mode.
  sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
  engine_->db = db;
  engine_->statements = std::make_unique<StatementCache>(db);
  return 1;
}

int TagDatabase::Execute(const std::u16string& statement) {
  std::lock_guard lock(DatabaseLock());
  if (engine_->db == nullptr) {
    Reporter().ReportDatabaseError(u"The catalogue is not open.");
    return 0;
  }
  std::string error;
  if (engine_->Run(ToUtf8(statement), error)) return 1;
  Reporter().ReportDatabaseError(MessageText(error));
  return 0;
}

int TagDatabase::MoveNext() {
  std::lock_guard lock(DatabaseLock());
  ResultSet& result = engine_->result;
  if (!result.IsOpen()) {
    Reporter().ReportDatabaseError(u"Cannot move to the next row: there is no open result.");
    return 0;
  }
  if (result.AtEnd()) {
    Reporter().ReportDatabaseError(u"Cannot move to the next row: the result has no more rows.");
    return 0;
  }
  result.MoveNext();
  return 1;
}

FieldValue TagDatabase::GetFieldValue(std::u16string_view name) {
  std::lock_guard lock(DatabaseLock());
  const ResultSet& result = engine_->result;
  if (!result.IsOpen()) {
    Reporter().ReportReadError(u"Cannot read the column \"" + std::u16string(name) +
                               u"\": there is no open result.");
    return {};
  }
  if (result.AtEnd()) return std::int64_t{0};
  const int column = result.ColumnIndex(name);
  if (column < 0) {
    Reporter().ReportReadError(u"The result has no column \"" + std::u16string(name) + u"\".");
    return {};
  }
  return result.Value(column);
}

bool TagDatabase::IsOpen() const {
  std::lock_guard lock(DatabaseLock());
  return engine_->db != nullptr;
}

std::int64_t TagDatabase::LastInsertRowId() const {
  std::lock_guard lock(DatabaseLock());
  return engine_->db == nullptr ? 0 : sqlite3_last_insert_rowid(engine_->db);
}

void TagDatabase::SetReporter(CatalogueReporter* reporter) {
  std::lock_guard lock(DatabaseLock());
  reporter_ = reporter;
}

CatalogueReporter& TagDatabase::Reporter() const {
  static StandardErrorReporter standardError;
  return reporter_ != nullptr ? *reporter_ : standardError;
}

DatabaseBatch::DatabaseBatch(TagDatabase& db, Kind kind)
    : db_(db), lock_(DatabaseLock()), kind_(kind) {
  sqlite3* handle = db_.engine_->db;
  if (handle == nullptr || sqlite3_get_autocommit(handle) == 0) return;
  // A write batch takes the write lock at once, so it cannot meet a busy lock half way.
  outer_ = db_.engine_->Control(kind_ == Kind::kWrite ? "BEGIN IMMEDIATE" : "BEGIN",
                                db_.Reporter());
}

DatabaseBatch::~DatabaseBatch() {
  sqlite3* handle = db_.engine_->db;
  if (!outer_ || handle == nullptr || sqlite3_get_autocommit(handle) != 0) return;
  // A read batch has nothing to undo; ending it releases its snapshot.
  db_.engine_->Control(kind_ == Kind::kWrite ? "ROLLBACK" : "COMMIT", db_.Reporter());
}

bool DatabaseBatch::Commit() {
  if (!outer_) return true;
  outer_ = false;
  TagDatabase::Engine& engine = *db_.engine_;
  // The engine ends a transaction by itself after some failures (a full disk); its changes
  // are then gone and there is nothing left to store.
  if (engine.db == nullptr || sqlite3_get_autocommit(engine.db) != 0) return false;
  if (engine.Control("COMMIT", db_.Reporter())) return true;
  if (sqlite3_get_autocommit(engine.db) == 0) engine.Control("ROLLBACK", db_.Reporter());
  return false;
}

}  // namespace quillon
