#pragma once
// Pascal's reserved words as Delphi and Free Pascal (Delphi mode) reserve
// them, with the directives that cannot name a field or a variable.

#include <string_view>

namespace quorvex {

// Letter case aside.
bool IsReservedWord(std::string_view word);

}  // namespace quorvex
