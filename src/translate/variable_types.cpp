#include "translate/method_translator.h"

#include <array>
#include <span>

#include "translate/not_translated.h"
#include "translate/pascal_words.h"

namespace quorvex {

namespace {

// Names the translated code uses without a prefix: a variable of one of
// these names would hide them.
constexpr std::array<std::string_view, 28> kCodeNames = {
    "Self",   "Result",       "True",         "False",     "Exit",      "Break",         "Continue",
    "Ord",    "TColor",       "fsBold",       "fsItalic",  "fsUnderline", "VarFromDateTime", "EncodeDate",
    "Int64",  "Double",       "Boolean",      "TDateTime", "Variant",   "ClientWidth",   "ClientHeight",
    "Hint",   "Refresh",      "Hide",         "Show",      "Brush",     "Caption",       "Font",
};

bool IsDeclaration(const CodeNode& node) {
  if (node.kind != BlockKind::kNone || node.statement->comment) return false;
  return FirstWord(node.statement->text) == "LOCAL";
}

// True when token `i` of `tokens` is a variable's name: not a property or
// member after a dot, unless that dot follows FoxPro's "m".
bool NamesVariable(std::span<const Token> tokens, std::size_t i, std::string_view name) {
  if (tokens[i].kind != TokenKind::kName || !SameText(tokens[i].text, name)) return false;
  if (i == 0 || tokens[i - 1].kind != TokenKind::kOperator || tokens[i - 1].text != ".") return true;
  return i >= 2 && tokens[i - 2].kind == TokenKind::kName && SameText(tokens[i - 2].text, "m") &&
         (i == 2 || tokens[i - 3].kind != TokenKind::kOperator || tokens[i - 3].text != ".");
}

bool Mentions(const std::vector<Token>& tokens, std::string_view name, std::size_t from = 0) {
  for (std::size_t i = from; i < tokens.size(); ++i) {
    if (NamesVariable(tokens, i, name)) return true;
  }
  return false;
}

PasType Join(PasType a, PasType b) {
  if (a == b) return a;
  if (IsNumeric(a) && IsNumeric(b)) return PasType::kNumber;
  return PasType::kVariant;
}

// The tokens of `name = value` from the value on, or 0 when the statement
// is no such assignment.
std::size_t AssignmentValue(std::span<const Token> tokens, std::string_view name) {
  std::size_t at = 0;
  if (tokens.size() > 2 && tokens[0].kind == TokenKind::kName && SameText(tokens[0].text, "m") &&
      tokens[1].kind == TokenKind::kOperator && tokens[1].text == ".")
    at = 2;
  if (at + 1 >= tokens.size() || tokens[at].kind != TokenKind::kName || !SameText(tokens[at].text, name)) return 0;
  return tokens[at + 1].kind == TokenKind::kOperator && tokens[at + 1].text == "=" ? at + 2 : 0;
}

bool IsOperator(const Token& token, std::string_view text) {
  return token.kind == TokenKind::kOperator && token.text == text;
}

// A name a statement gives a value to: the one it assigns, every name of a
// line that declares or counts (PARAMETERS, DIMENSION, FOR), one after TO
// (STORE). Where `may`, also the names it may set: one after INTO (SELECT
// ... INTO ARRAY), one passed by reference (@name) or as a function's first
// argument (the array AFIELDS or ADIR fills).
bool SetsAt(std::span<const Token> tokens, std::size_t i, bool all, bool after_to, bool may) {
  if (!NamesVariable(tokens, i, tokens[i].text)) return false;
  if (all || after_to) return true;
  if (i + 1 < tokens.size() && IsOperator(tokens[i + 1], "=") && (i == 0 || (i == 2 && IsOperator(tokens[1], "."))))
    return true;
  if (!may) return false;
  if (i > 0 && IsOperator(tokens[i - 1], "@")) return true;
  return i > 1 && IsOperator(tokens[i - 1], "(") && tokens[i - 2].kind == TokenKind::kName;
}

}  // namespace

// A line that sets names no token shows (SCATTER makes a variable of each
// field, a macro any) makes every name one it may set.
void SetNames(std::span<const Token> tokens, bool may, std::set<std::string, TextLess>& names) {
  if (tokens.empty()) return;
  const std::string_view first = tokens[0].text;
  const bool declares = tokens[0].kind == TokenKind::kName &&
                        (IsKeyword(first, "DIMENSION") || IsKeyword(first, "DECLARE") ||
                         IsKeyword(first, "PARAMETERS") || IsKeyword(first, "LPARAMETERS") || SameText(first, "LOCAL") ||
                         IsKeyword(first, "PRIVATE") || IsKeyword(first, "PUBLIC") || SameText(first, "FOR"));
  bool after_to = false;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    if (may && (IsOperator(tokens[i], "&") || (i == 0 && IsKeyword(tokens[i].text, "SCATTER"))))
      names.emplace(kEveryName);
    if (may && i == 0 && (IsKeyword(tokens[i].text, "SELECT") || SameText(tokens[i].text, "USE")))
      names.emplace(kSelectedFields);
    if (tokens[i].kind != TokenKind::kName) continue;
    if (SetsAt(tokens, i, declares, after_to, may)) names.emplace(tokens[i].text);
    after_to = after_to || SameText(tokens[i].text, "TO") || (may && SameText(tokens[i].text, "INTO"));
  }
}

Translated<std::vector<std::string>> MethodTranslator::DeclaredNames(const std::vector<Token>& tokens) {
  std::vector<std::string> names;
  FoxParser parser(tokens, 1);
  if (!parser.Failure().empty()) return Unread(parser);
  if (parser.PeekName("ARRAY")) return NotTranslated{"array"};
  if (parser.PeekName("ALL")) return NotTranslated{"PRIVATE ALL"};
  while (!parser.AtEnd()) {
    if (parser.Peek().kind != TokenKind::kName) return NotTranslated{"syntax not understood"};
    names.emplace_back(parser.Peek().text);
    parser.Skip();
    if (parser.PeekOperator("[") || parser.PeekOperator("(")) return NotTranslated{"array"};
    // LOCAL x AS Integer only tells the editor: the variable starts as .F.
    if (parser.PeekName("AS")) {
      parser.Skip();
      while (!parser.AtEnd() && !parser.PeekOperator(",")) parser.Skip();
    }
    if (!parser.AtEnd() && !parser.Expect(",")) return Unread(parser);
  }
  if (names.empty()) return NotTranslated{"syntax not understood"};
  return names;
}

std::string MethodTranslator::NewName(const std::string& wanted) {
  const auto taken = [&](const std::string& name) {
    if (IsReservedWord(name) || taken_.contains(name) || (form_.name_taken && form_.name_taken(name))) return true;
    if (name.size() >= 3 && SameText(std::string_view(name).substr(0, 3), "Fox")) return true;
    for (const std::string_view class_name : form_.class_names) {
      if (SameText(class_name, name)) return true;
    }
    for (const std::string_view code_name : kCodeNames) {
      if (SameText(code_name, name)) return true;
    }
    return false;
  };
  std::string name = wanted;
  while (taken(name)) name += '_';
  taken_.insert(name);
  return name;
}

// Each variable's type is the one every value the method gives it has, so
// long as the method sets it before it reads it; otherwise, and where the
// values differ, a Variant. Worked out until nothing changes, since a value
// may come from other variables.
void MethodTranslator::WorkOutTypes(const std::vector<CodeNode>& nodes) {
  for (const CodeNode& node : nodes) {
    if (!IsDeclaration(node)) continue;
    const Translated<std::vector<std::string>> names = DeclaredNames(TokensOf(*node.statement));
    if (!names) continue;
    for (const std::string& name : *names) {
      if (!declared_.contains(name)) declared_[name] = {NewName(name), PasType::kLogical, false, false};
    }
  }
  // Without declared variables no value has a type to work out.
  if (declared_.empty()) return;
  for (const auto& [name, variable] : declared_) {
    if (!SetBeforeRead(nodes, name)) start_false_.insert(name);
  }
  // A variable read before it is set holds .F. then: it is Logical, or a
  // Variant, which the values worked out from it must know in turn.
  std::set<std::string, TextLess> variants;
  bool more = true;
  while (more) {
    scope_.variables = declared_;
    for (const std::string& name : variants) scope_.variables[name] = {declared_[name].pascal_name, PasType::kVariant};
    bool changed = true;
    for (int round = 0; changed && round < 16; ++round) {
      changed = false;
      GatherAssignments(nodes, changed);
    }
    more = false;
    for (const std::string& name : start_false_) {
      const Variable& variable = scope_.variables[name];
      if (variable.decided && variable.type != PasType::kLogical && variants.insert(name).second) more = true;
    }
  }
  for (auto& [name, variable] : scope_.variables) {
    if (!variable.decided) variable.type = start_false_.contains(name) ? PasType::kLogical : PasType::kVariant;
    variable.decided = true;
  }
  declared_ = std::move(scope_.variables);
  scope_.variables.clear();
}

void MethodTranslator::GatherAssignments(const std::vector<CodeNode>& nodes, bool& changed) {
  for (const CodeNode& node : nodes) {
    if (!GatherFrom(node, changed)) continue;
    for (const CodeNode::Part& part : node.parts) GatherAssignments(part.body, changed);
    if (node.kind == BlockKind::kWith) scope_.with_objects.pop_back();
  }
}

Translated<PasType> MethodTranslator::ValueType(FoxParser& parser) {
  FoxExprPtr value = parser.Expression();
  if (!value) return Unread(parser);
  Translated<PasExpr> pascal = expressions_.Value(*value);
  if (!pascal) return std::move(pascal).Failure();
  return pascal->type;
}

bool MethodTranslator::GatherFrom(const CodeNode& node, bool& changed) {
  if (node.kind == BlockKind::kNone && node.statement->comment) return true;
  FoxParser parser(TokensOf(*node.statement), node.kind == BlockKind::kNone ? 0 : 1);
  if (node.kind == BlockKind::kNone && IsKeyword(FirstWord(node.statement->text), "STORE")) {
    parser.Skip();
    const Translated<PasType> type = ValueType(parser);
    if (!type) return false;
    parser.Skip();
    while (!parser.AtEnd()) {
      const FoxExprPtr target = parser.Reference();
      if (!target) return false;
      Assigned(*target, *type, changed);
      if (!parser.AtEnd() && !parser.Expect(",")) return false;
    }
    return true;
  }
  if (node.kind == BlockKind::kNone) {
    const FoxExprPtr target = parser.Reference();
    if (!target || !parser.PeekOperator("=")) return true;
    parser.Skip();
    const Translated<PasType> type = ValueType(parser);
    if (type) Assigned(*target, *type, changed);
    return true;
  }
  if (node.kind == BlockKind::kFor) {
    const FoxExprPtr counter = parser.Reference();
    if (!counter || !parser.Expect("=")) return false;
    const Translated<PasType> type = ValueType(parser);
    if (!type) return false;
    Assigned(*counter, *type, changed);
    while (!parser.AtEnd() && !parser.PeekName("STEP")) parser.Skip();
    if (!parser.AtEnd()) {
      parser.Skip();
      const Translated<PasType> step = ValueType(parser);
      if (!step) return false;
      Assigned(*counter, Join(PasType::kInteger, *step), changed);
    }
  }
  if (node.kind == BlockKind::kWith) {
    const FoxExprPtr target = parser.Reference();
    if (!target) return false;
    const Translated<int> object = expressions_.Object(*target);
    if (!object) return false;
    scope_.with_objects.push_back(*object);
  }
  return true;
}

void MethodTranslator::Assigned(const FoxExpr& target, PasType type, bool& changed) {
  Variable* variable = expressions_.VariableOf(target);
  if (variable == nullptr) return;
  const PasType joined = variable->decided ? Join(variable->type, type) : type;
  if (variable->decided && joined == variable->type) return;
  variable->type = joined;
  variable->decided = true;
  changed = true;
}

// True when the first statement of the method that names `name` (its
// declaration aside) is one at the top that sets it without reading it.
bool MethodTranslator::SetBeforeRead(const std::vector<CodeNode>& nodes, const std::string& name) const {
  for (const CodeNode& node : nodes) {
    if (IsDeclaration(node) || !NodeMentions(node, name)) continue;
    const FoxStatement& head = *node.statement;
    const std::vector<Token>& tokens = TokensOf(head);
    if (node.kind == BlockKind::kNone && IsKeyword(FirstWord(head.text), "STORE")) {
      // STORE value TO a, b: the name must come after TO only.
      std::size_t to = 1;
      while (to < tokens.size() && !(tokens[to].kind == TokenKind::kName && SameText(tokens[to].text, "TO"))) ++to;
      for (std::size_t i = 1; i < to; ++i) {
        if (NamesVariable(tokens, i, name)) return false;
      }
      return true;
    }
    if (node.kind == BlockKind::kNone) {
      const std::size_t value = AssignmentValue(tokens, name);
      return value > 0 && !Mentions(tokens, name, value);
    }
    if (node.kind == BlockKind::kFor) {
      const std::size_t value = AssignmentValue(std::span(tokens).subspan(1), name);
      return value > 0 && !Mentions(tokens, name, value + 1);
    }
    return false;
  }
  return true;
}

bool MethodTranslator::NodeMentions(const CodeNode& node, std::string_view name) const {
  bool found = false;
  ForEachStatement(node, [&](const FoxStatement& statement) {
    found = found || (!statement.comment && Mentions(TokensOf(statement), name));
  });
  return found;
}

void MethodTranslator::Taint(const CodeNode& node) {
  for (auto& [name, variable] : scope_.variables) {
    if (NodeMentions(node, name)) variable.tainted = true;
  }
  ForEachStatement(node, [&](const FoxStatement& statement) {
    if (!statement.comment) SetNames(TokensOf(statement), true, scope_.untranslated_names);
  });
}

}  // namespace quorvex
