#pragma once
// The Delphi class of an object in the loadable mode: always a real class.
// Chosen from what is known of the object, in this order:
//   1. a page frame's children are pages and a grid's children columns,
//      whatever their records say;
//   2. the FoxPro base class through the vocabulary's ClassMap;
//   3. the kind of container: a command group's members are buttons, an
//      option group's option buttons;
//   4. the base class where the vocabulary has no Delphi class: a line is a
//      TBevel, other objects with no visible Delphi counterpart (custom,
//      olecontrol, oleboundcontrol, hyperlink, ...) a placeholder TPanel that
//      keeps their position and size;
//   5. the usual FoxPro name prefixes (cmdOK is a button, lblName a label);
//      for an object that holds objects, only a prefix whose class can hold
//      them (cntBar, pgfMain): a name says less than having members does;
//   6. TPanel.
// A class library's class name (the CLASS field) never names a Delphi class.
// That the class of an object with members can hold them, whatever chose
// the class, the builder makes sure of (HoldsMembers).

#include <string>
#include <string_view>

#include "vocabulary/lists.h"

namespace quorvex {

// The marker class of grid columns: a column is an item of its grid's
// Columns collection, not a component.
inline constexpr std::string_view kColumnMarker = "column";

struct ClassChoice {
  std::string delphi_class;  // TButton ...; kColumnMarker for a grid column
  // The FoxPro class whose vocabulary rules convert the object's settings
  // ("CommandButton" for an object named cmdOK without a base class); "" when
  // none applies.
  std::string fox_class;
};

// `fox_class`: the object's FoxPro base class ("" when unknown: a
// placeholder, a member of a container of no known kind). `name`: the
// object's name. `container_fox_class`, `container_delphi_class`: the same
// choice made for the container ("TForm" and "Form" for a form's own objects).
// `holds_objects`: the object has objects of its own.
ClassChoice ChooseDelphiClass(std::string_view fox_class, std::string_view name,
                              std::string_view container_fox_class, std::string_view container_delphi_class,
                              bool holds_objects = false, const Lists& lists = Lists::Shared());

// True for the classes that can hold an object's members: as controls
// (TPanel, TGroupBox, TTabSheet), as pages (TPageControl, whose members are
// made pages) or as columns (TDBGrid). No other class parents a control in
// both Delphi and the LCL: a button, an edit or a label holding one is
// refused by the LCL when the form is made and by Delphi's designer.
bool HoldsMembers(std::string_view delphi_class);

}  // namespace quorvex
