#pragma once
// The Delphi unit that goes with a generated form: a unit named after the
// input file whose form class declares one field per component header of the
// DFM text, with the usual private and public sections, the global form
// variable and the resource directive. Works on the raw DFM text as pass 2
// writes it and on its canonical form alike.

#include <string_view>

#include "base/text_list.h"

namespace quorvex {

// Appends the unit text blocks for the DFM lines; file_name is the input's name (main.scx).
//
// Each block is one entry of `pas`; several blocks hold more than one line,
// separated by CR LF, so JoinLines(pas) is the unit's text. The form's name is
// the text before the first ":" of line 0 without its first 7 characters
// ("object Form1: TForm1" declares TForm1 and the variable Form1). When that
// name is empty the var section is left out, and an empty `dfm` also leaves
// the class unnamed (" = class(TForm)"); nothing is kept from an earlier unit.
// Every later line whose trimmed text starts with "object" (lower case)
// declares a field. The unit name is `file_name` without its directory and
// without the extension (from its last "." on). Throws only std::bad_alloc.
void ConvertToPas(const TextList& dfm, TextList& pas, std::string_view file_name);

}  // namespace quorvex
