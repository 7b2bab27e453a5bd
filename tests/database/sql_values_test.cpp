// FoxPro values as SQL holds them: the forms SQLdb and FireDAC read back as
// dates, FoxPro's empty values, and the values that cannot be carried.

#include "database/sql_values.h"

#include <gtest/gtest.h>

#include <climits>

namespace quorvex::testing {
namespace {

SqlValue Carried(const DataValue& value, SqlType type, std::string* lost = nullptr) {
  SqlValue sql;
  const std::string why = CarryValue(value, {.name = "x", .type = type}, 1252, sql);
  if (lost != nullptr) *lost = why;
  return sql;
}

DateTimeValue DateTime(std::int64_t julian_day, std::int32_t milliseconds) {
  return {.julian_day = julian_day, .milliseconds = milliseconds, .date = DateOfJulianDay(julian_day)};
}

TEST(SqlValues, DatetimesAreWholeSecondsAndASecondShortRoundsUpIntoTheNextDay) {
  constexpr std::int64_t k2024_01_31 = 2460341;
  EXPECT_EQ(DateTimeText(DateTime(k2024_01_31, 45'000'000 - 1)), "2024-01-31 12:30:00");
  EXPECT_EQ(DateTimeText(DateTime(k2024_01_31, 45'000'499)), "2024-01-31 12:30:00");
  EXPECT_EQ(DateTimeText(DateTime(k2024_01_31, 86'400'000 - 1)), "2024-02-01 00:00:00");
  EXPECT_EQ(DateTimeText(DateTime(5'373'484 + 1, 0)), "");  // the year 10000
  std::string lost;
  EXPECT_EQ(Carried(DateTime(0, 0), SqlType::kDateTime, &lost), SqlValue{});
  EXPECT_EQ(lost, "a datetime outside the years 1 to 9999");
  EXPECT_EQ(Carried(DateValue{.date = {2024, 2, 29}}, SqlType::kDate), SqlValue{std::string("2024-02-29")});
}

TEST(SqlValues, CurrencyIsExactAndTextsAreDecodedFromTheCodePage) {
  EXPECT_EQ(CurrencyText(-123400), "-12.3400");
  EXPECT_EQ(CurrencyText(5), "0.0005");
  EXPECT_EQ(CurrencyText(LLONG_MIN), "-922337203685477.5808");
  EXPECT_EQ(Carried(TextValue{"caf\xE9"}, SqlType::kVarchar), SqlValue{std::string("caf\xC3\xA9")});
  // A binary character field is a text all the same; a binary memo is bytes.
  EXPECT_EQ(Carried(BinaryValue{"N"}, SqlType::kVarchar), SqlValue{std::string("N")});
  EXPECT_EQ(Carried(BinaryValue{"\xFF\x00"}, SqlType::kBlob), SqlValue{SqlBlob{"\xFF\x00"}});
}

TEST(SqlValues, BlanksAreFoxProsEmptyValuesAndWhatCannotBeReadIsNullWithItsReason) {
  EXPECT_EQ(Carried(BlankValue{}, SqlType::kVarchar), SqlValue{std::string()});
  EXPECT_EQ(Carried(BlankValue{}, SqlType::kNumeric), SqlValue{std::int64_t{0}});
  EXPECT_EQ(Carried(BlankValue{}, SqlType::kBoolean), SqlValue{std::int64_t{0}});
  EXPECT_EQ(Carried(BlankValue{}, SqlType::kDate), SqlValue{});
  EXPECT_EQ(Carried(NullValue{}, SqlType::kVarchar), SqlValue{});
  EXPECT_EQ(Carried(LogicalValue{true}, SqlType::kBoolean), SqlValue{std::int64_t{1}});
  std::string lost;
  EXPECT_EQ(Carried(InvalidValue{"****", "Invalid numeric value in field t->n (****)"}, SqlType::kNumeric, &lost),
            SqlValue{});
  EXPECT_EQ(lost, "Invalid numeric value in field t->n (****)");
  EXPECT_EQ(Carried(DoubleValue{std::numeric_limits<double>::infinity()}, SqlType::kDouble, &lost), SqlValue{});
  EXPECT_EQ(lost, "not a finite number");
}

}  // namespace
}  // namespace quorvex::testing
