#include "table/data_printout.h"

#include <charconv>
#include <cstdio>

#include "base/escape_bytes.h"

namespace quorvex {

namespace {

std::string DateText(const CivilDate& date) {
  char text[48];
  std::snprintf(text, sizeof text, "%04lld-%02d-%02d", static_cast<long long>(date.year), date.month, date.day);
  return text;
}

std::string TimeText(std::int32_t milliseconds) {
  char text[32];
  std::snprintf(text, sizeof text, " %02d:%02d:%02d.%03d", milliseconds / 3600000, milliseconds / 60000 % 60,
                milliseconds / 1000 % 60, milliseconds % 1000);
  return text;
}

std::string CurrencyText(std::int64_t units) {
  const bool negative = units < 0;
  const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
  return (negative ? "-" : "") + std::to_string(magnitude / 10000) + "." +
         std::to_string(magnitude % 10000 + 10000).substr(1);
}

std::string DoubleText(double value) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

struct ValueText {
  std::string operator()(const NullValue&) const { return ".NULL."; }
  std::string operator()(const BlankValue&) const { return {}; }
  std::string operator()(const TextValue& v) const { return EscapeBytes(v.bytes); }
  std::string operator()(const BinaryValue& v) const { return EscapeBytes(v.bytes); }
  std::string operator()(const DecimalValue& v) const { return v.text; }
  std::string operator()(const DoubleValue& v) const { return DoubleText(v.value); }
  std::string operator()(const IntegerValue& v) const { return std::to_string(v.value); }
  std::string operator()(const CurrencyValue& v) const { return CurrencyText(v.units); }
  std::string operator()(const DateValue& v) const { return DateText(v.date); }
  std::string operator()(const DateTimeValue& v) const { return DateText(v.date) + TimeText(v.milliseconds); }
  std::string operator()(const LogicalValue& v) const { return v.value ? ".T." : ".F."; }
  std::string operator()(const InvalidValue& v) const { return "!" + v.message; }
};

void PrintField(const DataField& field, std::ostream& out) {
  const FieldDescriptor& descriptor = field.descriptor;
  out << "field " << descriptor.name << ' ' << EscapeBytes(std::string(1, descriptor.type)) << '(' << descriptor.width
      << ',' << int{descriptor.decimals} << ')' << (field.nullable ? " null" : "") << (field.binary ? " binary" : "")
      << (field.auto_increment ? " autoincrement" : "") << '\n';
}

}  // namespace

void PrintDataTable(DataTable& table, std::ostream& out) {
  char version[8];
  std::snprintf(version, sizeof version, "0x%02X", table.Version());
  out << "version " << version << ", code page " << table.CodePage() << ", " << table.RecordCount() << " records\n";
  for (const DataField& field : table.Fields()) PrintField(field, out);
  for (int number = 1; number <= table.RecordCount(); ++number) {
    const DataRecord record = table.ReadRecord(number);
    out << '#' << number << (record.deleted ? " deleted" : "") << '\n';
    for (std::size_t i = 0; i < record.values.size(); ++i) {
      out << table.Fields()[i].descriptor.name << '=' << std::visit(ValueText{}, record.values[i]) << '\n';
    }
  }
}

}  // namespace quorvex
