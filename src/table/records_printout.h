#pragma once
// The "records" inspection stage: the table as the conversion reads it.

#include <ostream>

#include "table/table_dataset.h"

namespace quorvex {

// For each live record that First/Next reach, prints "#" and the record
// number, then one line NAME=VALUE for every text or memo-like field (kinds
// kString, kMemo, kBlob) in field-list order, VALUE being AsString passed
// through EscapeBytes. Every line ends with LF. The dataset must be open; it
// is left at Eof. Failures of the dataset propagate.
void PrintRecords(TableDataSet& dataset, std::ostream& out);

}  // namespace quorvex
