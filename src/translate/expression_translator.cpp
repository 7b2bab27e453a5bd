#include "translate/expression_translator.h"

#include <algorithm>
#include <cstdlib>

#include "base/ascii.h"
#include "translate/fox_functions.h"
#include "translate/member_access.h"
#include "translate/not_translated.h"

namespace quorvex {

namespace {

PasExpr CallOf(std::string name, const std::vector<PasExpr>& arguments, PasType type, bool total = false) {
  std::string text = std::move(name) + "(";
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    text += (i > 0 ? ", " : "") + arguments[i].text;
    total = total && arguments[i].total;
  }
  return {text + ")", type, kAtomic, total};
}

int StrengthOf(std::string_view op) {
  if (op == "*" || op == "/" || op == "and") return kProduct;
  if (op == "+" || op == "-" || op == "or") return kSum;
  return kRelation;
}

PasExpr Infix(const PasExpr& left, std::string_view op, const PasExpr& right, PasType type, bool total = true) {
  const int strength = StrengthOf(op);
  return {Operand(left, strength) + " " + std::string(op) + " " + Operand(right, strength, true), type, strength,
          total && left.total && right.total};
}

// Any value makes a Variant.
PasExpr AsVariant(const PasExpr& value) { return *ConvertTo(value, PasType::kVariant); }

bool IsDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

PasExpr NumberLiteral(std::string text) {
  const std::size_t dot = text.find('.');
  const bool exponent = text.find_first_of("eE") != std::string::npos;
  if (dot == std::string::npos && !exponent) {
    const std::size_t first = text.find_first_not_of('0');
    text = first == std::string::npos ? "0" : text.substr(first);
    // Beyond 32 bits a whole number is FoxPro's number as any other.
    if (text.size() <= 9) return {text, PasType::kInteger};
    return {text + ".0", PasType::kNumber};
  }
  if (dot == 0) text.insert(0, "0");
  const std::size_t point = text.find('.');
  if (point != std::string::npos && (point + 1 == text.size() || !IsDigits(text.substr(point + 1, 1))))
    text.insert(point + 1, "0");
  return {text, PasType::kNumber};
}

// {^2024-03-01} and the empty date {} ({ / / }, {  -  -  }); a date written
// as SET DATE reads it, or with a time, is not certain.
Translated<PasExpr> DateLiteral(std::string_view text) {
  text = TrimBlanks(text);
  if (text.find_first_not_of(" /-.") == std::string_view::npos) return PasExpr{"FoxNoDate", PasType::kDate};
  if (!text.starts_with('^')) return NotTranslated{"date written as SET DATE reads it"};
  text = TrimBlanks(text.substr(1));
  if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !IsDigits(text.substr(0, 4)) ||
      !IsDigits(text.substr(5, 2)) || !IsDigits(text.substr(8, 2)))
    return NotTranslated{"date and time"};
  const int year = std::atoi(std::string(text.substr(0, 4)).c_str());
  const int month = std::atoi(std::string(text.substr(5, 2)).c_str());
  const int day = std::atoi(std::string(text.substr(8, 2)).c_str());
  constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  if (year < 1 || month < 1 || month > 12 || day < 1 || day > kDays[month - 1] || (month == 2 && day == 29 && !leap))
    return NotTranslated{"date that is no date"};
  return PasExpr{"EncodeDate(" + std::to_string(year) + ", " + std::to_string(month) + ", " + std::to_string(day) + ")",
                 PasType::kDate, kAtomic, true};
}

bool NamesThis(const FoxSegment& segment, std::string_view name) {
  return !segment.called && SameText(segment.name, name);
}

}  // namespace

Translated<PasExpr> LiteralValue(const FoxExpr& expression) {
  switch (expression.kind) {
    case FoxExprKind::kString:
      if (expression.text.find_first_of("\r\n") != std::string::npos) return NotTranslated{"syntax not understood"};
    {
      std::string literal = PascalString(expression.text);
      const bool pieces = literal.find("' + '") != std::string::npos;
      return PasExpr{std::move(literal), PasType::kString, pieces ? kSum : kAtomic};
    }
    case FoxExprKind::kNumber: return NumberLiteral(expression.text);
    case FoxExprKind::kLogical: return PasExpr{expression.text == "T" ? "True" : "False", PasType::kLogical};
    case FoxExprKind::kDate: return DateLiteral(expression.text);
    default: break;
  }
  return NotTranslated{"syntax not understood"};
}

Translated<PasExpr> ExpressionTranslator::Value(const FoxExpr& expression) {
  switch (expression.kind) {
    case FoxExprKind::kReference: return Reference(expression);
    case FoxExprKind::kUnary: {
      Translated<PasExpr> operand = Value(*expression.operands[0]);
      if (!operand) return operand;
      return Unary(expression.text, *operand);
    }
    case FoxExprKind::kBinary: {
      // The right operand's reason is the one given where both fail.
      Translated<PasExpr> right = Value(*expression.operands[1]);
      if (!right) return right;
      Translated<PasExpr> left = Value(*expression.operands[0]);
      if (!left) return left;
      return Binary(expression.text, *left, *right);
    }
    default: return LiteralValue(expression);
  }
}

Variable* ExpressionTranslator::VariableOf(const FoxExpr& reference) {
  if (reference.kind != FoxExprKind::kReference || reference.from_with || reference.path.size() != 1 ||
      reference.path[0].called)
    return nullptr;
  return scope_.Find(reference.path[0].name);
}

bool IsRuntimeName(const FoxExpr& reference) {
  if (reference.kind != FoxExprKind::kReference || reference.from_with || reference.path.size() != 1) return false;
  const FoxSegment& name = reference.path[0];
  // NULL alone is FoxPro's null value, not a variable.
  if (name.called || name.name.starts_with('_') || SameText(name.name, "NULL")) return false;
  return reference.memory || !(NamesThis(name, "THIS") || NamesThis(name, "THISFORM") || NamesThis(name, "THISFORMSET"));
}

std::string ExpressionTranslator::SetRuntimeVariable(const FoxExpr& reference, const PasExpr& value) {
  return "FoxSetVar(" + PascalString(AsciiUpperCopy(reference.path[0].name)) + ", " + AsVariant(value).text + ")";
}

PasExpr MemoryVariable(std::string_view name) {
  return {"FoxMemVar(" + PascalString(AsciiUpperCopy(name)) + ")", PasType::kVariant, kAtomic, false};
}

// Read without m., a name is the selected table's field where it has one.
Translated<PasExpr> ExpressionTranslator::ReadRuntimeVariable(const FoxExpr& reference) const {
  const std::string& name = reference.path[0].name;
  if (scope_.Unknown(name)) return NotTranslated{"variable set by code not translated"};
  if (reference.memory) return MemoryVariable(name);
  if (scope_.untranslated_names.contains(std::string(kSelectedFields)))
    return NotTranslated{"name that may be a field of a table selected by code not translated"};
  if (scope_.set_names && !scope_.set_names->contains(name)) return NotTranslated{"name that may be a constant"};
  return PasExpr{"FoxVar(Self, " + PascalString(AsciiUpperCopy(name)) + ")", PasType::kVariant, kAtomic, false};
}

Translated<PasExpr> ExpressionTranslator::ReadVariable(const Variable& variable) {
  if (!variable.decided) return NotTranslated{"type not known yet"};
  if (variable.tainted) return NotTranslated{"variable set by code not translated"};
  return PasExpr{variable.pascal_name, variable.type};
}

Translated<int> ExpressionTranslator::StartObject(const FoxExpr& reference, std::size_t& first) {
  first = 1;
  if (reference.from_with) {
    if (scope_.with_objects.empty()) return NotTranslated{"WITH of an object not translated"};
    first = 0;
    return scope_.with_objects.back();
  }
  const FoxSegment& head = reference.path[0];
  if (NamesThis(head, "THISFORM")) return 0;
  if (NamesThis(head, "THIS")) {
    if (scope_.this_object < 0) return NotTranslated{"THIS of an object that is no control"};
    return scope_.this_object;
  }
  if (NamesThis(head, "THISFORMSET")) return NotTranslated{"form set"};
  if (reference.path.size() == 1 && !head.called) return NotTranslated{"variable not declared in the method"};
  return NotTranslated{"object not known"};
}

Translated<ExpressionTranslator::Resolved> ExpressionTranslator::Walk(const FoxExpr& reference) {
  std::size_t at = 0;
  Resolved resolved;
  Translated<int> start = StartObject(reference, at);
  if (!start) return std::move(start).Failure();
  resolved.object = *start;
  for (; at < reference.path.size(); ++at) {
    const FoxSegment& segment = reference.path[at];
    if (NamesThis(segment, "Parent")) {
      const int parent = scope_.form.objects[static_cast<std::size_t>(resolved.object)].parent;
      if (parent < 0) return NotTranslated{"Parent of the form"};
      resolved.object = parent;
      continue;
    }
    const int member = segment.called ? -1 : scope_.form.Member(resolved.object, segment.name);
    if (member >= 0) {
      resolved.object = member;
      continue;
    }
    if (at + 1 != reference.path.size()) return NotTranslated{"object not known"};
    resolved.member = true;
    resolved.last = &segment;
  }
  return resolved;
}

Translated<int> ExpressionTranslator::Object(const FoxExpr& reference) {
  if (reference.kind != FoxExprKind::kReference || reference.memory)
    return NotTranslated{"WITH of an object not translated"};
  Translated<Resolved> resolved = Walk(reference);
  if (!resolved) return std::move(resolved).Failure();
  if (resolved->member) return NotTranslated{"WITH of an object not translated"};
  return resolved->object;
}

Translated<PasExpr> ExpressionTranslator::Reference(const FoxExpr& reference) {
  if (Variable* variable = VariableOf(reference)) return ReadVariable(*variable);
  if (IsRuntimeName(reference)) return ReadRuntimeVariable(reference);
  if (reference.memory) return NotTranslated{"system variable"};
  if (!reference.from_with && reference.path.size() == 1 && reference.path[0].called)
    return Function(reference.path[0]);
  Translated<Resolved> resolved = Walk(reference);
  if (!resolved) return std::move(resolved).Failure();
  if (!resolved->member) return NotTranslated{"object used as a value"};
  if (!resolved->last->called) return ReadProperty(scope_.form, resolved->object, resolved->last->name);
  Translated<std::vector<PasExpr>> arguments = Arguments(*resolved->last);
  if (!arguments) return std::move(arguments).Failure();
  bool has_value = false;
  Translated<PasExpr> call = CallMethod(scope_.form, resolved->object, resolved->last->name, *arguments, has_value);
  if (!call) return call;
  if (!has_value) return NotTranslated{"method without a value used as a value"};
  call->total = false;
  return call;
}

Translated<std::string> ExpressionTranslator::Call(const FoxExpr& reference) {
  if (reference.kind != FoxExprKind::kReference || VariableOf(reference) != nullptr || reference.memory)
    return NotTranslated{"expression as a statement"};
  Translated<PasExpr> call;
  if (!reference.from_with && reference.path.size() == 1 && reference.path[0].called) {
    call = Function(reference.path[0]);
  } else {
    Translated<Resolved> resolved = Walk(reference);
    if (!resolved) return std::move(resolved).Failure();
    if (!resolved->member) return NotTranslated{"object used as a value"};
    if (Done allowed = CheckCallAllowed(resolved->last->name); !allowed) return std::move(allowed).Failure();
    Translated<std::vector<PasExpr>> arguments = Arguments(*resolved->last);
    if (!arguments) return std::move(arguments).Failure();
    bool has_value = false;
    call = CallMethod(scope_.form, resolved->object, resolved->last->name, *arguments, has_value);
  }
  if (!call) return std::move(call).Failure();
  return std::move(call->text);
}

// FoxPro takes no SetFocus in When and Valid. A form released while it is
// made or shown would be gone under whoever made or shows it: Release is
// translated only in the events a user's action fires.
Done ExpressionTranslator::CheckCallAllowed(std::string_view method) const {
  const auto named = [&](std::initializer_list<std::string_view> names) {
    return std::any_of(names.begin(), names.end(),
                       [&](std::string_view name) { return SameText(name, scope_.method_name); });
  };
  if (SameText(method, "SetFocus") && named({"When", "Valid", "RangeHigh", "RangeLow"}))
    return NotTranslated{"SetFocus in When or Valid"};
  if (SameText(method, "Release") && !(scope_.event && named({"Click", "DblClick", "RightClick", "KeyPress"})))
    return NotTranslated{"Release outside an event a user fires"};
  return {};
}

Translated<std::string> ExpressionTranslator::Assign(const FoxExpr& target, const PasExpr& value) {
  if (Variable* variable = VariableOf(target)) {
    if (!variable->decided) return NotTranslated{"type not known yet"};
    Translated<PasExpr> converted = ConvertTo(value, variable->type);
    if (!converted) return std::move(converted).Failure();
    return variable->pascal_name + " := " + converted->text;
  }
  if (IsRuntimeName(target)) return SetRuntimeVariable(target, value);
  if (target.memory || (!target.from_with && target.path.size() == 1)) return NotTranslated{"system variable"};
  Translated<Resolved> resolved = Walk(target);
  if (!resolved) return std::move(resolved).Failure();
  if (!resolved->member || resolved->last->called) return NotTranslated{"assignment to an object"};
  return WriteProperty(scope_.form, resolved->object, resolved->last->name, value);
}

Translated<std::vector<PasExpr>> ExpressionTranslator::Arguments(const FoxSegment& call) {
  std::vector<PasExpr> values;
  values.reserve(call.arguments.size());
  for (const FoxExprPtr& argument : call.arguments) {
    Translated<PasExpr> value = Value(*argument);
    if (!value) return std::move(value).Failure();
    values.push_back(std::move(*value));
  }
  return values;
}

Translated<PasExpr> ExpressionTranslator::Function(const FoxSegment& call) {
  if (NamesFunction(call.name, "IIF", 0)) return Iif(call);
  if (NamesFunction(call.name, "CHR", 0)) return Chr(call);
  if (!KnowsFunction(call.name)) return CallFunction(call.name, {}, false);
  Translated<std::vector<PasExpr>> arguments = Arguments(call);
  if (!arguments) return std::move(arguments).Failure();
  return CallFunction(call.name, *arguments, scope_.form.double_byte);
}

// FoxPro evaluates only the value IIF chooses; Pascal evaluates every
// argument, which is the same only where the other one cannot fail.
Translated<PasExpr> ExpressionTranslator::Iif(const FoxSegment& call) {
  if (call.arguments.size() != 3) return NotTranslated{"function called with other arguments"};
  Translated<PasExpr> value = Value(*call.arguments[0]);
  if (!value) return value;
  Translated<PasExpr> condition = ConvertTo(*value, PasType::kLogical);
  if (!condition) return condition;
  Translated<PasExpr> yes_value = Value(*call.arguments[1]);
  if (!yes_value) return yes_value;
  Translated<PasExpr> no_value = Value(*call.arguments[2]);
  if (!no_value) return no_value;
  const PasExpr& yes = *yes_value;
  const PasExpr& no = *no_value;
  if (!yes.total || !no.total) return NotTranslated{"IIF with a value that may fail"};
  PasType type = PasType::kVariant;
  if (yes.type == no.type) type = yes.type;
  else if (IsNumeric(yes.type) && IsNumeric(no.type)) type = PasType::kNumber;
  static constexpr std::string_view kNames[] = {"FoxIifStr",  "FoxIifInt",  "FoxIifNum",
                                                "FoxIifBool", "FoxIifDate", "FoxIifVar"};
  Translated<PasExpr> yes_as = ConvertTo(yes, type);
  if (!yes_as) return yes_as;
  Translated<PasExpr> no_as = ConvertTo(no, type);
  if (!no_as) return no_as;
  return CallOf(std::string(kNames[static_cast<int>(type)]), {*condition, *yes_as, *no_as}, type, condition->total);
}

// CHR of a constant below 128; a code above names a character of the code
// page, which the translated string would have to hold as Unicode.
Translated<PasExpr> ExpressionTranslator::Chr(const FoxSegment& call) {
  if (call.arguments.size() != 1 || call.arguments[0]->kind != FoxExprKind::kNumber ||
      !IsDigits(call.arguments[0]->text))
    return NotTranslated{"CHR of a computed code"};
  const long code = std::strtol(call.arguments[0]->text.c_str(), nullptr, 10);
  if (code > 127) return NotTranslated{"CHR beyond ASCII"};
  return PasExpr{"#" + std::to_string(code), PasType::kString};
}

Translated<PasExpr> ExpressionTranslator::Binary(const std::string& op, const PasExpr& left, const PasExpr& right) {
  if (op == "AND" || op == "OR") {
    Translated<PasExpr> b = ConvertTo(right, PasType::kLogical);
    if (!b) return b;
    Translated<PasExpr> a = ConvertTo(left, PasType::kLogical);
    if (!a) return a;
    return Infix(*a, op == "AND" ? "and" : "or", *b, PasType::kLogical);
  }
  if (op == "$") {
    Translated<PasExpr> a = ConvertTo(left, PasType::kString);
    if (!a) return a;
    Translated<PasExpr> b = ConvertTo(right, PasType::kString);
    if (!b) return b;
    return CallOf("FoxContains", {*a, *b}, PasType::kLogical, true);
  }
  if (op == "=" || op == "==" || op == "<>" || op == "<" || op == ">" || op == "<=" || op == ">=")
    return Comparison(op, left, right);
  return Arithmetic(op, left, right);
}

Translated<PasExpr> ExpressionTranslator::Arithmetic(const std::string& op, const PasExpr& left, const PasExpr& right) {
  const bool variant = left.type == PasType::kVariant || right.type == PasType::kVariant;
  if (variant) {
    static constexpr std::pair<std::string_view, std::string_view> kVariantOps[] = {
        {"+", "FoxAdd"}, {"-", "FoxSubtract"}, {"*", "FoxMultiply"}, {"/", "FoxDivide"}};
    for (const auto& [symbol, name] : kVariantOps) {
      if (op == symbol) return CallOf(std::string(name), {AsVariant(left), AsVariant(right)}, PasType::kVariant);
    }
  }
  if (op == "%" || op == "^") {
    Translated<PasExpr> a = ConvertTo(left, PasType::kNumber);
    if (!a) return a;
    Translated<PasExpr> b = ConvertTo(right, PasType::kNumber);
    if (!b) return b;
    return CallOf(op == "%" ? "FoxMod" : "FoxPower", {*a, *b}, PasType::kNumber);
  }
  const PasType l = left.type, r = right.type;
  if (IsNumeric(l) && IsNumeric(r)) {
    if (op == "/") return Infix(left, "/", right, PasType::kNumber, false);
    const bool whole = l == PasType::kInteger && r == PasType::kInteger;
    return Infix(left, op, right, whole ? PasType::kInteger : PasType::kNumber);
  }
  if (l == PasType::kString && r == PasType::kString) {
    if (op == "+") return Infix(left, "+", right, PasType::kString);
    if (op == "-") return CallOf("FoxTrimConcat", {left, right}, PasType::kString, true);
  }
  if (l == PasType::kDate && IsNumeric(r) && (op == "+" || op == "-"))
    return CallOf("FoxDateAdd", {left, op == "+" ? right : *Unary("-", right)}, PasType::kDate);
  if (IsNumeric(l) && r == PasType::kDate && op == "+") return CallOf("FoxDateAdd", {right, left}, PasType::kDate);
  if (l == PasType::kDate && r == PasType::kDate && op == "-")
    return CallOf("FoxDaysBetween", {left, right}, PasType::kInteger, true);
  return NotTranslated{"operator " + op + " on a " + std::string(TypeWord(l)) + " and a " + std::string(TypeWord(r))};
}

Translated<PasExpr> ExpressionTranslator::Comparison(const std::string& op, const PasExpr& left,
                                                     const PasExpr& right) {
  const PasType l = left.type, r = right.type;
  const bool equality = op == "=" || op == "==" || op == "<>";
  if (l == PasType::kVariant || r == PasType::kVariant) {
    if (!equality) return NotTranslated{"order of values of unknown type"};
    const PasExpr same = CallOf(op == "==" ? "FoxExactEqual" : "FoxEqual", {AsVariant(left), AsVariant(right)},
                              PasType::kLogical);
    return op == "<>" ? PasExpr{"not " + same.text, PasType::kLogical, kNot, false} : same;
  }
  const bool same_kind = l == r || (IsNumeric(l) && IsNumeric(r));
  if (!same_kind)
    return NotTranslated{"comparison of a " + std::string(TypeWord(l)) + " and a " + std::string(TypeWord(r))};
  if (l == PasType::kString) {
    if (!equality) return NotTranslated{"order of strings"};
    if (op == "==") return Infix(left, "=", right, PasType::kLogical);
    const PasExpr same = CallOf("FoxStrEq", {left, right}, PasType::kLogical, true);
    return op == "<>" ? PasExpr{"not " + same.text, PasType::kLogical, kNot, same.total} : same;
  }
  if (l == PasType::kLogical && !equality) return NotTranslated{"order of logical values"};
  return Infix(left, op == "==" ? "=" : op, right, PasType::kLogical);
}

Translated<PasExpr> ExpressionTranslator::Unary(const std::string& op, const PasExpr& operand) {
  if (op == "NOT") {
    Translated<PasExpr> logical = ConvertTo(operand, PasType::kLogical);
    if (!logical) return logical;
    return PasExpr{"not " + Operand(*logical, kNot), PasType::kLogical, kNot, logical->total};
  }
  if (operand.type == PasType::kVariant) {
    if (op == "+") return ConvertTo(operand, PasType::kNumber);
    return CallOf("FoxNegate", {operand}, PasType::kVariant);
  }
  if (!IsNumeric(operand.type)) return NotTranslated{"sign of a " + std::string(TypeWord(operand.type))};
  if (op == "+") return operand;
  // A sign binds as + and - do: a * (-b), a - (-b).
  return PasExpr{"-" + Operand(operand, kNot), operand.type, kSum, operand.total};
}

}  // namespace quorvex
