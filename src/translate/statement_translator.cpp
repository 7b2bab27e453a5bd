#include "translate/method_translator.h"

#include <algorithm>
#include <array>

#include "translate/not_translated.h"

namespace quorvex {

namespace {

// FoxPro's events whose value FoxPro does not use: RETURN with any value is
// Exit there.
constexpr std::array<std::string_view, 24> kValueIgnored = {
    "Click",     "DblClick",   "RightClick", "MiddleClick", "InteractiveChange", "ProgrammaticChange",
    "GotFocus",  "LostFocus",  "Activate",   "Deactivate",  "Resize",            "Moved",
    "Timer",     "MouseDown",  "MouseUp",    "MouseMove",   "MouseEnter",        "MouseLeave",
    "MouseWheel", "DragDrop",  "DragOver",   "KeyPress",    "Destroy",           "Paint",
};
// Events where RETURN .T. is what FoxPro does without one.
constexpr std::array<std::string_view, 4> kTrueByDefault = {"Init", "Load", "Valid", "When"};

bool IsName(const Token& token, std::string_view keyword) {
  return token.kind == TokenKind::kName && IsKeyword(token.text, keyword);
}

bool Among(std::string_view name, const auto& list) {
  return std::any_of(list.begin(), list.end(), [&](std::string_view each) { return SameText(each, name); });
}

bool IsDateFormat(std::string_view name) {
  for (const std::string_view format : {"AMERICAN", "ANSI", "BRITISH", "FRENCH", "GERMAN", "ITALIAN", "JAPAN",
                                        "TAIWAN", "USA", "MDY", "DMY", "YMD"}) {
    if (SameText(name, format)) return true;
  }
  return false;
}

bool IsWaitClause(const Token& token) {
  for (const std::string_view clause : {"WINDOW", "NOWAIT", "TIMEOUT", "TO", "AT", "NOCLEAR", "CLEAR"}) {
    if (IsName(token, clause)) return true;
  }
  return false;
}

}  // namespace

Done MethodTranslator::Statement(const FoxStatement& statement, const Translated<std::string>& text, int depth) {
  if (!text) return NotTranslated{text.Reason()};
  Comment(statement, depth);
  Code(*text + ";", depth);
  return {};
}

Done MethodTranslator::Simple(const FoxStatement& statement, int depth) {
  if (statement.unclear_end) return NotTranslated{"continuation after a comment"};
  const std::vector<Token>& tokens = TokensOf(statement);
  const Token& first = tokens[0];
  if (first.kind == TokenKind::kOperator && first.text == "=") {
    FoxParser parser(tokens, 1);
    FoxExprPtr call = parser.Expression();
    if (!call) return Unread(parser);
    if (!parser.AtEnd()) return NotTranslated{"syntax not understood"};
    return Statement(statement, expressions_.Call(*call), depth);
  }
  if (first.kind == TokenKind::kOperator && first.text == "#") return NotTranslated{"preprocessor directive"};
  const bool with_member = first.kind == TokenKind::kOperator && first.text == ".";
  if (first.kind != TokenKind::kName && !with_member)
    return NotTranslated{"command not translated: " + std::string(first.text)};
  const std::string word = with_member ? std::string() : AsciiUpperCopy(first.text);
  if (word == "LOCAL") return Declaration(statement, depth);
  if (IsKeyword(word, "PRIVATE") || IsKeyword(word, "PUBLIC")) return RuntimeDeclaration(statement, depth);
  if (IsKeyword(word, "LPARAMETERS") || IsKeyword(word, "PARAMETERS")) return NotTranslated{"parameters"};
  if (IsKeyword(word, "NODEFAULT")) return NotTranslated{"NODEFAULT"};
  if (word == "EXIT" || word == "LOOP") {
    if (loops_.empty()) return NotTranslated{word + " outside a loop"};
    if (tokens.size() != 2) return NotTranslated{"syntax not understood"};
    Comment(statement, depth);
    if (word == "EXIT") return Code("Break;", depth), Done();
    if (!loops_.back().step.empty()) Code(loops_.back().step, depth);
    return Code("Continue;", depth), Done();
  }
  if (IsKeyword(word, "RETURN")) return Comment(statement, depth), Return(tokens, depth);
  if (IsKeyword(word, "STORE")) return Comment(statement, depth), Store(tokens, depth);
  if (word == "WAIT") return Comment(statement, depth), Wait(tokens, depth);
  if (word == "SET") return Comment(statement, depth), Set(tokens, depth);
  if (IsKeyword(word, "RELEASE")) {
    if (tokens.size() != 3 || !IsName(tokens[1], "THISFORM"))
      return NotTranslated{"command not translated: RELEASE"};
    const std::vector<Token> call = TokenizeStatement("THISFORM.Release");
    FoxParser parser(call);
    return Statement(statement, expressions_.Call(*parser.Reference()), depth);
  }
  // An assignment, or a call: THISFORM.Refresh, MESSAGEBOX("Saved").
  FoxParser parser(tokens);
  FoxExprPtr reference = parser.Reference();
  if (!reference) return Unread(parser);
  if (parser.PeekOperator("=")) {
    parser.Skip();
    FoxExprPtr value = parser.Expression();
    if (!value) return Unread(parser);
    if (!parser.AtEnd()) return NotTranslated{"syntax not understood"};
    Translated<PasExpr> pascal = expressions_.Value(*value);
    if (!pascal) return std::move(pascal).Failure();
    return Statement(statement, expressions_.Assign(*reference, *pascal), depth);
  }
  if (!parser.AtEnd() || (reference->path.size() == 1 && !reference->path[0].called && !reference->from_with))
    return NotTranslated{"command not translated: " + word};
  return Statement(statement, expressions_.Call(*reference), depth);
}

// A variable FoxPro reads before the method sets it holds .F., as LOCAL made it.
Done MethodTranslator::Declaration(const FoxStatement& statement, int depth) {
  if (depth > 0) return NotTranslated{"variables declared inside a block"};
  Translated<std::vector<std::string>> names = DeclaredNames(TokensOf(statement));
  if (!names) return std::move(names).Failure();
  std::set<std::string, TextLess> seen;
  for (const std::string& name : *names) {
    if (scope_.Find(name) != nullptr || !declared_.contains(name) || !seen.insert(name).second)
      return NotTranslated{"variable declared twice"};
  }
  Comment(statement, depth);
  for (const std::string& name : *names) {
    const Variable& variable = declared_.at(name);
    scope_.variables[name] = variable;
    result_.locals.push_back({variable.pascal_name, std::string(PascalTypeName(variable.type))});
    if (start_false_.contains(name)) Code(variable.pascal_name + " := False;", depth);
  }
  return {};
}

// PRIVATE hides the callers' variables of its names until the method sets
// its own; PUBLIC makes variables that outlive the method, .F. until set.
// FoxRuntime holds both.
Done MethodTranslator::RuntimeDeclaration(const FoxStatement& statement, int depth) {
  const std::vector<Token>& tokens = TokensOf(statement);
  Translated<std::vector<std::string>> names = DeclaredNames(tokens);
  if (!names) return std::move(names).Failure();
  std::string list;
  for (const std::string& name : *names) {
    if (declared_.contains(name)) return NotTranslated{"variable declared twice"};
    if (name.starts_with('_')) return NotTranslated{"system variable"};
    list += (list.empty() ? "" : ", ") + PascalString(AsciiUpperCopy(name));
  }
  Comment(statement, depth);
  Code(std::string(IsKeyword(tokens[0].text, "PUBLIC") ? "FoxPublic([" : "FoxPrivate([") + list + "]);", depth);
  return {};
}

// Exit leaves the Delphi method, which is RETURN only where no FoxPro
// method's code follows in it; the value RETURN gives must be one FoxPro
// does not use.
Done MethodTranslator::Return(const std::vector<Token>& tokens, int depth) {
  if (!context_.last) return NotTranslated{"RETURN in a Delphi method that other FoxPro methods share"};
  if (tokens.size() > 2) {
    FoxParser parser(tokens, 1);
    FoxExprPtr value = parser.Expression();
    if (!value) return Unread(parser);
    if (!parser.AtEnd()) return NotTranslated{"syntax not understood"};
    const bool ignored = context_.event && Among(context_.fox_name, kValueIgnored);
    const bool is_true = value->kind == FoxExprKind::kLogical && value->text == "T";
    const bool default_true = context_.event && Among(context_.fox_name, kTrueByDefault);
    const bool plain = value->kind != FoxExprKind::kReference && value->kind != FoxExprKind::kUnary &&
                       value->kind != FoxExprKind::kBinary;
    if (!(ignored && (plain || expressions_.VariableOf(*value) != nullptr)) && !(default_true && is_true))
      return NotTranslated{"RETURN of a value"};
  }
  Code("Exit;", depth);
  return {};
}

// STORE evaluates its value once and gives it to every variable named.
Done MethodTranslator::Store(const std::vector<Token>& tokens, int depth) {
  FoxParser parser(tokens, 1);
  FoxExprPtr value = parser.Expression();
  if (!value) return Unread(parser);
  if (!IsName(parser.Peek(), "TO")) return NotTranslated{"syntax not understood"};
  parser.Skip();
  std::vector<FoxExprPtr> targets;
  while (true) {
    FoxExprPtr target = parser.Reference();
    if (!target) return Unread(parser);
    if (expressions_.VariableOf(*target) == nullptr && !IsRuntimeName(*target))
      return NotTranslated{"STORE to other than variables"};
    targets.push_back(std::move(target));
    if (parser.AtEnd()) break;
    if (!parser.Expect(",")) return Unread(parser);
  }
  Translated<PasExpr> stored = expressions_.Value(*value);
  if (!stored) return std::move(stored).Failure();
  for (const FoxExprPtr& target : targets) {
    Translated<std::string> assignment = expressions_.Assign(*target, *stored);
    if (!assignment) return std::move(assignment).Failure();
    Code(*assignment + ";", depth);
    if (const Variable* variable = expressions_.VariableOf(*target)) {
      *stored = {variable->pascal_name, variable->type};
    } else {
      *stored = MemoryVariable(target->path[0].name);
    }
  }
  return {};
}

// WAIT WINDOW [text] [NOWAIT] [TIMEOUT n], the text also before WINDOW;
// WAIT CLEAR.
Done MethodTranslator::Wait(const std::vector<Token>& tokens, int depth) {
  if (tokens.size() == 3 && IsName(tokens[1], "CLEAR")) return Code("FoxWaitClear;", depth), Done();
  FoxParser parser(tokens, 1);
  if (!parser.Failure().empty()) return Unread(parser);
  FoxExprPtr text;
  bool window = false, no_wait = false;
  FoxExprPtr timeout;
  while (!parser.AtEnd()) {
    if (IsName(parser.Peek(), "WINDOW") && !window) {
      window = true;
      parser.Skip();
    } else if (IsName(parser.Peek(), "NOWAIT") && !no_wait) {
      no_wait = true;
      parser.Skip();
    } else if (IsName(parser.Peek(), "TIMEOUT") && !timeout) {
      parser.Skip();
      timeout = parser.Expression();
      if (!timeout) return Unread(parser);
    } else if (!text && !IsWaitClause(parser.Peek())) {
      text = parser.Expression();
      if (!text) return Unread(parser);
    } else {
      return NotTranslated{"WAIT with other clauses"};
    }
  }
  if (!window) return NotTranslated{"WAIT without WINDOW"};
  std::string message = "'Press any key to continue...'";
  if (text) {
    Translated<std::string> shown = ValueAs(*text, PasType::kString);
    if (!shown) return std::move(shown).Failure();
    message = std::move(*shown);
  }
  std::string seconds = "0";
  if (timeout) {
    Translated<std::string> number = ValueAs(*timeout, PasType::kNumber);
    if (!number) return std::move(number).Failure();
    seconds = std::move(*number);
  }
  Code("FoxWaitWindow(" + message + ", " + (no_wait ? "True" : "False") + ", " + seconds + ");", depth);
  return {};
}

Translated<std::string> MethodTranslator::ValueAs(const FoxExpr& expression, PasType type) {
  Translated<PasExpr> value = expressions_.Value(expression);
  if (!value) return std::move(value).Failure();
  Translated<PasExpr> converted = ConvertTo(*value, type);
  if (!converted) return std::move(converted).Failure();
  return std::move(converted->text);
}

// The settings FoxRuntime keeps: SET EXACT, SET CENTURY, SET DATE.
Done MethodTranslator::Set(const std::vector<Token>& tokens, int depth) {
  const bool on_off = tokens.size() == 4 && (IsName(tokens[2], "ON") || IsName(tokens[2], "OFF"));
  const std::string on = on_off && IsName(tokens[2], "ON") ? "True;" : "False;";
  if (on_off && IsName(tokens[1], "EXACT")) return Code("FoxSetExact := " + on, depth), Done();
  if (on_off && IsName(tokens[1], "CENTURY")) return Code("FoxSetCentury := " + on, depth), Done();
  if (tokens.size() >= 4 && tokens.size() <= 5 && IsName(tokens[1], "DATE")) {
    const Token& format = tokens[tokens.size() - 2];
    const bool to = tokens.size() == 5;
    if ((!to || IsName(tokens[2], "TO")) && format.kind == TokenKind::kName && IsDateFormat(format.text))
      return Code("FoxSetDate := " + PascalString(AsciiUpperCopy(format.text)) + ";", depth), Done();
  }
  return NotTranslated{"command not translated: SET" + (tokens.size() > 1 ? " " + AsciiUpperCopy(tokens[1].text) : "")};
}

// FOR reads its limit and step once; the counter goes up by the step after
// each pass (LOOP too) while it has not passed the limit.
Done MethodTranslator::ForBlock(const CodeNode& node, int depth) {
  const FoxStatement& head = *node.parts[0].head;
  failed_ = &head;
  FoxParser parser(TokensOf(head), 1);
  FoxExprPtr counter_ref = parser.Reference();
  if (!counter_ref) return Unread(parser);
  const Variable* counter = expressions_.VariableOf(*counter_ref);
  if (counter == nullptr && !IsRuntimeName(*counter_ref)) return NotTranslated{"FOR counter that is no variable"};
  if (counter != nullptr && !IsNumeric(counter->type)) return NotTranslated{"FOR counter of changing type"};
  if (!parser.Expect("=")) return Unread(parser);
  FoxExprPtr start = parser.Expression();
  if (!start) return Unread(parser);
  if (!IsName(parser.Peek(), "TO")) return NotTranslated{"syntax not understood"};
  parser.Skip();
  FoxExprPtr limit = parser.Expression();
  if (!limit) return Unread(parser);
  PasExpr step{"1", PasType::kInteger};
  bool down = false;
  if (IsName(parser.Peek(), "STEP")) {
    parser.Skip();
    FoxExprPtr step_expr = parser.Expression();
    if (!step_expr) return Unread(parser);
    down = step_expr->kind == FoxExprKind::kUnary && step_expr->text == "-";
    const FoxExpr& number = down ? *step_expr->operands[0] : *step_expr;
    if (number.kind != FoxExprKind::kNumber) return NotTranslated{"FOR with a computed STEP"};
    step = *LiteralValue(number);  // a number's literal is always certain
    if (step.text.find_first_not_of("0.") == std::string::npos) return NotTranslated{"FOR with STEP 0"};
    if (down) step = {"-" + step.text, step.type, kSum};
  }
  if (!parser.AtEnd()) return NotTranslated{"syntax not understood"};
  // A counter FoxRuntime holds is read as a number, failing as FoxPro's FOR
  // fails where the loop's code gave it another type.
  const std::string name = counter != nullptr ? counter->pascal_name
                                              : "FoxAsNumber(" + MemoryVariable(counter_ref->path[0].name).text + ")";
  Comment(head, depth);
  Translated<PasExpr> first = expressions_.Value(*start);
  if (!first) return std::move(first).Failure();
  Translated<std::string> assignment = expressions_.Assign(*counter_ref, *first);
  if (!assignment) return std::move(assignment).Failure();
  Code(*assignment + ";", depth);
  Translated<PasExpr> last = expressions_.Value(*limit);
  if (!last) return std::move(last).Failure();
  Translated<PasExpr> bound = ConvertTo(*last, PasType::kNumber);
  if (!bound) return std::move(bound).Failure();
  if (limit->kind != FoxExprKind::kNumber) {
    const std::string hidden = NewName("ForLimit" + std::to_string(++hidden_count_));
    result_.locals.push_back({hidden, "Double"});
    Code(hidden + " := " + bound->text + ";", depth);
    *bound = {hidden, PasType::kNumber};
  }
  failed_ = nullptr;
  Code("while " + name + (down ? " >= " : " <= ") + Operand(*bound, kRelation, true) + " do", depth);
  Code("begin", depth);
  const std::string stepped = name + (down ? " - " + step.text.substr(1) : " + " + step.text);
  const std::string next = (counter != nullptr ? name + " := " + stepped
                                               : ExpressionTranslator::SetRuntimeVariable(
                                                     *counter_ref, {stepped, PasType::kNumber, kSum})) +
                           ";";
  loops_.push_back({next});
  if (Done done = Nodes(node.parts[0].body, depth + 1); !done) return done;
  loops_.pop_back();
  Comment(*node.end, depth + 1);
  Code(next, depth + 1);
  Code("end;", depth);
  return {};
}

}  // namespace quorvex
