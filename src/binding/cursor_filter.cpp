#include "binding/cursor_filter.h"

#include <algorithm>

#include "base/ascii.h"
#include "expression/fox_expression.h"

namespace quorvex {

namespace {

using Condition = std::optional<std::string>;

std::string SqlName(std::string_view name) { return "\"" + AsciiLowerCopy(name) + "\""; }

std::string SqlString(std::string_view text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("''") : std::string(1, c);
  return quoted + "'";
}

// Characters, not bytes: SQL's substr counts them so.
std::size_t CharacterCount(std::string_view utf8) {
  return static_cast<std::size_t>(
      std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

bool IsLiteral(const FoxExpr& expr) {
  return expr.kind == FoxExprKind::kString || expr.kind == FoxExprKind::kNumber || expr.kind == FoxExprKind::kLogical;
}

class FilterWriter {
 public:
  explicit FilterWriter(std::string_view alias) : alias_(alias) {}

  Condition Write(const FoxExpr& expr) const {
    if (expr.kind == FoxExprKind::kUnary && expr.text == "NOT") {
      const Condition operand = Write(*expr.operands[0]);
      return operand ? Condition("NOT (" + *operand + ")") : std::nullopt;
    }
    if (expr.kind != FoxExprKind::kBinary) return std::nullopt;
    if (expr.text == "AND" || expr.text == "OR") {
      const Condition left = Write(*expr.operands[0]);
      const Condition right = Write(*expr.operands[1]);
      if (!left || !right) return std::nullopt;
      return "(" + *left + " " + expr.text + " " + *right + ")";
    }
    return Comparison(expr);
  }

 private:
  // The column a reference names: a field of the cursor, bare or after
  // its alias; "" for anything else.
  std::string Column(const FoxExpr& expr) const {
    if (expr.kind != FoxExprKind::kReference || expr.memory || expr.from_with) return {};
    const auto plain = [](const FoxSegment& segment) { return !segment.called; };
    if (!std::all_of(expr.path.begin(), expr.path.end(), plain)) return {};
    if (expr.path.size() == 1) return SqlName(expr.path[0].name);
    if (expr.path.size() == 2 && SameText(expr.path[0].name, alias_)) return SqlName(expr.path[1].name);
    return {};
  }

  Condition Comparison(const FoxExpr& expr) const {
    std::string op = expr.text;
    const FoxExpr* field = expr.operands[0].get();
    const FoxExpr* literal = expr.operands[1].get();
    if (IsLiteral(*field)) {
      std::swap(field, literal);
      static constexpr std::pair<std::string_view, std::string_view> kMirrored[] = {
          {"<", ">"}, {">", "<"}, {"<=", ">="}, {">=", "<="}};
      for (const auto& [from, to] : kMirrored)
        if (op == from) {
          op = to;
          break;
        }
      if (literal->kind == FoxExprKind::kString) return std::nullopt;  // FoxPro's = is not symmetric there
    }
    const std::string column = Column(*field);
    if (column.empty() || !IsLiteral(*literal)) return std::nullopt;
    switch (literal->kind) {
      case FoxExprKind::kString: return StringComparison(column, op, literal->text);
      case FoxExprKind::kLogical:
        if (op != "=" && op != "<>") return std::nullopt;
        return column + " " + op + (literal->text == "T" ? " TRUE" : " FALSE");
      default: {
        // Digits and a point: hexadecimal and exponents are written otherwise in SQL.
        const auto plain = [](char c) { return (c >= '0' && c <= '9') || c == '.'; };
        if (!std::all_of(literal->text.begin(), literal->text.end(), plain)) return std::nullopt;
        static constexpr std::string_view kNumberOperators[] = {"=", "<>", "<", ">", "<=", ">="};
        if (std::find(std::begin(kNumberOperators), std::end(kNumberOperators), op) == std::end(kNumberOperators))
          return std::nullopt;
        return column + " " + op + " " + literal->text;
      }
    }
  }

  static Condition StringComparison(const std::string& column, const std::string& op, const std::string& text) {
    if (op != "=" && op != "<>") return std::nullopt;
    // FoxPro finds the empty string at the start of every text (a null
    // aside), which SQL says otherwise of.
    if (text.empty() || text.back() == ' ') return std::nullopt;
    const std::string equal =
        "substr(" + column + ", 1, " + std::to_string(CharacterCount(text)) + ") = " + SqlString(text);
    return op == "=" ? equal : "NOT (" + equal + ")";
  }

  std::string_view alias_;
};

}  // namespace

std::optional<std::string> FilterCondition(std::string_view filter, std::string_view alias) {
  const ParsedExpression parsed = ParseExpression(filter);
  if (parsed.tree == nullptr) return std::nullopt;
  return FilterWriter(alias).Write(*parsed.tree);
}

}  // namespace quorvex
