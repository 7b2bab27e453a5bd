#pragma once
// The kinds of the dataset's fields, which type letters are listed as which
// kind, and how the values of the kinds that are neither text nor memo are
// printed (the forms are listed in table_dataset.h).

#include <optional>
#include <string>
#include <string_view>

#include "table/dbf_format.h"

namespace quorvex {

enum class FieldKind { kString, kMemo, kBlob, kDate, kFloat, kSmallInt, kInteger, kLargeInt, kBoolean, kDateTime, kCurrency };

// The kind a descriptor is listed as in a table of this version; nothing for
// type letters that have no field.
std::optional<FieldKind> FieldKindOf(const FieldDescriptor& field, int version);

// Text and memo kinds: C, M, and those read like a memo.
bool IsTextOrMemoKind(FieldKind kind);

// The printed value of a field of a non-text, non-memo kind in record.
// Throws ETableError "Invalid numeric value in field ..." (NumericValue).
std::string FormatFieldValue(FieldKind kind, const FieldDescriptor& field, std::string_view record, int version,
                             std::string_view table_file_name);

}  // namespace quorvex
