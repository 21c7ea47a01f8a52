// The one connection of the process to the catalogue data.dat.
//
// Statements are complete texts; the result of the last statement is read row by row and
// column by column. Every operation holds the process-wide database lock while it runs.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <variant>

namespace quillon {

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

// Doubles every apostrophe so that the text stands intact between apostrophes in a statement.
std::u16string QuoteSqlText(std::u16string_view text);

class TagDatabase {
 public:
  TagDatabase();
  ~TagDatabase();
  TagDatabase(const TagDatabase&) = delete;
  TagDatabase& operator=(const TagDatabase&) = delete;

  // 1 on success, 0 on failure (nothing reported). A missing file is a failure: the catalogue
  // is never created here.
  int Open(const std::u16string& path);
  // 1 on success; 0 after reporting the error text, the previous result kept readable.
  int Execute(const std::u16string& statement);
  // 1 on success; 0 after reporting the error.
  int MoveNext();
  // The column `name` (any case) of the current row; the integer 0 at the end of the result.
  FieldValue GetFieldValue(std::u16string_view name);

  bool IsOpen() const;
  // The reporter for errors; null restores the default one.
  void SetReporter(CatalogueReporter* reporter);
  CatalogueReporter& Reporter() const;

 private:
  struct Engine;
  std::unique_ptr<Engine> engine_;
  CatalogueReporter* reporter_ = nullptr;
};

}  // namespace quillon
