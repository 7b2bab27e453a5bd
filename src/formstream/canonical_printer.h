#pragma once
// Prints a parsed form in the canonical layout of Delphi's form-stream text:
// two spaces of indentation per level, one property per line, integers in
// decimal, floating-point numbers in general format with their suffix, strings
// as quoted runs and #codes cut after 64 characters, lists and collections one
// entry per line, binary data in lines of 32 bytes; CR LF after every line.

#include <cstddef>
#include <string>

#include "formstream/canonical_tree.h"

namespace quorvex {

// The canonical text of `form`. code_page names a double-byte code page (932,
// 936, 949, 950) whose two-byte characters a string cut must keep whole; a cut
// that would split one moves a byte later. size_hint is the expected size of
// the result, reserved up front (0 when unknown). `strings` chooses which
// characters are printed inside apostrophes (canonical_dfm.h).
std::string PrintDfmText(const DfmObject& form, int code_page, std::size_t size_hint = 0,
                         DfmStrings strings = DfmStrings::kAsRead);

}  // namespace quorvex
