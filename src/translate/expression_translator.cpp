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

PasExpr AsVariant(const PasExpr& value) { return ConvertTo(value, PasType::kVariant); }

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
PasExpr DateLiteral(std::string_view text) {
  text = TrimBlanks(text);
  if (text.find_first_not_of(" /-.") == std::string_view::npos) return {"FoxNoDate", PasType::kDate};
  if (!text.starts_with('^')) throw ENotTranslated("date written as SET DATE reads it");
  text = TrimBlanks(text.substr(1));
  if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !IsDigits(text.substr(0, 4)) ||
      !IsDigits(text.substr(5, 2)) || !IsDigits(text.substr(8, 2)))
    throw ENotTranslated("date and time");
  const int year = std::atoi(std::string(text.substr(0, 4)).c_str());
  const int month = std::atoi(std::string(text.substr(5, 2)).c_str());
  const int day = std::atoi(std::string(text.substr(8, 2)).c_str());
  constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  if (year < 1 || month < 1 || month > 12 || day < 1 || day > kDays[month - 1] || (month == 2 && day == 29 && !leap))
    throw ENotTranslated("date that is no date");
  return {"EncodeDate(" + std::to_string(year) + ", " + std::to_string(month) + ", " + std::to_string(day) + ")",
          PasType::kDate, kAtomic, true};
}

bool NamesThis(const FoxSegment& segment, std::string_view name) {
  return !segment.called && SameText(segment.name, name);
}

}  // namespace

PasExpr LiteralValue(const FoxExpr& expression) {
  switch (expression.kind) {
    case FoxExprKind::kString:
      if (expression.text.find_first_of("\r\n") != std::string::npos) throw ENotTranslated("syntax not understood");
    {
      std::string literal = PascalString(expression.text);
      const bool pieces = literal.find("' + '") != std::string::npos;
      return {std::move(literal), PasType::kString, pieces ? kSum : kAtomic};
    }
    case FoxExprKind::kNumber: return NumberLiteral(expression.text);
    case FoxExprKind::kLogical: return {expression.text == "T" ? "True" : "False", PasType::kLogical};
    case FoxExprKind::kDate: return DateLiteral(expression.text);
    default: break;
  }
  throw ENotTranslated("syntax not understood");
}

PasExpr ExpressionTranslator::Value(const FoxExpr& expression) {
  switch (expression.kind) {
    case FoxExprKind::kReference: return Reference(expression);
    case FoxExprKind::kUnary: return Unary(expression.text, Value(*expression.operands[0]));
    case FoxExprKind::kBinary:
      return Binary(expression.text, Value(*expression.operands[0]), Value(*expression.operands[1]));
    default: return LiteralValue(expression);
  }
}

Variable* ExpressionTranslator::VariableOf(const FoxExpr& reference) {
  if (reference.kind != FoxExprKind::kReference || reference.from_with || reference.path.size() != 1 ||
      reference.path[0].called)
    return nullptr;
  return scope_.Find(reference.path[0].name);
}

PasExpr ExpressionTranslator::ReadVariable(const Variable& variable) {
  if (!variable.decided) throw ENotTranslated("type not known yet");
  if (variable.tainted) throw ENotTranslated("variable set by code not translated");
  return {variable.pascal_name, variable.type};
}

int ExpressionTranslator::StartObject(const FoxExpr& reference, std::size_t& first) {
  first = 1;
  if (reference.from_with) {
    if (scope_.with_objects.empty()) throw ENotTranslated("WITH of an object not translated");
    first = 0;
    return scope_.with_objects.back();
  }
  const FoxSegment& head = reference.path[0];
  if (NamesThis(head, "THISFORM")) return 0;
  if (NamesThis(head, "THIS")) {
    if (scope_.this_object < 0) throw ENotTranslated("THIS of an object that is no control");
    return scope_.this_object;
  }
  if (NamesThis(head, "THISFORMSET")) throw ENotTranslated("form set");
  if (reference.path.size() == 1 && !head.called) throw ENotTranslated("variable not declared in the method");
  throw ENotTranslated("object not known");
}

ExpressionTranslator::Resolved ExpressionTranslator::Walk(const FoxExpr& reference) {
  std::size_t at = 0;
  Resolved resolved;
  resolved.object = StartObject(reference, at);
  for (; at < reference.path.size(); ++at) {
    const FoxSegment& segment = reference.path[at];
    if (NamesThis(segment, "Parent")) {
      const int parent = scope_.form.objects[static_cast<std::size_t>(resolved.object)].parent;
      if (parent < 0) throw ENotTranslated("Parent of the form");
      resolved.object = parent;
      continue;
    }
    const int member = segment.called ? -1 : scope_.form.Member(resolved.object, segment.name);
    if (member >= 0) {
      resolved.object = member;
      continue;
    }
    if (at + 1 != reference.path.size()) throw ENotTranslated("object not known");
    resolved.member = true;
    resolved.last = &segment;
  }
  return resolved;
}

int ExpressionTranslator::Object(const FoxExpr& reference) {
  if (reference.kind != FoxExprKind::kReference || reference.memory)
    throw ENotTranslated("WITH of an object not translated");
  const Resolved resolved = Walk(reference);
  if (resolved.member) throw ENotTranslated("WITH of an object not translated");
  return resolved.object;
}

PasExpr ExpressionTranslator::Reference(const FoxExpr& reference) {
  if (Variable* variable = VariableOf(reference)) return ReadVariable(*variable);
  if (reference.memory) throw ENotTranslated("variable not declared in the method");
  if (!reference.from_with && reference.path.size() == 1 && reference.path[0].called)
    return Function(reference.path[0]);
  const Resolved resolved = Walk(reference);
  if (!resolved.member) throw ENotTranslated("object used as a value");
  if (!resolved.last->called) return ReadProperty(scope_.form, resolved.object, resolved.last->name);
  bool has_value = false;
  PasExpr call = CallMethod(scope_.form, resolved.object, resolved.last->name, Arguments(*resolved.last), has_value);
  if (!has_value) throw ENotTranslated("method without a value used as a value");
  call.total = false;
  return call;
}

std::string ExpressionTranslator::Call(const FoxExpr& reference) {
  if (reference.kind != FoxExprKind::kReference || VariableOf(reference) != nullptr || reference.memory)
    throw ENotTranslated("expression as a statement");
  if (!reference.from_with && reference.path.size() == 1 && reference.path[0].called)
    return Function(reference.path[0]).text;
  const Resolved resolved = Walk(reference);
  if (!resolved.member) throw ENotTranslated("object used as a value");
  CheckCallAllowed(resolved.last->name);
  bool has_value = false;
  return CallMethod(scope_.form, resolved.object, resolved.last->name, Arguments(*resolved.last), has_value).text;
}

// FoxPro takes no SetFocus in When and Valid. A form released while it is
// made or shown would be gone under whoever made or shows it: Release is
// translated only in the events a user's action fires.
void ExpressionTranslator::CheckCallAllowed(std::string_view method) const {
  const auto named = [&](std::initializer_list<std::string_view> names) {
    return std::any_of(names.begin(), names.end(),
                       [&](std::string_view name) { return SameText(name, scope_.method_name); });
  };
  if (SameText(method, "SetFocus") && named({"When", "Valid", "RangeHigh", "RangeLow"}))
    throw ENotTranslated("SetFocus in When or Valid");
  if (SameText(method, "Release") && !(scope_.event && named({"Click", "DblClick", "RightClick", "KeyPress"})))
    throw ENotTranslated("Release outside an event a user fires");

}

std::string ExpressionTranslator::Assign(const FoxExpr& target, const PasExpr& value) {
  if (Variable* variable = VariableOf(target)) {
    if (!variable->decided) throw ENotTranslated("type not known yet");
    return variable->pascal_name + " := " + ConvertTo(value, variable->type).text;
  }
  if (target.memory || (!target.from_with && target.path.size() == 1))
    throw ENotTranslated("variable not declared in the method");
  const Resolved resolved = Walk(target);
  if (!resolved.member || resolved.last->called) throw ENotTranslated("assignment to an object");
  return WriteProperty(scope_.form, resolved.object, resolved.last->name, value);
}

std::vector<PasExpr> ExpressionTranslator::Arguments(const FoxSegment& call) {
  std::vector<PasExpr> values;
  for (const FoxExprPtr& argument : call.arguments) values.push_back(Value(*argument));
  return values;
}

PasExpr ExpressionTranslator::Function(const FoxSegment& call) {
  if (NamesFunction(call.name, "IIF", 0)) return Iif(call);
  if (NamesFunction(call.name, "CHR", 0)) return Chr(call);
  if (!KnowsFunction(call.name)) return CallFunction(call.name, {}, false);
  return CallFunction(call.name, Arguments(call), scope_.form.double_byte);
}

// FoxPro evaluates only the value IIF chooses; Pascal evaluates every
// argument, which is the same only where the other one cannot fail.
PasExpr ExpressionTranslator::Iif(const FoxSegment& call) {
  if (call.arguments.size() != 3) throw ENotTranslated("function called with other arguments");
  const PasExpr condition = ConvertTo(Value(*call.arguments[0]), PasType::kLogical);
  PasExpr yes = Value(*call.arguments[1]);
  PasExpr no = Value(*call.arguments[2]);
  if (!yes.total || !no.total) throw ENotTranslated("IIF with a value that may fail");
  PasType type = PasType::kVariant;
  if (yes.type == no.type) type = yes.type;
  else if (IsNumeric(yes.type) && IsNumeric(no.type)) type = PasType::kNumber;
  static constexpr std::string_view kNames[] = {"FoxIifStr",  "FoxIifInt",  "FoxIifNum",
                                                "FoxIifBool", "FoxIifDate", "FoxIifVar"};
  return CallOf(std::string(kNames[static_cast<int>(type)]),
              {condition, ConvertTo(yes, type), ConvertTo(no, type)}, type, condition.total);
}

// CHR of a constant below 128; a code above names a character of the code
// page, which the translated string would have to hold as Unicode.
PasExpr ExpressionTranslator::Chr(const FoxSegment& call) {
  if (call.arguments.size() != 1 || call.arguments[0]->kind != FoxExprKind::kNumber ||
      !IsDigits(call.arguments[0]->text))
    throw ENotTranslated("CHR of a computed code");
  const long code = std::strtol(call.arguments[0]->text.c_str(), nullptr, 10);
  if (code > 127) throw ENotTranslated("CHR beyond ASCII");
  return {"#" + std::to_string(code), PasType::kString};
}

PasExpr ExpressionTranslator::Binary(const std::string& op, const PasExpr& left, const PasExpr& right) {
  if (op == "AND" || op == "OR") {
    return Infix(ConvertTo(left, PasType::kLogical), op == "AND" ? "and" : "or", ConvertTo(right, PasType::kLogical),
                 PasType::kLogical);
  }
  if (op == "$") {
    return CallOf("FoxContains", {ConvertTo(left, PasType::kString), ConvertTo(right, PasType::kString)},
                PasType::kLogical, true);
  }
  if (op == "=" || op == "==" || op == "<>" || op == "<" || op == ">" || op == "<=" || op == ">=")
    return Comparison(op, left, right);
  return Arithmetic(op, left, right);
}

PasExpr ExpressionTranslator::Arithmetic(const std::string& op, const PasExpr& left, const PasExpr& right) {
  const bool variant = left.type == PasType::kVariant || right.type == PasType::kVariant;
  if (variant) {
    static constexpr std::pair<std::string_view, std::string_view> kVariantOps[] = {
        {"+", "FoxAdd"}, {"-", "FoxSubtract"}, {"*", "FoxMultiply"}, {"/", "FoxDivide"}};
    for (const auto& [symbol, name] : kVariantOps) {
      if (op == symbol) return CallOf(std::string(name), {AsVariant(left), AsVariant(right)}, PasType::kVariant);
    }
  }
  if (op == "%" || op == "^") {
    const PasExpr a = ConvertTo(left, PasType::kNumber), b = ConvertTo(right, PasType::kNumber);
    return op == "%" ? CallOf("FoxMod", {a, b}, PasType::kNumber) : CallOf("FoxPower", {a, b}, PasType::kNumber);
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
    return CallOf("FoxDateAdd", {left, op == "+" ? right : Unary("-", right)}, PasType::kDate);
  if (IsNumeric(l) && r == PasType::kDate && op == "+") return CallOf("FoxDateAdd", {right, left}, PasType::kDate);
  if (l == PasType::kDate && r == PasType::kDate && op == "-")
    return CallOf("FoxDaysBetween", {left, right}, PasType::kInteger, true);
  throw ENotTranslated("operator " + op + " on a " + std::string(TypeWord(l)) + " and a " + std::string(TypeWord(r)));
}

PasExpr ExpressionTranslator::Comparison(const std::string& op, const PasExpr& left, const PasExpr& right) {
  const PasType l = left.type, r = right.type;
  const bool equality = op == "=" || op == "==" || op == "<>";
  if (l == PasType::kVariant || r == PasType::kVariant) {
    if (!equality) throw ENotTranslated("order of values of unknown type");
    const PasExpr same = CallOf(op == "==" ? "FoxExactEqual" : "FoxEqual", {AsVariant(left), AsVariant(right)},
                              PasType::kLogical);
    return op == "<>" ? PasExpr{"not " + same.text, PasType::kLogical, kNot, false} : same;
  }
  const bool same_kind = l == r || (IsNumeric(l) && IsNumeric(r));
  if (!same_kind)
    throw ENotTranslated("comparison of a " + std::string(TypeWord(l)) + " and a " + std::string(TypeWord(r)));
  if (l == PasType::kString) {
    if (!equality) throw ENotTranslated("order of strings");
    if (op == "==") return Infix(left, "=", right, PasType::kLogical);
    const PasExpr same = CallOf("FoxStrEq", {left, right}, PasType::kLogical, true);
    return op == "<>" ? PasExpr{"not " + same.text, PasType::kLogical, kNot, same.total} : same;
  }
  if (l == PasType::kLogical && !equality) throw ENotTranslated("order of logical values");
  return Infix(left, op == "==" ? "=" : op, right, PasType::kLogical);
}

PasExpr ExpressionTranslator::Unary(const std::string& op, const PasExpr& operand) {
  if (op == "NOT") {
    const PasExpr logical = ConvertTo(operand, PasType::kLogical);
    return {"not " + Operand(logical, kNot), PasType::kLogical, kNot, logical.total};
  }
  if (operand.type == PasType::kVariant) {
    if (op == "+") return ConvertTo(operand, PasType::kNumber);
    return CallOf("FoxNegate", {operand}, PasType::kVariant);
  }
  if (!IsNumeric(operand.type)) throw ENotTranslated("sign of a " + std::string(TypeWord(operand.type)));
  if (op == "+") return operand;
  // A sign binds as + and - do: a * (-b), a - (-b).
  return {"-" + Operand(operand, kNot), operand.type, kSum, operand.total};
}

}  // namespace quorvex
