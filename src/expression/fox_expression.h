#pragma once
// FoxPro expressions as a tree, and the parser that reads them from tokens.
// Operators by FoxPro's precedence, loosest first: OR; AND; NOT (and !); the
// comparisons = == <> != # < > <= >= $ (one per operand: FoxPro's chains of
// them are not read); + and -; * / %; ^ and **; unary - and +. A reference
// is a dotted path of names, each optionally called with arguments:
// THISFORM.txtName.Value, ALLTRIM(x), THIS.Parent.lstItems.List(2); inside a
// WITH it may start with a dot, and "m." marks a variable.
//
// No input runs the reader, or those who walk its trees, out of stack:
// parentheses and calls nest at most kMaxExpressionNesting deep, runs of
// signs and of NOT are read in a loop, and a tree is never deeper than the
// kMaxStatementTokens its statement may have.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "expression/fox_lexer.h"

namespace quorvex {

constexpr int kMaxExpressionNesting = 64;                // parentheses and calls, one inside another
// Levels of a tree: a chain of operators (a + b + c ...) is one level more
// per operator. What walks a tree walks it by recursion, and a thread may have
// no more than 1 MB of stack (Windows gives every thread that much).
constexpr int kMaxExpressionHeight = 256;
constexpr std::size_t kMaxStatementTokens = 16 * 1024;  // the end token too

struct FoxExpr;
using FoxExprPtr = std::unique_ptr<FoxExpr>;

struct FoxSegment {
  std::string name;  // as written
  bool called = false;
  std::vector<FoxExprPtr> arguments;
};

enum class FoxExprKind { kString, kNumber, kLogical, kDate, kReference, kUnary, kBinary };

struct FoxExpr {
  FoxExprKind kind = FoxExprKind::kString;
  // A literal's text (kLogical: "T" or "F"); an operator (AND, OR, NOT for
  // every spelling of those, the symbol for the others; # and != read as <>,
  // ** as ^).
  std::string text;
  bool from_with = false;  // a reference that starts with "."
  bool memory = false;     // a reference written "m.name"
  // Written in parentheses of its own: the tree alone does not tell (-2)^2
  // from -2^2.
  bool parenthesized = false;
  int height = 1;  // levels from it down to its deepest leaf, itself counted
  std::vector<FoxSegment> path;
  std::vector<FoxExprPtr> operands;  // one for unary, two for binary
};

// Reads expressions from `tokens` (which end in a kEnd token), starting at
// `at`. What it cannot read is no error but an answer: the read gives null
// and Failure() the reason, a short phrase ("syntax not understood",
// "array"), which a stage that reports reasons passes on unchanged. After
// that, and from the start for more than kMaxStatementTokens tokens, every
// read gives null.
class FoxParser {
 public:
  explicit FoxParser(const std::vector<Token>& tokens, std::size_t at = 0);

  FoxExprPtr Expression();
  // A reference alone (an assignment's target, a FOR counter).
  FoxExprPtr Reference();

  const Token& Peek(std::size_t ahead = 0) const;
  bool PeekOperator(std::string_view op) const;
  bool PeekName(std::string_view upper_name) const;
  void Skip() { ++at_; }
  bool AtEnd() const { return Peek().kind == TokenKind::kEnd; }
  // Passes the next token if it is `op`; fails otherwise.
  bool Expect(std::string_view op);
  // Why the last read gave null; "" while all was read.
  std::string_view Failure() const { return failure_; }

 private:
  std::nullptr_t Fail(std::string_view reason);
  FoxExprPtr Or();
  FoxExprPtr And();
  // Operands of `operand` joined by the word `word` (OR, AND), left to right.
  FoxExprPtr WordChain(std::string_view word, FoxExprPtr (FoxParser::*operand)());
  bool PeekWord(std::string_view word) const;
  FoxExprPtr Not();
  FoxExprPtr Comparison();
  FoxExprPtr Sum();
  FoxExprPtr Product();
  FoxExprPtr Power();
  FoxExprPtr Unary();
  FoxExprPtr Operand();
  FoxExprPtr Nested();
  // `tree`, or a failure when it is higher than kMaxExpressionHeight.
  FoxExprPtr Bounded(FoxExprPtr tree);
  bool Segments(FoxExpr& reference);
  bool Arguments(FoxSegment& segment);

  const std::vector<Token>& tokens_;
  std::size_t at_;
  int depth_ = 0;
  std::string_view failure_;  // always a literal
};

struct ParsedExpression {
  FoxExprPtr tree;  // null when unreadable
  std::string_view failure;
};

// `text` as one whole expression.
ParsedExpression ParseExpression(std::string_view text);

}  // namespace quorvex
