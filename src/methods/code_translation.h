#pragma once
// The FoxPro code of a form's methods translated into Pascal (the translate
// stage), once the form class's methods are made: what the translator must
// know of the form comes from the component model.

#include "model/component_model.h"

namespace quorvex {

// Gives every FoxMethod of `form` that FoxPro runs its translation, and marks
// the versions of classes that a later version replaces as overridden. The
// code is decoded from the form's code page.
void TranslateFormCode(LoadableForm& form);

// True when some method of `form` has code translated, or some component a
// setting FoxRuntime makes: the unit then uses FoxRuntime.
bool UsesFoxRuntime(const Component& form);

}  // namespace quorvex
