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

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return text;
}

}  // namespace

void MethodTranslator::Simple(const FoxStatement& statement, int depth) {
  if (statement.unclear_end) throw ENotTranslated("continuation after a comment");
  const std::vector<Token> tokens = TokenizeStatement(statement.text);
  const Token& first = tokens[0];
  if (first.kind == TokenKind::kOperator && first.text == "=") {
    FoxParser parser(tokens, 1);
    FoxExprPtr call = parser.Expression();
    if (!parser.AtEnd()) throw ENotTranslated("syntax not understood");
    const std::string text = expressions_.Call(*call);
    Comment(statement, depth);
    return Code(text + ";", depth);
  }
  if (first.kind == TokenKind::kOperator && first.text == "#") throw ENotTranslated("preprocessor directive");
  const bool with_member = first.kind == TokenKind::kOperator && first.text == ".";
  if (first.kind != TokenKind::kName && !with_member) throw ENotTranslated("command not translated: " + first.text);
  const std::string word = with_member ? std::string() : Upper(first.text);
  if (word == "LOCAL" || IsKeyword(word, "PRIVATE")) return Declaration(statement, depth);
  if (IsKeyword(word, "PUBLIC")) throw ENotTranslated("PUBLIC variables");
  if (IsKeyword(word, "LPARAMETERS") || IsKeyword(word, "PARAMETERS")) throw ENotTranslated("parameters");
  if (IsKeyword(word, "NODEFAULT")) throw ENotTranslated("NODEFAULT");
  if (word == "EXIT" || word == "LOOP") {
    if (loops_.empty()) throw ENotTranslated(word + " outside a loop");
    if (tokens.size() != 2) throw ENotTranslated("syntax not understood");
    Comment(statement, depth);
    if (word == "EXIT") return Code("Break;", depth);
    if (!loops_.back().step.empty()) Code(loops_.back().step, depth);
    return Code("Continue;", depth);
  }
  if (IsKeyword(word, "RETURN")) return Comment(statement, depth), Return(tokens, depth);
  if (IsKeyword(word, "STORE")) return Comment(statement, depth), Store(tokens, depth);
  if (word == "WAIT") return Comment(statement, depth), Wait(tokens, depth);
  if (word == "SET") return Comment(statement, depth), Set(tokens, depth);
  if (IsKeyword(word, "RELEASE")) {
    if (tokens.size() != 3 || !IsName(tokens[1], "THISFORM")) throw ENotTranslated("command not translated: RELEASE");
    const std::vector<Token> call = TokenizeStatement("THISFORM.Release");
    FoxParser parser(call);
    const std::string text = expressions_.Call(*parser.Reference());
    Comment(statement, depth);
    return Code(text + ";", depth);
  }
  // An assignment, or a call: THISFORM.Refresh, MESSAGEBOX("Saved").
  FoxParser parser(tokens);
  FoxExprPtr reference = parser.Reference();
  if (parser.PeekOperator("=")) {
    parser.Skip();
    FoxExprPtr value = parser.Expression();
    if (!parser.AtEnd()) throw ENotTranslated("syntax not understood");
    const std::string text = expressions_.Assign(*reference, expressions_.Value(*value));
    Comment(statement, depth);
    return Code(text + ";", depth);
  }
  if (!parser.AtEnd() || (reference->path.size() == 1 && !reference->path[0].called && !reference->from_with))
    throw ENotTranslated("command not translated: " + word);
  const std::string text = expressions_.Call(*reference);
  Comment(statement, depth);
  Code(text + ";", depth);
}

// A variable FoxPro reads before the method sets it holds .F., as LOCAL made it.
void MethodTranslator::Declaration(const FoxStatement& statement, int depth) {
  if (depth > 0) throw ENotTranslated("variables declared inside a block");
  const std::vector<Token> tokens = TokenizeStatement(statement.text);
  const bool private_line = IsKeyword(tokens[0].text, "PRIVATE");
  const std::vector<std::string> names = DeclaredNames(tokens);
  std::set<std::string, TextLess> seen;
  for (const std::string& name : names) {
    if (scope_.Find(name) != nullptr || !declared_.contains(name) || !seen.insert(name).second)
      throw ENotTranslated("variable declared twice");
    // PRIVATE makes no variable: one read before it is set is not found.
    if (private_line && start_false_.contains(name)) throw ENotTranslated("PRIVATE variable read before it is set");
  }
  Comment(statement, depth);
  for (const std::string& name : names) {
    const Variable& variable = declared_.at(name);
    scope_.variables[name] = variable;
    result_.locals.push_back({variable.pascal_name, std::string(PascalTypeName(variable.type))});
    if (start_false_.contains(name)) Code(variable.pascal_name + " := False;", depth);
  }
}

// Exit leaves the Delphi method, which is RETURN only where no FoxPro
// method's code follows in it; the value RETURN gives must be one FoxPro
// does not use.
void MethodTranslator::Return(const std::vector<Token>& tokens, int depth) {
  if (!context_.last) throw ENotTranslated("RETURN in a Delphi method that other FoxPro methods share");
  if (tokens.size() > 2) {
    FoxParser parser(tokens, 1);
    FoxExprPtr value = parser.Expression();
    if (!parser.AtEnd()) throw ENotTranslated("syntax not understood");
    const bool ignored = context_.event && Among(context_.fox_name, kValueIgnored);
    const bool is_true = value->kind == FoxExprKind::kLogical && value->text == "T";
    const bool default_true = context_.event && Among(context_.fox_name, kTrueByDefault);
    const bool plain = value->kind != FoxExprKind::kReference && value->kind != FoxExprKind::kUnary &&
                       value->kind != FoxExprKind::kBinary;
    if (!(ignored && (plain || expressions_.VariableOf(*value) != nullptr)) && !(default_true && is_true))
      throw ENotTranslated("RETURN of a value");
  }
  Code("Exit;", depth);
}

// STORE evaluates its value once and gives it to every variable named.
void MethodTranslator::Store(const std::vector<Token>& tokens, int depth) {
  FoxParser parser(tokens, 1);
  FoxExprPtr value = parser.Expression();
  if (!IsName(parser.Peek(), "TO")) throw ENotTranslated("syntax not understood");
  parser.Skip();
  std::vector<FoxExprPtr> targets;
  while (true) {
    targets.push_back(parser.Reference());
    if (expressions_.VariableOf(*targets.back()) == nullptr) throw ENotTranslated("STORE to other than variables");
    if (parser.AtEnd()) break;
    parser.Expect(",");
  }
  PasExpr stored = expressions_.Value(*value);
  for (const FoxExprPtr& target : targets) {
    Code(expressions_.Assign(*target, stored) + ";", depth);
    const Variable* variable = expressions_.VariableOf(*target);
    stored = {variable->pascal_name, variable->type};
  }
}

// WAIT WINDOW [text] [NOWAIT] [TIMEOUT n], the text also before WINDOW;
// WAIT CLEAR.
void MethodTranslator::Wait(const std::vector<Token>& tokens, int depth) {
  if (tokens.size() == 3 && IsName(tokens[1], "CLEAR")) return Code("FoxWaitClear;", depth);
  FoxParser parser(tokens, 1);
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
    } else if (!text && !IsWaitClause(parser.Peek())) {
      text = parser.Expression();
    } else {
      throw ENotTranslated("WAIT with other clauses");
    }
  }
  if (!window) throw ENotTranslated("WAIT without WINDOW");
  const std::string message = text ? ConvertTo(expressions_.Value(*text), PasType::kString).text
                                   : std::string("'Press any key to continue...'");
  const std::string seconds = timeout ? ConvertTo(expressions_.Value(*timeout), PasType::kNumber).text : "0";
  Code("FoxWaitWindow(" + message + ", " + (no_wait ? "True" : "False") + ", " + seconds + ");", depth);
}

// The settings FoxRuntime keeps: SET EXACT, SET CENTURY, SET DATE.
void MethodTranslator::Set(const std::vector<Token>& tokens, int depth) {
  const bool on_off = tokens.size() == 4 && (IsName(tokens[2], "ON") || IsName(tokens[2], "OFF"));
  const std::string on = on_off && IsName(tokens[2], "ON") ? "True;" : "False;";
  if (on_off && IsName(tokens[1], "EXACT")) return Code("FoxSetExact := " + on, depth);
  if (on_off && IsName(tokens[1], "CENTURY")) return Code("FoxSetCentury := " + on, depth);
  if (tokens.size() >= 4 && tokens.size() <= 5 && IsName(tokens[1], "DATE")) {
    const Token& format = tokens[tokens.size() - 2];
    const bool to = tokens.size() == 5;
    if ((!to || IsName(tokens[2], "TO")) && format.kind == TokenKind::kName && IsDateFormat(format.text))
      return Code("FoxSetDate := " + PascalString(Upper(format.text)) + ";", depth);
  }
  throw ENotTranslated("command not translated: SET" + (tokens.size() > 1 ? " " + Upper(tokens[1].text) : ""));
}

// FOR reads its limit and step once; the counter goes up by the step after
// each pass (LOOP too) while it has not passed the limit.
void MethodTranslator::ForBlock(const CodeNode& node, int depth) {
  const FoxStatement& head = *node.parts[0].head;
  failed_ = &head;
  const std::vector<Token> tokens = TokenizeStatement(head.text);
  FoxParser parser(tokens, 1);
  FoxExprPtr counter_ref = parser.Reference();
  const Variable* counter = expressions_.VariableOf(*counter_ref);
  if (counter == nullptr) throw ENotTranslated("variable not declared in the method");
  if (!IsNumeric(counter->type)) throw ENotTranslated("FOR counter of changing type");
  parser.Expect("=");
  FoxExprPtr start = parser.Expression();
  if (!IsName(parser.Peek(), "TO")) throw ENotTranslated("syntax not understood");
  parser.Skip();
  FoxExprPtr limit = parser.Expression();
  PasExpr step{"1", PasType::kInteger};
  bool down = false;
  if (IsName(parser.Peek(), "STEP")) {
    parser.Skip();
    FoxExprPtr step_expr = parser.Expression();
    down = step_expr->kind == FoxExprKind::kUnary && step_expr->text == "-";
    const FoxExpr& number = down ? *step_expr->operands[0] : *step_expr;
    if (number.kind != FoxExprKind::kNumber) throw ENotTranslated("FOR with a computed STEP");
    step = LiteralValue(number);
    if (step.text.find_first_not_of("0.") == std::string::npos) throw ENotTranslated("FOR with STEP 0");
    if (down) step = {"-" + step.text, step.type, kSum};
  }
  if (!parser.AtEnd()) throw ENotTranslated("syntax not understood");
  const std::string name = counter->pascal_name;
  Comment(head, depth);
  Code(expressions_.Assign(*counter_ref, expressions_.Value(*start)) + ";", depth);
  PasExpr bound = ConvertTo(expressions_.Value(*limit), PasType::kNumber);
  if (limit->kind != FoxExprKind::kNumber) {
    const std::string hidden = NewName("ForLimit" + std::to_string(++hidden_count_));
    result_.locals.push_back({hidden, "Double"});
    Code(hidden + " := " + bound.text + ";", depth);
    bound = {hidden, PasType::kNumber};
  }
  failed_ = nullptr;
  Code("while " + name + (down ? " >= " : " <= ") + Operand(bound, kRelation, true) + " do", depth);
  Code("begin", depth);
  const std::string next = name + " := " + name + (down ? " - " + step.text.substr(1) : " + " + step.text) + ";";
  loops_.push_back({next});
  Nodes(node.parts[0].body, depth + 1);
  loops_.pop_back();
  Comment(*node.end, depth + 1);
  Code(next, depth + 1);
  Code("end;", depth);
}

}  // namespace quorvex
