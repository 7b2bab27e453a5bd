#pragma once
// FoxPro's properties and methods of the converted objects in Pascal: each
// FoxPro property that has a counterpart of the same meaning in the Delphi
// class the object became (a text box's Value is TEdit's Text while the text
// box holds a string; a check box's is its Checked as 0 or 1), each method
// likewise (AddItem of a list is Items.Add), and the form class's own
// methods that hold FoxPro methods (THIS.Click() calls the handler).

#include <string>
#include <string_view>
#include <vector>

#include "translate/form_objects.h"
#include "translate/pascal_expression.h"

namespace quorvex {

// The Pascal that names `object` in the form class's methods: "Self" for
// the form, its field otherwise.
std::string ObjectText(const FormObjects& form, int object);

// Property `property` of `object` read. Not translated where the property
// has no such counterpart or cannot be read.
Translated<PasExpr> ReadProperty(const FormObjects& form, int object, std::string_view property);

// The statement that sets property `property` of `object` to `value`
// (converted to the property's type).
Translated<std::string> WriteProperty(const FormObjects& form, int object, std::string_view property, const PasExpr& value);

// Method `method` of `object` called with `arguments`: the call, and in
// `has_value` whether it gives a value (List(n)).
Translated<PasExpr> CallMethod(const FormObjects& form, int object, std::string_view method,
                   const std::vector<PasExpr>& arguments, bool& has_value);

}  // namespace quorvex
