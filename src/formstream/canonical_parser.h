#pragma once
// Reads form text into a tree with the grammar of Delphi's form-stream text:
//   object    = ("object" | "inherited" | "inline") [name ":"] class
//               ["[" integer "]"] {property} {object} "end"
//   property  = identifier {"." identifier} "=" value
//   value     = identifier {"." identifier} | string {"+" string}
//             | integer | float | "(" {value} ")" | "[" [element {"," element}] "]"
//             | "<" {"item" ["[" integer "]"] {property} "end"} ">" | "{" hex pairs "}"
// Keywords are matched without regard to ASCII case; nothing after the
// outermost "end" is read.

#include <string_view>

#include "formstream/canonical_tree.h"

namespace quorvex {

// Objects, lists and collections may nest this deep (together); deeper text
// fails with "Nesting too deep" instead of exhausting the stack.
inline constexpr int kMaxDfmNesting = 1000;

// The outermost object of the text. Throws EParserError "<fault> on line <n>"
// on the first fault.
DfmObject ParseDfmText(std::string_view text);

}  // namespace quorvex
