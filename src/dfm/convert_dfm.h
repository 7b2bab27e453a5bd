#pragma once
// Pass 2: the object text (one block per Visual FoxPro object: an
// "object Name=Class" line, its property lines, its children's blocks, "end")
// becomes DFM text. Each object line becomes an "object Name: TClass" header,
// each property line one DFM assignment (or its indentation alone when the
// property has no Delphi counterpart), each end line "end". A grid becomes a
// TDBGrid whose columns are the items of its "Columns = <...>" collection; a
// column's header and edit control add their properties to the item (the
// header's with "Title." in front) and write empty lines in place of their own
// object and end lines.
//
// Every line read yields one line out, so an input line's index is its output
// line's index (offset by what `dfm` held before). Only the first object block
// is converted; the last input line is never converted as a property or child.

#include <string_view>

#include "base/packed_lines.h"
#include "base/progress.h"
#include "base/text_list.h"

namespace quorvex {

// Raised for an empty object text, before any line is written.
inline constexpr std::string_view kEmptyObjectTextMessage = "Max property out of range: the object text is empty";

// Appends the DFM lines of the object text's first object block to `dfm`. Calls
// progress.SetRange(lines - 1) first and progress.ReportProgress(n) once per line read;
// whatever ReportProgress throws (a cancel) leaves this function, with `dfm` holding the
// lines written so far. Throws quorvex::Exception for an empty object text (no line written).
void ConvertToDfm(const TextList& object_text, TextList& dfm, ProgressSink& progress);
// The same for an object text kept packed.
void ConvertPackedToDfm(const PackedLines& object_text, TextList& dfm, ProgressSink& progress);

}  // namespace quorvex
