#include "translate/runtime_unit.h"

namespace quorvex {

namespace {

constexpr std::string_view kText =
#include "translate/fox_runtime_text.inc"
    ;

constexpr std::string_view kDataText =
#include "translate/fox_data_text.inc"
    ;

}  // namespace

TextList FoxRuntimeUnit() { return SplitLines(kText); }

TextList FoxDataUnit() { return SplitLines(kDataText); }

}  // namespace quorvex
