// Printing of strings: quoted runs and #codes, the 64-character cut with its
// continuation lines, wide strings, and cuts in double-byte code pages.

#include <gtest/gtest.h>

#include <string>

#include "canonical_test_util.h"

namespace quorvex {
namespace {

using testing::CanonicalValue;

std::string Repeat(char c, std::size_t count) { return std::string(count, c); }

struct StringRow {
  std::string written;
  std::string printed;
};

TEST(CanonicalStringsTest, RunsAndCodes) {
  const StringRow rows[] = {
      {"''", "''"},
      {"''''''", "#39#39"},
      {"'a''b'", "'a'#39'b'"},
      {"#97#98", "'ab'"},
      {"#0#31#32", "#0#31' '"},
      {"'x'#127#128#255", "'x\x7F\x80\xFF'"},
      {"'a'\r\n  +\r\n  'b'  +  #10", "'ab'#10"},
      {"'tab\there'", "'tab'#9'here'"},
      {"'\xE9t\xE9'", "'\xE9t\xE9'"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.written);
    EXPECT_EQ(CanonicalValue(row.written), row.printed);
  }
}

TEST(CanonicalStringsTest, LongStringsAreCutEvery64Characters) {
  const std::string a64 = Repeat('a', 64);
  const std::string next = " +\r\n    ";
  const StringRow rows[] = {
      // 64 characters stay on the property's line, uncut.
      {"'" + a64 + "'", "'" + a64 + "'"},
      {"'" + Repeat('a', 62) + "'#13#10", "'" + Repeat('a', 62) + "'#13#10"},
      // 65 start on a line of their own.
      {"'" + a64 + "b'", "\r\n    '" + a64 + "'" + next + "'b'"},
      {"'" + a64 + "'#13", "\r\n    '" + a64 + "'" + next + "#13"},
      // A code that reaches 64 ends the line; a run after codes holds the rest of the 64.
      {"'" + Repeat('a', 63) + "'#9'bc'", "\r\n    '" + Repeat('a', 63) + "'#9" + next + "'bc'"},
      {"#9#9'" + a64 + "'", "\r\n    #9#9'" + Repeat('a', 62) + "'" + next + "'aa'"},
      // Exactly two full lines: no continuation after the last.
      {"'" + a64 + a64 + "'", "\r\n    '" + a64 + "'" + next + "'" + a64 + "'"},
      // Apostrophes are codes and count one character each.
      {"'" + Repeat('a', 62) + "''''''b'", "\r\n    '" + Repeat('a', 62) + "'#39#39" + next + "#39'b'"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.written);
    EXPECT_EQ(CanonicalValue(row.written), row.printed);
  }
}

TEST(CanonicalStringsTest, CutLinesGoOneLevelDeeperThanTheirProperty) {
  const std::string a65 = Repeat('a', 65);
  const std::string text = testing::FormWith(
      "  object P: TPanel\r\n    L = ('" + a65 + "')\r\n    C = <item S = '" + a65 + "' end>\r\n  end\r\n");
  const std::string expected = "object Form1: TForm1\r\n  object P: TPanel\r\n    L = (\r\n      \r\n        '" +
                               Repeat('a', 64) + "' +\r\n        'a')\r\n    C = <\r\n      item\r\n        S = \r\n" +
                               "          '" + Repeat('a', 64) + "' +\r\n          'a'\r\n      end>\r\n  end\r\nend\r\n";
  EXPECT_EQ(CanonicaliseDfmText(text), expected);
}

TEST(CanonicalStringsTest, WideStrings) {
  const StringRow rows[] = {
      {"#8364", "#8364"},
      {"#256#255", "#256'\xFF'"},
      {"#65535", "#65535"},
      // Quoted bytes of a wide string keep their byte values.
      {"'caf\xE9 '#8364", "'caf\xE9 '#8364"},
      {"#8364'It''s'", "#8364'It'#39's'"},
      {"#8364 + 'x'#1000", "#8364'x'#1000"},
      // A wide string goes on with 8-bit pieces, as its own cut lines hold them.
      {"#8364 + 'x' + '\xE9'", "#8364'x\xE9'"},
      // A wide string counts characters, not bytes of its codes.
      {"'" + Repeat('a', 63) + "'#8364#8364", "\r\n    '" + Repeat('a', 63) + "'#8364 +\r\n    #8364"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.written);
    EXPECT_EQ(CanonicalValue(row.written), row.printed);
  }
}

struct DoubleByteRow {
  int code_page;
  std::string text;
  std::size_t first_run;  // bytes of the first cut line's run
};

TEST(CanonicalStringsTest, DoubleByteCutsKeepCharactersWhole) {
  const std::string a63 = Repeat('a', 63);
  const DoubleByteRow rows[] = {
      // A lead byte at position 64 takes its second byte along: 65 on that line.
      {932, a63 + "\x82\xA0" + "bb", 65},
      {936, a63 + "\xB0\xA1" + "bb", 65},
      {949, a63 + "\xB0\xA1" + "bb", 65},
      {950, a63 + "\xA4\x40" + "bb", 65},
      // 0xA0-0xDF are single-byte characters in 932 (half-width kana).
      {932, a63 + "\xB1\xB2" + "bb", 64},
      {0, a63 + "\x82\xA0" + "bb", 64},
      {1252, a63 + "\x82\xA0" + "bb", 64},
      // Positions 63-64 form one character: the cut after 64 splits nothing,
      // although byte 64 has the value of a lead byte.
      {936, Repeat('a', 62) + "\x81\x81\x81\x81" + "b", 64},
      {932, Repeat('a', 61) + "\x81\x81\x81\x81" + "b", 65},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.code_page) + " " + row.text);
    const std::string printed = CanonicalValue("'" + row.text + "'", row.code_page);
    const std::string expected = "\r\n    '" + row.text.substr(0, row.first_run) + "' +\r\n    '" +
                                 row.text.substr(row.first_run) + "'";
    EXPECT_EQ(printed, expected);
  }
}

TEST(CanonicalStringsTest, DoubleByteCharactersAreCountedFromEachRunStart) {
  // The stray lead byte before #13 does not pair with the run after the code:
  // that run's bytes pair up from its own start, so byte 64 ends a character.
  const std::string text = "'\x82'#13'" + Repeat('\x81', 62) + "b'";
  EXPECT_EQ(CanonicalValue(text, 932), "\r\n    '\x82'#13'" + Repeat('\x81', 62) + "' +\r\n    'b'");
}

}  // namespace
}  // namespace quorvex
