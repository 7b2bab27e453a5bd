#pragma once
// A FoxPro value as SQL holds it, in its column's type (sql_columns.h):
// texts decoded from the table's code page into UTF-8; dates as
// 'YYYY-MM-DD' and datetimes as 'YYYY-MM-DD HH:MM:SS', the text forms that
// SQLdb and FireDAC read back as dates; FoxPro's empty date as NULL; logicals
// as 1 and 0; numbers as SQLite's NUMERIC takes them, currency exactly.
//
// FoxPro's blank values are its types' empty values: an empty text, 0, false
// (a blank date, NULL). A value that cannot be carried (its bytes are not of
// its type, a datetime outside the years 1 to 9999, a double that is not a
// number) is NULL, and `lost` says why.

#include <string>

#include "database/sql_columns.h"
#include "database/sql_value.h"
#include "table/data_value.h"

namespace quorvex {

// Sets `sql` to `value` in `column`'s type; gives why it is NULL where
// FoxPro holds a value, "" when it is carried.
std::string CarryValue(const DataValue& value, const SqlColumn& column, int code_page, SqlValue& sql);

// "YYYY-MM-DD".
std::string DateText(const CivilDate& date);

// The datetime at its nearest whole second: FoxPro keeps a datetime as a
// fraction of a day, and many come out a millisecond short of their second
// (12:30:00 as 12:29:59.999). Its text, or "" when the year is outside 1 to
// 9999.
std::string DateTimeText(const DateTimeValue& value);

// The amount of a currency value, exactly: "-12.3400".
std::string CurrencyText(std::int64_t units);

}  // namespace quorvex
