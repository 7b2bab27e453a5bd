#include "translate/method_translator.h"

#include <algorithm>

#include "translate/not_translated.h"

namespace quorvex {

namespace {

// The lines of a block left whole for another line's reason, which follows.
constexpr std::string_view kInBlock = "in a block not translated whole, for ";
constexpr std::string_view kAfterReturn = "after code not translated that may RETURN";
constexpr std::string_view kAutomatic = "event Delphi fires at moments of its own: ";

// The events that fire without a user's action (TranslateMethod), but for
// those of the form's making, which the form runs in FoxPro's order.
bool FiresByItself(std::string_view event) {
  for (const std::string_view name : {"Activate", "When", "GotFocus", "Resize", "Timer"}) {
    if (SameText(name, event)) return true;
  }
  return false;
}

bool MayReturn(const CodeNode& node) {
  bool found = false;
  ForEachStatement(node, [&](const FoxStatement& statement) {
    found = found || (!statement.comment && !statement.text_line && IsKeyword(FirstWord(statement.text), "RETURN"));
  });
  return found;
}

int CodeLines(const CodeNode& node) {
  int count = 0;
  ForEachStatement(node, [&](const FoxStatement& statement) {
    if (!statement.comment) count += static_cast<int>(statement.line_count);
  });
  return count;
}

void AddUntranslated(MethodTranslation& result, const std::string& reason, int lines) {
  if (lines == 0) return;
  for (UntranslatedLines& each : result.untranslated) {
    if (each.reason == reason) return void(each.lines += lines);
  }
  result.untranslated.push_back({reason, lines});
}

}  // namespace

TranslationOutcome MethodTranslation::Outcome() const {
  if (code_lines == 0) return TranslationOutcome::kNoCode;
  if (translated_lines == code_lines) return TranslationOutcome::kFull;
  return translated_lines == 0 ? TranslationOutcome::kNone : TranslationOutcome::kPartial;
}

MethodTranslator::MethodTranslator(const std::vector<std::string>& lines, const FormObjects& form,
                                   const MethodContext& context, std::set<std::string, TextLess>& taken)
    : lines_(lines), form_(form), context_(context), taken_(taken), scope_(form), expressions_(scope_) {
  scope_.this_object = context.this_object;
  scope_.method_name = context.fox_name;
  scope_.event = context.event;
}

MethodTranslation MethodTranslator::Run() {
  statements_ = SplitStatements(lines_);
  Translated<std::vector<CodeNode>> blocks = BuildBlocks(statements_);
  if (!blocks) {
    LeaveAll(blocks.Reason());
    return std::move(result_);
  }
  const std::vector<CodeNode>& nodes = *blocks;
  if (context_.event && FiresByItself(context_.fox_name)) {
    LeaveAll(std::string(kAutomatic) + context_.fox_name);
    return std::move(result_);
  }
  // Every pass reads the same statements: each is read into tokens once.
  tokens_.reserve(statements_.size());
  for (const FoxStatement& statement : statements_) tokens_.push_back(TokenizeStatement(statement.text));
  GatherSetNames();
  WorkOutTypes(nodes);
  TopLevel(nodes);
  Flush(lines_.size(), 0);
  EncloseInScope();
  return std::move(result_);
}

void MethodTranslator::LeaveAll(const std::string& reason) {
  for (const FoxStatement& statement : statements_) {
    Comment(statement, 0);
    if (statement.comment) continue;
    result_.code_lines += static_cast<int>(statement.line_count);
    AddUntranslated(result_, reason, static_cast<int>(statement.line_count));
  }
  Flush(lines_.size(), 0);
}

void MethodTranslator::TopLevel(const std::vector<CodeNode>& nodes) {
  bool stopped = false;
  for (const CodeNode& node : nodes) {
    if (node.kind == BlockKind::kNone && node.statement->comment) {
      Comment(*node.statement, 0);
      continue;
    }
    const int lines = CodeLines(node);
    result_.code_lines += lines;
    if (stopped) {
      failed_ = nullptr;
      Untranslated(node, std::string(kAfterReturn), 0);
      continue;
    }
    const Mark mark = Here();
    failed_ = nullptr;
    if (const Done done = Node(node, 0); done) {
      result_.translated_lines += lines;
    } else {
      GoBack(mark);
      Untranslated(node, done.Reason(), 0);
      Taint(node);
      stopped = MayReturn(node);
    }
  }
}

void MethodTranslator::Untranslated(const CodeNode& node, const std::string& reason, int depth) {
  ForEachStatement(node, [&](const FoxStatement& statement) {
    Comment(statement, depth);
    if (statement.comment) return;
    const bool own = failed_ == nullptr || failed_ == &statement || node.kind == BlockKind::kNone;
    AddUntranslated(result_, own ? reason : std::string(kInBlock) + reason, static_cast<int>(statement.line_count));
  });
}

Done MethodTranslator::Nodes(const std::vector<CodeNode>& nodes, int depth) {
  for (const CodeNode& node : nodes) {
    if (Done done = Node(node, depth); !done) return done;
  }
  return {};
}

Done MethodTranslator::Node(const CodeNode& node, int depth) {
  Done done = Block(node, depth);
  if (!done && failed_ == nullptr) failed_ = node.statement;
  return done;
}

Done MethodTranslator::Block(const CodeNode& node, int depth) {
  switch (node.kind) {
    case BlockKind::kNone:
      if (node.statement->comment) return Comment(*node.statement, depth), Done();
      return Simple(*node.statement, depth);
    case BlockKind::kIf: return IfBlock(node, depth);
    case BlockKind::kCase: return CaseBlock(node, depth);
    case BlockKind::kFor: return ForBlock(node, depth);
    case BlockKind::kWhile: return WhileBlock(node, depth);
    case BlockKind::kWith: return WithBlock(node, depth);
    case BlockKind::kForEach: return NotTranslated{"command not translated: FOR EACH"};
    case BlockKind::kScan: return NotTranslated{"command not translated: SCAN"};
    case BlockKind::kTry: return NotTranslated{"command not translated: TRY"};
    case BlockKind::kText: return NotTranslated{"command not translated: TEXT"};
    case BlockKind::kPrintJob: break;
  }
  return NotTranslated{"command not translated: PRINTJOB"};
}

const std::vector<Token>& MethodTranslator::TokensOf(const FoxStatement& statement) const {
  return tokens_[static_cast<std::size_t>(&statement - statements_.data())];
}

NotTranslated MethodTranslator::Unread(const FoxParser& parser) { return {std::string(parser.Failure())}; }

Translated<std::string> MethodTranslator::Condition(const FoxStatement& statement, int skip) {
  const std::vector<Token>& tokens = TokensOf(statement);
  FoxExprPtr condition;
  bool at_end = false;
  // FoxPro takes IF condition THEN.
  const bool then = skip == 1 && tokens.size() > 2 && IsKeyword(tokens[0].text, "IF") &&
                    tokens[tokens.size() - 2].kind == TokenKind::kName &&
                    SameText(tokens[tokens.size() - 2].text, "THEN");
  if (then) {
    std::vector<Token> without_then = tokens;
    without_then.erase(without_then.end() - 2);
    FoxParser parser(without_then, 1);
    condition = parser.Expression();
    if (!condition) return Unread(parser);
    at_end = parser.AtEnd();
  } else {
    FoxParser parser(tokens, static_cast<std::size_t>(skip));
    condition = parser.Expression();
    if (!condition) return Unread(parser);
    at_end = parser.AtEnd();
  }
  if (!at_end) return NotTranslated{"syntax not understood"};
  Translated<PasExpr> value = expressions_.Value(*condition);
  if (!value) return std::move(value).Failure();
  Translated<PasExpr> logical = ConvertTo(*value, PasType::kLogical);
  if (!logical) return std::move(logical).Failure();
  return std::move(logical->text);
}

Done MethodTranslator::IfBlock(const CodeNode& node, int depth) {
  const FoxStatement& head = *node.parts[0].head;
  failed_ = &head;
  Comment(head, depth);
  Translated<std::string> condition = Condition(head, 1);
  if (!condition) return std::move(condition).Failure();
  Code("if " + *condition + " then", depth);
  failed_ = nullptr;
  Code("begin", depth);
  if (Done done = Nodes(node.parts[0].body, depth + 1); !done) return done;
  if (node.parts.size() > 1) {
    if (node.parts.size() > 2 || FirstWord(node.parts[1].head->text) != "ELSE" ||
        !TrimBlanks(node.parts[1].head->text.substr(4)).empty())
      return NotTranslated{"syntax not understood"};
    Code("end", depth);
    Comment(*node.parts[1].head, depth);
    Code("else", depth);
    Code("begin", depth);
    if (Done done = Nodes(node.parts[1].body, depth + 1); !done) return done;
  }
  Code("end;", depth);
  Comment(*node.end, depth);
  return {};
}

// DO CASE runs the first CASE whose condition holds, or OTHERWISE: an if
// ... else if chain. Lines between DO CASE and the first CASE never run.
Done MethodTranslator::CaseBlock(const CodeNode& node, int depth) {
  Comment(*node.parts[0].head, depth);
  for (const CodeNode& before : node.parts[0].body) {
    if (before.kind != BlockKind::kNone || !before.statement->comment)
      return NotTranslated{"code before the first CASE"};
    Comment(*before.statement, depth);
  }
  for (std::size_t i = 1; i < node.parts.size(); ++i) {
    const FoxStatement& head = *node.parts[i].head;
    const bool otherwise = FirstWord(head.text) != "CASE";
    if (otherwise && i + 1 != node.parts.size()) return NotTranslated{"OTHERWISE before a CASE"};
    if (i > 1) Code("end", depth);
    failed_ = &head;
    Comment(head, depth);
    if (otherwise) {
      if (i > 1) Code("else", depth);
    } else {
      Translated<std::string> condition = Condition(head, 1);
      if (!condition) return std::move(condition).Failure();
      Code(std::string(i > 1 ? "else " : "") + "if " + *condition + " then", depth);
    }
    failed_ = nullptr;
    Code("begin", depth);
    if (Done done = Nodes(node.parts[i].body, depth + 1); !done) return done;
  }
  if (node.parts.size() > 1) Code("end;", depth);
  Comment(*node.end, depth);
  return {};
}

Done MethodTranslator::WhileBlock(const CodeNode& node, int depth) {
  const FoxStatement& head = *node.parts[0].head;
  failed_ = &head;
  Comment(head, depth);
  Translated<std::string> condition = Condition(head, 2);
  if (!condition) return std::move(condition).Failure();
  Code("while " + *condition + " do", depth);
  failed_ = nullptr;
  Code("begin", depth);
  loops_.push_back({});
  if (Done done = Nodes(node.parts[0].body, depth + 1); !done) return done;
  loops_.pop_back();
  Code("end;", depth);
  Comment(*node.end, depth);
  return {};
}

// WITH names its object once; the references inside it are resolved to the
// object's field here, so that no Pascal with is needed.
Done MethodTranslator::WithBlock(const CodeNode& node, int depth) {
  const FoxStatement& head = *node.parts[0].head;
  failed_ = &head;
  FoxParser parser(TokensOf(head), 1);
  FoxExprPtr target = parser.Reference();
  if (!target) return Unread(parser);
  if (!parser.AtEnd()) return NotTranslated{"syntax not understood"};
  Translated<int> object = expressions_.Object(*target);
  if (!object) return std::move(object).Failure();
  scope_.with_objects.push_back(*object);
  failed_ = nullptr;
  Comment(head, depth);
  const Done done = Nodes(node.parts[0].body, depth);
  scope_.with_objects.pop_back();
  if (done) Comment(*node.end, depth);
  return done;
}

void MethodTranslator::Comment(const FoxStatement& statement, int depth) {
  Flush(statement.first_line, depth);
  for (std::size_t i = 0; i < statement.line_count; ++i)
    result_.lines.push_back({depth, static_cast<int>(statement.first_line + i), {}});
  next_source_ = statement.first_line + statement.line_count;
}

void MethodTranslator::Code(std::string text, int depth) {
  for (std::string& line : WrapPascal(text)) result_.lines.push_back({depth, -1, std::move(line)});
}

void MethodTranslator::Flush(std::size_t up_to, int depth) {
  for (; next_source_ < up_to; ++next_source_) result_.lines.push_back({depth, static_cast<int>(next_source_), {}});
}

void MethodTranslator::GoBack(const Mark& mark) {
  result_.lines.resize(mark.lines);
  next_source_ = mark.next_source;
  result_.locals.resize(mark.locals);
  loops_.clear();
  scope_.with_objects.clear();
}

void MethodTranslator::GatherSetNames() {
  const auto directive = [](const std::vector<Token>& tokens) {
    return !tokens.empty() && tokens[0].kind == TokenKind::kOperator && tokens[0].text == "#";
  };
  if (!form_.include_file && std::none_of(tokens_.begin(), tokens_.end(), directive)) return;
  scope_.set_names = std::make_unique<std::set<std::string, TextLess>>();
  for (std::size_t i = 0; i < statements_.size(); ++i) {
    if (!statements_[i].comment) SetNames(tokens_[i], false, *scope_.set_names);
  }
}

void MethodTranslator::EncloseInScope() {
  const bool makes = std::any_of(result_.lines.begin(), result_.lines.end(), [](const BodyLine& line) {
    return line.pascal.starts_with("FoxSetVar(") || line.pascal.starts_with("FoxPrivate(");
  });
  if (!makes) return;
  const std::string mark = NewName("ScopeMark");
  result_.locals.push_back({mark, "Integer"});
  for (BodyLine& line : result_.lines) ++line.depth;
  result_.lines.insert(result_.lines.begin(), {{0, -1, mark + " := FoxEnterScope;"}, {0, -1, "try"}});
  result_.lines.push_back({0, -1, "finally"});
  result_.lines.push_back({1, -1, "FoxLeaveScope(" + mark + ");"});
  result_.lines.push_back({0, -1, "end;"});
}

MethodTranslation TranslateMethod(const std::vector<std::string>& lines, const FormObjects& form,
                                  const MethodContext& context, std::set<std::string, TextLess>& taken) {
  return MethodTranslator(lines, form, context, taken).Run();
}

}  // namespace quorvex
