// Printing of the non-string values: integers, floating-point numbers,
// identifiers, sets and binary data.

#include <gtest/gtest.h>

#include <string>

#include "canonical_test_util.h"

namespace quorvex {
namespace {

using testing::CanonicalValue;

struct ValueRow {
  const char* written;
  const char* printed;
};

void ExpectPrinted(const ValueRow& row) {
  SCOPED_TRACE(row.written);
  EXPECT_EQ(CanonicalValue(row.written), row.printed);
}

TEST(CanonicalValuesTest, IntegersPrintInDecimal) {
  const ValueRow rows[] = {
      {"0", "0"},
      {"-0", "0"},
      {"00042", "42"},
      {"-9223372036854775808", "-9223372036854775808"},
      {"9223372036854775807", "9223372036854775807"},
      {"$0000FF00", "65280"},
      {"$7fffffffffffffff", "9223372036854775807"},
      // A hexadecimal literal is a 64-bit pattern.
      {"$FFFFFFFFFFFFFFFF", "-1"},
      {"$00000000000000000001", "1"},
  };
  for (const auto& row : rows) ExpectPrinted(row);
}

TEST(CanonicalValuesTest, FloatsPrintInGeneralFormat) {
  const ValueRow rows[] = {
      {"1.25", "1.25"},
      {"2.0", "2"},
      {"1E2", "100"},
      {"-0.0", "0"},
      {"0.1e1", "1"},
      {"99999999999999.95", "100000000000000"},
      {"999999999999999.5", "1E15"},
      {"0.0000099999999999999999", "0.00001"},
      {"0.00000999", "9.99E-6"},
      {"-0.00000999", "-9.99E-6"},
      {"-123456789012345678.0", "-1.23456789012346E17"},
      {"1.7976931348623157E308", "1.79769313486232E308"},
      {"1.5e-300", "1.5E-300"},
      {"1.e3", "1000"},
      {"123.456e-2", "1.23456"},
      // The suffixes keep the value and print in lower case.
      {"5S", "5s"},
      {"-0.5c", "-0.5c"},
      {"1E20d", "1E20d"},
      {"0.0d", "0d"},
  };
  for (const auto& row : rows) ExpectPrinted(row);
}

TEST(CanonicalValuesTest, IdentifiersKeepTheirCaseExceptTheSpecialOnes) {
  const ValueRow rows[] = {
      {"clBtnFace", "clBtnFace"},
      {"tRuE", "True"},
      {"FALSE", "False"},
      {"NiL", "nil"},
      {"nULL", "nULL"},
      {"True.Value", "True.Value"},
      {"Falsehood", "Falsehood"},
      {"Form1\r\n  .\r\n  Edit1", "Form1.Edit1"},
      {"_1", "_1"},
  };
  for (const auto& row : rows) ExpectPrinted(row);
}

TEST(CanonicalValuesTest, SetsJoinTheirElementsAsWritten) {
  const ValueRow rows[] = {
      {"[]", "[]"},
      {"[ ]", "[]"},
      {"[akLeft,akTop]", "[akLeft, akTop]"},
      {"[\r\n  a\r\n  ,\r\n  b\r\n]", "[a, b]"},
      {"[$0F, 007, -1]", "[$0F, 007, -1]"},
  };
  for (const auto& row : rows) ExpectPrinted(row);
}

TEST(CanonicalValuesTest, BinaryDataPrintsInUpperCaseLinesOf32Bytes) {
  const std::string line32 = "000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F";
  const ValueRow rows[] = {
      {"{}", "{}"},
      {"{ }", "{}"},
      {"{abcdef}", "{ABCDEF}"},
      {"{\r\n  0a0B\r\n  0c\r\n}", "{0A0B0C}"},
  };
  for (const auto& row : rows) ExpectPrinted(row);
  EXPECT_EQ(CanonicalValue("{" + line32 + line32 + "}"), "{\r\n    " + line32 + "\r\n    " + line32 + "}");
  EXPECT_EQ(CanonicalValue("{" + line32 + "FF}"), "{\r\n    " + line32 + "\r\n    FF}");
}

TEST(CanonicalValuesTest, NestedValuesIndentOneLevelPerList) {
  const std::string line32(64, 'A');
  EXPECT_EQ(CanonicalValue("(1 {" + line32 + "})"), "(\r\n    1\r\n    {\r\n      " + line32 + "})");
  EXPECT_EQ(CanonicalValue("(<item end>)"), "(\r\n    <\r\n      item\r\n      end>)");
  EXPECT_EQ(CanonicalValue("<item [-1] L = ('a') end item[2]end>"),
            "<\r\n    item [-1]\r\n      L = (\r\n        'a')\r\n    end\r\n    item [2]\r\n    end>");
}

}  // namespace
}  // namespace quorvex
