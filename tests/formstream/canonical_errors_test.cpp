// Texts that must not parse, with the exact message and the line it names:
// the line of the offending token, counting line feeds from 1.

#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "canonical_test_util.h"

namespace quorvex {
namespace {

using testing::FormWith;
using testing::ParseFailure;

struct ErrorRow {
  std::string text;
  std::string message;
};

void ExpectFailures(const ErrorRow* rows, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    SCOPED_TRACE(rows[i].text);
    EXPECT_EQ(ParseFailure(rows[i].text), rows[i].message);
  }
}

TEST(CanonicalErrorsTest, ObjectStructure) {
  const ErrorRow rows[] = {
      {"", "'object' expected on line 1"},
      {"\r\n\r\nend\r\n", "'object' expected on line 3"},
      {"object\r\n", "Identifier expected on line 2"},
      {"object Form1:\r\n", "Identifier expected on line 2"},
      {"object Form1: 'TForm1'\r\nend\r\n", "Identifier expected on line 1"},
      {"object Form1: TForm1 [x]\r\nend\r\n", "Integer expected on line 1"},
      {"object Form1: TForm1 [1\r\nend\r\n", "']' expected on line 2"},
      // A missing class takes the next name as the class; the "=" after it fails.
      {FormWith("  object Line1:\r\n    Left = 10\r\n  end\r\n"), "Identifier expected on line 3"},
      {FormWith("  object Grid: \r\n    object Column1: TColumn\r\n    end\r\n  end\r\n"), "'=' expected on line 3"},
      {FormWith("  object B: TButton\r\n  end\r\n  Left = 1\r\n"), "'object' expected on line 4"},
      {"object Form1: TForm1\r\n  Left = 1\r\n", "Identifier expected on line 3"},
      {"object Form1: TForm1\r\n  object B: TButton\r\n  end\r\n", "'object' expected on line 4"},
      // Identifiers are ASCII: an 8-bit letter ends the name.
      {FormWith("  object caf\xE9: TLabel\r\n  end\r\n"), "Identifier expected on line 2"},
      // Only line feeds count lines.
      {"object Form1: TForm1\r  Left 1\rend\r", "'=' expected on line 1"},
  };
  ExpectFailures(rows, std::size(rows));
}

TEST(CanonicalErrorsTest, Properties) {
  const ErrorRow rows[] = {
      {FormWith("  Left 10\r\n"), "'=' expected on line 2"},
      {FormWith("  Font. = 1\r\n"), "Identifier expected on line 2"},
      {FormWith("  1 = 1\r\n"), "Identifier expected on line 2"},
      {"object Form1: TForm1\r\n  Left =\r\n\r\n", "Invalid property value on line 4"},
      // "end" is a name like any other where a value stands.
      {FormWith("  Left =\r\n"), "Identifier expected on line 4"},
      {FormWith("  Left = )\r\n"), "Invalid property value on line 2"},
      {FormWith("  Left = -\r\n"), "'-' is not a valid integer value on line 2"},
      {FormWith("  Left = 9223372036854775808\r\n"), "'9223372036854775808' is not a valid integer value on line 2"},
      {FormWith("  Left = $\r\n"), "'$' is not a valid integer value on line 2"},
      {FormWith("  Left = $10000000000000000\r\n"), "'$10000000000000000' is not a valid integer value on line 2"},
      {FormWith("  Left = 1e\r\n"), "'1e' is not a valid floating point value on line 2"},
      {FormWith("  Left = 1..2\r\n"), "'1..2' is not a valid floating point value on line 2"},
      {FormWith("  Left = 1e400\r\n"), "'1e400' is not a valid floating point value on line 2"},
      {FormWith("  Left = -.d\r\n"), "'-.' is not a valid floating point value on line 2"},
      {FormWith("  Left = A.\r\n  Top = 1\r\n"), "Identifier expected on line 3"},
  };
  ExpectFailures(rows, std::size(rows));
}

TEST(CanonicalErrorsTest, Strings) {
  const ErrorRow rows[] = {
      {FormWith("  S = 'abc\r\n"), "Invalid string constant on line 2"},
      {FormWith("  S = 'a\rb'\r\n"), "Invalid string constant on line 2"},
      {FormWith("  S = 'a'#\r\n"), "Invalid string constant on line 2"},
      {FormWith("  S = #65536\r\n"), "Invalid string constant on line 2"},
      {FormWith("  S = #99999999999999999999\r\n"), "Invalid string constant on line 2"},
      {FormWith("  S = 'a' + 1\r\n"), "String expected on line 2"},
      {FormWith("  S = 'a' +\r\n"), "String expected on line 3"},
      {FormWith("  S = 'a' +\r\n    #8364\r\n"), "String expected on line 3"},
      {FormWith("  S = #8364 + 1\r\n"), "String expected on line 2"},
  };
  ExpectFailures(rows, std::size(rows));
}

TEST(CanonicalErrorsTest, SetsListsCollectionsAndBinary) {
  const ErrorRow rows[] = {
      {FormWith("  S = [a b]\r\n"), "',' expected on line 2"},
      {FormWith("  S = [a,]\r\n"), "Identifier expected on line 2"},
      {FormWith("  S = ['a']\r\n"), "Identifier expected on line 2"},
      {FormWith("  S = [1.5]\r\n"), "Identifier expected on line 2"},
      {FormWith("  S = [$]\r\n"), "'$' is not a valid integer value on line 2"},
      {"object Form1: TForm1\r\n  L = (1\r\n    2\r\n", "Invalid property value on line 4"},
      {FormWith("  L = (1 ,2)\r\n"), "Invalid property value on line 2"},
      {FormWith("  C = <\r\n    thing\r\n  end>\r\n"), "'item' expected on line 3"},
      {FormWith("  C = <item [x] end>\r\n"), "Integer expected on line 2"},
      {FormWith("  C = <item A = 1>\r\n"), "Identifier expected on line 2"},
      {FormWith("  B = {0102030}\r\n"), "Invalid binary value on line 2"},
      {FormWith("  B = {01\r\n    0G}\r\n"), "Invalid binary value on line 3"},
      {FormWith("  B = {01\r\n"), "Invalid binary value on line 3"},
      {"object Form1: TForm1\r\n  B = {01\r\n", "Invalid binary value on line 3"},
      {FormWith("  B = {0 1}\r\n"), "Invalid binary value on line 2"},
  };
  ExpectFailures(rows, std::size(rows));
}

}  // namespace
}  // namespace quorvex
