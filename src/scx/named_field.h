#pragma once
// A field of a form table read at many records: looked up by name once, not at
// every read. A field the table lacks is asked for by name at each read, which
// then fails as TableDataSet::FieldByName does.

#include <string>
#include <string_view>

namespace quorvex {

class Field;
class TableDataSet;

class NamedField {
 public:
  // The dataset must be open and stay open while this is used.
  NamedField(TableDataSet& dataset, std::string_view name);

  // The field's text in the current record (Field::AsString), or the
  // EDatabaseError "Field '%s' not found" of a field the table lacks.
  std::string AsString() const;

 private:
  TableDataSet& dataset_;
  std::string_view name_;
  Field* field_;
};

}  // namespace quorvex
