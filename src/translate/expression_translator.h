#pragma once
// FoxPro expressions in Pascal, with FoxPro's meaning: "=" between strings
// compares as SET EXACT says (FoxRuntime's FoxStrEq), "==" exactly, "$" finds
// a string in another, "-" between strings moves the first one's trailing
// blanks to the end, IIF evaluates one of its values only. Where the types
// of the values are known the Pascal operators serve; where they are known
// only when the code runs, FoxRuntime's functions of Variants do, failing as
// FoxPro fails. Names reach the form's objects through THISFORM, THIS,
// Parent, member names and WITH, and the method's declared variables; any
// other name is FoxPro's variable of that name (or, read without m., the
// selected table's field), which FoxRuntime looks up as FoxPro does.

#include <string>
#include <vector>

#include "expression/fox_expression.h"
#include "translate/method_scope.h"
#include "translate/pascal_expression.h"

namespace quorvex {

class ExpressionTranslator {
 public:
  explicit ExpressionTranslator(MethodScope& scope) : scope_(scope) {}

  // The value of `expression`.
  Translated<PasExpr> Value(const FoxExpr& expression);
  // The object `reference` names (THISFORM.pgfMain.Page1).
  Translated<int> Object(const FoxExpr& reference);
  // `reference` as a statement: a call, or a method named without
  // parentheses (THISFORM.Refresh).
  Translated<std::string> Call(const FoxExpr& reference);
  // The statement that gives `target` (a variable or a property) `value`.
  Translated<std::string> Assign(const FoxExpr& target, const PasExpr& value);
  // The variable `reference` names, or null when it names none.
  Variable* VariableOf(const FoxExpr& reference);
  // The Pascal that gives FoxPro's variable `reference` names (one of those
  // FoxRuntime holds) `value`.
  static std::string SetRuntimeVariable(const FoxExpr& reference, const PasExpr& value);

 private:
  // Where a reference leads: an object, a value, or a call.
  struct Resolved {
    int object = -1;  // the object named, or the one whose member the last name is
    bool member = false;  // the last name is a property or method of `object`
    const FoxSegment* last = nullptr;
  };
  Translated<Resolved> Walk(const FoxExpr& reference);
  Translated<int> StartObject(const FoxExpr& reference, std::size_t& first);
  Translated<PasExpr> Reference(const FoxExpr& reference);
  Translated<PasExpr> Function(const FoxSegment& call);
  Translated<PasExpr> Iif(const FoxSegment& call);
  Translated<PasExpr> Chr(const FoxSegment& call);
  Translated<PasExpr> Binary(const std::string& op, const PasExpr& left, const PasExpr& right);
  Translated<PasExpr> Arithmetic(const std::string& op, const PasExpr& left, const PasExpr& right);
  Translated<PasExpr> Comparison(const std::string& op, const PasExpr& left, const PasExpr& right);
  Translated<PasExpr> Unary(const std::string& op, const PasExpr& operand);
  Translated<std::vector<PasExpr>> Arguments(const FoxSegment& call);
  Translated<PasExpr> ReadVariable(const Variable& variable);
  Translated<PasExpr> ReadRuntimeVariable(const FoxExpr& reference) const;
  Done CheckCallAllowed(std::string_view method) const;

  MethodScope& scope_;
};

// True when `reference` is a name FoxPro looks up among its variables when
// the code runs: a name alone or m.name, not a system variable (_SCREEN).
bool IsRuntimeName(const FoxExpr& reference);

// m.`name`, read from FoxRuntime.
PasExpr MemoryVariable(std::string_view name);

// A Pascal literal of FoxPro's literal `expression` (a string, number,
// logical or date), not translated where it cannot be sure of one.
Translated<PasExpr> LiteralValue(const FoxExpr& expression);

}  // namespace quorvex
