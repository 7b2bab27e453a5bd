// A form's own properties: which RESERVED3 lists, and the values FoxPro reads
// from the text its record stores.

#include <gtest/gtest.h>

#include "model/custom_properties.h"

namespace quorvex::testing {
namespace {

TEST(CustomProperties, StoredTextsReadAsFoxProReadsThem) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {".T.", "True"},         {".f.", "False"},  {".NULL.", "Null"},      {"0", "0"},
      {"-2.50", "-2.50"},      {".5", "0.5"},     {"abc", "'abc'"},        {"", "''"},
      {"O'Neil", "'O''Neil'"}, {"=1+2", "3"},     {"=\"a\" + \"b\"", "'ab'"}, {"=.T.", "True"},
      {"+1", "'+1'"},          {"1e3x", "'1e3x'"}, {"=x + 1", ""},          {"{^2020-01-02}", ""},
      {"abc ", ""},            {"\x01\x02", ""},
  };
  for (const auto& [stored, pascal] : cases) EXPECT_EQ(CustomPropertyValue(stored, 1252), pascal) << stored;
  EXPECT_EQ(CustomPropertyValue("se\xF1" "a", 1252), "'se\xC3\xB1" "a'");
}

TEST(CustomProperties, OnlyPropertiesWithCertainValuesBecomeFields) {
  std::vector<CustomProperty> properties = CustomPropertiesOf(
      "ncount The number\r\n*refresh Refreshes\r\n^alist[3,0] A list\r\ncname\r\nlnew\r\nddate\r\nclose\r\nNCOUNT\r\n",
      {"Caption = \"x\"", "ncount = 4", "cname = Jo", "ddate = {^2001-02-03}", "close = 1"}, 1252);
  ASSERT_EQ(properties.size(), 4u);
  EXPECT_EQ(properties[0].fox_name, "ncount");
  EXPECT_EQ(properties[0].initial, "4");
  EXPECT_EQ(properties[1].initial, "'Jo'");
  // Not stored: a new property's .F.
  EXPECT_EQ(properties[2].initial, "False");
  UniqueNames names;
  names.Take("cname");  // a component's
  NameCustomProperties(properties, "", names);
  EXPECT_EQ(properties[1].identifier, "cname_1");
  // A field that would hide the form's Close.
  EXPECT_EQ(properties[3].identifier, "close_");
  // Another object's, after its name.
  NameCustomProperties(properties, "txtName_", names);
  EXPECT_EQ(properties[0].identifier, "txtName_ncount");
}

}  // namespace
}  // namespace quorvex::testing
