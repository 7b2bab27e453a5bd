#include "expression/constant_functions.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "base/ascii.h"

namespace quorvex {

namespace {

using Arguments = std::span<const FoxConstant>;
using Result = std::optional<FoxConstant>;

// FoxPro takes a function name cut to its first four letters or more.
constexpr std::size_t kShortestAbbreviation = 4;

const std::string* TextOf(const FoxConstant& value) {
  return value.kind == FoxConstant::Kind::kString ? &value.text : nullptr;
}

// A count, position or code. How FoxPro rounds a fraction there is not
// settled, so only a whole number is taken.
std::optional<double> WholeOf(const FoxConstant& value) {
  if (value.kind != FoxConstant::Kind::kNumber || value.number != std::trunc(value.number)) return std::nullopt;
  return value.number;
}

// A whole number from 0 to `most`; FoxPro stops with an error below 0, and
// above `most` the value is a code out of range or a string past the bound.
std::optional<std::size_t> CountOf(const FoxConstant& value, std::size_t most) {
  const std::optional<double> whole = WholeOf(value);
  if (!whole || *whole < 0 || *whole > static_cast<double>(most)) return std::nullopt;
  return static_cast<std::size_t>(*whole);
}

// A whole number held to 0..`size`: LEFT and RIGHT give "" for a count of 0
// or less and the whole text for one past its end.
std::optional<std::size_t> ClampedCountOf(const FoxConstant& value, std::size_t size) {
  const std::optional<double> whole = WholeOf(value);
  if (!whole) return std::nullopt;
  return static_cast<std::size_t>(std::clamp(*whole, 0.0, static_cast<double>(size)));
}

std::optional<double> NumberOf(const FoxConstant& value) {
  if (value.kind != FoxConstant::Kind::kNumber) return std::nullopt;
  return value.number;
}

Result Rgb(Arguments arguments) {
  double color = 0;
  double scale = 1;
  for (const FoxConstant& argument : arguments) {
    const std::optional<std::size_t> level = CountOf(argument, 255);
    if (!level) return std::nullopt;
    color += static_cast<double>(*level) * scale;
    scale *= 256;
  }
  return NumberValue(color);
}

Result Chr(Arguments arguments) {
  const std::optional<std::size_t> code = CountOf(arguments[0], 255);
  if (!code) return std::nullopt;
  return TextValue(std::string(1, static_cast<char>(*code)));
}

Result Space(Arguments arguments) {
  const std::optional<std::size_t> count = CountOf(arguments[0], kMaxConstantText);
  if (!count) return std::nullopt;
  return TextValue(std::string(*count, ' '));
}

Result Replicate(Arguments arguments) {
  const std::string* text = TextOf(arguments[0]);
  const std::optional<std::size_t> count = CountOf(arguments[1], kMaxConstantText);
  // Checked by division so that the product is never formed, let alone allocated.
  if (!text || !count || (*count > 0 && text->size() > kMaxConstantText / *count)) return std::nullopt;
  std::string result;
  result.reserve(text->size() * *count);
  for (std::size_t i = 0; i < *count; ++i) result += *text;
  return TextValue(std::move(result));
}

// UPPER and LOWER: the bytes are characters of the form's code page, which
// this does not know, so only ASCII letters change.
template <char kFirst, char kLast, int kShift>
Result ShiftLetters(Arguments arguments) {
  const std::string* text = TextOf(arguments[0]);
  if (!text) return std::nullopt;
  std::string result = *text;
  for (char& c : result) {
    if (c >= kFirst && c <= kLast) c = static_cast<char>(c + kShift);
  }
  return TextValue(std::move(result));
}

// The trims remove spaces only: a tab or CR is part of the text to FoxPro.
template <bool kLeading, bool kTrailing>
Result Trim(Arguments arguments) {
  const std::string* text = TextOf(arguments[0]);
  if (!text) return std::nullopt;
  std::string_view result = *text;
  if (kLeading) result.remove_prefix(std::min(result.find_first_not_of(' '), result.size()));
  if (kTrailing) result = result.substr(0, result.find_last_not_of(' ') + 1);  // npos + 1 is 0
  return TextValue(std::string(result));
}

enum class PadSide { kLeft, kRight, kCenter };

template <PadSide kSide>
Result Pad(Arguments arguments) {
  static const FoxConstant kSpace = TextValue(" ");
  const std::string* text = TextOf(arguments[0]);
  const std::optional<std::size_t> size = CountOf(arguments[1], kMaxConstantText);
  const std::string* fill = TextOf(arguments.size() > 2 ? arguments[2] : kSpace);
  // A longer pad string is repeated in some way FoxPro does not document.
  if (!text || !size || !fill || fill->size() != 1) return std::nullopt;
  if (*size < text->size()) {
    // FoxPro cuts the text to the size. PADR keeps its start; which part
    // PADL and PADC keep is not settled, so theirs waits for run time.
    if (kSide != PadSide::kRight) return std::nullopt;
    return TextValue(text->substr(0, *size));
  }
  const std::size_t padding = *size - text->size();
  const std::size_t before = kSide == PadSide::kLeft ? padding : kSide == PadSide::kCenter ? padding / 2 : 0;
  return TextValue(std::string(before, fill->front()) + *text + std::string(padding - before, fill->front()));
}

Result Left(Arguments arguments) {
  const std::string* text = TextOf(arguments[0]);
  const std::optional<std::size_t> count = text ? ClampedCountOf(arguments[1], text->size()) : std::nullopt;
  if (!count) return std::nullopt;
  return TextValue(text->substr(0, *count));
}

Result Right(Arguments arguments) {
  const std::string* text = TextOf(arguments[0]);
  const std::optional<std::size_t> count = text ? ClampedCountOf(arguments[1], text->size()) : std::nullopt;
  if (!count) return std::nullopt;
  return TextValue(text->substr(text->size() - *count));
}

// SUBSTR(text, start[, length]): FoxPro stops with an error for a start
// before the first byte or a negative length; a start past the end gives "".
Result Substr(Arguments arguments) {
  const std::string* text = TextOf(arguments[0]);
  const std::optional<double> start = WholeOf(arguments[1]);
  if (!text || !start || *start < 1) return std::nullopt;
  const std::size_t from = static_cast<std::size_t>(std::min(*start - 1, static_cast<double>(text->size())));
  double length = static_cast<double>(text->size() - from);
  if (arguments.size() > 2) {
    const std::optional<double> wanted = WholeOf(arguments[2]);
    if (!wanted || *wanted < 0) return std::nullopt;
    length = std::min(length, *wanted);
  }
  return TextValue(text->substr(from, static_cast<std::size_t>(length)));
}

Result Len(Arguments arguments) {
  const std::string* text = TextOf(arguments[0]);
  if (!text) return std::nullopt;
  return NumberValue(static_cast<double>(text->size()));
}

template <double (*kApply)(double)>
Result OfNumber(Arguments arguments) {
  const std::optional<double> number = NumberOf(arguments[0]);
  if (!number) return std::nullopt;
  return NumberValue(kApply(*number));
}

double Truncate(double number) { return std::trunc(number); }
double Absolute(double number) { return std::fabs(number); }

Result Mod(Arguments arguments) {
  const std::optional<double> dividend = NumberOf(arguments[0]);
  const std::optional<double> divisor = NumberOf(arguments[1]);
  if (!dividend || !divisor) return std::nullopt;
  return FoxModulus(*dividend, *divisor);
}

struct Function {
  std::string_view name;
  std::size_t least_arguments;
  std::size_t most_arguments;
  Result (*call)(Arguments);
};

constexpr Function kFunctions[] = {
    {"ABS", 1, 1, OfNumber<Absolute>},
    {"ALLTRIM", 1, 1, Trim<true, true>},
    {"CHR", 1, 1, Chr},
    {"INT", 1, 1, OfNumber<Truncate>},
    {"LEFT", 2, 2, Left},
    {"LEN", 1, 1, Len},
    {"LOWER", 1, 1, ShiftLetters<'A', 'Z', 'a' - 'A'>},
    {"LTRIM", 1, 1, Trim<true, false>},
    {"MOD", 2, 2, Mod},
    {"PADC", 2, 3, Pad<PadSide::kCenter>},
    {"PADL", 2, 3, Pad<PadSide::kLeft>},
    {"PADR", 2, 3, Pad<PadSide::kRight>},
    {"REPLICATE", 2, 2, Replicate},
    {"RGB", 3, 3, Rgb},
    {"RIGHT", 2, 2, Right},
    {"RTRIM", 1, 1, Trim<false, true>},
    {"SPACE", 1, 1, Space},
    {"SUBSTR", 2, 3, Substr},
    {"TRIM", 1, 1, Trim<false, true>},
    {"UPPER", 1, 1, ShiftLetters<'a', 'z', 'A' - 'a'>},
};

bool NamesFunction(std::string_view name, std::string_view full_name) {
  if (name.size() < kShortestAbbreviation || name.size() > full_name.size()) return SameText(name, full_name);
  return SameText(name, full_name.substr(0, name.size()));
}

}  // namespace

FoxConstant TextValue(std::string text) {
  FoxConstant value;
  value.text = std::move(text);
  return value;
}

FoxConstant LogicalValue(bool logical) {
  FoxConstant value;
  value.kind = FoxConstant::Kind::kLogical;
  value.logical = logical;
  return value;
}

std::optional<FoxConstant> NumberValue(double number) {
  if (!std::isfinite(number)) return std::nullopt;
  FoxConstant value;
  value.kind = FoxConstant::Kind::kNumber;
  value.number = number;
  return value;
}

std::optional<FoxConstant> FoxModulus(double dividend, double divisor) {
  if (divisor == 0) return std::nullopt;
  double remainder = std::fmod(dividend, divisor);
  if (remainder != 0 && (remainder < 0) != (divisor < 0)) remainder += divisor;
  return NumberValue(remainder);
}

std::optional<FoxConstant> CallConstantFunction(std::string_view name, std::span<const FoxConstant> arguments) {
  for (const Function& function : kFunctions) {
    if (!NamesFunction(name, function.name)) continue;
    if (arguments.size() < function.least_arguments || arguments.size() > function.most_arguments) return std::nullopt;
    return function.call(arguments);
  }
  return std::nullopt;
}

}  // namespace quorvex
