#pragma once
// Fonts as FoxPro shows them. Every FoxPro control has a font of its own,
// stored or FoxPro's default; a Delphi control shows its container's font
// unless its .dfm sets one (ParentFont). And the LCL reads a control's font
// apart from its container's: a control that sets any part of its font
// starts from the widget set's default for the rest, not from its
// container's. So each component writes its whole font where it differs from
// the one its container shows, and none where it is the same.

#include "model/component_model.h"

namespace quorvex {

// Settles the Font.* settings of `form` and every component below it (grid
// columns aside). A component whose settings give a font name or size has a
// font of its own, FoxPro's default style and text color where it gives
// none; a component with only a style or a color takes the rest from its
// container; one with no Font.* setting shows its container's font. The form
// writes its whole font.
void SettleFonts(Component& form);

}  // namespace quorvex
