// Conversions of the values read from a result.
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "catalogue/tag_database.h"
#include "base/text_convert.h"

namespace quillon {
namespace {

void Report(CatalogueReporter* reporter, const std::u16string& text) {
  if (reporter != nullptr) reporter->ReportReadError(text);
}

// Integer text with optional blanks around it and an optional sign.
std::optional<std::int64_t> ParseInteger(std::u16string_view text) {
  const std::string narrow = ToUtf8(text);
  const auto first = narrow.find_first_not_of(' ');
  if (first == std::string::npos) return std::nullopt;
  const auto last = narrow.find_last_not_of(' ');
  const char* begin = narrow.data() + first + (narrow[first] == '+' ? 1 : 0);
  const char* end = narrow.data() + last + 1;
  std::int64_t value = 0;
  const auto [stop, error] = std::from_chars(begin, end, value);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::optional<std::int64_t> ToInteger(const FieldValue& value, CatalogueReporter* reporter) {
  if (const auto* number = std::get_if<std::int64_t>(&value)) return *number;
  if (const auto* real = std::get_if<double>(&value)) {
    // Rounded to the nearest integer, halves to even, as the platform's conversions do.
    if (std::isfinite(*real) && std::fabs(*real) < 9.2e18) {
      return static_cast<std::int64_t>(std::nearbyint(*real));
    }
    Report(reporter, u"The number " + AsText(value) + u" is out of range.");
    return std::nullopt;
  }
  if (const auto* text = std::get_if<std::u16string>(&value)) {
    if (auto parsed = ParseInteger(*text)) return parsed;
    Report(reporter, u"The text \"" + *text + u"\" is not a number.");
    return std::nullopt;
  }
  Report(reporter, u"An empty (null) value cannot be read as a number.");
  return std::nullopt;
}

template <typename Target>
Target ToRange(const FieldValue& value, CatalogueReporter* reporter) {
  const auto number = ToInteger(value, reporter);
  if (!number) return 0;
  if (*number < std::numeric_limits<Target>::min() ||
      *number > static_cast<std::int64_t>(std::numeric_limits<Target>::max())) {
    Report(reporter, u"The number " + SqlInteger(*number) + u" is out of range.");
    return 0;
  }
  return static_cast<Target>(*number);
}

}  // namespace

std::int32_t AsInteger(const FieldValue& value, CatalogueReporter* reporter) {
  return ToRange<std::int32_t>(value, reporter);
}

std::uint32_t AsUnsigned(const FieldValue& value, CatalogueReporter* reporter) {
  return ToRange<std::uint32_t>(value, reporter);
}

std::u16string AsText(const FieldValue& value, CatalogueReporter* reporter) {
  if (const auto* text = std::get_if<std::u16string>(&value)) return *text;
  if (const auto* number = std::get_if<std::int64_t>(&value)) return SqlInteger(*number);
  if (const auto* real = std::get_if<double>(&value)) {
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, *real);
    return FromUtf8(std::string_view(digits, result.ptr - digits));
  }
  Report(reporter, u"An empty (null) value was read as an empty text.");
  return {};
}

std::u16string AsText(FieldValue&& value, CatalogueReporter* reporter) {
  if (auto* text = std::get_if<std::u16string>(&value)) return std::move(*text);
  return AsText(static_cast<const FieldValue&>(value), reporter);
}

}  // namespace quillon
