#include "catalogue/statement_cache.h"

#include <sqlite3.h>

namespace quillon {
namespace {

constexpr std::size_t kCachedStatements = 64;

// True when nothing but blanks and comments follows the first statement.
bool OnlyCommentsFollow(sqlite3* db, const char* tail, const char* end) {
  if (tail == nullptr || tail >= end) return true;
  sqlite3_stmt* next = nullptr;
  const int rc = sqlite3_prepare_v3(db, tail, static_cast<int>(end - tail), 0, &next, nullptr);
  sqlite3_finalize(next);
  return rc == SQLITE_OK && next == nullptr;
}

}  // namespace

StatementCache::~StatementCache() {
  for (auto& [text, entry] : entries_) sqlite3_finalize(entry.statement);
}

sqlite3_stmt* StatementCache::Acquire(const std::string& sql, std::string& error) {
  if (auto it = entries_.find(sql); it != entries_.end()) {
    it->second.lastUse = ++clock_;
    return it->second.statement;
  }
  sqlite3_stmt* statement = nullptr;
  const char* tail = nullptr;
  const char* end = sql.data() + sql.size();
  if (sqlite3_prepare_v3(db_, sql.data(), static_cast<int>(sql.size()),
                         SQLITE_PREPARE_PERSISTENT, &statement, &tail) != SQLITE_OK) {
    error = sqlite3_errmsg(db_);
    return nullptr;
  }
  if (statement == nullptr) {
    error = "The statement text is empty.";
    return nullptr;
  }
  if (!OnlyCommentsFollow(db_, tail, end)) {
    sqlite3_finalize(statement);
    error = "Only one statement can be run at a time.";
    return nullptr;
  }
  if (entries_.size() >= kCachedStatements) EvictOldest();
  entries_.emplace(sql, Entry{statement, ++clock_});
  return statement;
}

void StatementCache::EvictOldest() {
  auto oldest = entries_.begin();
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->second.lastUse < oldest->second.lastUse) oldest = it;
  }
  if (oldest == entries_.end()) return;
  sqlite3_finalize(oldest->second.statement);
  entries_.erase(oldest);
}

}  // namespace quillon
