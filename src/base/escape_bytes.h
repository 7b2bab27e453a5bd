#pragma once
// Printing helpers for the inspection stages (--stage records, tree).

#include <string>
#include <string_view>

namespace quorvex {

// Bytes below 0x20, the byte 0x7F and the backslash written as \x and two
// upper-case hex digits; every other byte unchanged. One line per value, so
// memo texts with line breaks stay on their line.
std::string EscapeBytes(std::string_view text);

}  // namespace quorvex
