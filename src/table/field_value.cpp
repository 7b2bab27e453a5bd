#include "table/field_value.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "base/ascii.h"
#include "table/byte_order.h"
#include "base/errors.h"
#include "table/file_name.h"

namespace quorvex {

namespace {

// The first size bytes of the field; bytes the record lacks are 0.
std::string FixedBytes(const FieldDescriptor& field, std::string_view record, std::size_t size) {
  std::string bytes(FieldBytes(field, record).substr(0, size));
  bytes.resize(size, '\0');
  return bytes;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the decimal grammar and gives the part std::from_chars reads
// (without a leading "+", which it does not accept).
bool SplitDecimal(std::string_view text, bool& negative, std::string_view& unsigned_part) {
  std::size_t i = 0;
  negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t start = i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t exponent_start = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    if (i == exponent_start) return false;
  }
  unsigned_part = text.substr(start);
  return i == text.size();
}

// For a number std::from_chars found out of range: whether it is too large
// (rather than too small), from the position of its first significant digit.
bool Overflows(std::string_view unsigned_part) {
  const std::size_t exponent_at = unsigned_part.find_first_of("eE");
  const std::string_view mantissa = unsigned_part.substr(0, exponent_at);
  long long exponent = 0;
  if (exponent_at != std::string_view::npos) {
    std::string_view digits = unsigned_part.substr(exponent_at + 1);
    const bool negative = !digits.empty() && digits[0] == '-';
    if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) digits.remove_prefix(1);
    for (char c : digits) exponent = std::min(exponent * 10 + (c - '0'), 100000000LL);
    if (negative) exponent = -exponent;
  }
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  const std::size_t first = mantissa.find_first_of("123456789");
  if (first == std::string_view::npos) return false;
  const long long magnitude = first < point ? static_cast<long long>(point - first) : -static_cast<long long>(first - point - 1);
  return magnitude + exponent > 0;
}

double ParseDecimal(const FieldDescriptor& field, std::string_view record, std::string_view table_file_name) {
  const std::string_view trimmed = TrimRightBlanks(FieldBytes(field, record));
  if (trimmed.empty()) return 0;
  bool negative = false;
  std::string_view number;
  if (!SplitDecimal(TrimLeftBlanks(trimmed), negative, number)) {
    throw ETableError("Invalid numeric value in field " + std::string(FileBaseName(table_file_name)) + "->" +
                      field.name + " (" + std::string(trimmed) + ")");
  }
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) value = Overflows(number) ? HUGE_VAL : 0.0;
  return negative ? -value : value;
}

}  // namespace

std::string_view FieldBytes(const FieldDescriptor& field, std::string_view record) {
  const auto offset = static_cast<std::size_t>(field.offset);
  if (offset >= record.size()) return {};
  return record.substr(offset, static_cast<std::size_t>(field.width));
}

std::string FieldText(const FieldDescriptor& field, std::string_view record) {
  const std::string_view text = TrimRightBlanks(FieldBytes(field, record));
  return std::string(text.substr(0, text.find('\0')));
}

bool IsBinaryNumeric(const FieldDescriptor& field, int version) {
  return IsVisualFoxProVersion(version) && std::string_view("BGIMTY").find(field.type) != std::string_view::npos;
}

double NumericValue(const FieldDescriptor& field, std::string_view record, int version,
                    std::string_view table_file_name) {
  if (!IsBinaryNumeric(field, version)) return ParseDecimal(field, record, table_file_name);
  switch (field.type) {
    case 'B': {
      const std::uint64_t bits = LittleEndian64(FixedBytes(field, record, 8), 0);
      double value = 0;
      std::memcpy(&value, &bits, sizeof value);
      return value;
    }
    case 'T': {
      const std::string bytes = FixedBytes(field, record, 8);
      const auto day = static_cast<std::int32_t>(LittleEndian32(bytes, 0));
      const auto milliseconds = static_cast<std::int32_t>(LittleEndian32(bytes, 4));
      return day + milliseconds / 86400000.0;
    }
    case 'Y':
      return static_cast<double>(static_cast<std::int64_t>(LittleEndian64(FixedBytes(field, record, 8), 0))) / 10000.0;
    default: {  // G, I, M: a signed 32-bit integer; four blanks are an empty reference
      const std::string bytes = FixedBytes(field, record, 4);
      if (bytes == "    ") return 0;
      return static_cast<std::int32_t>(LittleEndian32(bytes, 0));
    }
  }
}

bool DecodeDate(std::string_view text, CivilDate& date) {
  text = TrimBlanks(text);
  if (text.size() != 8 || text == "00000000" || !std::all_of(text.begin(), text.end(), IsDigit)) return false;
  const auto number = [&](std::size_t at, std::size_t size) {
    int value = 0;
    for (std::size_t i = at; i < at + size; ++i) value = value * 10 + (text[i] - '0');
    return value;
  };
  const int year = number(0, 4), month = number(4, 2), day = number(6, 2);
  static constexpr int kDaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1 || month < 1 || month > 12 || day < 1) return false;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  if (day > kDaysInMonth[month - 1] + (month == 2 && leap ? 1 : 0)) return false;
  date = {year, month, day};
  return true;
}

CivilDate DateOfJulianDay(std::int64_t julian_day) {
  // Days since 1970-01-01, then the civil-from-days conversion of the
  // proleptic Gregorian calendar (eras of 400 years).
  std::int64_t z = julian_day - 2440588 + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t day_of_era = z - era * 146097;
  const std::int64_t year_of_era = (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t mp = (5 * day_of_year + 2) / 153;
  const auto day = static_cast<int>(day_of_year - (153 * mp + 2) / 5 + 1);
  const auto month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {year_of_era + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

std::int64_t JulianDayOfDate(const CivilDate& date) {
  // The days-from-civil conversion, the inverse of the one above.
  const std::int64_t year = date.year - (date.month <= 2 ? 1 : 0);
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t year_of_era = year - era * 400;
  const std::int64_t month_index = date.month > 2 ? date.month - 3 : date.month + 9;
  const std::int64_t day_of_year = (153 * month_index + 2) / 5 + date.day - 1;
  const std::int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468 + 2440588;
}

}  // namespace quorvex
