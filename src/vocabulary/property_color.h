#pragma once
// Visual FoxPro colours ("red,green,blue", three lenient integers) as DFM
// colour values.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace quorvex {

// The DFM colour for a Visual FoxPro "red,green,blue" value: a standard colour
// name (clWhite, clNavy, ...) or "$" and eight upper-case hex digits 00BBGGRR.
// Red is read from the text before the first ",", green from the text before
// the next one, blue from the rest; a missing comma leaves that part empty
// (so "255" is red 0, green 0, blue 255). Never throws for any input.
std::string ConvertColor(std::string_view text);

// Red, green and blue of a DFM colour as ConvertColor writes it (a standard
// colour name, or "$" and eight hex digits 00BBGGRR); nothing for any other
// text, a system colour such as clBtnFace among them.
std::optional<std::array<int, 3>> ColorRgb(std::string_view dfm_color);

// Reads an integer the lenient way colour parts are read: leading blanks
// skipped, an optional sign, decimal digits or hex digits after "$" or "0x";
// reading stops at the first byte that does not fit and keeps what was read
// ("" reads 0). Returns the low 8 bits of the number (-1 gives 255, 300 gives 44).
int ReadColorComponent(std::string_view text);

}  // namespace quorvex
