// The vocabulary's row conventions and lookups.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "vocabulary/lists.h"
#include "base/ascii.h"
#include "base/errors.h"

namespace quorvex {
namespace {

struct SplitRow {
  std::string_view row;
  std::string_view name;
  std::string_view value;
};

TEST(NameValueParts, SplitAtTheFirstEqualsSignWithoutTrimming) {
  const SplitRow rows[] = {
      {"Caption = \"a=b\"", "Caption ", " \"a=b\""},
      {"Name=", "Name", ""},
      {"=x", "", "x"},
      {"Form", "", ""},
      {"", "", ""},
      {"FontBold..T.=fsBold", "FontBold..T.", "fsBold"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(NamePart(row.row), row.name) << row.row;
    EXPECT_EQ(ValuePart(row.row), row.value) << row.row;
  }
}

TEST(VocabularyTable, RejectsARowEqualToAnotherIgnoringCase) {
  VocabularyTable table;
  table.Add("Label=TLabel");
  try {
    table.Add("LABEL=tlabel");
    FAIL() << "duplicate row accepted";
  } catch (const Exception& error) {
    EXPECT_STREQ(error.what(), "String list does not allow duplicates");
  }
  EXPECT_EQ(table.Rows(), TextList{"Label=TLabel"});
  EXPECT_EQ(table.ValueOf("label"), "TLabel");
}

TEST(VocabularyTable, RowWithoutEqualsSignIsAnEntryButNoName) {
  VocabularyTable table;
  table.Add("Form");
  EXPECT_FALSE(table.HasName("Form"));
  EXPECT_FALSE(table.HasName(""));
  EXPECT_EQ(table.ValueOf("Form"), "");
  EXPECT_TRUE(table.HasEntry("FORM"));
}

TEST(VocabularyTable, EmptyValueIsFoundAndMissingNameIsNot) {
  VocabularyTable table;
  table.Add("Name=");
  EXPECT_TRUE(table.HasName("name"));
  EXPECT_EQ(table.ValueOf("name"), "");
  EXPECT_FALSE(table.HasName("Nam"));
  EXPECT_FALSE(table.HasName("Name="));
  EXPECT_FALSE(table.HasEntry("Name"));
}

TEST(VocabularyTable, RowThatSortsFirstAnswersForASharedName) {
  for (const bool reversed : {false, true}) {
    VocabularyTable table;
    table.Add(reversed ? "Key=b" : "key=a");
    table.Add(reversed ? "key=a" : "Key=b");
    EXPECT_EQ(table.ValueOf("KEY"), "a") << "reversed " << reversed;
  }
}

struct NameLookup {
  const VocabularyTable& (Lists::*table)() const;
  std::string_view key;
  bool found;
  std::string_view value;
};

TEST(StoredVocabulary, NameLookupsFollowTheRowConventions) {
  const NameLookup rows[] = {
      {&Lists::ClassMap, "commandbutton", true, "TButton"},
      {&Lists::ClassMap, "COLUMN", true, "column"},
      {&Lists::ClassMap, "Form", false, ""},
      {&Lists::ClassMap, "Line", false, ""},
      {&Lists::ClassMap, "OLEControl", false, ""},
      {&Lists::CommonPropertyMap, "name", true, ""},
      {&Lists::CommonPropertyMap, "TabIndex", true, "TabOrder"},
      {&Lists::CommonPropertyMap, "BackColor", false, ""},
      {&Lists::PropertyMap, "BACKCOLOR", true, "Color"},
      {&Lists::ValueMap, "Alignment.7", true, ""},
      {&Lists::ValueMap, "Alignment.10", false, ""},
      {&Lists::ValueMap, "fontbold..t.", true, "fsBold"},
      {&Lists::ValueMap, ".t.", true, "True"},
      {&Lists::ClassPropertyMap, "CHECKBOX.value", true, "Checked"},
      {&Lists::ClassPropertyMap, "checkbox.Value.2", true, ""},
  };
  const Lists& lists = Lists::Shared();
  for (const auto& row : rows) {
    const VocabularyTable& table = (lists.*row.table)();
    EXPECT_EQ(table.HasName(row.key), row.found) << row.key;
    EXPECT_EQ(table.ValueOf(row.key), row.value) << row.key;
  }
}

TEST(StoredVocabulary, SkipListIsLookedUpByWholeEntry) {
  const auto& skip_list = Lists::Shared().SkipList();
  EXPECT_TRUE(skip_list.HasEntry("timer.width"));
  EXPECT_TRUE(skip_list.HasEntry("FORM.TABINDEX"));
  EXPECT_FALSE(skip_list.HasEntry("Timer.Left"));
  EXPECT_FALSE(skip_list.HasEntry("Timer"));
  EXPECT_FALSE(skip_list.HasName("Timer"));
}

// A shared name would make the sort order decide a lookup.
TEST(StoredVocabulary, NoTableHoldsTwoRowsWithTheSameName) {
  const Lists& lists = Lists::Shared();
  for (const auto* table : {&lists.ClassMap(), &lists.CommonPropertyMap(), &lists.PropertyMap(), &lists.ValueMap(),
                            &lists.ClassPropertyMap(), &lists.SkipList()}) {
    const auto& rows = table->Rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
      for (std::size_t j = i + 1; j < rows.size(); ++j) {
        if (rows[i].find('=') == std::string::npos || rows[j].find('=') == std::string::npos) continue;
        EXPECT_FALSE(SameText(NamePart(rows[i]), NamePart(rows[j]))) << rows[i] << " / " << rows[j];
      }
    }
  }
}

}  // namespace
}  // namespace quorvex
