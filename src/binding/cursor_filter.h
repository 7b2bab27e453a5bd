#pragma once
// A cursor's Filter as a condition of the SQL query that gives the converted
// form its rows, where SQL selects the same rows for certain.

#include <optional>
#include <string>
#include <string_view>

namespace quorvex {

// `filter` (UTF-8, a FoxPro expression) as an SQL condition on the table of
// the cursor `alias`, which SQLite and PostgreSQL both read; nullopt where
// its rows are not certain to be FoxPro's. What is certain: comparisons of a
// field of the cursor (bare or after its alias) with a literal, joined by
// AND, OR and NOT. A character field equals a string as FoxPro compares
// them with SET EXACT OFF, its start against the whole string (fields are
// stored without their trailing blanks, so a string that is empty or ends
// in blanks is not certain, nor is "<" between strings, whose order is the
// collation's);
// numbers compare by every operator, logical values by "=" and "<>".
std::optional<std::string> FilterCondition(std::string_view filter, std::string_view alias);

}  // namespace quorvex
