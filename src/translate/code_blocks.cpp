#include "translate/code_blocks.h"

#include <functional>

#include "base/ascii.h"

namespace quorvex {

namespace {

// What a line does to the structure.
enum class Role { kStatement, kOpen, kPart, kClose };

struct LineRole {
  Role role = Role::kStatement;
  BlockKind kind = BlockKind::kNone;
};

// The word after the first one.
std::string SecondWord(std::string_view text) {
  text = TrimLeftBlanks(text);
  std::size_t at = 0;
  while (at < text.size() && !IsBlank(text[at]) && text[at] != '(') ++at;
  return FirstWord(text.substr(at));
}

LineRole RoleOf(const FoxStatement& statement) {
  if (statement.comment) return {};
  if (statement.text_line) return {};
  const std::string word = FirstWord(statement.text);
  const auto is = [&](std::string_view keyword) { return IsKeyword(word, keyword); };
  if (word == "IF") return {Role::kOpen, BlockKind::kIf};
  if (word == "ELSE") return {Role::kPart, BlockKind::kIf};
  if (is("ENDIF")) return {Role::kClose, BlockKind::kIf};
  if (word == "DO") {
    const std::string second = SecondWord(statement.text);
    if (second == "CASE") return {Role::kOpen, BlockKind::kCase};
    if (IsKeyword(second, "WHILE")) return {Role::kOpen, BlockKind::kWhile};
    return {};
  }
  if (word == "CASE" || is("OTHERWISE")) return {Role::kPart, BlockKind::kCase};
  if (is("ENDCASE")) return {Role::kClose, BlockKind::kCase};
  if (word == "FOR") return {Role::kOpen, SecondWord(statement.text) == "EACH" ? BlockKind::kForEach : BlockKind::kFor};
  if (is("ENDFOR") || word == "NEXT") return {Role::kClose, BlockKind::kFor};
  if (is("ENDDO")) return {Role::kClose, BlockKind::kWhile};
  if (word == "WITH") return {Role::kOpen, BlockKind::kWith};
  if (is("ENDWITH")) return {Role::kClose, BlockKind::kWith};
  if (word == "SCAN") return {Role::kOpen, BlockKind::kScan};
  if (is("ENDSCAN")) return {Role::kClose, BlockKind::kScan};
  if (word == "TRY") return {Role::kOpen, BlockKind::kTry};
  if (is("CATCH") || is("FINALLY")) return {Role::kPart, BlockKind::kTry};
  if (word == "ENDTRY") return {Role::kClose, BlockKind::kTry};
  if (word == "TEXT") return {Role::kOpen, BlockKind::kText};
  if (word == "ENDTEXT") return {Role::kClose, BlockKind::kText};
  if (is("PRINTJOB")) return {Role::kOpen, BlockKind::kPrintJob};
  if (is("ENDPRINTJOB")) return {Role::kClose, BlockKind::kPrintJob};
  return {};
}

// FOR and FOR EACH share their closing lines.
bool Closes(BlockKind open, BlockKind close) {
  return open == close || (open == BlockKind::kForEach && close == BlockKind::kFor);
}

}  // namespace

bool IsKeyword(std::string_view word, std::string_view keyword) {
  return SameText(word, keyword) ||
         (word.size() >= 4 && word.size() < keyword.size() && SameText(word, keyword.substr(0, word.size())));
}

Translated<std::vector<CodeNode>> BuildBlocks(const std::vector<FoxStatement>& statements) {
  std::vector<CodeNode> top;
  std::vector<CodeNode> open;  // the blocks not closed yet, innermost last
  const auto body = [&]() -> std::vector<CodeNode>& { return open.empty() ? top : open.back().parts.back().body; };
  for (const FoxStatement& statement : statements) {
    const LineRole line = RoleOf(statement);
    switch (line.role) {
      case Role::kStatement: body().push_back({&statement, BlockKind::kNone, {}, nullptr}); break;
      case Role::kOpen: {
        CodeNode node{&statement, line.kind, {}, nullptr};
        node.parts.push_back({&statement, {}});
        open.push_back(std::move(node));
        break;
      }
      case Role::kPart:
        if (open.empty() || open.back().kind != line.kind) return NotTranslated{"blocks that do not close"};
        open.back().parts.push_back({&statement, {}});
        break;
      case Role::kClose: {
        if (open.empty() || !Closes(open.back().kind, line.kind)) return NotTranslated{"blocks that do not close"};
        CodeNode node = std::move(open.back());
        open.pop_back();
        node.end = &statement;
        body().push_back(std::move(node));
        break;
      }
    }
  }
  if (!open.empty()) return NotTranslated{"blocks that do not close"};
  return top;
}

void ForEachStatement(const CodeNode& node, const std::function<void(const FoxStatement&)>& each) {
  if (node.kind == BlockKind::kNone) return each(*node.statement);
  for (const CodeNode::Part& part : node.parts) {
    each(*part.head);
    for (const CodeNode& inner : part.body) ForEachStatement(inner, each);
  }
  each(*node.end);
}

}  // namespace quorvex
