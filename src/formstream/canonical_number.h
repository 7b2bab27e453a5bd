#pragma once
// Numbers of the form text: reading integer and floating-point token texts
// with "." as the decimal separator whatever the locale, and writing
// floating-point values in the general format of the canonical text.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvex {

// "$" and 1 or more hexadecimal digits (a 64-bit pattern, so $FFFFFFFFFFFFFFFF
// is -1), or an optional "-" and decimal digits within the signed 64-bit range.
// Nothing for anything else, including a value out of range.
std::optional<std::int64_t> ParseDfmInteger(std::string_view text);

// An optional "-", digits with an optional "." and fraction (at least one digit
// in all), and an optional exponent "E"/"e", optional sign and digits. Nothing
// for anything else or for a value outside the range of a double.
std::optional<double> ParseDfmFloat(std::string_view text);

// Appends the value rounded to at most 15 significant digits, without trailing
// zeros: in fixed notation while 0.00001 <= |value| and at most 15 digits stand
// before the point, otherwise as d.dddE[-]x. Zero is "0"; a negative value is
// "-" and the text of its magnitude.
void AppendDfmFloat(std::string& out, double value);

}  // namespace quorvex
