#include "table/data_table.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "base/escape_bytes.h"
#include "fixtures/table_writer.h"
#include "table_test_util.h"

namespace quorvex::testing {
namespace {

using fixtures::BuildTable;
using fixtures::FieldSpec;
using fixtures::RecordSpec;
using fixtures::TableFiles;
using fixtures::TableOptions;

constexpr const char* kDbf = MEM_DIR "data.dbf";
constexpr const char* kFpt = MEM_DIR "data.fpt";

std::string DateText(const CivilDate& date) {
  char text[32];
  std::snprintf(text, sizeof text, "%04lld-%02d-%02d", static_cast<long long>(date.year), date.month, date.day);
  return text;
}

// A value as one short line, so rows of expected values read at a glance.
std::string Show(const DataValue& value) {
  struct Printer {
    std::string operator()(const NullValue&) const { return "null"; }
    std::string operator()(const BlankValue&) const { return "blank"; }
    std::string operator()(const TextValue& v) const { return "text:" + EscapeBytes(v.bytes); }
    std::string operator()(const BinaryValue& v) const { return "bin:" + EscapeBytes(v.bytes); }
    std::string operator()(const DecimalValue& v) const { return "dec:" + v.text; }
    std::string operator()(const DoubleValue& v) const { return "dbl:" + std::to_string(v.value); }
    std::string operator()(const IntegerValue& v) const { return "int:" + std::to_string(v.value); }
    std::string operator()(const CurrencyValue& v) const { return "cur:" + std::to_string(v.units); }
    std::string operator()(const DateValue& v) const {
      return "date:" + DateText(v.date) + "/" + std::to_string(v.julian_day);
    }
    std::string operator()(const DateTimeValue& v) const {
      return "dt:" + DateText(v.date) + "/" + std::to_string(v.julian_day) + "+" + std::to_string(v.milliseconds);
    }
    std::string operator()(const LogicalValue& v) const { return v.value ? "true" : "false"; }
    std::string operator()(const InvalidValue& v) const { return "invalid:" + v.message; }
  };
  return std::visit(Printer{}, value);
}

std::vector<std::string> Shown(const DataRecord& record) {
  std::vector<std::string> shown;
  for (const DataValue& value : record.values) shown.push_back(Show(value));
  return shown;
}

class DataTableTest : public ::testing::Test {
 protected:
  DataTable& Open(const TableFiles& built, const char* memo = kFpt) {
    built.AddTo(files_, kDbf, memo);
    table_.Open(kDbf);
    return table_;
  }
  std::string OpenFailure(const TableFiles& built) {
    built.AddTo(files_, kDbf, kFpt);
    return FailureOf([&] { table_.Open(kDbf); });
  }

  MemoryFileSystem files_;
  DataTable table_{files_};
};

// Every Visual FoxPro type; the _NullFlags bits go NOTE length 0, NICK
// length 1 and null 2, RAW length 3, QTY null 4.
const std::vector<FieldSpec> kEveryType = {
    {"NAME", 'C', 6}, {"CODE", 'C', 3, 0, 0x04}, {"NOTE", 'V', 8},  {"NICK", 'V', 4, 0, 0x02},
    {"RAW", 'Q', 4},  {"MEMO", 'M'},             {"BYTES", 'M', 0, 0, 0x04}, {"PIC", 'G'},
    {"DOC", 'W'},     {"QTY", 'N', 5, 0, 0x02},  {"RATE", 'F', 8, 2}, {"RATIO", 'B', 8},
    {"ID", 'I', 4, 0, 0x0C}, {"PRICE", 'Y', 8},  {"BORN", 'D', 8},   {"STAMP", 'T', 8},
    {"OK", 'L', 1},   {"_NullFlags", '0', 1, 0, 0x05}};

TableFiles EveryType() {
  const RecordSpec full = {{{"NAME", "Ann"}, {"CODE", std::string("\0\1 ", 3)}, {"NOTE", std::string("short  \5")},
                            {"NICK", "x"}, {"RAW", std::string("\1\2\0\2", 4)}, {"MEMO", "line\r\n"},
                            {"BYTES", std::string("\0\1", 2)}, {"PIC", "ole"}, {"DOC", "doc"}, {"QTY", "42"},
                            {"RATE", "3.25"}, {"RATIO", fixtures::DoubleBytes(0.5)}, {"ID", fixtures::Int32Bytes(-7)},
                            {"PRICE", fixtures::Int64Bytes(125000)}, {"BORN", "20240229"},
                            {"STAMP", fixtures::Int32Bytes(2451545) + fixtures::Int32Bytes(3600000)}, {"OK", "T"},
                            {"_NullFlags", "\x0D"}}};  // NOTE and RAW short, NICK null
  const RecordSpec blank = {{{"NOTE", "12345678"}, {"NICK", std::string("ab\0\2", 4)}, {"_NullFlags", "\x12"}},
                            /*deleted=*/true};  // NOTE full, NICK short, QTY null
  return BuildTable({.version = 0x32}, kEveryType, {full, blank});
}

TEST_F(DataTableTest, EveryVisualFoxProTypeDecodes) {
  TableFiles built = EveryType();
  fixtures::PutBigEndian32(built.memo, built.MemoEntryOffset(1, "PIC"), 2);  // an OLE object entry
  DataTable& table = Open(built);
  EXPECT_EQ(Shown(table.ReadRecord(1)),
            (std::vector<std::string>{"text:Ann", "bin:\\x00\\x01 ", "text:short", "null", "bin:\\x01\\x02",
                                      "text:line\\x0D\\x0A", "bin:\\x00\\x01", "bin:ole", "bin:doc", "dec:42",
                                      "dec:3.25", "dbl:0.500000", "int:-7", "cur:125000", "date:2024-02-29/2460370",
                                      "dt:2000-01-01/2451545+3600000", "true"}));
  const DataRecord second = table.ReadRecord(2);
  EXPECT_TRUE(second.deleted);
  EXPECT_EQ(Shown(second), (std::vector<std::string>{"text:", "bin:   ", "text:12345678", "text:ab",
                                                     "bin:\\x00\\x00\\x00\\x00", "text:", "bin:", "bin:", "bin:",
                                                     "null", "blank", "dbl:0.000000", "int:0", "cur:0", "blank",
                                                     "blank", "blank"}));
}

TEST_F(DataTableTest, FieldsAreDescribed) {
  TableFiles built = EveryType();
  fixtures::PutLittleEndian32(built.table, 32 + 12 * 32 + 19, 100);  // ID's next value
  fixtures::SetByte(built.table, 32 + 12 * 32 + 23, 5);               // and step
  const DataTable& table = Open(built);
  ASSERT_EQ(table.Fields().size(), kEveryType.size() - 1);  // _NullFlags is no column
  const auto field = [&](std::size_t i) { return table.Fields()[i]; };
  EXPECT_EQ(field(1).type, DataType::kCharacter);
  EXPECT_TRUE(field(1).binary);
  EXPECT_EQ(field(2).length_bit, 0);
  EXPECT_EQ(field(3).length_bit, 1);
  EXPECT_EQ(field(3).null_bit, 2);
  EXPECT_TRUE(field(3).nullable);
  EXPECT_EQ(field(4).type, DataType::kVarbinary);
  EXPECT_EQ(field(9).null_bit, 4);
  EXPECT_EQ(field(10).descriptor.decimals, 2);
  EXPECT_EQ(field(11).type, DataType::kDouble);
  EXPECT_TRUE(field(12).auto_increment);
  EXPECT_EQ(field(12).descriptor.next_value, 100u);
  EXPECT_EQ(field(12).descriptor.step, 5);
  EXPECT_EQ(table.Version(), 0x32);
}

TEST_F(DataTableTest, BadValuesAreInvalidAndTheRestOfTheRecordReads) {
  TableFiles built = BuildTable({.version = 0x30}, {{"QTY", 'N', 4}, {"BORN", 'D', 8}, {"OK", 'L', 1},
                                                    {"NOTE", 'V', 4}, {"MEMO", 'M'}, {"NAME", 'C', 3},
                                                    {"_NullFlags", '0', 1, 0, 0x05}},
                                {{{{"QTY", "****"}, {"BORN", "20230229"}, {"OK", "x"}, {"NOTE", std::string("ab \4")},
                                   {"MEMO", "lost"}, {"NAME", "ok"}, {"_NullFlags", "\1"}}}});
  fixtures::PutBigEndian32(built.memo, built.MemoEntryOffset(1, "MEMO"), 7);
  EXPECT_EQ(Shown(Open(built).ReadRecord(1)),
            (std::vector<std::string>{"invalid:Invalid numeric value in field data->QTY (****)",
                                      "invalid:Invalid date value in field data->BORN (20230229)",
                                      "invalid:Invalid logical value in field data->OK (x)",
                                      "invalid:Length 4 of field data->NOTE is above its width 3",
                                      "invalid:Memo record is bad in " MEM_DIR "data.fpt", "text:ok"}));
}

TEST_F(DataTableTest, OlderVersionsAndTheirMemoFiles) {
  const struct {
    int version;
    const char* memo_name;
  } rows[] = {{0x03, nullptr}, {0x83, MEM_DIR "data.dbt"}, {0x8B, MEM_DIR "data.dbt"}, {0xF5, kFpt}};
  for (const auto& row : rows) {
    const bool memo = row.memo_name != nullptr;
    std::vector<FieldSpec> fields = {{"NAME", 'C', 5}, {"QTY", 'N', 6, 2}, {"ON", 'D', 8}, {"OK", 'L', 1}};
    if (memo) fields.insert(fields.end(), {{"NOTES", 'M'}, {"PIC", row.version == 0xF5 ? 'P' : 'B'}});
    const TableFiles built = BuildTable({.version = row.version, .table_flags = 0, .memo_block_size = 512}, fields,
                                        {{{{"NAME", "x"}, {"QTY", "-1.50"}, {"ON", "19991231"}, {"OK", "n"},
                                           {"NOTES", "memo"}, {"PIC", "pic"}}},
                                         {{}, /*deleted=*/true}});
    DataTable table(files_);
    built.AddTo(files_, kDbf, memo ? row.memo_name : "");
    table.Open(kDbf);
    std::vector<std::string> expected = {"text:x", "dec:-1.50", "date:1999-12-31/2451544", "false"};
    if (memo) expected.insert(expected.end(), {"text:memo", "bin:pic"});
    EXPECT_EQ(Shown(table.ReadRecord(1)), expected) << row.version;
    EXPECT_TRUE(table.ReadRecord(2).deleted) << row.version;
    files_.RemoveFile(MEM_DIR "data.dbt");
  }
}

TEST_F(DataTableTest, LayoutFaultsFailTheOpen) {
  const struct {
    int version;
    std::vector<FieldSpec> fields;
    std::function<void(TableFiles&)> damage;
    std::string failure;
  } rows[] = {
      {0x03, {{"NOTE", 'V', 4}}, nullptr, "Type V of field NOTE is unknown in table " MEM_DIR "data.dbf"},
      {0x30, {{"ODD", '\x01', 4}}, nullptr, "Type \\x01 of field ODD is unknown in table " MEM_DIR "data.dbf"},
      {0x30, {{"ID", 'I', 2}}, nullptr, "Width 2 of field ID is invalid in table " MEM_DIR "data.dbf"},
      {0x30, {{"ON", 'D', 6}}, nullptr, "Width 6 of field ON is invalid in table " MEM_DIR "data.dbf"},
      {0x30, {{"NAME", 'C', 4}}, [](TableFiles& t) { fixtures::PutLittleEndian16(t.table, 10, 4); },
       "Fields of table " MEM_DIR "data.dbf need 5 bytes but its records have 4"},
      {0x30, {{"QTY", 'N', 4, 0, 0x02}}, nullptr, "Table " MEM_DIR "data.dbf has no _NullFlags field for its 1 flags"},
      {0x32,
       {{"A", 'V', 4}, {"B", 'V', 4, 0, 0x02}, {"C", 'V', 4, 0, 0x02}, {"D", 'V', 4, 0, 0x02},
        {"E", 'V', 4, 0, 0x02}, {"_NullFlags", '0', 1, 0, 0x05}},
       nullptr, "Field _NullFlags of table " MEM_DIR "data.dbf holds 8 flags, not 9"},
  };
  for (const auto& row : rows) {
    TableFiles built = BuildTable({.version = row.version, .table_flags = 0}, row.fields, {});
    if (row.damage) row.damage(built);
    EXPECT_EQ(OpenFailure(built), "ETableError: " + row.failure);
    EXPECT_FALSE(table_.IsOpen());
  }
}

TEST_F(DataTableTest, MissingMemoFileLeavesTheOtherValues) {
  const TableFiles built = BuildTable({}, {{"NAME", 'C', 4}, {"NOTES", 'M'}}, {{{{"NAME", "a"}, {"NOTES", "n"}}}});
  DataTable& table = Open(built, "");
  EXPECT_EQ(table.MemoFailure(), "File " MEM_DIR "data.fpt could not be found");
  EXPECT_EQ(Shown(table.ReadRecord(1)),
            (std::vector<std::string>{"text:a", "invalid:File " MEM_DIR "data.fpt could not be found"}));
  EXPECT_EQ(FailureOf([&] { table.ReadRecord(2); }),
            "ETableError: Record number 2 is not in table " MEM_DIR "data.dbf");
}

TEST_F(DataTableTest, HeaderFactsAndTheBacklink) {
  TableFiles built = BuildTable({.version = 0x31, .table_flags = 0x01, .code_page_mark = 0xC9}, {{"ID", 'I', 4}}, {});
  fixtures::PutText(built.table, built.header_length - 263, "..\\app.dbc");
  DataTable& table = Open(built);
  EXPECT_EQ(table.CodePageMark(), 0xC9);
  EXPECT_EQ(table.CodePage(), 1251);
  EXPECT_TRUE(table.HasStructuralIndex());
  EXPECT_EQ(table.DatabaseBacklink(), "..\\app.dbc");
}

// A form's table stays as the conversion always read it: no later versions,
// and an OLE object where a form's memo file has none is a bad entry.
TEST_F(DataTableTest, FormsReadAsBefore) {
  TableFiles built = BuildTable({.version = 0x30}, {{"PIC", 'G'}}, {{{{"PIC", "ole"}}}});
  fixtures::PutBigEndian32(built.memo, built.MemoEntryOffset(1, "PIC"), 2);
  built.AddTo(files_, kDbf, kFpt);
  MemoFile form_memo(files_, kFpt, MemoFormat::kFoxPro);
  EXPECT_EQ(FailureOf([&] { form_memo.EntryText(built.memo_entries[0].block); }),
            "ETableError: Memo record is bad in " MEM_DIR "data.fpt");
  EXPECT_EQ(MemoFile(files_, kFpt, MemoFormat::kFoxPro, TableUse::kData).EntryText(built.memo_entries[0].block), "ole");
  fixtures::SetByte(built.table, 0, 0x32);
  built.AddTo(files_, kDbf, kFpt);
  DbfTable form(files_);
  EXPECT_EQ(FailureOf([&] { form.Open(kDbf); }), "ETableError: Table Header for " MEM_DIR "data.dbf is invalid");
}

TEST(JulianDayTest, DatesAndDaysAgree) {
  for (const std::int64_t day : {0LL, 1721426LL, 2299161LL, 2440588LL, 2451604LL, 5373484LL}) {
    EXPECT_EQ(JulianDayOfDate(DateOfJulianDay(day)), day);
  }
  EXPECT_EQ(JulianDayOfDate({1970, 1, 1}), 2440588);
  EXPECT_EQ(JulianDayOfDate({2000, 3, 1}), 2451605);
}

}  // namespace
}  // namespace quorvex::testing
