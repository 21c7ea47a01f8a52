// Prepared statements kept for reuse by the connection, keyed by their text.
//
// Preparing a statement costs far more than running a small one, and the catalogue sends the
// same few statement texts again and again, their values bound to "?" rather than written in.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

namespace quillon {

class StatementCache {
 public:
  explicit StatementCache(sqlite3* db) : db_(db) {}
  ~StatementCache();
  StatementCache(const StatementCache&) = delete;
  StatementCache& operator=(const StatementCache&) = delete;

  // A reset statement for `sql` without bound values, owned by the cache; null with the
  // engine's message in `error` when the text is not exactly one valid statement.
  sqlite3_stmt* Acquire(const std::string& sql, std::string& error);

 private:
  struct Entry {
    sqlite3_stmt* statement = nullptr;
    std::uint64_t lastUse = 0;
  };

  void EvictOldest();

  sqlite3* db_;
  std::unordered_map<std::string, Entry> entries_;
  std::uint64_t clock_ = 0;
};

}  // namespace quillon
