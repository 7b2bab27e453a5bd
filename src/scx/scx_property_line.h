#pragma once
// How both halves of pass 1 read one line of a record's Properties text. A line
// is a property name, "=" and a value ("Height = 250"); a name part holding a
// "." belongs to a member object declared by the record ("Command1.Top = 5"):
// the text before its last "." is the member prefix, the rest the property.

#include <string>
#include <string_view>

namespace quorvex {

// The name part (NamePart) of a line split at its last ".": `prefix` before it, `property`
// after it, both trimmed of blanks (bytes 0 to 32). `is_member` is false when
// the trimmed name part holds no "."; `property` is then the whole trimmed name
// part and `prefix` is empty.
struct ScxPropertyName {
  bool is_member = false;
  std::string_view prefix;
  std::string_view property;
};
ScxPropertyName SplitPropertyName(std::string_view line);

// A Name value as the form stores it: a value that begins with a double quote
// stands for the text up to the closing quote, two quotes in a row inside it
// standing for one (anything after the closing quote is dropped; a value that
// never closes runs to its end). Any other value is returned unchanged.
std::string UnquoteNameValue(std::string_view value);

}  // namespace quorvex
