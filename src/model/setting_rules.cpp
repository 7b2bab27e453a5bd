#include "model/setting_rules.h"

namespace quorvex {

namespace {

constexpr std::string_view kTableText =
#include "model/setting_rules_text.inc"
    ;

SettingRule ReadRule(std::string_view, std::string_view rest) {
  auto [target, values] = FirstWord(rest);
  if (target.empty()) throw Exception("a rule without its Delphi property");
  SettingRule rule;
  if (target == "-" || target == "*") {
    if (!values.empty()) throw Exception("values given to a setting that is not written");
    rule.kind = target == "-" ? SettingRule::Kind::kKept : SettingRule::Kind::kComponent;
    return rule;
  }
  if (target == "=" || target.starts_with('!')) {
    if (target == "!") throw Exception("a rule of FoxRuntime without its procedure");
    if (values.empty()) throw Exception("a rule of values without its values");
    rule.kind = target == "=" ? SettingRule::Kind::kDelphiLook : SettingRule::Kind::kRuntime;
    rule.dfm_property = target.substr(1);
    for (; !values.empty(); values = FirstWord(values).second) rule.values.emplace_back(FirstWord(values).first, "");
    return rule;
  }
  rule.kind = SettingRule::Kind::kProperty;
  rule.dfm_property = target;
  if (values.starts_with('@')) {
    rule.converter = FirstWord(values).first;
    return rule;
  }
  for (; !values.empty(); values = FirstWord(values).second) {
    const std::string_view pair = FirstWord(values).first;
    const std::size_t equals = pair.find('=');
    if (equals == std::string_view::npos || equals == 0 || equals + 1 == pair.size())
      throw Exception("a value pair without \"=\"");
    rule.values.emplace_back(pair.substr(0, equals), pair.substr(equals + 1));
  }
  return rule;
}

}  // namespace

const SettingRules& SettingRules::Shared() {
  static const SettingRules table(kTableText);
  return table;
}

SettingRules::SettingRules(std::string_view table_text) : LookupTable(table_text, "Setting rules", ReadRule) {}

}  // namespace quorvex
