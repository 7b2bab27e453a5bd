// Strings decoded from every code page a table can be marked with give the
// same text on every system: the expected text in data/code_pages.txt is what
// iconv (glibc 2.36, Debian 12) gives, and Windows decodes without iconv.
// QUORVEX_UPDATE_GOLDEN=1 rewrites the file, on POSIX systems only.

#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "base/text_encoding.h"
#include "support/golden.h"

namespace quorvex::testing {
namespace {

const std::filesystem::path kExpected =
    std::filesystem::path(QUORVEX_SOURCE_DIR) / "tests/base/data/code_pages.txt";

// The byte strings decoded for one code page: the upper half at once for a
// single-byte code page; for a double-byte one, each first byte alone and
// before second bytes at the edges of their ranges, blanks between; and the
// sequences where iconv holds state or reports a failure late.
std::vector<std::string> Inputs(int code_page) {
  static const std::set<int> kDoubleByte = {932, 936, 949, 950};
  std::vector<std::string> inputs;
  if (!kDoubleByte.contains(code_page)) {
    std::string upper;
    for (int byte = 0x80; byte <= 0xFF; ++byte) upper += static_cast<char>(byte);
    inputs.push_back(upper);
  } else {
    for (int first = 0x80; first <= 0xFF; ++first) {
      std::string row;
      for (const int second : {0x40, 0x7F, 0x80, 0xA1, 0xE8, 0xFE}) {
        row += {static_cast<char>(first), static_cast<char>(second), ' '};
      }
      inputs.push_back(row + static_cast<char>(first));
    }
  }
  if (code_page == 1255) inputs.insert(inputs.end(), {"\xE0\xC8", "\xF9", "\xD4\x81", "\xE0\xC8\xF9 \xF9"});
  if (code_page == 949) inputs.insert(inputs.end(), {"\xA2\xE8", "\xB1\xA2\xE8\x9C", "A\xA2\xE8\xB0\xA1"});
  return inputs;
}

// "CODEPAGE BYTES: UNITS", all in hexadecimal.
std::string Line(int code_page, std::string_view bytes) {
  std::string line = std::to_string(code_page) + ' ';
  char hex[8];
  for (const char c : bytes) {
    std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned char>(c));
    line += hex;
  }
  line += ':';
  for (const char16_t unit : DecodeText(bytes, code_page)) {
    std::snprintf(hex, sizeof hex, " %04X", static_cast<unsigned>(unit));
    line += hex;
  }
  return line + '\n';
}

TEST(CodePages, DecodeAsIconvDoes) {
  std::set<int> code_pages;
  for (int mark = 0; mark <= 0xFF; ++mark) code_pages.insert(CodePageOfMark(mark));
  std::string text;
  for (const int code_page : code_pages) {
    for (const std::string& input : Inputs(code_page)) text += Line(code_page, input);
  }
#ifndef _WIN32
  if (UpdateGolden()) WriteFileBytes(kExpected, text);
#endif
  EXPECT_TRUE(SameBytes(ReadFileBytes(kExpected), text, "code_pages.txt"));
}

// A code page no table is marked with reads as 1252, whatever the system knows of it.
TEST(CodePages, OthersReadAs1252) {
  for (const int code_page : {0, 1258, 20127, 65001}) {
    EXPECT_EQ(DecodeText("\x80\xC3\xA9\x81", code_page), u"\u20AC\u00C3\u00A9\uFFFD") << code_page;
  }
}

}  // namespace
}  // namespace quorvex::testing
