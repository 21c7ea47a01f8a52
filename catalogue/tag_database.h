// The one connection of the process to the catalogue data.dat.
//
// Statements are texts with a "?" for each value, the values bound to them rather than written
// into the text; the result of the last statement is read row by row and column by column.
// Every operation holds the process-wide database lock while it runs.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace quillon {

class BusyWait;

// A column value as the column holds it: null, integer, real or text.
using FieldValue = std::variant<std::monostate, std::int64_t, double, std::u16string>;

// How the catalogue reaches the user. The Windows program installs a reporter that shows a
// message box; the default one writes to the standard error stream.
class CatalogueReporter {
 public:
  virtual ~CatalogueReporter() = default;
  // A failed statement or row step (the text of the error).
  virtual void ReportDatabaseError(const std::u16string& text) = 0;
  // A failed read or conversion: a missing column, a result that is not open, a null text.
  virtual void ReportReadError(const std::u16string& text) = 0;
};

// The process-wide database lock.
std::recursive_mutex& DatabaseLock();

// Conversions of a field value; failures are reported through `reporter` and give 0 or "".
std::int32_t AsInteger(const FieldValue& value, CatalogueReporter* reporter = nullptr);
std::uint32_t AsUnsigned(const FieldValue& value, CatalogueReporter* reporter = nullptr);
std::u16string AsText(const FieldValue& value, CatalogueReporter* reporter = nullptr);
// The same, taking over the text of a value that is not needed afterwards.
std::u16string AsText(FieldValue&& value, CatalogueReporter* reporter = nullptr);

// A value bound to a "?" of a statement: an integer, or a text stored exactly as given (any
// apostrophe, NUL or length). Only a statement's run may read through the text.
using SqlValue = std::variant<std::int64_t, std::u16string_view>;

// A number as decimal text, signed.
std::u16string SqlInteger(std::int64_t value);

// Why the last Open failed.
enum class OpenFailure { kNone, kMissingOrNotCatalogue, kInUse };

// Whether a read could reach the catalogue.
enum class ReadAccess { kReadable, kInUse, kFailed };

class TagDatabase {
 public:
  TagDatabase();
  ~TagDatabase();
  TagDatabase(const TagDatabase&) = delete;
  TagDatabase& operator=(const TagDatabase&) = delete;

  // 1 on success, 0 on failure (nothing reported). A missing file is a failure: the catalogue
  // is never created here. Opening never changes the file; a catalogue that an earlier version
  // left in write-ahead mode is returned to the rollback journal, its log kept.
  int Open(const std::u16string& path);
  OpenFailure LastOpenFailure() const;
  // 1 on success; 0 after reporting the error text, the previous result kept readable.
  int Execute(std::u16string_view statement) { return ExecuteBound(statement, {}); }
  // The same with `values` bound to the statement's "?" in order; their count must match.
  template <typename... Values>
  int Execute(std::u16string_view statement, const SqlValue& first, const Values&... rest) {
    const SqlValue values[] = {first, SqlValue(rest)...};
    return ExecuteBound(statement, values);
  }
  int ExecuteBound(std::u16string_view statement, std::span<const SqlValue> values);
  // 1 on success; 0 after reporting the error.
  int MoveNext();
  // The column `name` (any case) of the current row; the integer 0 at the end of the result.
  FieldValue GetFieldValue(std::u16string_view name);
  // AsText(GetFieldValue(name), reporter) into `out`, reusing its storage: the search reads
  // every text of every file found this way.
  void ReadText(std::u16string_view name, std::u16string& out, CatalogueReporter* reporter);
  // True when the current result has no row left (or there is none): a reader that must tell
  // a stored 0 from the end asks this.
  bool AtEnd() const;
  // Reports conversion failures of the current read: the first problem of a batch (or of a
  // statement outside one) is reported, the rest are not, so a damaged column that repeats in
  // every row says so once.
  CatalogueReporter* ReadReporter();

  bool IsOpen() const;
  // The ID the database gave the row of the last successful INSERT on this connection.
  std::int64_t LastInsertRowId() const;
  // The reporter for errors; null restores the default one.
  void SetReporter(CatalogueReporter* reporter);
  CatalogueReporter& Reporter() const;
  // The waits for another program that holds the file; tests give it a clock of their own.
  BusyWait& Busy();
  // Ends the work of another thread on this connection at once: a running statement stops,
  // no lock is waited for again and later statements fail without a word. For the end of
  // the program; callable from any thread.
  void Interrupt();

 private:
  friend class DatabaseBatch;
  class OnceReporter;
  struct Engine;
  // Reports a statement's failure; a failure on another program's lock once per action, in
  // the catalogue's own words rather than the engine's.
  void ReportFailure(int code, const std::u16string& text);
  // A statement on a catalogue that is not open: in use when another program held it then.
  void ReportNotOpen();
  // Runs transaction control, which never touches the current result; failures are reported.
  bool Control(const char* sql);
  bool InTransaction() const;
  std::unique_ptr<Engine> engine_;
  CatalogueReporter* reporter_ = nullptr;
};

// A run of statements handled as one unit, holding the database lock throughout.
// A read batch lets many lookups share one snapshot of the catalogue instead of taking the
// file's lock for each statement. A write batch keeps its changes only when Commit() is called
// and undoes them when it ends without, so a sequence never stops half done; when it cannot
// begin (another program holds the file) it says so once and Began() is false: the caller then
// writes nothing. A write batch inside another joins it, and all of them must commit; a write
// batch inside a read batch is a transaction of its own, decided by itself alone.
class DatabaseBatch {
 public:
  enum class Kind { kRead, kWrite };
  DatabaseBatch(TagDatabase& db, Kind kind);
  ~DatabaseBatch();
  DatabaseBatch(const DatabaseBatch&) = delete;
  DatabaseBatch& operator=(const DatabaseBatch&) = delete;

  bool Began() const { return began_; }
  // For a read batch: reads the catalogue once, so that the batch's snapshot and its hold on
  // the file start here. Until the batch ends no other program can then take the file, so
  // the reads after a kReadable cannot fail on its lock. Failures are reported.
  ReadAccess HoldSnapshot();
  // Stores the changes; false (reported) when they could not be stored.
  bool Commit();

 private:
  enum class Role { kOuter, kJoined };
  TagDatabase& db_;
  std::unique_lock<std::recursive_mutex> lock_;
  Kind kind_;
  Role role_ = Role::kJoined;
  bool began_ = false;
  bool committed_ = false;
  bool resumeRead_ = false;  // a read batch was paused for this write batch
};

// Runs `read` in one read batch when the catalogue can be read now, so that a read either
// sees the catalogue whole or does not run at all (and its caller keeps what it showed).
ReadAccess ReadInOneSnapshot(TagDatabase& db, const std::function<void()>& read);

}  // namespace quillon
