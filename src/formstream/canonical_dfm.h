#pragma once
// The canonical layout of Delphi's form-stream text. Every .dfm that is saved
// goes through CanonicaliseDfmText: the generated text is parsed with the
// grammar of the form text and printed again in the one layout Delphi itself
// writes, so other Delphi tools read exactly what they would have written.

#include <string>
#include <string_view>

#include "base/errors.h"
#include "base/text_list.h"
#include "formstream/canonical_tree.h"

namespace quorvex {

// A text that does not follow the form-text grammar. The message is
// "<fault> on line <n>", n counting line feeds from 1 up to the offending
// token, e.g. "Identifier expected on line 3", "'=' expected on line 2",
// "'object' expected on line 9", "Invalid property value on line 4",
// "Invalid string constant on line 2", "Invalid binary value on line 5",
// "Line too long on line 7".
class EParserError : public Exception {
 public:
  using Exception::Exception;
};

// Parses the form text (lines ending in CR LF, LF or CR; a NUL byte ends the
// text; nothing after the outermost object's "end" is read) and returns it in
// the canonical layout, every line ended by CR LF. code_page selects the
// double-byte code page whose characters a string cut must not split
// (932, 936, 949, 950); any other value means single-byte text. `strings`
// chooses how strings are printed (DfmStrings, canonical_tree.h).
// Throws EParserError when the text does not parse; no partial result is kept.
// Holds no shared state: safe to call on several threads at once.
std::string CanonicaliseDfmText(std::string_view text, int code_page = 0, DfmStrings strings = DfmStrings::kAsRead);

// The same for the text JoinLines(lines) without joining it (the lines of a
// large form are not held twice), with the same result and the same faults.
std::string CanonicaliseDfmText(const TextList& lines, int code_page = 0, DfmStrings strings = DfmStrings::kAsRead);

// The code page of a table's language mark (header byte 29): 0x13 -> 932,
// 0x7A -> 936, 0x79 -> 949, 0x78 -> 950; anything else is single-byte (0).
int CodePageFromMark(int mark);

}  // namespace quorvex
