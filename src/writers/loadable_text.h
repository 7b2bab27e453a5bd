#pragma once
// The texts of one loadable form: the DFM text of its component model (before
// it is brought into the canonical layout) and its unit, which declares
// exactly the components of the DFM text with the same classes and keeps, as
// comments under each component's field, the FoxPro settings that could not
// be carried over.

#include <string>

#include "base/text_list.h"
#include "model/component_model.h"

namespace quorvex {

// One line per header, setting, column item and end, each ended by CR LF (as
// JoinLines ends them); two spaces per level. One text, not a list of lines:
// a form of many objects has many lines, and the canonical layout reads it whole.
std::string WriteLoadableDfm(const LoadableForm& form);

// The unit, one line per entry (no entry holds a line break). Kept settings
// are written as "//" comments in UTF-8, decoded from the form's code page.
TextList WriteLoadableUnit(const LoadableForm& form);

}  // namespace quorvex
