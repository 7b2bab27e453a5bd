#include "model/runtime_settings.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/ascii.h"
#include "model/rule_lines.h"
#include "model/setting_conversion.h"
#include "vocabulary/lists.h"

namespace quorvex {

void CarryRuntimeSettings(Component& component, const SettingRules& rules) {
  std::vector<std::string> properties;  // each once, in the order of their first lines
  for (const std::string& line : component.rule_lines) {
    std::string property(TrimBlanks(NamePart(line)));
    const auto same = [&](const std::string& known) { return SameText(known, property); };
    if (std::none_of(properties.begin(), properties.end(), same)) properties.push_back(std::move(property));
  }
  for (const std::string& property : properties) {
    const SettingRule* rule = rules.Find(component.delphi_class, property);
    const std::optional<std::string> value = Stored(component, property);
    if (rule == nullptr || !value) continue;
    if (std::optional<DfmSetting> call = RuntimeSetting(*rule, *value)) {
      component.runtime_settings.push_back(std::move(*call));
      Carry(component, property);
    }
  }
}

}  // namespace quorvex
