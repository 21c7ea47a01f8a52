// Prepared statements kept for reuse by the connection, keyed by their text.
//
// Preparing a statement costs far more than running a small one, and the catalogue sends the
// same few statement shapes again and again (one lookup per file found by a search). A text
// that ends in "= <integer>" is prepared once with that integer lifted into a bound parameter,
// so lookups that differ only in the ID share one prepared statement.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

namespace quillon {

// The statement text with a trailing "= <integer>" turned into "= ?", and that integer;
// the text unchanged and no value when it has no such ending.
struct LiftedStatement {
  std::string text;
  std::optional<std::int64_t> value;
};
LiftedStatement LiftTrailingInteger(std::string_view sql);
// The same into `into`, reusing its storage.
void LiftTrailingInteger(std::string_view sql, LiftedStatement& into);

class StatementCache {
 public:
  explicit StatementCache(sqlite3* db) : db_(db) {}
  ~StatementCache();
  StatementCache(const StatementCache&) = delete;
  StatementCache& operator=(const StatementCache&) = delete;

  // A reset statement for `sql` with its parameter bound, owned by the cache; null with the
  // engine's message in `error` when the text is not exactly one valid statement.
  sqlite3_stmt* Acquire(std::string_view sql, std::string& error);

 private:
  struct Entry {
    sqlite3_stmt* statement = nullptr;  // null: this shape cannot take a lifted parameter
    std::uint64_t lastUse = 0;
  };

  // The cached entry for `text`, preparing it on a miss; null when it does not prepare.
  Entry* Find(const std::string& text, bool lifted, std::string& error);
  void EvictOldest();

  sqlite3* db_;
  LiftedStatement lifted_;  // working storage of Acquire
  std::unordered_map<std::string, Entry> entries_;
  std::uint64_t clock_ = 0;
};

}  // namespace quillon
