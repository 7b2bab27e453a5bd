#include "formstream/canonical_number.h"

#include <charconv>
#include <cmath>

namespace quorvex {

namespace {

constexpr int kSignificantDigits = 15;
// Fixed notation from 1E-5 up to 15 digits before the point.
constexpr int kLowestFixedExponent = -5;
constexpr int kHighestFixedExponent = kSignificantDigits - 1;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Index past the run of decimal digits that starts at `at`.
std::size_t SkipDigits(std::string_view text, std::size_t at) {
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at;
}

// The shape a floating-point text must have; std::from_chars alone would
// also take "inf", "nan" and hexadecimal floats.
bool IsFloatText(std::string_view text) {
  std::size_t at = (!text.empty() && text[0] == '-') ? 1 : 0;
  const std::size_t int_end = SkipDigits(text, at);
  std::size_t mantissa_digits = int_end - at;
  at = int_end;
  if (at < text.size() && text[at] == '.') {
    const std::size_t frac_end = SkipDigits(text, at + 1);
    mantissa_digits += frac_end - (at + 1);
    at = frac_end;
  }
  if (mantissa_digits == 0) return false;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    const std::size_t exp_end = SkipDigits(text, at);
    if (exp_end == at) return false;
    at = exp_end;
  }
  return at == text.size();
}

}  // namespace

std::optional<std::int64_t> ParseDfmInteger(std::string_view text) {
  const char* const end = text.data() + text.size();
  if (!text.empty() && text[0] == '$') {
    std::uint64_t bits = 0;
    const auto [ptr, ec] = std::from_chars(text.data() + 1, end, bits, 16);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    return static_cast<std::int64_t>(bits);
  }
  std::int64_t value = 0;
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

std::optional<double> ParseDfmFloat(std::string_view text) {
  if (!IsFloatText(text)) return std::nullopt;
  double value = 0;
  const char* const end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

void AppendDfmFloat(std::string& out, double value) {
  if (value == 0) {
    out.push_back('0');
    return;
  }
  if (value < 0) {
    out.push_back('-');
    value = -value;
  }
  // d.dddddddddddddde[+-]x: correctly rounded to 15 significant digits.
  char scientific[40];
  const auto result =
      std::to_chars(scientific, scientific + sizeof scientific, value, std::chars_format::scientific,
                    kSignificantDigits - 1);
  const std::string_view text(scientific, static_cast<std::size_t>(result.ptr - scientific));
  const std::size_t e_at = text.find('e');
  std::string digits;
  digits.reserve(kSignificantDigits);
  for (char c : text.substr(0, e_at)) {
    if (c != '.') digits.push_back(c);
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::size_t exponent_at = e_at + 1;
  if (text[exponent_at] == '+') ++exponent_at;
  int exponent = 0;
  std::from_chars(text.data() + exponent_at, text.data() + text.size(), exponent);
  const int digit_count = static_cast<int>(digits.size());

  if (exponent < kLowestFixedExponent || exponent > kHighestFixedExponent) {
    out.push_back(digits[0]);
    if (digit_count > 1) {
      out.push_back('.');
      out.append(digits, 1);
    }
    out.push_back('E');
    char exponent_text[8];
    const auto written = std::to_chars(exponent_text, exponent_text + sizeof exponent_text, exponent);
    out.append(exponent_text, written.ptr);
    return;
  }
  const int before_point = exponent + 1;
  if (before_point <= 0) {
    out.append("0.");
    out.append(static_cast<std::size_t>(-before_point), '0');
    out.append(digits);
  } else if (before_point >= digit_count) {
    out.append(digits);
    out.append(static_cast<std::size_t>(before_point - digit_count), '0');
  } else {
    out.append(digits, 0, static_cast<std::size_t>(before_point));
    out.push_back('.');
    out.append(digits, static_cast<std::size_t>(before_point));
  }
}

}  // namespace quorvex
