#pragma once
// FoxPro draws the objects of a container in the order they were made, each
// over those made before it. Delphi and the LCL draw a container's graphic
// controls (TLabel, TShape, TImage, TBevel) on its own surface, under every
// windowed control in it. So a graphic control that overlaps a windowed one
// made before it, which FoxPro shows over that control, would be hidden: it
// is made a windowed control of the same look, where that look can be kept.
//   - A label becomes a TStaticText, with its caption, font, colour and
//     alignment. A transparent one shows its container's colour in both
//     (neither draws the controls under it), so it takes the colour FoxPro
//     shows behind it where that is one colour: it lies wholly on a
//     container that holds nothing there.
//   - A shape, an image or a line goes into a TPanel without a bevel, in
//     that colour behind it (else its container's), where the panel shows
//     nothing FoxPro would not: the colour behind it is known, or the control
//     paints all its rectangle (an opaque rectangle, a line two pixels
//     thick, an image showing a picture). A shape that draws nothing stays as
//     it is: nothing of it hides, and no windowed control draws nothing.
// A windowed control made this way is windowed for the controls after it.

#include "model/component_model.h"
#include "model/pascal_names.h"

namespace quorvex {

// Settles the drawing order of the members of `container` and, below them,
// of every container they hold. A panel takes the name of the control it
// holds, which takes a new one from `names`.
void DrawInCreationOrder(Component& container, UniqueNames& names);

}  // namespace quorvex
