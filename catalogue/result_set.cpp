#include "catalogue/result_set.h"

#include <sqlite3.h>

#include "catalogue/tag_text.h"
#include "base/text_convert.h"

namespace quillon {
namespace {

bool EqualFoldingAsciiCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i])) return false;
  }
  return true;
}

void ReadColumn(sqlite3_stmt* statement, int column, FieldValue& value) {
  switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
      value = static_cast<std::int64_t>(sqlite3_column_int64(statement, column));
      return;
    case SQLITE_FLOAT:
      value = sqlite3_column_double(statement, column);
      return;
    case SQLITE_NULL:
      value = std::monostate{};
      return;
    default: {  // text, and blobs read as text
      // The stored bytes are decoded here rather than by the engine, which would turn an
      // unpaired surrogate of a Windows file name into U+FFFD.
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
      const std::string_view read =
          text == nullptr ? std::string_view()
                          : std::string_view(text, sqlite3_column_bytes(statement, column));
      if (auto* held = std::get_if<std::u16string>(&value)) {
        AssignFromUtf8(*held, read);
      } else {
        value.emplace<std::u16string>(FromUtf8(read));
      }
    }
  }
}

}  // namespace

bool ResultSet::Load(sqlite3_stmt* statement) {
  const int columns = sqlite3_column_count(statement);
  open_ = columns > 0;
  row_ = 0;
  columns_.resize(columns);
  columnNames_.resize(columns);
  for (int i = 0; i < columns; ++i) {
    // The same statement runs again and again with the same columns: convert only a change.
    const char* name = sqlite3_column_name(statement, i);
    if (name == nullptr) name = "";
    if (columnNames_[i] == name) continue;
    columnNames_[i] = name;
    columns_[i] = FromUtf8(name);
  }
  // Values are assigned over the previous ones so that their texts' storage is reused.
  std::size_t used = 0;
  int rc;
  while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
    for (int i = 0; i < columns; ++i, ++used) {
      if (used == values_.size()) values_.emplace_back();
      ReadColumn(statement, i, values_[used]);
    }
  }
  values_.resize(used);
  return rc == SQLITE_DONE;
}

int ResultSet::ColumnIndex(std::u16string_view name) const {
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    if (EqualFoldingAsciiCase(columns_[i], name)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace quillon
