// Objects that hold others: a class that can parent what they hold, whatever
// their names say, and, where a missing class library would give their size,
// the size their own lines and their members tell.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "loadable/small_forms.h"

namespace quorvex::testing {
namespace {

using Settings = std::vector<std::string>;

bool Has(const TextList& lines, const std::string& text) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) { return line == text; });
}

fixtures::ScxRecord OfMissingClass(fixtures::ScxRecord record) {
  record.class_name = "missing";
  record.classloc = "missing.vcx";
  return record;
}

TEST(Holders, WhatHoldsObjectsCanParentThemWhateverItsNameOrBaseClass) {
  fixtures::ScxWriter writer;
  writer.AddVersionComment()
      .Add(OfMissingClass({.objname = "Form1", .baseclass = "form",
                           .properties = "Name = \"Form1\"\r\ncmdSave.Left = 10\r\n"
                                         "cmdSave.lblCaption.Caption = \"Save\"\r\ncmdSave.lblCaption.Left = 5\r\n"
                                         "cmdSave.lblCaption.Name = \"lblCaption\"\r\ncmdSave.Name = \"cmdSave\"\r\n"}))
      .Add(Object("Label1", "label", {"Caption = \"x\""}))
      .Add(Object("Text1", "textbox", {}, "Form1.Label1"));
  const ConvertedForm form = ConvertTables(writer.Build(), "/f/hold.scx").front();
  // A button named so, holding a label: a panel, as large as what it holds.
  EXPECT_TRUE(Has(form.dfm, "  object cmdSave: TPanel"));
  EXPECT_TRUE(Has(form.dfm, "    object lblCaption: TLabel"));
  EXPECT_EQ(SettingsOf(form, "cmdSave"), (Settings{"Left = 10", "Width = 45", "Height = 17"}));
  // A record's base class gives way as well.
  EXPECT_TRUE(Has(form.dfm, "  object Label1: TPanel"));
}

TEST(Holders, MissingClassesTakeTheSizesTheirLinesAndMembersGive) {
  const ConvertedForm form = ConvertForm({
      // Across as its record says; down, no member tells: FoxPro's default,
      // not nothing.
      OfMissingClass(
          Object("Bar", "container", {"Width = 206", "goNew.Name = \"goNew\"", "tmrPoll.Name = \"tmrPoll\""})),
      // A member of such a class, high as the lines say, wide as its members.
      OfMissingClass(Object("Keys", "container", {"Top = 40", "Sel.Height = 261", "Sel.Tree.Left = 1",
                                                  "Sel.Tree.Width = 251", "Sel.Tree.Height = 229",
                                                  "Sel.Tree.Name = \"Tree\"", "Sel.Name = \"Sel\""})),
  });
  EXPECT_EQ(SettingsOf(form, "Bar"),
            (Settings{"Width = 206", "ParentColor = False", "BorderStyle = bsSingle", "Height = 200",
                      "BevelOuter = bvNone"}));
  EXPECT_EQ(SettingsOf(form, "Sel"), (Settings{"Height = 261", "Width = 252"}));
}

}  // namespace
}  // namespace quorvex::testing
