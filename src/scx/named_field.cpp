#include "scx/named_field.h"

#include "table/table_dataset.h"

namespace quorvex {

NamedField::NamedField(TableDataSet& dataset, std::string_view name)
    : dataset_(dataset), name_(name), field_(dataset.FindField(name)) {}

std::string NamedField::AsString() const {
  return (field_ != nullptr ? *field_ : dataset_.FieldByName(name_)).AsString();
}

}  // namespace quorvex
