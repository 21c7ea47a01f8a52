#include "catalogue/statement_cache.h"

#include <cstring>

#include <sqlite3.h>

namespace quillon {
namespace {

constexpr std::size_t kCachedStatements = 64;
// Up to 18 digits always fit a 64-bit integer; longer numbers stay in the text.
constexpr std::size_t kMaxLiftedDigits = 18;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// True when nothing but blanks and comments follows the first statement.
bool OnlyCommentsFollow(sqlite3* db, const char* tail, const char* end) {
  if (tail == nullptr || tail >= end) return true;
  sqlite3_stmt* next = nullptr;
  const int rc = sqlite3_prepare_v3(db, tail, static_cast<int>(end - tail), 0, &next, nullptr);
  sqlite3_finalize(next);
  return rc == SQLITE_OK && next == nullptr;
}

// A bound value and a literal differ only in the text of an unnamed result column, so a
// statement whose result columns show the parameter keeps its literal.
bool TakesLiftedParameter(sqlite3_stmt* statement) {
  if (sqlite3_bind_parameter_count(statement) != 1) return false;
  for (int i = 0; i < sqlite3_column_count(statement); ++i) {
    const char* name = sqlite3_column_name(statement, i);
    if (name != nullptr && std::strchr(name, '?') != nullptr) return false;
  }
  return true;
}

}  // namespace

LiftedStatement LiftTrailingInteger(std::string_view sql) {
  LiftedStatement lifted;
  LiftTrailingInteger(sql, lifted);
  return lifted;
}

void LiftTrailingInteger(std::string_view sql, LiftedStatement& into) {
  std::size_t digits = sql.size();
  while (digits > 0 && IsDigit(sql[digits - 1])) --digits;
  const std::size_t count = sql.size() - digits;
  std::size_t op = digits;
  while (op > 0 && IsSpace(sql[op - 1])) --op;
  if (count == 0 || count > kMaxLiftedDigits || op == 0 || sql[op - 1] != '=') {
    into.text.assign(sql);
    into.value.reset();
    return;
  }
  std::int64_t value = 0;
  for (const char c : sql.substr(digits)) value = value * 10 + (c - '0');
  into.text.assign(sql.substr(0, digits));
  into.text += '?';
  into.value = value;
}

StatementCache::~StatementCache() {
  for (auto& [text, entry] : entries_) sqlite3_finalize(entry.statement);
}

sqlite3_stmt* StatementCache::Acquire(std::string_view sql, std::string& error) {
  LiftTrailingInteger(sql, lifted_);
  if (lifted_.value) {
    std::string ignored;
    if (Entry* entry = Find(lifted_.text, true, ignored); entry && entry->statement) {
      sqlite3_bind_int64(entry->statement, 1, *lifted_.value);
      return entry->statement;
    }
  }
  Entry* entry = Find(std::string(sql), false, error);
  if (entry == nullptr) return nullptr;
  // The literal form works where the lifted one did not: remember that for this shape.
  if (lifted_.value && entries_.find(lifted_.text) == entries_.end()) {
    if (entries_.size() >= kCachedStatements) EvictOldest();
    entries_.emplace(lifted_.text, Entry{nullptr, ++clock_});
  }
  return entry->statement;
}

StatementCache::Entry* StatementCache::Find(const std::string& text, bool lifted,
                                            std::string& error) {
  if (auto it = entries_.find(text); it != entries_.end()) {
    it->second.lastUse = ++clock_;
    return &it->second;
  }
  sqlite3_stmt* statement = nullptr;
  const char* tail = nullptr;
  const char* end = text.data() + text.size();
  if (sqlite3_prepare_v3(db_, text.data(), static_cast<int>(text.size()),
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
  if (lifted && !TakesLiftedParameter(statement)) {
    sqlite3_finalize(statement);
    return nullptr;
  }
  if (entries_.size() >= kCachedStatements) EvictOldest();
  return &entries_.emplace(text, Entry{statement, ++clock_}).first->second;
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
