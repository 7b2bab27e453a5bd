#pragma once
// Rules that make one component show as FoxPro shows its object, where the
// component's settings alone would not: the shape of a line, the background
// of a label, the size of an auto-sized label without a caption, the size of
// a container that only its members tell.

#include "model/component_model.h"

namespace quorvex {

// A TBevel standing for a FoxPro line: a top line when it runs across, a
// left line when it runs down, at least 2 pixels thick so that it shows.
void ShapeBevel(Component& bevel);

// A TLabel's Color and Transparent, so that an opaque label shows its color
// and a transparent one none, in Delphi and in the LCL alike.
void SettleLabelBackground(Component& label);

// A control that takes its container's color (ParentColor = True, FoxPro's
// transparent BackStyle) has no color of its own: a Color after ParentColor
// in the .dfm would turn ParentColor off again.
void SettleParentColor(Component& component);

// A TLabel that sizes itself but has no caption to measure (none, or an
// expression kept as a comment) keeps the size its record stores.
void KeepSizeWithoutCaption(Component& label);

// Sets the Width (`width`) and the Height (`height`) of `container` so that
// it holds its members, with the margin they keep from its nearer edge; a
// way that no member has a size leaves the container's size that way as is.
void FitMembers(Component& container, bool width, bool height);

}  // namespace quorvex
