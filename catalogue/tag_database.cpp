#include "catalogue/tag_database.h"

#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include <sqlite3.h>

#include "catalogue/busy_wait.h"
#include "catalogue/result_set.h"
#include "catalogue/statement_cache.h"
#include "base/text_convert.h"
#include "resources/user_texts.h"

namespace quillon {
namespace {

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

bool IsLockFailure(int code) {
  code &= 0xFF;
  return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

// The count of catalogue tables, or the engine's error code (negated) when it cannot be read.
int CatalogueTableCount(sqlite3* db) {
  sqlite3_stmt* query = nullptr;
  int rc = sqlite3_prepare_v2(db,
                              "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name "
                              "COLLATE NOCASE IN ('db_virtualdir', 'db_filetags', 'db_taglist')",
                              -1, &query, nullptr);
  int count = 0;
  if (rc == SQLITE_OK) {
    rc = sqlite3_step(query);
    if (rc == SQLITE_ROW) count = sqlite3_column_int(query, 0);
  }
  sqlite3_finalize(query);
  return rc == SQLITE_ROW ? count : -sqlite3_extended_errcode(db);
}

// True when the file keeps its changes in a write-ahead log beside it.
bool InWriteAheadMode(sqlite3* db) {
  sqlite3_stmt* query = nullptr;
  bool wal = false;
  if (sqlite3_prepare_v2(db, "PRAGMA journal_mode", -1, &query, nullptr) == SQLITE_OK &&
      sqlite3_step(query) == SQLITE_ROW) {
    const auto* mode = reinterpret_cast<const char*>(sqlite3_column_text(query, 0));
    wal = mode != nullptr && std::string_view(mode) == "wal";
  }
  sqlite3_finalize(query);
  return wal;
}

}  // namespace

class TagDatabase::OnceReporter : public CatalogueReporter {
 public:
  explicit OnceReporter(TagDatabase& db) : db_(db) {}
  void ReportDatabaseError(const std::u16string& text) override { ReportReadError(text); }
  void ReportReadError(const std::u16string& text) override {
    if (reported_) return;
    reported_ = true;
    db_.Reporter().ReportReadError(text);
  }
  void Rearm() { reported_ = false; }

 private:
  TagDatabase& db_;
  bool reported_ = false;
};

struct TagDatabase::Engine {
  explicit Engine(TagDatabase& owner) : reads(owner) {}
  ~Engine() { Close(); }

  void Close() {
    statements.reset();
    {
      std::lock_guard handle(handleLock);
      sqlite3_close_v2(db);
      db = nullptr;
    }
    result = ResultSet();
    spare = ResultSet();
    batches = 0;
    writeBatches = 0;
  }

  // Runs the statement in `sql` with its values; on success its rows become the current result.
  bool Run(std::span<const SqlValue> values, std::string& error, int& code) {
    sqlite3_stmt* statement = statements->Acquire(sql, error);
    if (statement == nullptr) {
      code = sqlite3_extended_errcode(db);
      return false;
    }
    if (!Bind(statement, values, error, code)) return false;
    // The rows go into the spare result first, so a failure leaves the current one readable;
    // the two swap roles and keep their storage for the next statements.
    const bool ok = spare.Load(statement);
    if (!ok) {
      error = sqlite3_errmsg(db);
      code = sqlite3_extended_errcode(db);
    }
    sqlite3_reset(statement);
    // The bound texts point into storage that the next statement reuses.
    sqlite3_clear_bindings(statement);
    if (ok) std::swap(result, spare);
    return ok;
  }

  // Texts are bound as this program's own UTF-8, which keeps unpaired surrogates of Windows
  // names exactly as the reader gives them back.
  bool Bind(sqlite3_stmt* statement, std::span<const SqlValue> values, std::string& error,
            int& code) {
    const int wanted = sqlite3_bind_parameter_count(statement);
    if (wanted != static_cast<int>(values.size())) {
      error = "The statement takes " + std::to_string(wanted) + " values; " +
              std::to_string(values.size()) + " were given.";
      code = SQLITE_MISUSE;
      return false;
    }
    if (texts.size() < values.size()) texts.resize(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
      const int place = static_cast<int>(i) + 1;
      int rc;
      if (const auto* number = std::get_if<std::int64_t>(&values[i])) {
        rc = sqlite3_bind_int64(statement, place, *number);
      } else {
        AssignToUtf8(texts[i], std::get<std::u16string_view>(values[i]));
        rc = sqlite3_bind_text64(statement, place, texts[i].data(), texts[i].size(),
                                 SQLITE_STATIC, SQLITE_UTF8);
      }
      if (rc != SQLITE_OK) {
        error = sqlite3_errmsg(db);
        code = rc;
        sqlite3_clear_bindings(statement);
        return false;
      }
    }
    return true;
  }

  static int OnBusy(void* self, int) { return static_cast<Engine*>(self)->busy.TryAgain(); }

  sqlite3* db = nullptr;
  std::mutex handleLock;  // between Interrupt() on another thread and open or close
  std::unique_ptr<StatementCache> statements;
  std::string sql;  // the statement being run, as the engine takes it
  std::vector<std::string> texts;  // its bound texts, likewise
  ResultSet result;
  ResultSet spare;
  BusyWait busy;
  OnceReporter reads;
  OpenFailure openFailure = OpenFailure::kNone;
  int batches = 0;        // open batches of any kind
  int writeBatches = 0;   // open write batches; the outer one holds the transaction
  bool writeBegan = false;
  bool writeDoomed = false;  // a joined write batch ended without committing
};

std::recursive_mutex& DatabaseLock() {
  static std::recursive_mutex lock;
  return lock;
}

std::u16string SqlInteger(std::int64_t value) {
  char digits[24];
  char* const end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  return std::u16string(digits, end);
}

TagDatabase::TagDatabase() {
  // Touching the lock here makes it outlive a TagDatabase that is itself a static object.
  std::lock_guard lock(DatabaseLock());
  engine_ = std::make_unique<Engine>(*this);
}

TagDatabase::~TagDatabase() {
  std::lock_guard lock(DatabaseLock());
  engine_.reset();
}

int TagDatabase::Open(const std::u16string& path) {
  std::lock_guard lock(DatabaseLock());
  engine_->Close();
  engine_->openFailure = OpenFailure::kMissingOrNotCatalogue;
  sqlite3* db = nullptr;
  // Read-write only: a missing file must fail here rather than turn into an empty database.
  // The connection needs no lock of its own: every use holds DatabaseLock().
  if (sqlite3_open_v2(ToUtf8(path).c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                      nullptr) != SQLITE_OK) {
    sqlite3_close_v2(db);
    return 0;
  }
  sqlite3_busy_handler(db, &Engine::OnBusy, engine_.get());
  const int tables = CatalogueTableCount(db);
  if (tables != 3) {
    if (tables < 0 && IsLockFailure(-tables)) {
      engine_->openFailure = OpenFailure::kInUse;
      engine_->busy.FailureHandled();  // a later attempt waits afresh
    }
    sqlite3_close_v2(db);
    return 0;
  }
  // The rollback journal keeps every committed change in data.dat itself, so a copy of the
  // file alone is whole. Switching back from write-ahead mode first moves the log's content
  // into the file; while another program has the file open it cannot, and the log is still
  // read and kept.
  if (InWriteAheadMode(db)) sqlite3_exec(db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
  {
    std::lock_guard handle(engine_->handleLock);
    engine_->db = db;
  }
  engine_->statements = std::make_unique<StatementCache>(db);
  engine_->openFailure = OpenFailure::kNone;
  engine_->busy.Succeeded();
  return 1;
}

OpenFailure TagDatabase::LastOpenFailure() const {
  std::lock_guard lock(DatabaseLock());
  return engine_->openFailure;
}

void TagDatabase::ReportFailure(int code, const std::u16string& text) {
  if (engine_->busy.Stopped()) return;  // the program is ending: nobody is there to tell
  if (!IsLockFailure(code)) {
    Reporter().ReportDatabaseError(text);
    return;
  }
  if (engine_->busy.ShouldReport()) {
    Reporter().ReportDatabaseError(UserText(TEXT_CATALOGUE_IN_USE));
  }
  engine_->busy.FailureHandled();
}

void TagDatabase::ReportNotOpen() {
  if (engine_->openFailure == OpenFailure::kInUse) {
    ReportFailure(SQLITE_BUSY, {});
  } else if (!engine_->busy.Stopped()) {
    Reporter().ReportDatabaseError(u"The catalogue is not open.");
  }
}

int TagDatabase::ExecuteBound(std::u16string_view statement, std::span<const SqlValue> values) {
  std::lock_guard lock(DatabaseLock());
  if (engine_->busy.Stopped()) return 0;
  if (engine_->db == nullptr) {
    ReportNotOpen();
    return 0;
  }
  std::string error;
  int code = SQLITE_OK;
  AssignToUtf8(engine_->sql, statement);
  if (engine_->Run(values, error, code)) {
    engine_->busy.Succeeded();
    if (engine_->batches == 0) engine_->reads.Rearm();
    return 1;
  }
  ReportFailure(code, MessageText(error));
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
    engine_->reads.ReportReadError(u"Cannot read the column \"" + std::u16string(name) +
                                   u"\": there is no open result.");
    return {};
  }
  if (result.AtEnd()) return std::int64_t{0};
  const int column = result.ColumnIndex(name);
  if (column < 0) {
    engine_->reads.ReportReadError(u"The result has no column \"" + std::u16string(name) +
                                   u"\".");
    return {};
  }
  return result.Value(column);
}

void TagDatabase::ReadText(std::u16string_view name, std::u16string& out,
                           CatalogueReporter* reporter) {
  std::lock_guard lock(DatabaseLock());
  const ResultSet& result = engine_->result;
  const int column = result.IsOpen() && !result.AtEnd() ? result.ColumnIndex(name) : -1;
  if (column >= 0) {
    if (const auto* text = std::get_if<std::u16string>(&result.Value(column))) {
      out.assign(*text);
      return;
    }
  }
  out = AsText(GetFieldValue(name), reporter);
}

bool TagDatabase::AtEnd() const {
  std::lock_guard lock(DatabaseLock());
  return !engine_->result.IsOpen() || engine_->result.AtEnd();
}

CatalogueReporter* TagDatabase::ReadReporter() { return &engine_->reads; }

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

BusyWait& TagDatabase::Busy() { return engine_->busy; }

void TagDatabase::Interrupt() {
  // Without the database lock, which the interrupted thread holds.
  engine_->busy.Stop();
  std::lock_guard handle(engine_->handleLock);
  if (engine_->db != nullptr) sqlite3_interrupt(engine_->db);
}

bool TagDatabase::Control(const char* sql) {
  sqlite3* db = engine_->db;
  if (engine_->busy.Stopped()) return false;
  if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK) {
    // Only taking the write lock proves that no other program holds the file.
    if (std::string_view(sql) == "BEGIN IMMEDIATE") engine_->busy.Succeeded();
    return true;
  }
  ReportFailure(sqlite3_extended_errcode(db), MessageText(sqlite3_errmsg(db)));
  return false;
}

bool TagDatabase::InTransaction() const {
  return engine_->db != nullptr && sqlite3_get_autocommit(engine_->db) == 0;
}

DatabaseBatch::DatabaseBatch(TagDatabase& db, Kind kind)
    : db_(db), lock_(DatabaseLock()), kind_(kind) {
  TagDatabase::Engine& engine = *db_.engine_;
  if (engine.batches++ == 0) engine.reads.Rearm();
  if (engine.db == nullptr) {
    if (kind_ == Kind::kWrite) db_.ReportNotOpen();
    return;
  }
  if (kind_ == Kind::kRead) {
    // Beginning a read takes no lock yet, so it cannot fail on another program.
    if (!db_.InTransaction()) {
      role_ = Role::kOuter;
      db_.Control("BEGIN");
    }
    began_ = true;
    return;
  }
  if (engine.writeBatches++ > 0) {
    began_ = engine.writeBegan;
    return;
  }
  role_ = Role::kOuter;
  // A read batch around this one only shares a snapshot: it ends here and starts again
  // afterwards, so this batch's changes are kept or undone by this batch alone.
  if (db_.InTransaction()) resumeRead_ = db_.Control("COMMIT");
  // The write lock is taken at once, so the batch cannot meet a busy lock half way.
  began_ = db_.Control("BEGIN IMMEDIATE");
  engine.writeBegan = began_;
  engine.writeDoomed = false;
}

DatabaseBatch::~DatabaseBatch() {
  TagDatabase::Engine& engine = *db_.engine_;
  --engine.batches;
  if (engine.db == nullptr) return;
  if (kind_ == Kind::kRead) {
    // A read batch has nothing to undo; ending it releases its snapshot.
    if (role_ == Role::kOuter && db_.InTransaction()) db_.Control("COMMIT");
    return;
  }
  --engine.writeBatches;
  if (role_ == Role::kJoined) {
    if (!committed_) engine.writeDoomed = true;
    return;
  }
  if (began_ && !committed_ && db_.InTransaction()) db_.Control("ROLLBACK");
  if (resumeRead_) db_.Control("BEGIN");
}

ReadAccess DatabaseBatch::HoldSnapshot() {
  TagDatabase::Engine& engine = *db_.engine_;
  if (engine.db == nullptr) {
    db_.ReportNotOpen();
    return engine.openFailure == OpenFailure::kInUse ? ReadAccess::kInUse : ReadAccess::kFailed;
  }
  if (engine.busy.Stopped()) return ReadAccess::kFailed;
  std::string error;
  int code = SQLITE_OK;
  engine.sql = "SELECT count(*) FROM sqlite_master";
  if (engine.Run({}, error, code)) {
    engine.busy.Succeeded();
    return ReadAccess::kReadable;
  }
  db_.ReportFailure(code, MessageText(error));
  return IsLockFailure(code) ? ReadAccess::kInUse : ReadAccess::kFailed;
}

bool DatabaseBatch::Commit() {
  if (!began_ || committed_) return began_ && committed_;
  committed_ = true;
  TagDatabase::Engine& engine = *db_.engine_;
  if (kind_ == Kind::kRead || role_ == Role::kJoined) return true;
  // The engine ends a transaction by itself after some failures (a full disk); its changes
  // are then gone and there is nothing left to store.
  if (engine.db == nullptr || !db_.InTransaction()) return false;
  if (!engine.writeDoomed && db_.Control("COMMIT")) return true;
  if (db_.InTransaction()) db_.Control("ROLLBACK");
  return false;
}

ReadAccess ReadInOneSnapshot(TagDatabase& db, const std::function<void()>& read) {
  DatabaseBatch batch(db, DatabaseBatch::Kind::kRead);
  const ReadAccess access = batch.HoldSnapshot();
  if (access == ReadAccess::kReadable) read();
  return access;
}

}  // namespace quillon
