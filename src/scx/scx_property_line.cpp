#include "scx/scx_property_line.h"

#include "vocabulary/lists.h"
#include "vocabulary/quoted_text.h"
#include "base/ascii.h"

namespace quorvex {

ScxPropertyName SplitPropertyName(std::string_view line) {
  const std::string_view name = TrimBlanks(NamePart(line));
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return {false, {}, name};
  return {true, TrimBlanks(name.substr(0, dot)), TrimBlanks(name.substr(dot + 1))};
}

std::string UnquoteNameValue(std::string_view value) {
  if (value.empty() || value.front() != '"') return std::string(value);
  return ReadQuotedText(value).text;
}

}  // namespace quorvex
