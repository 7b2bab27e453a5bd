#pragma once
// FoxPro's functions that the runtime unit FoxRuntime has, with FoxPro's
// results: the Pascal call for a FoxPro call whose arguments are already
// translated. IIF and CHR are the expression translator's, since they need
// the FoxPro arguments themselves.

#include <string_view>
#include <vector>

#include "translate/pascal_expression.h"

namespace quorvex {

// FoxPro function `name` (as written; FoxPro's own abbreviations to four
// letters where no other FoxPro function shares them) with `arguments`.
// `double_byte`: the form's strings are double-byte, whose lengths FoxPro
// counts in bytes. Not translated for a function it does not have, a wrong
// number of arguments, or arguments of types it cannot be sure of.
Translated<PasExpr> CallFunction(std::string_view name, const std::vector<PasExpr>& arguments, bool double_byte);

// True when CallFunction has FoxPro function `name` (IIF and CHR aside).
bool KnowsFunction(std::string_view name);

// True when `name` is FoxPro's function `full_name` as FoxPro reads it,
// abbreviated to `shortest` letters at least (0: not at all).
bool NamesFunction(std::string_view name, std::string_view full_name, std::size_t shortest);

}  // namespace quorvex
