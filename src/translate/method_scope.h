#pragma once
// What the code of one FoxPro method can reach while it is translated: the
// form's objects, the object THIS stands for, the objects of the WITH blocks
// it is in, and its variables (those it declares LOCAL; FoxPro's other
// variables live in FoxRuntime while the code runs).

#include <map>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/ascii.h"
#include "expression/fox_lexer.h"
#include "translate/form_objects.h"
#include "translate/pascal_expression.h"

namespace quorvex {

// Stands for every name where code left untranslated may set any.
inline constexpr std::string_view kEveryName = "*";
// Stands for the fields of the selected table where code left untranslated
// may select another (SELECT, USE): a name read without m. may be one.
inline constexpr std::string_view kSelectedFields = ".";

// The names `tokens`, a statement, sets, added to `names`; with `may`, those
// it may set too (kEveryName for any).
void SetNames(std::span<const Token> tokens, bool may, std::set<std::string, TextLess>& names);

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
  // Names that code left untranslated may have set (kEveryName: any):
  // FoxPro's variables of those names hold what is not known.
  std::set<std::string, TextLess> untranslated_names;

  // Where the code may read constants (#DEFINE, an #INCLUDE file): the names
  // the method gives values to, which no constant can be; null elsewhere.
  std::unique_ptr<std::set<std::string, TextLess>> set_names;

  bool Unknown(const std::string& fox_name) const {
    return untranslated_names.contains(fox_name) || untranslated_names.contains(std::string(kEveryName));
  }

  Variable* Find(std::string_view fox_name) {
    const auto found = variables.find(fox_name);
    return found == variables.end() ? nullptr : &found->second;
  }
};

}  // namespace quorvex
