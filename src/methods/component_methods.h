#pragma once
// The methods of the form class that hold a form's FoxPro methods. A FoxPro
// event method becomes the handler of the Delphi event that carries it
// (fox_events.txt) where the component's class publishes that event
// (published_properties.txt): wired by the .dfm where Delphi and the LCL both
// publish it, by the unit when the form is loaded where only the LCL does.
// FoxPro events that meet in one Delphi event share one handler, in the order
// FoxPro fires them. Every other method (Refresh, Init of a control, user
// methods, methods of a grid's columns or of the data environment) is a plain
// method of the form class. Names follow the form designers' habit: the
// component's name and the event without "On" (cmdOKClick), "Form" for the
// form's own (FormCreate), the component's name and the method's for a plain
// method (txtNameRefresh); all unique in the class.

#include "catalog/fox_events.h"
#include "catalog/published_properties.h"
#include "model/component_model.h"
#include "model/pascal_names.h"

namespace quorvex {

// Moves the fox_methods of `form` and of every component below it into
// their methods, and sets the .dfm's handler of each event both publish.
// `names` holds every name the form class has given out; the methods' names
// are taken from it.
void MakeFormMethods(Component& form, UniqueNames& names, const FoxEvents& events = FoxEvents::Shared(),
                     const PublishedProperties& table = PublishedProperties::Shared());

}  // namespace quorvex
