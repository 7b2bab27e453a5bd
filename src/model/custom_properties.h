#pragma once
// The properties a FoxPro form or class adds (RESERVED3 lists them): fields
// of the Delphi form class, Variants as FoxPro's are untyped, each starting
// with the value the object stores.

#include <string>
#include <string_view>
#include <vector>

#include "base/text_list.h"
#include "model/pascal_names.h"

namespace quorvex {

struct CustomProperty {
  std::string fox_name;    // as RESERVED3 lists it, lower case
  std::string identifier;  // the form class's field; "" until named
  std::string initial;     // the Pascal value it starts with: 'text', 0, 1.5, True, Null
};

// The custom properties of an object whose record (with its classes) lists
// `reserved3` ("name description" lines; "*name" a method, "^name[n]" an
// array, neither a property here) and stores `stored` ("name = value" lines,
// 8-bit text of `code_page`), not yet named. A property whose starting value
// is not certain (a date, an expression that is no constant, a text that ends
// in blanks) is left out: code that reads it stays untranslated.
std::vector<CustomProperty> CustomPropertiesOf(std::string_view reserved3, const TextList& stored, int code_page);

// Names `properties` as fields of the form class: the form's own by their
// names, another object's after its identifier and "_" (`prefix`).
void NameCustomProperties(std::vector<CustomProperty>& properties, std::string_view prefix, UniqueNames& names);

// The Pascal value a custom property stored as `value` starts with, or ""
// where that is not certain. FoxPro reads the stored text as a logical
// (.T., .F.), .NULL., a number, an expression after "=", else as text.
std::string CustomPropertyValue(std::string_view value, int code_page);

}  // namespace quorvex
