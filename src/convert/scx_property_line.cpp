#include "convert/scx_property_line.h"

#include "convert/lists.h"
#include "convert/quoted_text.h"
#include "table/ascii.h"

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
