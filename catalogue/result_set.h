// The rows of the last statement, copied out of the engine when the statement ran.
//
// Holding a copy lets the engine end each statement at once, so no read lock outlives the
// statement and every new statement sees what other processes have written since.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/tag_database.h"

struct sqlite3_stmt;

namespace quillon {

class ResultSet {
 public:
  // Runs `statement` to its end and keeps its rows; false on an engine error.
  // A statement without result columns (INSERT, UPDATE, DELETE) gives a closed result.
  bool Load(sqlite3_stmt* statement);

  bool IsOpen() const { return open_; }
  bool AtEnd() const { return row_ >= RowCount(); }
  void MoveNext() { ++row_; }
  // Position of the column `name` compared without regard to ASCII case, or -1.
  int ColumnIndex(std::u16string_view name) const;
  const FieldValue& Value(int column) const { return values_[row_ * columns_.size() + column]; }

 private:
  std::size_t RowCount() const { return columns_.empty() ? 0 : values_.size() / columns_.size(); }

  bool open_ = false;
  std::vector<std::u16string> columns_;
  std::vector<std::string> columnNames_;  // as the engine gives them, to notice a change
  std::vector<FieldValue> values_;  // row after row
  std::size_t row_ = 0;
};

}  // namespace quillon
