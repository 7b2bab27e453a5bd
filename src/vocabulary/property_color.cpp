#include "vocabulary/property_color.h"

#include <array>
#include <cstdint>

#include "base/ascii.h"

namespace quorvex {

namespace {

struct StandardColor {
  std::string_view name;
  int red, green, blue;
};

// Delphi's sixteen named colours; any other value is written as a number.
constexpr std::array<StandardColor, 16> kStandardColors = {{
    {"clBlack", 0, 0, 0},       {"clMaroon", 128, 0, 0},    {"clGreen", 0, 128, 0},
    {"clOlive", 128, 128, 0},   {"clNavy", 0, 0, 128},      {"clPurple", 128, 0, 128},
    {"clTeal", 0, 128, 128},    {"clGray", 128, 128, 128},  {"clSilver", 192, 192, 192},
    {"clRed", 255, 0, 0},       {"clLime", 0, 255, 0},      {"clYellow", 255, 255, 0},
    {"clBlue", 0, 0, 255},      {"clFuchsia", 255, 0, 255}, {"clAqua", 0, 255, 255},
    {"clWhite", 255, 255, 255},
}};

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The text before the next "," of `rest`, which loses that text and the comma;
// "" (and `rest` unchanged) when there is no comma.
std::string_view TakePart(std::string_view& rest) {
  const auto comma = rest.find(',');
  if (comma == std::string_view::npos) return {};
  const auto part = rest.substr(0, comma);
  rest.remove_prefix(comma + 1);
  return part;
}

}  // namespace

int ReadColorComponent(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && IsBlank(text[at])) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    negative = text[at] == '-';
    ++at;
  }
  std::uint32_t base = 10;
  if (at < text.size() && text[at] == '$') {
    base = 16;
    ++at;
  } else if (at + 1 < text.size() && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X')) {
    base = 16;
    at += 2;
  }
  // Unsigned arithmetic wraps instead of overflowing; only the low 8 bits are
  // kept, and those survive the wrap unchanged.
  std::uint32_t value = 0;
  for (; at < text.size(); ++at) {
    const int digit = HexDigitValue(text[at]);
    if (digit < 0 || static_cast<std::uint32_t>(digit) >= base) break;
    value = value * base + static_cast<std::uint32_t>(digit);
  }
  if (negative) value = 0u - value;
  return static_cast<int>(value & 0xFFu);
}

std::string ConvertColor(std::string_view text) {
  std::string_view rest = text;
  const int red = ReadColorComponent(TakePart(rest));
  const int green = ReadColorComponent(TakePart(rest));
  const int blue = ReadColorComponent(rest);
  for (const auto& color : kStandardColors) {
    if (color.red == red && color.green == green && color.blue == blue) return std::string(color.name);
  }
  // "$00BBGGRR": Delphi's TColor as a hex number, blue in the high byte.
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  const std::uint32_t color = static_cast<std::uint32_t>(red) | static_cast<std::uint32_t>(green) << 8 |
                              static_cast<std::uint32_t>(blue) << 16;
  std::string result = "$";
  for (int shift = 28; shift >= 0; shift -= 4) result += kHexDigits[(color >> shift) & 0xFu];
  return result;
}

std::optional<std::array<int, 3>> ColorRgb(std::string_view dfm_color) {
  for (const auto& color : kStandardColors) {
    if (color.name == dfm_color) return std::array<int, 3>{color.red, color.green, color.blue};
  }
  if (dfm_color.size() != 9 || !dfm_color.starts_with("$00")) return std::nullopt;
  std::uint32_t value = 0;
  for (const char c : dfm_color.substr(1)) {
    const int digit = HexDigitValue(c);
    if (digit < 0) return std::nullopt;
    value = value << 4 | static_cast<std::uint32_t>(digit);
  }
  return std::array<int, 3>{static_cast<int>(value & 0xFF), static_cast<int>(value >> 8 & 0xFF),
                            static_cast<int>(value >> 16 & 0xFF)};
}

}  // namespace quorvex
