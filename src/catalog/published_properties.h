#pragma once
// Which properties each Delphi class of the loadable mode publishes, and what
// kind of value each takes. The table is the data file
// published_properties.txt, compiled into the program; a property is written
// into a .dfm only when the table lists it for the component's class and the
// value is of its kind.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/ascii.h"
#include "catalog/grouped_table.h"

namespace quorvex {

// kEvent: an event both publish, its value a handler's name; kLclEvent: an
// event only the LCL publishes, which no .dfm may set (the unit wires it).
// kStrings: a list of strings; kComponent: another component, by its name;
// kBinary: binary data in braces, hex digits in lines (a picture).
enum class ValueKind {
  kInteger, kBoolean, kString, kColor, kIdentifier, kSet, kStrings, kComponent, kEvent, kLclEvent, kBinary
};

struct PropertyType {
  ValueKind kind = ValueKind::kInteger;
  // The identifiers of kIdentifier and kSet; the method type of an event; the
  // class whose data kBinary holds.
  std::vector<std::string> names;
  // The value that Delphi and the LCL both give the property when a .dfm
  // does not set it (DFM text); none where they differ or it is not listed.
  std::optional<std::string> default_value;
};

// The class name under which the table lists the items of a TDBGrid's Columns.
inline constexpr std::string_view kColumnItemClass = "column";

// Find(class_name, property) gives the type of a property a class publishes,
// or null when the class does not publish it or is not in the table.
class PublishedProperties : public LookupTable<PropertyType> {
 public:
  // The table compiled into the program, read on first use (thread-safe).
  static const PublishedProperties& Shared();

  // Reads a table in the data file's layout. Throws Exception("Published
  // properties, line N: ...") for a line it cannot read.
  explicit PublishedProperties(std::string_view table_text);

  // True when `class_name` publishes `property` and `value` (DFM text as
  // written: 12, True, 'text', clRed, $00FF0000, taCenter, [fsBold]) is of its kind.
  bool Accepts(std::string_view class_name, std::string_view property, std::string_view value) const;

  bool HasClass(std::string_view class_name) const { return groups_.contains(std::string(class_name)); }

  // Every group of the table (classes and shared lists) with its properties.
  using Group = TableGroup<PropertyType>;
  const GroupedTable<PropertyType>& Groups() const { return groups_; }
};

// True when `value` is DFM text of `type`'s kind.
bool ValueFitsType(const PropertyType& type, std::string_view value);

}  // namespace quorvex
