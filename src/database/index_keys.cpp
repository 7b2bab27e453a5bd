#include "database/index_keys.h"

#include "base/ascii.h"
#include "database/sql_names.h"
#include "expression/fox_expression.h"

namespace quorvex {

namespace {

constexpr std::size_t kShortestAbbreviation = 4;

// `name` is FoxPro's function `function`, written whole or cut to four letters or more.
bool IsFunction(const FoxSegment& segment, std::string_view function) {
  const std::string_view name = segment.name;
  return segment.called && name.size() >= std::min(kShortestAbbreviation, function.size()) &&
         name.size() <= function.size() && SameText(name, function.substr(0, name.size()));
}

bool IsDeletedCall(const FoxExpr& expr) {
  return expr.kind == FoxExprKind::kReference && expr.path.size() == 1 && IsFunction(expr.path[0], "DELETED") &&
         expr.path[0].arguments.empty();
}

bool IsNumberLiteral(const FoxExprPtr& argument, std::string_view text = {}) {
  return argument->kind == FoxExprKind::kNumber && (text.empty() || argument->text == text);
}

bool IsNumberType(DataType type) {
  return type == DataType::kNumeric || type == DataType::kFloat || type == DataType::kInteger ||
         type == DataType::kDouble || type == DataType::kCurrency;
}

FoxExprPtr Parse(const std::string& text, std::string& failure) {
  const std::vector<Token> tokens = TokenizeStatement(text);
  FoxParser parser(tokens);
  FoxExprPtr expr = parser.Expression();
  if (expr && !parser.AtEnd()) expr.reset();
  if (!expr) failure = parser.Failure().empty() ? "syntax not understood" : std::string(parser.Failure());
  return expr;
}

class KeyPlanner {
 public:
  KeyPlanner(const std::vector<DataField>& fields, const std::vector<SqlColumn>& columns)
      : fields_(fields), columns_(columns) {}

  IndexKey Plan(const FoxExpr& expr) {
    Add(expr);
    if (!key_.reason.empty()) key_.terms.clear(), key_.columns.clear();
    return std::move(key_);
  }

 private:
  void Add(const FoxExpr& expr) {
    if (!key_.reason.empty()) return;
    if (expr.kind == FoxExprKind::kBinary && expr.text == "+") {
      Add(*expr.operands[0]);
      Add(*expr.operands[1]);
    } else if (expr.kind == FoxExprKind::kReference && expr.path.size() == 1 && !expr.memory) {
      AddReference(expr.path[0]);
    } else {
      key_.reason = "its key has parts no SQL orders the same way";
    }
  }

  void AddReference(const FoxSegment& segment) {
    if (!segment.called) return AddColumn(segment.name, false, [](DataType) { return true; });
    const auto& arguments = segment.arguments;
    const auto field_argument = [&](std::size_t count) {
      return arguments.size() == count && arguments[0]->kind == FoxExprKind::kReference &&
             arguments[0]->path.size() == 1 && !arguments[0]->path[0].called;
    };
    const auto argument_name = [&] { return arguments[0]->path[0].name; };
    if (IsFunction(segment, "UPPER") && field_argument(1)) {
      AddColumn(argument_name(), true,
                [](DataType type) { return type == DataType::kCharacter || type == DataType::kVarchar; });
    } else if (IsFunction(segment, "DTOS") && field_argument(1)) {
      AddColumn(argument_name(), false, [](DataType type) { return type == DataType::kDate; });
    } else if (IsFunction(segment, "STR") && !arguments.empty() && arguments.size() <= 3 &&
               field_argument(arguments.size()) && (arguments.size() < 2 || IsNumberLiteral(arguments[1])) &&
               (arguments.size() < 3 || IsNumberLiteral(arguments[2]))) {
      AddColumn(argument_name(), false, IsNumberType);
    } else if (IsFunction(segment, "BINTOC") &&
               (field_argument(1) || (field_argument(2) && IsNumberLiteral(arguments[1], "4")))) {
      AddColumn(argument_name(), false, [](DataType type) { return type == DataType::kInteger; });
    } else if (IsFunction(segment, "TTOC") && field_argument(2) && IsNumberLiteral(arguments[1], "1")) {
      AddColumn(argument_name(), false, [](DataType type) { return type == DataType::kDateTime; });
    } else {
      key_.reason = "its key calls " + segment.name + "(), which no SQL orders the same way";
    }
  }

  template <typename TypeCheck>
  void AddColumn(const std::string& name, bool upper, TypeCheck fits) {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
      if (!SameText(fields_[i].descriptor.name, name)) continue;
      const SqlType type = columns_[i].type;
      if (!fits(fields_[i].type) || type == SqlType::kBlob || type == SqlType::kText) {
        key_.reason = "its key orders field " + name + " as no SQL index can";
        return;
      }
      const std::string column = QuoteIdentifier(columns_[i].name);
      key_.terms.push_back(upper ? "upper(" + column + ")" : column);
      key_.columns.push_back(upper ? -1 : static_cast<int>(i));
      return;
    }
    key_.reason = "its key names " + name + ", which is no field of the table";
  }

  const std::vector<DataField>& fields_;
  const std::vector<SqlColumn>& columns_;
  IndexKey key_;
};

// A FOR clause that every record of the table written passes: !DELETED().
bool AdmitsEveryLiveRecord(const std::string& for_expression) {
  if (TrimBlanks(for_expression).empty()) return true;
  std::string failure;
  const FoxExprPtr expr = Parse(for_expression, failure);
  return expr && expr->kind == FoxExprKind::kUnary && expr->text == "NOT" && IsDeletedCall(*expr->operands[0]);
}

}  // namespace

IndexKey IndexKeyOf(const IndexTag& tag, const std::vector<DataField>& fields, const std::vector<SqlColumn>& columns) {
  if (!AdmitsEveryLiveRecord(tag.for_expression))
    return {.reason = "it admits only the records FOR " + tag.for_expression + " admits"};
  std::string failure;
  const FoxExprPtr expr = Parse(tag.key_expression, failure);
  if (!expr) return {.reason = "its key cannot be read: " + failure};
  IndexKey key = KeyPlanner(fields, columns).Plan(*expr);
  if (tag.descending)
    for (std::string& term : key.terms) term += " DESC";
  return key;
}

}  // namespace quorvex
