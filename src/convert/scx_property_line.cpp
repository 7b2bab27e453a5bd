#include "convert/scx_property_line.h"

#include "table/ascii.h"

namespace quorvex {

std::string_view ScxNamePart(std::string_view line) {
  const std::size_t equals = line.find('=');
  return equals == std::string_view::npos ? std::string_view() : line.substr(0, equals);
}

std::string_view ScxValuePart(std::string_view line) {
  const std::size_t equals = line.find('=');
  return equals == std::string_view::npos ? std::string_view() : line.substr(equals + 1);
}

ScxPropertyName SplitPropertyName(std::string_view line) {
  const std::string_view name = TrimBlanks(ScxNamePart(line));
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return {false, {}, name};
  return {true, TrimBlanks(name.substr(0, dot)), TrimBlanks(name.substr(dot + 1))};
}

std::string UnquoteNameValue(std::string_view value) {
  if (value.empty() || value.front() != '"') return std::string(value);
  std::string text;
  for (std::size_t i = 1; i < value.size(); ++i) {
    if (value[i] != '"') {
      text += value[i];
    } else if (i + 1 < value.size() && value[i + 1] == '"') {
      text += '"';
      ++i;
    } else {
      break;
    }
  }
  return text;
}

}  // namespace quorvex
