#include "table/field_kind.h"

#include <gtest/gtest.h>

#include "fixtures/table_writer.h"
#include "table_test_util.h"

namespace quorvex::testing {
namespace {

FieldDescriptor Descriptor(char type, int width, int decimals = 0) {
  return {.name = "F",
          .type = type,
          .length = static_cast<std::uint8_t>(width),
          .decimals = static_cast<std::uint8_t>(decimals),
          .width = width,
          .offset = 1};
}

TEST(FieldKindTest, TypeLettersAndWidths) {
  const struct {
    char type;
    int width;
    int decimals;
    int version;
    std::optional<FieldKind> kind;
  } rows[] = {
      {'C', 10, 0, 0x30, FieldKind::kString},  {'M', 4, 0, 0x30, FieldKind::kMemo},
      {'G', 4, 0, 0x30, FieldKind::kBlob},     {'B', 10, 0, 0x83, FieldKind::kBlob},
      {'B', 8, 0, 0x30, FieldKind::kFloat},    {'D', 8, 0, 0x30, FieldKind::kDate},
      {'N', 8, 2, 0x30, FieldKind::kFloat},    {'F', 20, 5, 0x03, FieldKind::kFloat},
      {'N', 4, 0, 0x30, FieldKind::kSmallInt}, {'N', 5, 0, 0x30, FieldKind::kInteger},
      {'N', 9, 0, 0x30, FieldKind::kInteger},  {'N', 10, 0, 0x30, FieldKind::kInteger},
      {'I', 4, 0, 0x30, FieldKind::kInteger},  {'L', 1, 0, 0x30, FieldKind::kBoolean},
      {'T', 8, 0, 0x30, FieldKind::kDateTime}, {'Y', 8, 4, 0x30, FieldKind::kCurrency},
      {'V', 10, 0, 0x30, std::nullopt},        {'0', 1, 0, 0x30, std::nullopt},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(FieldKindOf(Descriptor(row.type, row.width, row.decimals), row.version), row.kind)
        << row.type << row.width << " in " << row.version;
  }
}

TEST(FieldKindTest, PrintedValues) {
  const struct {
    char type;
    int width;
    int decimals;
    int version;
    std::string stored;
    std::string printed;
  } rows[] = {
      {'D', 8, 0, 0x30, "20240229", "2024-02-29"},
      {'D', 8, 0, 0x30, "20230229", ""},  // no such day
      {'D', 8, 0, 0x30, "00000000", ""},
      {'D', 8, 0, 0x30, "        ", ""},
      {'D', 8, 0, 0x30, "2024013 ", ""},
      {'N', 8, 2, 0x30, "   12.50", "12.5"},
      {'N', 8, 2, 0x30, "   -0.25", "-0.25"},
      {'N', 4, 0, 0x30, " -42", "-42"},
      {'N', 10, 0, 0x30, "9999999999", "9999999999"},
      {'N', 6, 0, 0x30, "   3.7", "3"},
      {'N', 6, 0, 0x30, "      ", "0"},
      {'I', 4, 0, 0x30, fixtures::Int32Bytes(-123456), "-123456"},
      {'I', 6, 0, 0x03, "   -77", "-77"},
      {'B', 8, 0, 0x30, fixtures::DoubleBytes(1e20), "1e+20"},
      {'L', 1, 0, 0x30, "y", "True"},
      {'L', 1, 0, 0x30, "J", "True"},
      {'L', 1, 0, 0x30, "F", "False"},
      {'L', 1, 0, 0x30, "?", "False"},
      {'T', 8, 0, 0x30, fixtures::Int32Bytes(2440588) + fixtures::Int32Bytes(3723000), "1970-01-01 01:02:03"},
      {'T', 8, 0, 0x30, fixtures::Int32Bytes(2451545) + fixtures::Int32Bytes(86400000), "2000-01-02 00:00:00"},
      {'T', 8, 0, 0x30, std::string(8, '\0'), ""},
      {'T', 8, 0, 0x03, "    12.5", "12.5"},
      {'Y', 8, 4, 0x30, fixtures::Int64Bytes(125000), "12.5"},
      {'Y', 8, 4, 0x30, fixtures::Int64Bytes(-30000), "-3"},
      {'Y', 8, 4, 0x30, fixtures::Int64Bytes(INT64_MIN), "-922337203685477.5808"},
  };
  for (const auto& row : rows) {
    const FieldDescriptor field = Descriptor(row.type, row.width, row.decimals);
    const auto kind = FieldKindOf(field, row.version);
    ASSERT_TRUE(kind) << row.type;
    EXPECT_EQ(FormatFieldValue(*kind, field, " " + row.stored, row.version, "/d/t.dbf"), row.printed)
        << row.type << " " << row.stored;
  }
}

TEST(FieldKindTest, NumberFieldsPrintThroughTheDataset) {
  MemoryForm form(fixtures::BuildTable({}, {{"QTY", 'N', 6}, {"PRICE", 'N', 8, 2}, {"OK", 'L', 1}, {"ON", 'D', 8}},
                                       {{{{"QTY", "12"}, {"PRICE", "1.25"}, {"OK", "T"}, {"ON", "19991231"}}},
                                        {{{"QTY", "abc"}}}}));
  auto dataset = form.Open();
  EXPECT_EQ(dataset->FieldByName("QTY").AsString(), "12");
  EXPECT_EQ(dataset->FieldByName("PRICE").AsString(), "1.25");
  EXPECT_EQ(dataset->FieldByName("OK").AsString(), "True");
  EXPECT_EQ(dataset->FieldByName("ON").AsString(), "1999-12-31");
  dataset->Next();
  EXPECT_EQ(FailureOf([&] { dataset->FieldByName("QTY").AsString(); }),
            "ETableError: Invalid numeric value in field form->QTY (   abc)");
}

}  // namespace
}  // namespace quorvex::testing
