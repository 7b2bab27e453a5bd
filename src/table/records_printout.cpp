#include "table/records_printout.h"

#include "base/escape_bytes.h"

namespace quorvex {

void PrintRecords(TableDataSet& dataset, std::ostream& out) {
  std::vector<Field*> printed;
  for (const auto& field : dataset.Fields()) {
    if (IsTextOrMemoKind(field->Kind())) printed.push_back(field.get());
  }
  for (dataset.First(); !dataset.Eof(); dataset.Next()) {
    out << '#' << dataset.RecNo() << '\n';
    for (const Field* field : printed) out << field->FieldName() << '=' << EscapeBytes(field->AsString()) << '\n';
  }
}

}  // namespace quorvex
