#pragma once
// An option group bound to a field becomes a TDBRadioGroup where that keeps
// its look: a framed group whose buttons stand in one column, evenly spaced,
// in one font, and differ in their captions alone, which is how the radio
// groups of Delphi and the LCL draw their items. Any other bound option group
// stays a group box of option buttons, since a radio group's items have no
// place, font, state or events of their own; its ControlSource is kept as a
// comment.

#include "model/component_model.h"

namespace quorvex {

// True when `group` (the TGroupBox of an option group, its option buttons
// built, the rules of the form not yet run) looks as a TDBRadioGroup of its
// buttons' captions does.
bool DrawnAsRadioGroup(const Component& group);

// Makes `group` a TDBRadioGroup whose items are its buttons' captions, in the
// buttons' font. With `numbered` its Values are the buttons' numbers from 1,
// what FoxPro stores in a numeric field; without, a radio group stores the
// caption chosen, as FoxPro does in a character field. The group's Value is
// dropped: the field gives it.
void MakeRadioGroup(Component& group, bool numbered);

}  // namespace quorvex
