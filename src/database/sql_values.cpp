#include "database/sql_values.h"

#include <cmath>
#include <cstdio>

#include "base/text_encoding.h"

namespace quorvex {

namespace {

constexpr std::int64_t kMillisecondsPerDay = 86'400'000;

void SetBlank(SqlType type, SqlValue& sql) {
  switch (type) {
    case SqlType::kVarchar:
    case SqlType::kText: sql.emplace<std::string>(); return;
    case SqlType::kNumeric:
    case SqlType::kInteger:
    case SqlType::kBoolean: sql.emplace<std::int64_t>(0); return;
    case SqlType::kDouble: sql.emplace<double>(0.0); return;
    case SqlType::kDate:
    case SqlType::kDateTime:
    case SqlType::kBlob: break;
  }
  sql.emplace<std::monostate>();
}

// Each kind of value into `sql`, in place: the texts are the bulk of the data.
struct Converter {
  const SqlColumn& column;
  int code_page;
  SqlValue& sql;

  std::string operator()(const NullValue&) const { return Null(); }
  std::string operator()(const BlankValue&) const {
    SetBlank(column.type, sql);
    return {};
  }
  std::string operator()(const TextValue& text) const { return Text(DecodeToUtf8(text.bytes, code_page)); }
  // Binary character fields are texts whose bytes are never translated: of
  // the table's code page all the same.
  std::string operator()(const BinaryValue& binary) const {
    if (column.type == SqlType::kVarchar) return Text(DecodeToUtf8(binary.bytes, code_page));
    sql.emplace<SqlBlob>(SqlBlob{binary.bytes});
    return {};
  }
  // SQLite's NUMERIC makes the text a number: an integer where it is one, a
  // real where that keeps its digits, else the text.
  std::string operator()(const DecimalValue& decimal) const { return Text(decimal.text); }
  std::string operator()(const DoubleValue& real) const {
    if (!std::isfinite(real.value)) return Null("not a finite number");
    sql.emplace<double>(real.value);
    return {};
  }
  std::string operator()(const IntegerValue& integer) const { return Integer(integer.value); }
  std::string operator()(const CurrencyValue& currency) const { return Text(CurrencyText(currency.units)); }
  std::string operator()(const DateValue& date) const { return Text(DateText(date.date)); }
  std::string operator()(const DateTimeValue& datetime) const {
    std::string text = DateTimeText(datetime);
    if (text.empty()) return Null("a datetime outside the years 1 to 9999");
    return Text(std::move(text));
  }
  std::string operator()(const LogicalValue& logical) const { return Integer(logical.value ? 1 : 0); }
  std::string operator()(const InvalidValue& invalid) const { return Null(invalid.message); }

  std::string Null(std::string why = {}) const {
    sql.emplace<std::monostate>();
    return why;
  }
  std::string Text(std::string text) const {
    sql.emplace<std::string>(std::move(text));
    return {};
  }
  std::string Integer(std::int64_t value) const {
    sql.emplace<std::int64_t>(value);
    return {};
  }
};

}  // namespace

std::string CarryValue(const DataValue& value, const SqlColumn& column, int code_page, SqlValue& sql) {
  return std::visit(Converter{column, code_page, sql}, value);
}

std::string DateText(const CivilDate& date) {
  char text[32];
  std::snprintf(text, sizeof text, "%04lld-%02d-%02d", static_cast<long long>(date.year), date.month, date.day);
  return text;
}

std::string DateTimeText(const DateTimeValue& value) {
  const std::int64_t rounded = (value.milliseconds + 500) / 1000 * 1000;
  const CivilDate date = DateOfJulianDay(value.julian_day + rounded / kMillisecondsPerDay);
  if (date.year < 1 || date.year > 9999) return {};
  const auto seconds = static_cast<int>(rounded % kMillisecondsPerDay / 1000);
  char time[16];
  std::snprintf(time, sizeof time, " %02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
  return DateText(date) + time;
}

std::string CurrencyText(std::int64_t units) {
  // The magnitude as unsigned, so that the smallest int64 has one too.
  const bool negative = units < 0;
  const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
  char text[32];
  std::snprintf(text, sizeof text, "%s%llu.%04llu", negative ? "-" : "",
                static_cast<unsigned long long>(magnitude / 10000), static_cast<unsigned long long>(magnitude % 10000));
  return text;
}

}  // namespace quorvex
