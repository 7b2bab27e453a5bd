#pragma once
// What a FoxPro control or grid is bound to. A ControlSource names a field
// ("customer.name", or "name" in the alias selected), a variable
// ("m.cName", "thisform.nTotal"), or an object's property; a grid's
// RecordSource names the alias (or table) whose records it shows.

#include <optional>
#include <string>
#include <string_view>

namespace quorvex {

// A field of the table open under `alias`.
struct FieldReference {
  std::string alias;
  std::string field;
};

// The field that `control_source` (a stored ControlSource value, quoted or
// bare) names: "alias.field", or a name alone as a field of `current_alias`
// when that is not "". nullopt for a variable of memory ("m.x"), a property
// of an object FoxPro names itself (this, thisform, thisformset, _screen,
// _vfp), a longer path ("thisform.oData.cName"), an expression, and a name
// alone without a current alias.
std::optional<FieldReference> FieldOfControlSource(std::string_view control_source, std::string_view current_alias);

// The alias whose records a grid shows, from its stored RecordSource and
// RecordSourceType ("" when not stored: 1, an alias): an alias as it is, a
// table (0) under the name FoxPro opens it with. nullopt for the other
// types (the user picks a table, a query file, an SQL statement) and for a
// record source that is no name.
std::optional<std::string> AliasOfRecordSource(std::string_view record_source, std::string_view record_source_type);

}  // namespace quorvex
