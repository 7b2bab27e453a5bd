#pragma once
// One value of an application's data table, typed as FoxPro types it. A
// DataValue is what a reader of the data hands on: the bytes of a field are
// decoded once here, so no later stage reads the DBF layout.
//
// Null and blank are apart: a null value is one whose _NullFlags bit is set
// (SQL's NULL); a blank value is a field whose bytes hold nothing of its type
// (spaces in a date or number field, an all-zero datetime, a logical that is
// neither true nor false), which FoxPro reads as the type's empty value.
//
// Texts are bytes in the table's code page (DataTable::CodePage); nothing is
// decoded.

#include <cstdint>
#include <string>
#include <variant>

#include "table/field_value.h"

namespace quorvex {

struct NullValue {};
struct BlankValue {};

// C (trailing spaces and NULs removed), V, and M fields that are not binary.
struct TextValue {
  std::string bytes = {};
};

// Binary C, V and M fields (bytes kept out of code page translation), Q, and
// the memo-held kinds G, W, P and the dBASE B: the bytes as stored.
struct BinaryValue {
  std::string bytes = {};
};

// N and F: the number as stored, without its blanks ("-12.50", "1e3").
struct DecimalValue {
  std::string text = {};
};

// B in Visual FoxPro tables: the stored double.
struct DoubleValue {
  double value = 0;
};

// I: the stored signed 32-bit integer.
struct IntegerValue {
  std::int32_t value = 0;
};

// Y: the amount times 10,000, exactly.
struct CurrencyValue {
  std::int64_t units = 0;
};

// D: the day both ways (Julian day 2440588 is 1970-01-01).
struct DateValue {
  std::int64_t julian_day = 0;
  CivilDate date;
};

// T: the day and the milliseconds since its midnight (0 to 86,399,999).
struct DateTimeValue {
  std::int64_t julian_day = 0;
  std::int32_t milliseconds = 0;
  CivilDate date;
};

// L: T, t, Y, y, J, j are true; F, f, N, n false.
struct LogicalValue {
  bool value = false;
};

// A field whose bytes cannot be its type's (a number field holding "****",
// a date of the 31st of February, a memo entry the memo file does not hold):
// the field's bytes as stored, and the failure's message, which names the
// table (or memo file) and the field.
struct InvalidValue {
  std::string bytes = {};
  std::string message = {};
};

using DataValue = std::variant<NullValue, BlankValue, TextValue, BinaryValue, DecimalValue, DoubleValue, IntegerValue,
                               CurrencyValue, DateValue, DateTimeValue, LogicalValue, InvalidValue>;

}  // namespace quorvex
