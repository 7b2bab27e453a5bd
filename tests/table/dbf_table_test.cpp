#include "table/dbf_table.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fixtures/table_writer.h"
#include "base/ascii.h"
#include "table/field_value.h"
#include "table_test_util.h"

namespace quorvex::testing {
namespace {

using fixtures::BuildTable;
using fixtures::FieldSpec;
using fixtures::RecordSpec;
using fixtures::TableFiles;
using fixtures::TableOptions;

// Three records named one, two, three of a two-field table.
TableFiles ThreeRecords(TableOptions options = {}, std::vector<bool> deleted = {false, false, false}) {
  std::vector<RecordSpec> records;
  const char* names[] = {"one", "two", "three", "four", "five"};
  for (std::size_t i = 0; i < deleted.size(); ++i) records.push_back({{{"NAME", names[i]}, {"N", "7"}}, deleted[i]});
  return BuildTable(options, {{"NAME", 'C', 10}, {"N", 'N', 4}}, records);
}

class DbfTableTest : public ::testing::Test {
 protected:
  void Put(const TableFiles& built) { files_.AddFile(kScx, built.table); }
  std::string OpenFailure(std::string_view password = {}) {
    return FailureOf([&] { table_.Open(kScx, password); });
  }
  std::vector<int> Walk() {
    std::vector<int> numbers;
    for (table_.Move(MoveTarget::kFirst); !table_.AtEnd(); table_.Move(MoveTarget::kNext)) {
      numbers.push_back(table_.RecordNumber());
    }
    return numbers;
  }

  MemoryFileSystem files_;
  DbfTable table_{files_};
};

// One row per fault of the header: build a good table, damage it, open.
struct HeaderFault {
  const char* name;
  std::function<void(TableFiles&)> damage;
  const char* failure;
};

TEST_F(DbfTableTest, HeaderFaultsFailTheOpenAndLeaveNothingOpen) {
  const HeaderFault faults[] = {
      {"TruncatedHeader", [](TableFiles& t) { fixtures::Truncate(t.table, 20); },
       "ETableError: Error on Read of file " MEM_DIR "form.scx"},
      {"Version31", [](TableFiles& t) { fixtures::SetByte(t.table, 0, 0x31); },
       "ETableError: Table Header for " MEM_DIR "form.scx is invalid"},
      {"Version32", [](TableFiles& t) { fixtures::SetByte(t.table, 0, 0x32); },
       "ETableError: Table Header for " MEM_DIR "form.scx is invalid"},
      {"ByteOrderMark", [](TableFiles& t) { fixtures::SetByte(t.table, 0, 0xEF); },
       "ETableError: Table Header for " MEM_DIR "form.scx is invalid"},
      {"HeaderLengthBelowBacklink", [](TableFiles& t) { fixtures::PutLittleEndian16(t.table, 8, 295); },
       "ETableError: Header length 295 is invalid in table " MEM_DIR "form.scx"},
      {"RecordLengthZero", [](TableFiles& t) { fixtures::PutLittleEndian16(t.table, 10, 0); },
       "ETableError: Record length 0 is invalid in table " MEM_DIR "form.scx"},
      {"RecordLengthAboveLimit", [](TableFiles& t) { fixtures::PutLittleEndian16(t.table, 10, 65520); },
       "ETableError: Record length 65520 is invalid in table " MEM_DIR "form.scx"},
      {"DescriptorAreaPastEnd", [](TableFiles& t) {
         fixtures::PutLittleEndian16(t.table, 8, 5000);
         fixtures::Truncate(t.table, 1000);
       },
       "ETableError: Error on Read of file " MEM_DIR "form.scx"},
      {"EncryptedWithoutPassword", [](TableFiles& t) { fixtures::SetByte(t.table, 15, 1); },
       "ETableEncryption: No Password for encrypted file " MEM_DIR "form.scx"},
  };
  const std::size_t open_before = OpenFileRegistry::Instance().OpenCount();
  for (const HeaderFault& fault : faults) {
    TableFiles built = ThreeRecords();
    fault.damage(built);
    Put(built);
    EXPECT_EQ(OpenFailure(), fault.failure) << fault.name;
    EXPECT_FALSE(table_.IsOpen()) << fault.name;
    EXPECT_EQ(OpenFileRegistry::Instance().OpenCount(), open_before) << fault.name;
  }
}

TEST_F(DbfTableTest, DbaseHeaderLengthMustCoverHeaderAndTerminator) {
  TableFiles built = ThreeRecords({.version = 0x03});
  fixtures::PutLittleEndian16(built.table, 8, 32);
  Put(built);
  EXPECT_EQ(OpenFailure(), "ETableError: Header length 32 is invalid in table " MEM_DIR "form.scx");
}

TEST_F(DbfTableTest, SystemFailuresAtOpen) {
  EXPECT_EQ(OpenFailure(), "ETableError: File " MEM_DIR "form.scx could not be found");
  Put(ThreeRecords());
  files_.RefuseOpen(kScx);
  EXPECT_EQ(OpenFailure(), "ETableError: Access denied to file " MEM_DIR "form.scx");
  Put(ThreeRecords());
  files_.FailSize(kScx);
  EXPECT_EQ(OpenFailure(), "ETableError: Error getting FileSize for file " MEM_DIR "form.scx");
  Put(ThreeRecords());
  files_.FailReadsFrom(kScx, 0);
  EXPECT_EQ(OpenFailure(), "ETableError: Error on Read of file " MEM_DIR "form.scx");
}

TEST_F(DbfTableTest, PasswordChecks) {
  Put(ThreeRecords());
  EXPECT_EQ(OpenFailure("secret"), "ETableEncryption: A Password is included for unencrypted file " MEM_DIR "form.scx");
  TableFiles encrypted = ThreeRecords();
  fixtures::SetByte(encrypted.table, 15, 1);
  Put(encrypted);
  EXPECT_EQ(OpenFailure("secret"), "ETableEncryption: Encrypted table " MEM_DIR "form.scx cannot be deciphered");
}

TEST_F(DbfTableTest, HeaderFieldsAreDecoded) {
  Put(ThreeRecords({.version = 0x30, .table_flags = 0x07, .code_page_mark = 0xC9}));
  table_.Open(kScx);
  EXPECT_EQ(table_.Version(), 0x30);
  EXPECT_EQ(table_.TableFlags(), 0x07);
  EXPECT_EQ(table_.CodePageMark(), 0xC9);
  EXPECT_EQ(table_.HeaderLength(), 32 + 2 * 32 + 1 + 263);
  EXPECT_EQ(table_.RecordLength(), 15);
  EXPECT_TRUE(table_.AtStart());
  EXPECT_EQ(table_.RecordNumber(), 0);
  EXPECT_EQ(table_.RecordBuffer(), std::string(15, ' '));
}

TEST_F(DbfTableTest, RecordCountComesFromTheFileSize) {
  TableFiles built = ThreeRecords();
  fixtures::PutLittleEndian32(built.table, 4, 1);  // the stored count is not trusted
  Put(built);
  table_.Open(kScx);
  EXPECT_EQ(table_.RecordCount(), 3);  // the trailing 0x1A is not a record
  EXPECT_EQ(Walk(), (std::vector<int>{1, 2, 3}));
}

TEST_F(DbfTableTest, FileShorterThanItsHeaderHasNoRecords) {
  TableFiles built = ThreeRecords();
  fixtures::Truncate(built.table, built.header_length - 10);
  Put(built);
  table_.Open(kScx);
  EXPECT_EQ(table_.RecordCount(), 0);
  table_.Move(MoveTarget::kFirst);
  EXPECT_TRUE(table_.AtEnd());
  EXPECT_TRUE(table_.AtStart());
}

TEST_F(DbfTableTest, DescriptorAreaRemainderIsIgnored) {
  TableFiles built = ThreeRecords();
  fixtures::PutLittleEndian16(built.table, 8, 330);  // (330 - 296) / 32 = 1, remainder 2
  Put(built);
  table_.Open(kScx);
  ASSERT_EQ(table_.FieldCount(), 1);
  EXPECT_EQ(table_.Field(1).name, "NAME");
}

TEST_F(DbfTableTest, WideCharacterFieldShiftsLaterFields) {
  TableFiles built = BuildTable({}, {{"WIDE", 'C', 300}, {"AFTER", 'C', 5}}, {{{{"WIDE", "w"}, {"AFTER", "tail"}}}});
  fixtures::PutLittleEndian32(built.table, 32 + 32 + 12, 9999);  // a wrong displacement is ignored
  Put(built);
  table_.Open(kScx);
  EXPECT_EQ(table_.Field(1).length, 44);
  EXPECT_EQ(table_.Field(1).decimals, 1);
  EXPECT_EQ(table_.Field(1).width, 300);
  EXPECT_EQ(table_.Field(2).offset, 301);
  table_.Move(MoveTarget::kFirst);
  EXPECT_EQ(table_.FieldText(2), "tail");
}

TEST_F(DbfTableTest, ElevenCharacterNameHasNoTerminator) {
  Put(BuildTable({}, {{"ABCDEFGHIJK", 'C', 3}}, {}));
  table_.Open(kScx);
  EXPECT_EQ(table_.Field(1).name, "ABCDEFGHIJK");
}

TEST_F(DbfTableTest, NavigationSkipsDeletedRecordsBothWays) {
  Put(ThreeRecords({}, {false, true, false, true}));
  table_.Open(kScx);
  EXPECT_EQ(Walk(), (std::vector<int>{1, 3}));
  table_.Move(MoveTarget::kNext);  // a further Next stays at the end
  EXPECT_TRUE(table_.AtEnd());
  table_.Move(MoveTarget::kLast);
  EXPECT_EQ(table_.RecordNumber(), 3);
  table_.Move(MoveTarget::kPrior);
  EXPECT_EQ(table_.RecordNumber(), 1);
  table_.Move(MoveTarget::kPrior);
  EXPECT_TRUE(table_.AtStart());
  table_.MoveTo(2);  // a record number lands even on a deleted record
  EXPECT_EQ(table_.RecordNumber(), 2);
  EXPECT_EQ(table_.FieldText(1), "two");
}

TEST_F(DbfTableTest, AllDeletedRecordsAndUseDeleted) {
  Put(ThreeRecords({}, {true, true}));
  table_.Open(kScx);
  table_.Move(MoveTarget::kFirst);
  EXPECT_TRUE(table_.AtEnd());
  table_.Open(kScx, {}, /*use_deleted=*/true);
  table_.Move(MoveTarget::kFirst);
  EXPECT_FALSE(table_.AtEnd());
  EXPECT_EQ(table_.RecordNumber(), 1);
}

TEST_F(DbfTableTest, EmptyTableEndsAtOnce) {
  Put(ThreeRecords({}, {}));
  table_.Open(kScx);
  table_.Move(MoveTarget::kFirst);
  EXPECT_TRUE(table_.AtEnd());
  EXPECT_EQ(table_.RecordNumber(), 0);
}

TEST_F(DbfTableTest, RecordNumbersOutsideTheTable) {
  Put(ThreeRecords());
  table_.Open(kScx);
  table_.MoveTo(4);
  EXPECT_TRUE(table_.AtEnd());
  EXPECT_EQ(FailureOf([&] { table_.MoveTo(5); }), "ETableError: Record number 5 is not in table " MEM_DIR "form.scx");
  EXPECT_EQ(FailureOf([&] { table_.MoveTo(0); }), "ETableError: Record number 0 is not in table " MEM_DIR "form.scx");
  EXPECT_TRUE(table_.IsOpen());
}

TEST_F(DbfTableTest, RecordsAppendedAfterOpenBecomeVisible) {
  TableFiles built = ThreeRecords();
  Put(built);
  table_.Open(kScx);
  EXPECT_EQ(Walk(), (std::vector<int>{1, 2, 3}));
  const std::string record3 = built.table.substr(built.RecordOffset(3), built.record_length);
  files_.TruncateFile(kScx, built.table.size() - 1);  // the 0x1A goes, a record comes
  files_.AppendToFile(kScx, record3);
  table_.Move(MoveTarget::kNext);
  EXPECT_FALSE(table_.AtEnd());
  EXPECT_EQ(table_.RecordNumber(), 4);
  EXPECT_EQ(table_.FieldText(1), "three");
}

TEST_F(DbfTableTest, RecordCutAfterOpenFailsToRead) {
  TableFiles built = ThreeRecords();
  Put(built);
  files_.SetWholeReadLimit(0);  // read at each access
  table_.Open(kScx);
  files_.TruncateFile(kScx, built.RecordOffset(2) + 4);
  EXPECT_EQ(FailureOf([&] { table_.MoveTo(2); }), "ETableError: Error on Read of file " MEM_DIR "form.scx");
  EXPECT_TRUE(table_.IsOpen());
}

TEST_F(DbfTableTest, TableReadWholeIsReadAsOpened) {
  TableFiles built = ThreeRecords();
  Put(built);
  table_.Open(kScx);
  files_.TruncateFile(kScx, built.RecordOffset(2) + 4);
  table_.MoveTo(3);
  EXPECT_EQ(table_.FieldText(1), "three");
}

TEST(FieldValueTest, CharacterFieldText) {
  const FieldDescriptor field{.name = "F", .type = 'C', .length = 10, .width = 10, .offset = 1};
  const struct {
    std::string stored;
    std::string text;
  } rows[] = {
      {"COMMENT   ", "COMMENT"},  {"  both    ", "  both"},   {"          ", ""},
      {std::string("ab\0cd     ", 10), "ab"}, {"ab\x01\x1F\x20\x20\x20\x20\x20\x20", "ab"},
      {"x\xA0y       ", "x\xA0y"},  // 8-bit bytes pass through
  };
  for (const auto& row : rows) EXPECT_EQ(FieldText(field, " " + row.stored), row.text) << row.stored;
  EXPECT_EQ(FieldText(field, " abc"), "abc");  // the record ends inside the field
}

TEST(FieldValueTest, DecimalNumbers) {
  const FieldDescriptor field{.name = "AMOUNT", .type = 'N', .length = 8, .width = 8, .offset = 1};
  const struct {
    std::string stored;
    double value;
  } rows[] = {{"      12", 12}, {"    -3.5", -3.5}, {"        ", 0}, {"  1e3   ", 1000}, {"+7      ", 7},
              {"    .25 ", 0.25}, {"1e999   ", HUGE_VAL}, {"1e-999  ", 0}};
  for (const auto& row : rows) EXPECT_EQ(NumericValue(field, " " + row.stored, 0x30, "/d/T.DBF"), row.value) << row.stored;
  for (const char* bad : {"     abc", "   1 2  ", "  12x   ", "   -    ", "   1e   ", "****    "}) {
    EXPECT_EQ(FailureOf([&] { NumericValue(field, std::string(" ") + bad, 0x03, "/d/T.DBF"); }),
              "ETableError: Invalid numeric value in field T->AMOUNT (" + std::string(TrimRightBlanks(bad)) + ")");
  }
}

TEST(FieldValueTest, VisualFoxProBinaryNumbers) {
  const auto field = [](char type, int width) {
    return FieldDescriptor{.name = "B", .type = type, .length = static_cast<std::uint8_t>(width), .width = width, .offset = 1};
  };
  EXPECT_EQ(NumericValue(field('I', 4), " " + fixtures::Int32Bytes(-5), 0x30, "t"), -5);
  EXPECT_EQ(NumericValue(field('M', 4), "     ", 0x30, "t"), 0);
  EXPECT_EQ(NumericValue(field('M', 4), " " + fixtures::Int32Bytes(70000), 0x30, "t"), 70000);
  EXPECT_EQ(NumericValue(field('Y', 8), " " + fixtures::Int64Bytes(125000), 0x30, "t"), 12.5);
  EXPECT_EQ(NumericValue(field('B', 8), " " + fixtures::DoubleBytes(-2.75), 0x30, "t"), -2.75);
  // Outside version 0x30 the same letters hold decimal text.
  EXPECT_EQ(NumericValue(field('M', 10), "        42", 0x83, "t"), 42);
}

}  // namespace
}  // namespace quorvex::testing
