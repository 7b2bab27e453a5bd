// Whole forms through the loadable mode, made with the fixture writer: the
// .dfm texts, the units and what is kept as comments.

#include <gtest/gtest.h>

#include <algorithm>

#include "fixtures/scx_writer.h"
#include "loadable/loadable_conversion.h"
#include "loadable/small_forms.h"
#include "support/golden.h"

namespace quorvex::testing {
namespace {

using fixtures::PropertyLines;
using fixtures::ScxWriter;

std::vector<ConvertedForm> Convert(const ScxWriter& writer, LoadableOptions options = {},
                                    std::vector<std::string>* notes = nullptr, int damaged_record = 0) {
  fixtures::TableFiles built = writer.Build();
  if (damaged_record > 0) fixtures::PutBigEndian32(built.memo, built.MemoEntryOffset(damaged_record, "PROPERTIES"), 2);
  return ConvertTables(built, "/forms/0001_tool.scx", std::move(options), notes);
}

// The lines of `text` that hold `part`, blanks at the start removed.
std::vector<std::string> LinesWith(const TextList& text, std::string_view part) {
  std::vector<std::string> found;
  for (const std::string& line : text) {
    if (line.find(part) != std::string::npos) found.push_back(line.substr(line.find_first_not_of(' ')));
  }
  return found;
}

ScxWriter FormWith(std::initializer_list<fixtures::ScxRecord> objects, int mark = 0x03) {
  ScxWriter form;
  form.CodePageMark(mark).AddVersionComment().Add(
      {.objname = "Form1", .baseclass = "form", .properties = PropertyLines({"Width = 300", "Name = \"Form1\""})});
  for (const auto& object : objects) form.Add(object);
  return form;
}

TEST(LoadableConversion, EveryObjectGetsARealClassAndFitsItsUnit) {
  const auto outputs = Convert(FormWith({
      {.objname = "Line1", .parent = "Form1", .baseclass = "line",
       .properties = PropertyLines({"Width = 100", "Height = 0", "Name = \"Line1\""})},
      {.objname = "Ole1", .parent = "Form1", .baseclass = "olecontrol",
       .properties = PropertyLines({"Left = 5", "Name = \"Ole1\""})},
      // A class-library container: its members exist only as lines of its record.
      {.objname = "Bar", .parent = "Form1", .baseclass = "container", .class_name = "navbar",
       .properties = PropertyLines({"Name = \"Bar\"", "cmdNext.Caption = \"Next\"", "cmdNext.Name = \"cmdNext\""})},
      // Its parent path names an object no record describes: a placeholder.
      {.objname = "lblX", .parent = "Form1.Holder", .baseclass = "label",
       .properties = PropertyLines({"Caption = \"X\"", "Name = \"lblX\""})},
  }));
  ASSERT_EQ(outputs.size(), 1u);
  const ConvertedForm& form = outputs.front();
  EXPECT_EQ(form.unit_name, "U0001_tool");
  EXPECT_EQ(LinesWith(form.dfm, "object "),
            (std::vector<std::string>{"object Form1: TForm1", "object Line1: TBevel", "object Ole1: TPanel",
                                      "object Bar: TPanel", "object cmdNext: TButton", "object Holder: TPanel",
                                      "object lblX: TLabel"}));
  EXPECT_EQ(LinesWith(form.dfm, "Shape"), std::vector<std::string>{"Shape = bsTopLine"});
  // The line's thickness; the OLE object and the container sized as FoxPro's
  // defaults; the button and label as the defaults of their classes.
  EXPECT_EQ(LinesWith(form.dfm, "Height"),
            (std::vector<std::string>{"ClientHeight = 250", "Height = 2", "Height = 100", "Height = 200",
                                      "Height = 27", "Height = 17", "Height = 17"}));
  EXPECT_EQ(LinesWith(form.dfm, "Caption"), (std::vector<std::string>{"Caption = 'Next'", "Caption = 'X'"}));
  EXPECT_EQ(LinesWith(form.pas, ": T"),
            (std::vector<std::string>{"Line1: TBevel;", "Ole1: TPanel;", "Bar: TPanel;", "cmdNext: TButton;",
                                      "Holder: TPanel;", "lblX: TLabel;", "Form1: TForm1;"}));
  EXPECT_EQ(LinesWith(form.pas, "uses"), std::vector<std::string>{"uses"});
  EXPECT_EQ(LinesWith(form.pas, "Forms, Dialogs"),
            std::vector<std::string>{"SysUtils, Classes, Graphics, Controls, Forms, Dialogs, StdCtrls, ExtCtrls;"});
  EXPECT_EQ(LinesWith(form.pas, "OLE object"),
            std::vector<std::string>{"// OLE object (olecontrol): not carried over"});
}

TEST(LoadableConversion, SettingsThatDoNotFitAreKeptAsComments) {
  const auto outputs = Convert(FormWith({
      {.objname = "Shape1", .parent = "Form1", .baseclass = "shape",
       .properties = PropertyLines({"BackColor = 255,0,0", "BorderColor = 0,0,128", "Curvature = 99",
                                    "Name = \"Shape1\""})},
      {.objname = "Check1", .parent = "Form1", .baseclass = "checkbox",
       .properties = PropertyLines({"Alignment = 1", "Value = 1", "FontBold = .T.", "FontItalic = .T.",
                                    "FontUnderline = .F.", "Name = \"Check1\""})},
      {.objname = "Label1", .parent = "Form1", .baseclass = "label",
       .properties = PropertyLines({"Caption = (GetText(\"A\") + CHR(13))", "BackColor = (nColor)",
                                    "ToolTipText = \"Tip\"", "BackStyle = 0", "Top = 40", "Name = \"Label1\""})},
  }));
  const ConvertedForm& form = outputs.front();
  EXPECT_EQ(LinesWith(form.dfm, "Color"),
            (std::vector<std::string>{"Brush.Color = clRed", "Pen.Color = clNavy", "ParentColor = False"}));
  EXPECT_EQ(LinesWith(form.dfm, "Alignment"), std::vector<std::string>{"Alignment = taLeftJustify"});
  EXPECT_EQ(LinesWith(form.dfm, "Checked"), std::vector<std::string>{"Checked = True"});
  EXPECT_EQ(LinesWith(form.dfm, "Font.Style"), std::vector<std::string>{"Font.Style = [fsBold, fsItalic]"});
  EXPECT_EQ(LinesWith(form.dfm, "Hint"), std::vector<std::string>{"Hint = 'Tip'"});
  EXPECT_EQ(LinesWith(form.dfm, "Transparent"), std::vector<std::string>{"Transparent = True"});
  EXPECT_EQ(LinesWith(form.dfm, "ClientWidth"), std::vector<std::string>{"ClientWidth = 300"});
  EXPECT_EQ(LinesWith(form.pas, "      // "),
            (std::vector<std::string>{"// Curvature = 99", "// Caption = (GetText(\"A\") + CHR(13))",
                                      "// BackColor = (nColor)"}));
  EXPECT_EQ(form.kept_count, 3);
}

TEST(LoadableConversion, GridColumnsTakeTheirHeaderAndEditControl) {
  const auto outputs = Convert(FormWith({
      {.objname = "Grid1", .parent = "Form1", .baseclass = "grid",
       .properties = PropertyLines({"ColumnCount = 1", "Name = \"Grid1\"", "Column1.Width = 75",
                                    "Column1.Enabled = .F.", "Column1.Name = \"Column1\""})},
      {.objname = "Header1", .parent = "Form1.Grid1.Column1", .baseclass = "header",
       .properties = PropertyLines({"Caption = \"Name\"", "FontBold = .T.", "Name = \"Header1\""})},
      {.objname = "Text1", .parent = "Form1.Grid1.Column1", .baseclass = "textbox",
       .properties = PropertyLines({"Left = 4", "BackColor = 255,255,255", "Name = \"Text1\""})},
  }));
  const ConvertedForm& form = outputs.front();
  EXPECT_EQ(LinesWith(form.dfm, "object "),
            (std::vector<std::string>{"object Form1: TForm1", "object Grid1: TDBGrid"}));
  EXPECT_EQ(LinesWith(form.dfm, "Title."),
            (std::vector<std::string>{"Title.Caption = 'Name'", "Title.Font.Style = [fsBold]"}));
  EXPECT_EQ(LinesWith(form.dfm, "Color"), std::vector<std::string>{"Color = clWhite"});
  EXPECT_EQ(LinesWith(form.pas, "//"),
            (std::vector<std::string>{"// ColumnCount = 1", "// Column1: Enabled = .F.",
                                      "// Column1.Text1: Left = 4"}));
}

TEST(LoadableConversion, EachFormOfAFormSetIsAPairNamedAfterInputAndForm) {
  ScxWriter formset;
  formset.AddVersionComment()
      .Add({.objname = "Formset1", .baseclass = "formset", .properties = PropertyLines({"Name = \"Formset1\""})})
      .Add({.objname = "Form1", .parent = "Formset1", .baseclass = "form",
            .properties = PropertyLines({"Caption = \"One\"", "Name = \"Form1\""})})
      .Add({.objname = "Text1", .parent = "Formset1.Form1", .baseclass = "textbox",
            .properties = PropertyLines({"Name = \"Text1\""})})
      .Add({.objname = "Form2", .parent = "Formset1", .baseclass = "form",
            .properties = PropertyLines({"Caption = \"Two\"", "Name = \"Form2\""})})
      .Add({.objname = "Text1", .parent = "Formset1.Form2", .baseclass = "textbox",
            .properties = PropertyLines({"Name = \"Text1\""})})
      .Add({.objname = "form1", .parent = "Formset1", .baseclass = "form",
            .properties = PropertyLines({"Name = \"form1\""})});
  const auto outputs = Convert(formset);
  ASSERT_EQ(outputs.size(), 3u);
  EXPECT_EQ(outputs[0].unit_name, "U0001_tool_Form1");
  EXPECT_EQ(outputs[1].unit_name, "U0001_tool_Form2");
  EXPECT_EQ(outputs[2].unit_name, "U0001_tool_form1_1");
  EXPECT_EQ(LinesWith(outputs[1].dfm, "object "),
            (std::vector<std::string>{"object Form2: TForm2", "object Text1: TEdit"}));
  EXPECT_EQ(LinesWith(outputs[1].pas, "unit "), std::vector<std::string>{"unit U0001_tool_Form2;"});
}

TEST(LoadableConversion, NamesAndTextsOfTheFormsCodePage) {
  const auto outputs = Convert(
      FormWith({{.objname = "lbl\xCA\xEE\xE4", .parent = "Form1", .baseclass = "label",
                 .properties = PropertyLines({"Caption = \"\xCA\xEE\xE4 'A'\"", "Name = \"lbl\xCA\xEE\xE4\""})},
                {.objname = "Text1", .parent = "Form1", .baseclass = "textbox",
                 .properties = PropertyLines({"Name = \"Text1\""})},
                {.objname = "TEXT1", .parent = "Form1", .baseclass = "textbox",
                 .properties = PropertyLines({"Comment = \"\xCA\xEE\xE4\"", "Name = \"TEXT1\""})}},
               0xC9));
  const ConvertedForm& form = outputs.front();
  EXPECT_EQ(LinesWith(form.dfm, "Caption"), std::vector<std::string>{"Caption = #1050#1086#1076' '#39'A'#39"});
  EXPECT_EQ(LinesWith(form.dfm, "object "),
            (std::vector<std::string>{"object Form1: TForm1", "object lbl___: TLabel", "object Text1: TEdit",
                                      "object TEXT1_1: TEdit"}));
  EXPECT_EQ(LinesWith(form.pas, "//"),
            (std::vector<std::string>{"// FoxPro: thisform.lbl\xD0\x9A\xD0\xBE\xD0\xB4", "// FoxPro: thisform.TEXT1",
                                      "// Comment = \"\xD0\x9A\xD0\xBE\xD0\xB4\""}));
  // The code page given wins over the table's mark.
  const auto as_1252 = Convert(FormWith({{.objname = "Label1", .parent = "Form1", .baseclass = "label",
                                          .properties = PropertyLines({"Caption = \"\xE9\"", "Name = \"Label1\""})}},
                                        0xC9),
                               {.code_page = 1252, .expand_records = {}});
  EXPECT_EQ(LinesWith(as_1252.front().dfm, "Caption"), std::vector<std::string>{"Caption = #233"});
}

TEST(LoadableConversion, ExpansionSeesTheRecordsBeforeTheTreeIsBuilt) {
  std::string seen_path;
  LoadableOptions options;
  options.expand_records = [&](std::vector<FormRecord> records, const std::string& form_path,
                               std::vector<std::string>& notes) {
    seen_path = form_path;
    notes.push_back("   Note: expanded");
    FormRecord member = records.back();
    member.object_name = "cmdAdded";
    member.parent = "Form1";
    member.base_class = "commandbutton";
    member.properties = "Name = \"cmdAdded\"\r\n";
    records.push_back(member);
    return records;
  };
  const auto outputs = Convert(FormWith({}), options);
  EXPECT_EQ(seen_path, "/forms/0001_tool.scx");
  EXPECT_EQ(LinesWith(outputs.front().dfm, "object cmd"), std::vector<std::string>{"object cmdAdded: TButton"});
}

TEST(LoadableConversion, ADamagedRecordCostsItsObjectsWithAWarning) {
  std::vector<std::string> notes;
  const auto outputs = Convert(FormWith({{.objname = "Text1", .parent = "Form1", .baseclass = "textbox",
                                          .properties = PropertyLines({"Name = \"Text1\""})},
                                         {.objname = "Text2", .parent = "Form1", .baseclass = "textbox",
                                          .properties = PropertyLines({"Name = \"Text2\""})}}),
                               {}, &notes, 3);
  EXPECT_EQ(notes, std::vector<std::string>{"   Warning: record 3 could not be read: Memo record is bad in " +
                                            NativePath("/forms/0001_tool.sct")});
  EXPECT_EQ(LinesWith(outputs.front().dfm, "object "),
            (std::vector<std::string>{"object Form1: TForm1", "object Text2: TEdit"}));
}

TEST(LoadableConversion, ATableWithoutAFormIsAFailure) {
  ScxWriter table;
  table.AddVersionComment().Add({.objname = "Dataenvironment", .baseclass = "dataenvironment",
                                 .properties = PropertyLines({"Name = \"Dataenvironment\""})});
  EXPECT_THROW(Convert(table), Exception);
}

}  // namespace
}  // namespace quorvex::testing
