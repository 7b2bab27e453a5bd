#pragma once
// How an object bound to data becomes a bound component. A control whose
// ControlSource names a field takes the data-aware class of its kind where
// Delphi and the LCL both have one (a text box a TDBEdit, an edit box a
// TDBMemo, a check box a TDBCheckBox, a combo box a TDBComboBox, a list box a
// TDBListBox); a spinner, which neither has bound, a TDBEdit, the field
// counting for more than the arrows, its range kept as comments. Its Value
// is dropped: FoxPro shows the field's. A grid's RecordSource names its
// data source, its columns' ControlSource their FieldName. An option group
// stays what it is until its buttons are known (radio_group.h).

#include <string>
#include <string_view>

#include "base/text_list.h"
#include "binding/data_environment.h"
#include "model/component_model.h"

namespace quorvex {

// The data-aware class of the controls of `delphi_class` ("TEdit" gives
// "TDBEdit"; an option group's "TGroupBox" "TDBRadioGroup"), "" for none.
std::string_view DataAwareClass(std::string_view delphi_class);

// What binds one object, worked out from its stored lines.
struct DataLink {
  std::string delphi_class;  // the class it takes: the data-aware one where bound
  std::string alias;         // whose data source it takes; "" when not bound
  std::string field;         // the field it shows; "" for a grid
  TextList carried;          // the stored lines the binding carries
};

// The binding of an object of `delphi_class` and FoxPro base class
// `fox_class` whose property lines are `stored`; a field without an alias
// is one of `environment`'s BareNameAlias.
DataLink LinkToData(const TextList& stored, std::string_view delphi_class, std::string_view fox_class,
                    const DataEnvironment& environment);

// `lines` without those of a property that a line of `carried` sets.
TextList WithoutCarried(TextList lines, const TextList& carried);

// The FieldName of a grid column whose property lines are `stored`, in a grid
// bound to `grid_alias` ("" when it is not): the field its ControlSource names
// ("" when none), and its stored lines to convert and to keep. A field of
// another alias than the grid's still names the column's field, and its line
// stays as a comment: the grid shows its own table's fields alone.
struct ColumnLink {
  std::string field;
  TextList lines;
};
ColumnLink LinkColumn(const TextList& stored, std::string_view grid_alias);

}  // namespace quorvex
