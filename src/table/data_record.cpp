#include "table/data_record.h"

#include <cstring>
#include <string>

#include "base/ascii.h"
#include "base/errors.h"
#include "table/byte_order.h"
#include "table/file_name.h"

namespace quorvex {

namespace {

constexpr std::int64_t kMillisecondsPerDay = 86400000;

// The field's first `size` bytes, zero-filled where the record ends first.
std::string FixedBytes(std::string_view bytes, std::size_t size) {
  std::string fixed(bytes.substr(0, size));
  fixed.resize(size, '\0');
  return fixed;
}

std::string FieldInTable(const DataField& field, const RecordSource& source) {
  return std::string(FileBaseName(source.table_file_name)) + "->" + field.descriptor.name;
}

DataValue Invalid(std::string_view bytes, std::string message) {
  return InvalidValue{std::string(bytes), std::move(message)};
}

bool FlagBit(std::string_view flags, int bit) {
  const auto at = static_cast<std::size_t>(bit / 8);
  return bit >= 0 && at < flags.size() && (static_cast<unsigned char>(flags[at]) >> (bit % 8) & 1) != 0;
}

DataValue Character(const DataField& field, std::string_view bytes) {
  if (field.binary) return BinaryValue{std::string(bytes)};
  // FoxPro pads with spaces, other writers with NULs: neither is data.
  const std::size_t end = bytes.find_last_not_of(std::string_view(" \0", 2));
  return TextValue{std::string(bytes.substr(0, end == std::string_view::npos ? 0 : end + 1))};
}

DataValue Variable(const DataField& field, std::string_view bytes, std::string_view flags, const RecordSource& source) {
  std::string_view value = bytes;
  if (FlagBit(flags, field.length_bit) && !bytes.empty()) {
    const auto length = static_cast<unsigned char>(bytes.back());
    if (length >= bytes.size()) {
      return Invalid(bytes, "Length " + std::to_string(length) + " of field " + FieldInTable(field, source) +
                                " is above its width " + std::to_string(bytes.size() - 1));
    }
    value = bytes.substr(0, length);
  }
  if (field.type == DataType::kVarchar && !field.binary) return TextValue{std::string(value)};
  return BinaryValue{std::string(value)};
}

DataValue Decimal(const DataField& field, std::string_view bytes, const RecordSource& source) {
  const std::string_view text = TrimBlanks(bytes);
  if (text.empty()) return BlankValue{};
  // NumericValue checks the grammar and words the failure.
  NumericValue(field.descriptor, source.record, source.version, source.table_file_name);
  return DecimalValue{std::string(text)};
}

DataValue Date(const DataField& field, std::string_view bytes, const RecordSource& source) {
  const std::string_view text = TrimBlanks(bytes);
  if (text.empty() || text == "00000000") return BlankValue{};
  CivilDate date;
  if (!DecodeDate(text, date)) {
    return Invalid(bytes,
                   "Invalid date value in field " + FieldInTable(field, source) + " (" + std::string(text) + ")");
  }
  return DateValue{JulianDayOfDate(date), date};
}

DataValue DateTime(std::string_view bytes) {
  const std::string fixed = FixedBytes(bytes, 8);
  if (fixed.find_first_not_of('\0') == std::string::npos || fixed.find_first_not_of(' ') == std::string::npos) {
    return BlankValue{};
  }
  // Milliseconds outside the day carry into the day number.
  std::int64_t day = static_cast<std::int32_t>(LittleEndian32(fixed, 0));
  std::int64_t milliseconds = static_cast<std::int32_t>(LittleEndian32(fixed, 4));
  day += milliseconds / kMillisecondsPerDay;
  milliseconds %= kMillisecondsPerDay;
  if (milliseconds < 0) {
    milliseconds += kMillisecondsPerDay;
    --day;
  }
  return DateTimeValue{day, static_cast<std::int32_t>(milliseconds), DateOfJulianDay(day)};
}

DataValue Logical(const DataField& field, std::string_view bytes, const RecordSource& source) {
  const char c = bytes.empty() ? ' ' : bytes[0];
  if (std::string_view("TtYyJj").find(c) != std::string_view::npos) return LogicalValue{true};
  if (std::string_view("FfNn").find(c) != std::string_view::npos) return LogicalValue{false};
  if (c == ' ' || c == '?' || c == '\0') return BlankValue{};
  return Invalid(bytes,
                 "Invalid logical value in field " + FieldInTable(field, source) + " (" + std::string(1, c) + ")");
}

DataValue Double(std::string_view bytes) {
  const std::uint64_t bits = LittleEndian64(FixedBytes(bytes, 8), 0);
  double value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return DoubleValue{value};
}

// The memo block a reference names: Visual FoxPro stores it binary (four
// blanks for none), the older versions as decimal text.
std::int64_t MemoBlock(const DataField& field, std::string_view bytes, const RecordSource& source) {
  if (!IsVisualFoxProVersion(source.version)) {
    return MemoBlockNumber(NumericValue(field.descriptor, source.record, source.version, source.table_file_name));
  }
  const std::string fixed = FixedBytes(bytes, 4);
  return fixed == "    " ? 0 : static_cast<std::int32_t>(LittleEndian32(fixed, 0));
}

DataValue Memo(const DataField& field, std::string_view bytes, const RecordSource& source) {
  const std::int64_t block = MemoBlock(field, bytes, source);
  std::string entry;
  if (block != 0) {
    if (!source.memo && source.memo_failure.empty()) {
      throw ETableError("Table " + std::string(source.table_file_name) + " has no memo file for block " +
                        std::to_string(block) + " of field " + field.descriptor.name);
    }
    if (!source.memo) throw ETableError(std::string(source.memo_failure));
    entry = source.memo->EntryText(block);
  }
  const bool text = field.type == DataType::kMemo && !field.binary;
  return text ? DataValue(TextValue{std::move(entry)}) : DataValue(BinaryValue{std::move(entry)});
}

DataValue Typed(const DataField& field, std::string_view bytes, std::string_view flags, const RecordSource& source) {
  switch (field.type) {
    case DataType::kCharacter: return Character(field, bytes);
    case DataType::kVarchar:
    case DataType::kVarbinary: return Variable(field, bytes, flags, source);
    case DataType::kNumeric:
    case DataType::kFloat: return Decimal(field, bytes, source);
    case DataType::kDouble: return Double(bytes);
    case DataType::kInteger: return IntegerValue{static_cast<std::int32_t>(LittleEndian32(FixedBytes(bytes, 4), 0))};
    case DataType::kCurrency: return CurrencyValue{static_cast<std::int64_t>(LittleEndian64(FixedBytes(bytes, 8), 0))};
    case DataType::kDate: return Date(field, bytes, source);
    case DataType::kDateTime: return DateTime(bytes);
    case DataType::kLogical: return Logical(field, bytes, source);
    default: return Memo(field, bytes, source);
  }
}

}  // namespace

DataValue DecodeValue(const DataField& field, const DataLayout& layout, const RecordSource& source) {
  const std::string_view bytes = FieldBytes(field.descriptor, source.record);
  const std::string_view flags = layout.null_flags ? FieldBytes(*layout.null_flags, source.record) : std::string_view();
  if (FlagBit(flags, field.null_bit)) return NullValue{};
  try {
    return Typed(field, bytes, flags, source);
  } catch (const ETableError& failure) {
    return Invalid(bytes, failure.what());
  }
}

DataRecord DecodeRecord(const DataLayout& layout, int number, const RecordSource& source) {
  DataRecord record{.number = number, .deleted = !source.record.empty() && source.record[0] == kDeletedFlag};
  record.values.reserve(layout.fields.size());
  for (const DataField& field : layout.fields) record.values.push_back(DecodeValue(field, layout, source));
  return record;
}

}  // namespace quorvex
