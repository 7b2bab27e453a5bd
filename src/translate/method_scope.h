#pragma once
// What the code of one FoxPro method can reach while it is translated: the
// form's objects, the object THIS stands for, the objects of the WITH blocks
// it is in, and its variables (those it declares LOCAL or PRIVATE).

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "base/ascii.h"
#include "translate/form_objects.h"
#include "translate/pascal_expression.h"

namespace quorvex {

struct Variable {
  std::string pascal_name;
  PasType type = PasType::kVariant;
  // False while the types of the variables are being worked out: an
  // expression that reads it has no type yet.
  bool decided = true;
  // Code that was not translated may have set it: what it holds is not known.
  bool tainted = false;
};

struct MethodScope {
  explicit MethodScope(const FormObjects& objects) : form(objects) {}

  const FormObjects& form;
  int this_object = -1;  // -1: THIS is no object of the form
  std::string method_name;  // the FoxPro method's: Click, Init, ...
  bool event = false;       // it is in the handler of a Delphi event
  std::vector<int> with_objects;
  std::map<std::string, Variable, TextLess> variables;  // by FoxPro name

  Variable* Find(std::string_view fox_name) {
    const auto found = variables.find(fox_name);
    return found == variables.end() ? nullptr : &found->second;
  }
};

}  // namespace quorvex
