#include "table/data_field.h"

#include <string>

#include "base/errors.h"
#include "base/escape_bytes.h"

namespace quorvex {

namespace {

constexpr char kNullFlagsType = '0';
constexpr int kVisualFoxProReferenceWidth = 4;
constexpr int kBitsPerByte = 8;

std::optional<DataType> TypeOf(char letter, bool visual_foxpro) {
  switch (letter) {
    case 'C': return DataType::kCharacter;
    case 'M': return DataType::kMemo;
    case 'G': return DataType::kGeneral;
    case 'P': return DataType::kPicture;
    case 'N': return DataType::kNumeric;
    case 'F': return DataType::kFloat;
    case 'D': return DataType::kDate;
    case 'L': return DataType::kLogical;
    case 'B': return visual_foxpro ? DataType::kDouble : DataType::kBinaryMemo;
    default: break;
  }
  if (!visual_foxpro) return std::nullopt;
  switch (letter) {
    case 'V': return DataType::kVarchar;
    case 'Q': return DataType::kVarbinary;
    case 'W': return DataType::kBlob;
    case 'I': return DataType::kInteger;
    case 'Y': return DataType::kCurrency;
    case 'T': return DataType::kDateTime;
    default: return std::nullopt;
  }
}

bool IsMemoType(DataType type) {
  return type == DataType::kMemo || type == DataType::kGeneral || type == DataType::kBlob ||
         type == DataType::kPicture || type == DataType::kBinaryMemo;
}

// The one width a type allows, or 0 where any width does.
int FixedWidth(DataType type, bool visual_foxpro) {
  switch (type) {
    case DataType::kInteger: return 4;
    case DataType::kDouble:
    case DataType::kCurrency:
    case DataType::kDateTime:
    case DataType::kDate: return 8;
    case DataType::kLogical: return 1;
    default: return visual_foxpro && IsMemoType(type) ? kVisualFoxProReferenceWidth : 0;
  }
}

DataField TypedField(const FieldDescriptor& descriptor, bool visual_foxpro, std::string_view table_file_name) {
  const std::optional<DataType> type = TypeOf(descriptor.type, visual_foxpro);
  if (!type) {
    throw ETableError("Type " + EscapeBytes(std::string(1, descriptor.type)) + " of field " + descriptor.name +
                      " is unknown in table " + std::string(table_file_name));
  }
  const int fixed = FixedWidth(*type, visual_foxpro);
  if (descriptor.width == 0 || (fixed != 0 && descriptor.width != fixed)) {
    throw ETableError("Width " + std::to_string(descriptor.width) + " of field " + descriptor.name +
                      " is invalid in table " + std::string(table_file_name));
  }
  DataField field{.descriptor = descriptor, .type = *type};
  // The flags byte is Visual FoxPro's; older versions leave it to chance.
  if (visual_foxpro) {
    field.nullable = (descriptor.flags & kFieldNullable) != 0;
    field.binary = (descriptor.flags & kFieldBinary) != 0 &&
                   (*type == DataType::kCharacter || *type == DataType::kVarchar || *type == DataType::kMemo);
    field.auto_increment = *type == DataType::kInteger && (descriptor.flags & kFieldAutoIncrement) != 0;
  }
  return field;
}

// Gives out the _NullFlags bits in field order and returns how many were given.
int AssignFlagBits(std::vector<DataField>& fields) {
  int next = 0;
  for (DataField& field : fields) {
    if (field.type == DataType::kVarchar || field.type == DataType::kVarbinary) field.length_bit = next++;
    if (field.nullable) field.null_bit = next++;
  }
  return next;
}

void CheckRecordLength(const std::vector<FieldDescriptor>& descriptors, int record_length,
                       std::string_view table_file_name) {
  long long end = 1;  // after the deletion flag
  for (const FieldDescriptor& descriptor : descriptors) end += descriptor.width;
  if (end > record_length) {
    throw ETableError("Fields of table " + std::string(table_file_name) + " need " + std::to_string(end) +
                      " bytes but its records have " + std::to_string(record_length));
  }
}

void CheckNullFlags(const DataLayout& layout, int flags, std::string_view table_file_name) {
  if (flags == 0) return;
  if (!layout.null_flags) {
    throw ETableError("Table " + std::string(table_file_name) + " has no _NullFlags field for its " +
                      std::to_string(flags) + " flags");
  }
  const int room = layout.null_flags->width * kBitsPerByte;
  if (room < flags) {
    throw ETableError("Field _NullFlags of table " + std::string(table_file_name) + " holds " + std::to_string(room) +
                      " flags, not " + std::to_string(flags));
  }
}

}  // namespace

DataLayout LayoutOf(const std::vector<FieldDescriptor>& descriptors, int version, int record_length,
                    std::string_view table_file_name) {
  const bool visual_foxpro = IsVisualFoxProVersion(version);
  CheckRecordLength(descriptors, record_length, table_file_name);
  DataLayout layout;
  for (const FieldDescriptor& descriptor : descriptors) {
    if (visual_foxpro && descriptor.type == kNullFlagsType) {
      if (!layout.null_flags) layout.null_flags = descriptor;
      continue;
    }
    if (visual_foxpro && (descriptor.flags & kFieldSystem) != 0) continue;
    layout.fields.push_back(TypedField(descriptor, visual_foxpro, table_file_name));
  }
  CheckNullFlags(layout, AssignFlagBits(layout.fields), table_file_name);
  return layout;
}

}  // namespace quorvex
