#include "translate/pascal_words.h"

#include <algorithm>
#include <array>

#include "base/ascii.h"

namespace quorvex {

namespace {

constexpr std::array<std::string_view, 66> kReservedWords = {
    "and",          "array",         "as",        "asm",       "begin",          "case",      "class",
    "const",        "constructor",   "destructor", "dispinterface", "div",        "do",        "downto",
    "else",         "end",           "except",    "exports",   "file",           "finalization", "finally",
    "for",          "function",      "goto",      "if",        "implementation", "in",        "inherited",
    "initialization", "inline",      "interface", "is",        "label",          "library",   "mod",
    "nil",          "not",           "object",    "of",        "or",             "out",       "packed",
    "procedure",    "program",       "property",  "raise",     "record",         "repeat",    "resourcestring",
    "set",          "shl",           "shr",       "string",    "then",           "threadvar", "to",
    "try",          "type",          "unit",      "until",     "uses",           "var",       "while",
    "with",         "xor",           "operator",
};

}  // namespace

bool IsReservedWord(std::string_view word) {
  return std::any_of(kReservedWords.begin(), kReservedWords.end(),
                     [&](std::string_view reserved) { return SameText(reserved, word); });
}

}  // namespace quorvex
