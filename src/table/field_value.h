#pragma once
// Reading the values of one field out of a record's bytes. The functions take
// the record bytes explicitly, so DbfTable (its record buffer) and
// TableDataSet (its copy of the current record) share them.
//
// A field whose descriptor reaches past the end of the record gives only the
// bytes the record has; binary values missing bytes read them as 0.

#include <cstdint>
#include <string>
#include <string_view>

#include "table/dbf_format.h"

namespace quorvex {

// The field's raw bytes in the record (shorter when the record ends first).
std::string_view FieldBytes(const FieldDescriptor& field, std::string_view record);

// Text of a C field: trailing bytes 0 to 32 removed, then cut at the first
// NUL; leading blanks stay. An all-blank field gives "".
std::string FieldText(const FieldDescriptor& field, std::string_view record);

// The number a field holds.
// Visual FoxPro versions (0x30 to 0x32), types B, G, I, M, T, Y: the stored binary form (B an 8-byte
// double; G, I, M a signed 32-bit integer where four blanks mean 0; T the
// Julian day number plus the fraction of the day; Y the stored integer / 10000).
// Every other field: the text with trailing bytes 0 to 32 removed, "" being 0,
// otherwise a decimal number (leading blanks, sign, digits with an optional
// point, optional exponent; C locale). Values beyond the double range give
// +/-infinity.
// Throws ETableError "Invalid numeric value in field NAME->FIELD (TEXT)" when
// the text is not such a number, NAME being table_file_name without folder and
// extension and TEXT the trimmed text.
double NumericValue(const FieldDescriptor& field, std::string_view record, int version,
                    std::string_view table_file_name);

// Whether NumericValue reads the field in its binary form.
bool IsBinaryNumeric(const FieldDescriptor& field, int version);

// A valid year-month-day, as a D field or a T field's day number gives it.
struct CivilDate {
  std::int64_t year = 0;
  int month = 0;
  int day = 0;
};

// A D field's date: the trimmed text is 8 digits YYYYMMDD, not "00000000",
// and a real date of the years 1 to 9999; nothing otherwise.
bool DecodeDate(std::string_view text, CivilDate& date);

// The calendar date of a Julian day number (day 2440588 is 1970-01-01).
CivilDate DateOfJulianDay(std::int64_t julian_day);

// The Julian day number of a calendar date; the inverse of DateOfJulianDay.
std::int64_t JulianDayOfDate(const CivilDate& date);

}  // namespace quorvex
