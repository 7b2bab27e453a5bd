// The expression reader's bounds: input that would run it, or those who walk
// its trees, out of stack is refused with a reason, while long runs of signs
// and of NOT, read in a loop, are taken.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "expression/fox_expression.h"

namespace quorvex::testing {
namespace {

std::string Reason(std::string_view text) {
  const ParsedExpression parsed = ParseExpression(text);
  return parsed.tree ? "read" : std::string(parsed.failure);
}

std::string Repeated(std::string_view part, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += part;
  return text;
}

TEST(FoxExpression, NestingIsBounded) {
  constexpr std::size_t kMost = kMaxExpressionNesting;
  EXPECT_EQ(Reason(Repeated("(", kMost) + "x" + Repeated(")", kMost)), "read");
  EXPECT_EQ(Reason(Repeated("(", kMost + 1) + "x" + Repeated(")", kMost + 1)), "expression nested too deeply");
  EXPECT_EQ(Reason(Repeated("ABS(", kMost) + "x" + Repeated(")", kMost)), "read");
  EXPECT_EQ(Reason(Repeated("F(1, (", kMost / 2 + 1) + "x"), "expression nested too deeply");
  EXPECT_EQ(Reason(Repeated("x+", kMaxStatementTokens / 2)), "statement too long");
}

// Chains of operators, runs of signs and of NOT, and calls' arguments all add
// levels; a tree higher than the bound is not read.
TEST(FoxExpression, HeightIsBounded) {
  constexpr std::size_t kMost = kMaxExpressionHeight;
  EXPECT_EQ(Reason(std::string(kMost - 1, '-') + "x"), "read");
  EXPECT_EQ(ParseExpression(std::string(kMost - 1, '!') + "x").tree->height, kMaxExpressionHeight);
  EXPECT_EQ(Reason(std::string(kMost, '-') + "x"), "expression nested too deeply");
  EXPECT_EQ(Reason(Repeated("x+", kMost - 1) + "x"), "read");
  EXPECT_EQ(Reason(Repeated("x+", kMost) + "x"), "expression nested too deeply");
  EXPECT_EQ(Reason("F(" + Repeated("x*", kMost - 2) + "x)"), "read");
  EXPECT_EQ(Reason("F(" + Repeated("x*", kMost - 1) + "x)"), "expression nested too deeply");
}

TEST(FoxExpression, ParenthesesAreKept) {
  const FoxExprPtr grouped = ParseExpression("(-2) ^ 2").tree;
  const FoxExprPtr bare = ParseExpression("-2 ^ 2").tree;
  EXPECT_TRUE(grouped->operands[0]->parenthesized);
  EXPECT_FALSE(bare->operands[0]->parenthesized);
  EXPECT_EQ(bare->operands[0]->kind, FoxExprKind::kUnary);
}

}  // namespace
}  // namespace quorvex::testing
