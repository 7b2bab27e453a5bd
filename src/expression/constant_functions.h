#pragma once
// The values and functions that EvaluateConstant (constant_expression.h)
// builds its results from.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "expression/constant_expression.h"

namespace quorvex {

FoxConstant TextValue(std::string text);
FoxConstant LogicalValue(bool logical);
// A number value, or nullopt when `number` is infinite or NaN: FoxPro stops
// with an error where this evaluation would get one.
std::optional<FoxConstant> NumberValue(double number);

// FoxPro's MOD() and %: the remainder of `dividend` / `divisor` with the sign
// of the divisor (MOD(-7, 3) is 2); nullopt for a zero divisor.
std::optional<FoxConstant> FoxModulus(double dividend, double divisor);

// The value of the function `name` (its full name, or its first four letters
// or more; any ASCII letter case) on `arguments`, or nullopt when `name` is
// not one of the functions listed in constant_expression.h or the arguments
// do not fit it.
std::optional<FoxConstant> CallConstantFunction(std::string_view name, std::span<const FoxConstant> arguments);

}  // namespace quorvex
