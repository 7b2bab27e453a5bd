#pragma once
// The property lines of one object as they build up along its class chain:
// the root class's settings first, each subclass's over them, the form's
// last. A later line of a property replaces the earlier one's text in its
// place, so every property is written once and keeps the place where it was
// first set.
//
// A line's property is its name part ("Caption", "Command1.Caption"), blanks
// at both ends removed, compared without regard to letter case. Lines with no
// name part (no "=", or nothing before it) are kept as they come.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorvex {

struct PropertyLine {
  std::string text;
  // The folder of the file that holds the line: where a library named in its
  // value (MemberClassLibrary) is looked for. Must outlive the set.
  std::string_view origin;
};

class PropertySet {
 public:
  // Splits a record's Properties text into lines (CR, LF or CR LF) and sets each.
  void SetAll(std::string_view properties, std::string_view origin);
  void Set(std::string text, std::string_view origin);

  const std::vector<PropertyLine>& Lines() const { return lines_; }
  // The line of a property, or null.
  const PropertyLine* Find(std::string_view property) const;
  // The value of an own property with blanks and any enclosing quotes
  // removed, or "" when not set: MemberClass = "page1" gives page1.
  std::string PlainValue(std::string_view property) const;

  // Replaces every line by `lines`, which are then set in order.
  void Reset(std::vector<PropertyLine> lines);

  // The Properties text of a record: every line followed by CR LF. The own
  // Name line is put before the first member line when it came after one, as
  // the object tree expects a record's own Name before its members' lines.
  std::string Text() const;

  // "Property = FOLDER" (CR LF after each) for every line whose origin is not
  // `home`: where the files that those lines name are looked for.
  std::string FoldersText(std::string_view home) const;

 private:
  std::vector<PropertyLine> lines_;
  std::unordered_map<std::string, std::size_t> index_;  // lower-case property -> line
};

// The property of a line, as PropertySet compares it: its name part without
// blanks at the ends, in lower case; "" when it has none.
std::string PropertyKey(std::string_view line);

}  // namespace quorvex
