#pragma once
// The FoxPro settings that neither Delphi nor the LCL has a property for and
// that FoxRuntime makes when the form is loaded: the rows "!" of
// setting_rules.txt, and FoxPro's Anchor where it holds an edge in proportion
// or a centre. Each becomes a call the unit's Loaded makes
// (Component::runtime_settings).

#include "model/component_model.h"
#include "model/setting_rules.h"

namespace quorvex {

// Moves the rule lines of `component` that FoxRuntime makes into its
// runtime settings, the last line of a property deciding.
void CarryRuntimeSettings(Component& component, const SettingRules& rules = SettingRules::Shared());

}  // namespace quorvex
