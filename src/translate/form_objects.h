#pragma once
// What the translator knows of a converted form: its objects as the Delphi
// form holds them, each with the FoxPro settings it was made from, and the
// methods of the form class that hold their FoxPro methods. The loadable mode
// builds it from its component model; objects[0] is the form.

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvex {

// The texts below are views into the model the objects are made from, which
// outlives them: a form of many objects is not held twice.

// A method of the form class that FoxPro code may call: FoxPro's method
// `fox_name` of the object. A handler takes the object as its Sender.
struct CallableMethod {
  std::string_view fox_name;
  std::string_view pascal_name;
  bool handler = false;  // a TNotifyEvent handler holding this FoxPro method alone
};

struct FoxObject {
  std::string_view fox_name;
  std::string_view pascal_name;  // the form class's field; "Self" for the form
  std::string_view delphi_class;
  // FoxPro settings as stored (class settings included): name, value text.
  std::vector<std::pair<std::string_view, std::string_view>> stored;
  int parent = -1;
  std::vector<int> members;
  std::vector<CallableMethod> methods;
  // FoxPro methods of this object that the conversion could not make
  // callable (a handler that other events share, one of another type).
  std::vector<std::string_view> other_methods;
  // The properties FoxPro's code added to it (a form's own): the FoxPro name
  // and the form class's field, a Variant, that holds it.
  std::vector<std::pair<std::string_view, std::string_view>> custom = {};
  // The field of the panel that holds it, where the conversion put it in one:
  // FoxPro's Left, Top, Width, Height and Visible of the object are the
  // panel's. "" for an object placed by its own.
  std::string_view placed_by = {};
};

struct FormObjects {
  std::vector<FoxObject> objects;
  // Every name the form class gives its fields and methods: a variable of a
  // method takes none of them, so that it hides nothing the code reaches.
  std::vector<std::string_view> class_names;
  // True for a name no variable may take besides those: a reserved word, a
  // member of the form that it would hide. May be empty.
  std::function<bool(std::string_view)> name_taken;
  // FoxPro counts a string's length in bytes, which for a double-byte code
  // page is not its number of characters: string lengths are not translated.
  bool double_byte = false;
  // The code is compiled with an #INCLUDE file, whose constants it may read.
  bool include_file = false;

  // The member of `object` named `name` (letter case aside), or -1.
  int Member(int object, std::string_view name) const;
  // The stored value of `property` of `object` (letter case aside), or null.
  const std::string_view* Stored(int object, std::string_view property) const;
  // True when `object` or an object inside it has FoxPro method `name`.
  bool AnyHasMethod(int object, std::string_view name) const;
  // True when `object` or an object inside it stores `property`.
  bool AnyStores(int object, std::string_view property) const;
};

}  // namespace quorvex
