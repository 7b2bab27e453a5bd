#include "translate/runtime_unit.h"

namespace quorvex {

namespace {

constexpr std::string_view kText =
#include "translate/fox_runtime_text.inc"
    ;

}  // namespace

TextList FoxRuntimeUnit() { return SplitLines(kText); }

}  // namespace quorvex
