#include "translate/fox_statements.h"

#include "base/ascii.h"

namespace quorvex {

namespace {

bool IsWordChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsCommentLine(std::string_view trimmed) {
  if (trimmed.starts_with("*") || trimmed.starts_with("&&")) return true;
  return FirstWord(trimmed) == "NOTE";
}

// `line` without its "&&" comment; `comment_start` gets where that comment
// starts (npos when there is none).
std::string_view CodePart(std::string_view line, std::size_t& comment_start) {
  char quote = 0;
  char previous = ' ';  // the last byte outside a string that is not blank
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
      continue;
    }
    if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '[' && !IsWordChar(previous) && previous != ')' && previous != ']') {
      quote = ']';
    } else if (c == '&' && i + 1 < line.size() && line[i + 1] == '&') {
      comment_start = i;
      return line.substr(0, i);
    }
    if (!IsBlank(c)) previous = c;
  }
  comment_start = std::string_view::npos;
  return line;
}

bool EndsInSemicolon(std::string_view text) {
  text = TrimRightBlanks(text);
  return !text.empty() && text.back() == ';';
}

}  // namespace

std::string FirstWord(std::string_view text) {
  text = TrimLeftBlanks(text);
  std::string word;
  for (const char c : text) {
    if (!IsWordChar(c)) break;
    word += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
  }
  return word;
}

std::vector<FoxStatement> SplitStatements(const std::vector<std::string>& lines) {
  std::vector<FoxStatement> statements;
  bool in_text = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view trimmed = TrimBlanks(lines[i]);
    if (in_text) {
      const bool end = FirstWord(trimmed) == "ENDTEXT";
      statements.push_back({i, 1, end ? std::string(trimmed) : std::string(), false, !end, false});
      in_text = !end;
      continue;
    }
    if (trimmed.empty()) continue;
    FoxStatement statement{i, 1, {}, IsCommentLine(trimmed), false, false};
    std::string text;
    std::size_t last = i;
    while (true) {
      std::size_t comment_start = 0;
      const std::string_view code = statement.comment ? TrimBlanks(lines[last]) : CodePart(lines[last], comment_start);
      const bool has_comment = !statement.comment && comment_start != std::string_view::npos;
      // FoxPro's reading of "x ; && note" and "x && note ;" is not one we can be sure of.
      if (has_comment && (EndsInSemicolon(code) || EndsInSemicolon(lines[last]))) statement.unclear_end = true;
      const bool goes_on = EndsInSemicolon(code) && last + 1 < lines.size();
      std::string_view piece = TrimBlanks(code);
      if (goes_on) piece = TrimBlanks(piece.substr(0, piece.size() - 1));
      if (!text.empty() && !piece.empty()) text += ' ';
      text += piece;
      if (!goes_on || has_comment) break;
      ++last;
    }
    statement.line_count = last - i + 1;
    if (!statement.comment) statement.text = text;
    in_text = !statement.comment && FirstWord(text) == "TEXT";
    statements.push_back(std::move(statement));
    i = last;
  }
  return statements;
}

}  // namespace quorvex
