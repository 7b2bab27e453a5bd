#pragma once
// Names that Delphi accepts: component names and unit names are Pascal
// identifiers (an ASCII letter or "_", then letters, digits and "_"), never a
// reserved word, and component names are unique within a form without regard
// to letter case.

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "base/ascii.h"

namespace quorvex {

// `text` as an identifier: every byte other than an ASCII letter, digit or
// "_" becomes "_"; a text that is empty or starts with a digit gets `lead` in
// front; a reserved word gets "_" after it. "Label.1" gives Label_1,
// "0001_tool" with lead 'U' gives U0001_tool, "end" gives end_.
std::string PascalIdentifier(std::string_view text, char lead);

// PascalIdentifier(text, 'C') for a component: a name that a field of the
// form class would hide a member of the form or a routine by (Exit, Close,
// Caption; form_member_names.txt) gets "_" after it.
std::string ComponentIdentifier(std::string_view text);

// True when a field or a variable of the form class named `name` would be a
// reserved word or hide a member of the form or a routine its methods call
// (form_member_names.txt).
bool HidesFormMember(std::string_view name);

// The unit name of an input file: its base name without directory and
// extension, as an identifier with lead 'U' (0001_createtool.scx gives
// U0001_createtool); "U" goes in front of the name of a library unit too
// (dialogs.scx gives Udialogs), which the form's unit would stand for, and
// in front of the name of the runtime unit of translated code (FoxRuntime).
std::string UnitNameOf(std::string_view file_name);

// The names given out within one form.
class UniqueNames {
 public:
  // `name` if no name given out equals it without regard to letter case,
  // else `name` with "_1", "_2", ... appended; the result is given out.
  std::string Take(const std::string& name);

 private:
  // Hashed: a form of many objects asks for as many names.
  std::unordered_set<std::string, TextHash, TextEqual> taken_;
  // Per name asked for: the last suffix tried, so that many objects of one
  // name do not each count up from 1.
  std::unordered_map<std::string, unsigned, TextHash, TextEqual> last_suffix_;
};

}  // namespace quorvex
