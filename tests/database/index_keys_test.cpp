// Which tags' keys an SQL index orders the same way, and which are left out.

#include "database/index_keys.h"

#include <gtest/gtest.h>

namespace quorvex::testing {
namespace {

DataField Field(const std::string& name, DataType type) {
  DataField field;
  field.descriptor.name = name;
  field.type = type;
  return field;
}

class IndexKeysTest : public ::testing::Test {
 protected:
  IndexKey Key(const std::string& key, const std::string& for_expression = {}, bool descending = false) {
    return IndexKeyOf({.name = "T", .key_expression = key, .for_expression = for_expression, .descending = descending},
                      fields_, TableColumns(fields_, {"cust_id", "company_name", "born", "qty", "notes", "stamp"}));
  }
  std::vector<DataField> fields_ = {Field("CUST_ID", DataType::kInteger), Field("COMPANY_NA", DataType::kCharacter),
                                    Field("BORN", DataType::kDate),       Field("QTY", DataType::kNumeric),
                                    Field("NOTES", DataType::kMemo),      Field("STAMP", DataType::kDateTime)};
};

TEST_F(IndexKeysTest, FieldsAndTheFunctionsThatKeepTheirOrderAreTermsOneAfterTheOther) {
  EXPECT_EQ(Key("cust_id").terms, std::vector<std::string>{"\"cust_id\""});
  EXPECT_EQ(Key("cust_id").columns, std::vector<int>{0});
  const IndexKey joined = Key("UPPER(company_na)+DTOS(born)+STR(qty,10,2)+TTOC(stamp,1)", "!DELETED()", true);
  EXPECT_EQ(joined.reason, "");
  EXPECT_EQ(joined.terms, (std::vector<std::string>{"upper(\"company_name\") DESC", "\"born\" DESC", "\"qty\" DESC",
                                                    "\"stamp\" DESC"}));
  EXPECT_EQ(joined.columns, (std::vector<int>{-1, 2, 3, 5}));
  EXPECT_EQ(Key("UPPE(company_na)").reason, "");  // FoxPro's four-letter abbreviation
  EXPECT_EQ(Key("BINTOC(cust_id)").terms, std::vector<std::string>{"\"cust_id\""});
}

TEST_F(IndexKeysTest, KeysOfAnotherOrderAndFilteredTagsAreLeftOutWithWhy) {
  EXPECT_EQ(Key("ALLTRIM(company_na)").reason, "its key calls ALLTRIM(), which no SQL orders the same way");
  EXPECT_EQ(Key("DTOS(qty)").reason, "its key orders field qty as no SQL index can");
  EXPECT_EQ(Key("notes").reason, "its key orders field notes as no SQL index can");
  EXPECT_EQ(Key("gone").reason, "its key names gone, which is no field of the table");
  EXPECT_EQ(Key("qty * 2").reason, "its key has parts no SQL orders the same way");
  EXPECT_EQ(Key("cust_id", "qty > 1").reason, "it admits only the records FOR qty > 1 admits");
  EXPECT_EQ(Key("UPPER(").reason.substr(0, 25), "its key cannot be read: s");
  EXPECT_TRUE(Key("ALLTRIM(company_na)").terms.empty());
}

}  // namespace
}  // namespace quorvex::testing
