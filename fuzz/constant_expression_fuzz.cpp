// The constant evaluator on arbitrary bytes. Besides not crashing or growing,
// it holds the evaluator to what its literal promises: the property value
// written for a constant reads back as the same value, a string by the
// property reader's quoting and, where FoxPro's own quotes can hold it, as an
// expression too; a number or logical as an expression.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "expression/constant_expression.h"
#include "vocabulary/quoted_text.h"

namespace {

bool ReadsBack(const quorvex::FoxConstant& value, const std::string& literal) {
  if (value.kind == quorvex::FoxConstant::Kind::kString) {
    const quorvex::QuotedText quoted = quorvex::ReadQuotedText(literal);
    if (!quoted.closed || quoted.text != value.text) return false;
    // FoxPro strings have no escapes, and the literal may pass the input bound.
    if (value.text.find('"') != std::string::npos || literal.size() > quorvex::kMaxConstantExpression) return true;
  }
  return quorvex::EvaluateConstant(literal) == value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view expression(reinterpret_cast<const char*>(data), size);
  const std::optional<quorvex::FoxConstant> value = quorvex::EvaluateConstant(expression);
  if (value && !ReadsBack(*value, quorvex::ConstantLiteral(*value))) std::abort();
  return 0;
}
