#pragma once
// The settings that a component carries as a whole rather than line by line
// (the rows "*" of setting_rules.txt): a check box's state, the option chosen
// in an option group, the items of a value list and the item chosen, the
// order of pages and the page a page frame opens on, a grid's options, the
// form's border icons and whether FoxPro shows the form modal. Each rule
// reads the rule lines of its component (and of the component's options or
// pages), FoxPro's defaults standing in for what is not stored; a line that
// no rule carries is kept as a comment.

#include "catalog/fox_defaults.h"
#include "model/component_model.h"

namespace quorvex {

// Runs the rules over every component of `form`, emptying their rule lines.
void CarryComponentRules(LoadableForm& form, const FoxDefaults& defaults = FoxDefaults::Shared());

}  // namespace quorvex
