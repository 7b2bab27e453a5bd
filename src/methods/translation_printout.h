#pragma once
// --stage translation: how much of each FoxPro method of a form the code
// translator translated, and why the rest was not.

#include <ostream>

#include "model/component_model.h"

namespace quorvex {

// One line per FoxPro method that runs and holds code, in the order of the
// unit: "  METHOD (EVENT, FoxPro OWNER.NAME): full|partly|not at all, T of L
// lines" (no EVENT for a plain method),
// then one line per reason: "    N lines: REASON". Headed by "UNIT.pas".
void PrintTranslation(const LoadableForm& form, std::ostream& out);

}  // namespace quorvex
