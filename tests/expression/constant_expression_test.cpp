// FoxPro constant expressions: each row an expression as a form stores it and
// the property value it gives, or null where it is not a constant.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "expression/constant_expression.h"

namespace quorvex::testing {
namespace {

struct Row {
  std::string expression;
  const char* expected;  // ConstantLiteral of the value; null: not a constant
};

void ExpectRows(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    const std::optional<FoxConstant> value = EvaluateConstant(row.expression);
    const std::string got = value ? ConstantLiteral(*value) : "not a constant";
    EXPECT_EQ(got, row.expected ? row.expected : "not a constant") << row.expression.substr(0, 80);
  }
}

TEST(ConstantExpression, LiteralsAndOperators) {
  ExpectRows({
      {"\"Status:\"", "\"Status:\""},
      {"'say \"hi\"'", "\"say \"\"hi\"\"\""},
      {"[it's] + \"\"", "\"it's\""},
      {"(228)", "228"},
      {"((.5))", "0.5"},
      {"3.25 * 4 - 1", "12"},
      {"1 + 2 * 3", "7"},
      {"(1 + 2) * 3", "9"},
      {"7 / 2", "3.5"},
      {"0.1 + 0.2", "0.30000000000000004"},
      {"-7 % 3", "2"},
      {"7 % -3", "-2"},
      {"7 % 3 * 2", "2"},
      {"2 ^ 3 ** 2", "64"},
      {"2 ^ -1", "0.5"},
      {"- -3", "3"},
      {"-0", "0"},
      {"10 ^ 20", "100000000000000000000"},
      {"\"Line one\" + CHR(13) + \"line two\"", "\"Line one\rline two\""},
      {"\"ab  \" - \"cd\"", "\"abcd  \""},
      {"\"   \" - \"x\"", "\"x   \""},
      {".t. .AND. .Y.", ".T."},
      {".F. OR NOT .N.", ".T."},
      {"!.T. and .T. or .F.", ".F."},
      {".NOT. .NOT. .T.", ".T."},
      // Kinds do not mix, and a name is known only at run time.
      {"\"a\" + 1", nullptr},
      {"-\"a\"", nullptr},
      {".T. + .T.", nullptr},
      {"NOT 1", nullptr},
      {"1 AND .T.", nullptr},
      {"THISFORMSET.FORM1.HEIGHT-15", nullptr},
      {"oApp.p_font", nullptr},
      {"m.x", nullptr},
      {"{^2024-01-01}", nullptr},
      {"&lcMacro", nullptr},
      // Where FoxPro's reading is not settled, nothing is guessed.
      {"-2 ^ 2", nullptr},
      {"2 ^ -1 ^ 2", nullptr},
      {"(-2) ^ 2", "4"},
      {"(2 ^ -1) ^ 2", "0.25"},
      // No finite result.
      {"1 / 0", nullptr},
      {"0 / 0", nullptr},
      {"5 % 0", nullptr},
      {"10 ^ 400", nullptr},
      {"(-8) ^ 0.5", nullptr},
  });
}

TEST(ConstantExpression, Functions) {
  ExpectRows({
      {"RGB(255,0,0)", "255"},
      {"rgb(1, 2, 3)", "197121"},
      {"RGB(256,0,0)", nullptr},
      {"RGB(1,2)", nullptr},
      {"CHR(65) + chr(97)", "\"Aa\""},
      {"CHR(34)", "\"\"\"\""},
      {"CHR(256)", nullptr},
      {"CHR(65.5)", nullptr},
      {"SPACE(3) + \"|\"", "\"   |\""},
      {"SPACE(-1)", nullptr},
      {"REPLICATE(\"ab\",3)", "\"ababab\""},
      {"REPL(\"X\",0)", "\"\""},
      {"Upper(\"abc\xE4\")", "\"ABC\xE4\""},
      {"LOWE(\"ABC\xC4\")", "\"abc\xC4\""},
      {"ALLTRIM(\"  a b \t \")", "\"a b \t\""},
      {"ALLT(\" a \") + LTRIM(\" b \") + RTRIM(\" c \") + TRIM(\" d \")", "\"ab  c d\""},
      {"PADL(\"ab\",5,\"*\")", "\"***ab\""},
      {"PADR(\"ab\",5)", "\"ab   \""},
      {"PADC(\"ab\",5,\"-\")", "\"-ab--\""},
      {"PADR(\"abcdef\",3)", "\"abc\""},
      {"PADL(\"abcdef\",3)", nullptr},
      {"PADL(\"ab\",5,\"xy\")", nullptr},
      {"LEFT(\"abc\",2) + LEFT(\"abc\",-1) + LEFT(\"abc\",9)", "\"ababc\""},
      {"RIGHT(\"abc\",2) + RIGHT(\"abc\",0)", "\"bc\""},
      {"SUBSTR(\"abcdef\",2,3) + SUBS(\"abcdef\",5) + SUBSTR(\"abc\",9)", "\"bcdef\""},
      {"SUBSTR(\"abc\",0)", nullptr},
      {"SUBSTR(\"abc\",1,-1)", nullptr},
      {"LEN(\"abc\") + LEN(\"\")", "3"},
      {"INT(-7.9) + INT(2.5)", "-5"},
      {"ABS(-2.5)", "2.5"},
      {"MOD(-7,3)", "2"},
      {"MOD(7,0)", nullptr},
      // Four letters or more stand for the function they begin.
      {"REPLI(\"-\",2) + SPAC(1)", "\"-- \""},
      {"REP(\"-\",2)", nullptr},
      {"REPLICATES(\"-\",2)", nullptr},
      {"LEFT(\"abc\")", nullptr},
      {"LEN(1)", nullptr},
      {"GetLangText(\"MENU\",\"X\")", nullptr},
      {"HOME()", nullptr},
      {"DATE()", nullptr},
  });
}

TEST(ConstantExpression, MalformedInputIsNotAConstant) {
  ExpectRows({
      {"", nullptr},
      {"(", nullptr},
      {"(1", nullptr},
      {"1)", nullptr},
      {"1 2", nullptr},
      {"1 +", nullptr},
      {"\"open", nullptr},
      {"[open", nullptr},
      {"5.", nullptr},
      {".X.", nullptr},
      {"1 != 2", nullptr},
      {"1E3", nullptr},
      {"1\r\n+ 2", nullptr},
      {"\"a\r\nb\"", "\"a\r\nb\""},
      {"CHR(65,)", nullptr},
      {"CHR 65", nullptr},
      {"PADR(\"a\",2,\" \",1)", nullptr},
      {"\"a\" + \xE4", nullptr},
  });
}

TEST(ConstantExpression, BoundsRefuseBeforeGrowing) {
  const std::string max_text = std::to_string(kMaxConstantText);
  const std::string past_text = std::to_string(kMaxConstantText + 1);
  ExpectRows({
      {"LEN(SPACE(" + max_text + "))", max_text.c_str()},
      {"LEN(REPLICATE(\"ab\"," + std::to_string(kMaxConstantText / 2) + "))", max_text.c_str()},
      {"SPACE(" + past_text + ")", nullptr},
      {"REPLICATE(\"X\", 1000000000)", nullptr},
      {"REPLICATE(\"ab\"," + std::to_string(kMaxConstantText / 2 + 1) + ")", nullptr},
      {"LEN(SPACE(" + max_text + ") + \"x\")", nullptr},
      {"LEN(SPACE(" + max_text + ") - \"x\")", nullptr},
      {"PADL(\"\"," + past_text + ")", nullptr},
      {std::string(kMaxConstantNesting, '(') + "1" + std::string(kMaxConstantNesting, ')'), "1"},
      {std::string(kMaxConstantNesting + 1, '(') + "1" + std::string(kMaxConstantNesting + 1, ')'), nullptr},
      {std::string(kMaxConstantExpression - 1, ' ') + "1", "1"},
      {std::string(kMaxConstantExpression, ' ') + "1", nullptr},
      // Each sign and NOT is a level of the tree, which is bounded too.
      {std::string(kMaxExpressionHeight - 1, '-') + "1", "-1"},
      {std::string(kMaxExpressionHeight - 1, '!') + ".T.", ".F."},
      {std::string(kMaxExpressionHeight, '-') + "1", nullptr},
  });
}

}  // namespace
}  // namespace quorvex::testing
