#include "catalog/fox_defaults.h"

namespace quorvex {

namespace {

constexpr std::string_view kTableText =
#include "catalog/fox_defaults_text.inc"
    ;

std::string ReadDefault(std::string_view, std::string_view rest) {
  if (!rest.starts_with('=')) throw Exception("a row without \"= value\"");
  const std::string_view value = TrimBlanks(rest.substr(1));
  if (value.empty()) throw Exception("a row without a value");
  return std::string(value);
}

}  // namespace

const FoxDefaults& FoxDefaults::Shared() {
  static const FoxDefaults table(kTableText);
  return table;
}

FoxDefaults::FoxDefaults(std::string_view table_text)
    : groups_(ReadGroupedTable<std::string>(table_text, "FoxPro defaults", ReadDefault)) {}

const FoxDefaults::Rows* FoxDefaults::Find(std::string_view base_class) const {
  const auto group = groups_.find(base_class);
  return group == groups_.end() ? nullptr : &group->second;
}

}  // namespace quorvex
