#include "table/field_kind.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "table/byte_order.h"
#include "table/field_value.h"

namespace quorvex {

namespace {

// Whole N and F fields of this width and more follow the LargeIntegerAs
// setting, which is asInteger: they are integer fields like the narrower ones.
constexpr int kSmallIntWidthLimit = 5;
constexpr std::int64_t kMillisecondsPerDay = 86400000;

std::string FormatDouble(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string FormatWhole(double value) {
  const double whole = std::trunc(value);
  if (!(std::fabs(whole) < 9.2e18)) return FormatDouble(whole);  // also NaN and infinity
  return std::to_string(static_cast<std::int64_t>(whole));
}

std::string FormatCivilDate(const CivilDate& date) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%04lld-%02d-%02d", static_cast<long long>(date.year), date.month, date.day);
  return buffer;
}

std::string FormatDateTime(std::string_view bytes) {
  if (bytes.find_first_not_of('\0') == std::string_view::npos) return {};
  // Milliseconds outside one day carry into the day number.
  std::int64_t day = static_cast<std::int32_t>(LittleEndian32(bytes, 0));
  std::int64_t milliseconds = static_cast<std::int32_t>(LittleEndian32(bytes, 4));
  day += milliseconds / kMillisecondsPerDay;
  milliseconds %= kMillisecondsPerDay;
  if (milliseconds < 0) {
    milliseconds += kMillisecondsPerDay;
    --day;
  }
  const std::int64_t seconds = milliseconds / 1000;
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, " %02d:%02d:%02d", static_cast<int>(seconds / 3600),
                static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
  return FormatCivilDate(DateOfJulianDay(day)) + buffer;
}

std::string FormatCurrency(std::int64_t units) {
  // units is the amount times 10,000; printed exactly, without trailing zeros.
  const bool negative = units < 0;
  const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
  std::string text = negative ? "-" : "";
  text += std::to_string(magnitude / 10000);
  std::string fraction = std::to_string(magnitude % 10000 + 10000).substr(1);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (!fraction.empty()) text += "." + fraction;
  return text;
}

// The field's first 8 bytes, zero-filled where the record ends first.
std::string EightBytes(const FieldDescriptor& field, std::string_view record) {
  std::string bytes(FieldBytes(field, record).substr(0, 8));
  bytes.resize(8, '\0');
  return bytes;
}

}  // namespace

std::optional<FieldKind> FieldKindOf(const FieldDescriptor& field, int version) {
  const bool visual_foxpro = IsVisualFoxProVersion(version);
  switch (field.type) {
    case 'C': return FieldKind::kString;
    case 'M': return FieldKind::kMemo;
    case 'G': return FieldKind::kBlob;
    // A B field is an 8-byte double in Visual FoxPro tables, a memo elsewhere.
    case 'B': return visual_foxpro ? FieldKind::kFloat : FieldKind::kBlob;
    case 'D': return FieldKind::kDate;
    case 'N':
    case 'F':
      if (field.decimals > 0) return FieldKind::kFloat;
      return field.width < kSmallIntWidthLimit ? FieldKind::kSmallInt : FieldKind::kInteger;
    case 'I': return FieldKind::kInteger;
    case 'L': return FieldKind::kBoolean;
    case 'T': return FieldKind::kDateTime;
    case 'Y': return FieldKind::kCurrency;
    default: return std::nullopt;
  }
}

bool IsTextOrMemoKind(FieldKind kind) {
  return kind == FieldKind::kString || kind == FieldKind::kMemo || kind == FieldKind::kBlob;
}

std::string FormatFieldValue(FieldKind kind, const FieldDescriptor& field, std::string_view record, int version,
                             std::string_view table_file_name) {
  const bool binary = IsBinaryNumeric(field, version);
  switch (kind) {
    case FieldKind::kDate: {
      CivilDate date;
      return DecodeDate(FieldBytes(field, record), date) ? FormatCivilDate(date) : std::string();
    }
    case FieldKind::kBoolean: {
      const std::string_view bytes = FieldBytes(field, record);
      const char c = bytes.empty() ? ' ' : bytes[0];
      return std::string_view("TtYyJj").find(c) != std::string_view::npos ? "True" : "False";
    }
    case FieldKind::kDateTime:
      if (binary) return FormatDateTime(EightBytes(field, record));
      break;
    case FieldKind::kCurrency:
      if (binary) return FormatCurrency(static_cast<std::int64_t>(LittleEndian64(EightBytes(field, record), 0)));
      break;
    case FieldKind::kSmallInt:
    case FieldKind::kInteger:
    case FieldKind::kLargeInt:
      return FormatWhole(NumericValue(field, record, version, table_file_name));
    default:
      break;
  }
  return FormatDouble(NumericValue(field, record, version, table_file_name));
}

}  // namespace quorvex
