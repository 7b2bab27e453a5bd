// The value rules on their own: colours, quoted texts and hot-key markers.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "vocabulary/property_color.h"
#include "vocabulary/property_conversion.h"

namespace quorvex {
namespace {

struct TextCase {
  std::string_view input;
  std::string_view expected;
};

TEST(ConvertColor, StandardNamesAndHexNumbers) {
  const TextCase rows[] = {
      {"255,255,255", "clWhite"},
      {"0,0,128", "clNavy"},
      {"192,220,192", "$00C0DCC0"},
      {"0,0,0", "clBlack"},
      {"192,192,192", "clSilver"},
      {"255,0,255", "clFuchsia"},
      {"1,2,3", "$00030201"},
      {"255", "clBlue"},             // no comma: red and green read from nothing
      {"255,255", "clFuchsia"},      // one comma: green reads from nothing, blue from the rest
      {"300,0,0", "$0000002C"},      // 300 keeps its low 8 bits, 44
      {"-1,0,0", "clRed"},           // -1 keeps 255
      {"256,512,768", "clBlack"},
      {" 128 , 128 ,128", "clGray"}, // leading blanks skipped, trailing text stops the number
      {"$FF,0x80,0", "$000080FF"},
      {"abc,12x,7", "$00070C00"},
      {"", "clBlack"},
      {",,", "clBlack"},
      {"1,2,3,4", "$00030201"},      // blue reads "3,4" up to the comma
      {"'True'", "clBlack"},
  };
  for (const auto& row : rows) EXPECT_EQ(ConvertColor(row.input), row.expected) << row.input;
}

TEST(ColorRgb, ReadsWhatConvertColorWritesAndNothingElse) {
  for (const std::array<int, 3> rgb : {std::array{255, 255, 255}, {0, 0, 128}, {192, 220, 192}, {1, 2, 3}}) {
    const std::string text = std::to_string(rgb[0]) + "," + std::to_string(rgb[1]) + "," + std::to_string(rgb[2]);
    EXPECT_EQ(ColorRgb(ConvertColor(text)), rgb) << text;
  }
  for (const char* other : {"clBtnFace", "$0030201", "$01030201", "$00GG0201", ""}) EXPECT_FALSE(ColorRgb(other)) << other;
}

struct NumberCase {
  std::string_view text;
  int low_bits;
};

TEST(ReadColorComponent, LenientIntegerKeepsLowEightBits) {
  const NumberCase rows[] = {
      {"", 0},         {"0", 0},          {"42", 42},     {"+42", 42},   {"-42", 214},        {"  \t7", 7},
      {"12ab", 12},    {"$1F", 31},       {"$1f", 31},    {"0x1F", 31},  {"-$01", 255},       {"$", 0},
      {"0x", 0},       {"$G", 0},         {"- 5", 0},     {"x5", 0},     {"255", 255},        {"256", 0},
      {"99999999999999999999", 255},      {"$FFFFFFFFFFFFFF80", 128},    {"1e3", 1},
  };
  for (const auto& row : rows) EXPECT_EQ(ReadColorComponent(row.text), row.low_bits) << row.text;
}

TEST(QuotedToDfmString, ReadsOneVisualFoxProStringAndQuotesItForDfm) {
  const TextCase rows[] = {
      {"\"abc\"", "'abc'"},
      {"\"Don't\"", "'Don''t'"},
      {"\"\"", "''"},
      {"\"'\"", "''''"},
      {"\"say \"\"hi\"\"\"", "'say \"hi\"'"},
      {"\"a\" + \"b\"", "'a'"},
      {"\"abc", "'ab'"},       // unclosed: the last byte stands in for the quote
      {"\"a", "''"},
      {"\"", "''"},
      {"\"ab\"\"cd", "'ab\"c'"},
      {"\"abc\"\"", "'abc'"},
      {"\"\xE9t\xE9\"", "'\xE9t\xE9'"},  // 8-bit text passes unchanged
  };
  for (const auto& row : rows) EXPECT_EQ(QuotedToDfmString(row.input), row.expected) << row.input;
}

TEST(ConvertAccelerator, ReplacesOnlyTheFirstMarker) {
  const TextCase rows[] = {
      {"'\\<Save'", "'&Save'"},
      {"'Save \\<As'", "'Save &As'"},
      {"'\\<a\\<b'", "'&a\\<b'"},
      {"'Save'", "'Save'"},
      {"'\\'", "'\\'"},
      {"<\\", "<\\"},
      {"", ""},
  };
  for (const auto& row : rows) {
    std::string text(row.input);
    ConvertAccelerator(text);
    EXPECT_EQ(text, row.expected) << row.input;
  }
}

}  // namespace
}  // namespace quorvex
