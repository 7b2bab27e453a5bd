// What makes a loadable form look like the FoxPro form: FoxPro's defaults
// where a record stores nothing, fonts, sizes, constant values, colors.

#include <gtest/gtest.h>

#include <algorithm>

#include "loadable/small_forms.h"

namespace quorvex::testing {
namespace {

using Settings = std::vector<std::string>;

TEST(FoxProLook, FoxProsDefaultsFillWhatRecordsLeaveOut) {
  const ConvertedForm form = ConvertForm({
      Object("Label1", "label", {"Caption = \"Name\""}),
      Object("Label2", "label", {"Caption = \"Clear\"", "BackStyle = 0", "AutoSize = .T.", "Width = 30"}),
      Object("Label3", "label", {"Caption = (GetText(\"A\"))", "AutoSize = .T.", "Width = 30", "Height = 15"}),
      Object("Text1", "textbox", {"Left = 8"}),
      Object("Shape1", "shape", {"BackColor = 255,0,0", "Top = 30"}),
  });
  // The form: FoxPro's size, placed where it is, its font, measured at 96 dpi.
  EXPECT_EQ(SettingsOf(form, "Form1"), (Settings{"Position = poDesigned", "Font.Name = 'Arial'", "Font.Size = 9",
                                                 "ClientHeight = 250", "AutoScroll = False", "ClientWidth = 375",
                                                 "PixelsPerInch = 96"}));
  // Opaque in the button face color, FoxPro's size; a label does not size itself.
  EXPECT_EQ(SettingsOf(form, "Label1"),
            (Settings{"Caption = 'Name'", "AutoSize = False", "Color = clBtnFace", "Height = 17", "Width = 40"}));
  EXPECT_EQ(SettingsOf(form, "Label2"),
            (Settings{"Caption = 'Clear'", "AutoSize = True", "Width = 30", "Height = 17", "Transparent = True"}));
  // No caption to measure: the size FoxPro measured.
  EXPECT_EQ(SettingsOf(form, "Label3"),
            (Settings{"AutoSize = False", "Width = 30", "Height = 15", "Color = clBtnFace"}));
  EXPECT_EQ(SettingsOf(form, "Text1"), (Settings{"Left = 8", "AutoSize = False", "ParentColor = False", "Height = 23", "Width = 100"}));
  EXPECT_EQ(SettingsOf(form, "Shape1"),
            (Settings{"Brush.Color = clRed", "Top = 30", "Pen.Color = 6579300", "Height = 17", "Width = 100"}));
}

// A form made from a class no library gives: its own record's member lines
// are all there is of the class's grid and button, members of members too.
TEST(FoxProLook, MembersOfAFormOfAMissingClassComeFromItsOwnLines) {
  fixtures::ScxWriter writer;
  writer.AddVersionComment().Add(
      {.objname = "Form1", .baseclass = "form", .class_name = "baseform",
       .properties = "Name = \"Form1\"\r\ngrd.Column1.Width = 90\r\ngrd.Column1.Name = \"Column1\"\r\n"
                     "grd.Left = 7\r\ngrd.Top = 46\r\ngrd.ColumnCount = 1\r\ngrd.Name = \"grd\"\r\n"
                     "btnSave.Caption = \"Save\"\r\nbtnSave.Left = 229\r\nbtnSave.Name = \"btnSave\"\r\n",
       .classloc = "missing.vcx"});
  const ConvertedForm form = ConvertTables(writer.Build(), "/f/inst.scx").front();
  const Settings grid = SettingsOf(form, "grd");
  EXPECT_TRUE(std::find(grid.begin(), grid.end(), "Left = 7") != grid.end());
  EXPECT_TRUE(std::find(grid.begin(), grid.end(), "Width = 90") != grid.end()) << "the column's width";
  const Settings button = SettingsOf(form, "btnSave");
  EXPECT_TRUE(std::find(button.begin(), button.end(), "Caption = 'Save'") != button.end());
  EXPECT_TRUE(std::find(button.begin(), button.end(), "Left = 229") != button.end());
}

// A page frame's lines that set a member of a page ("Page1.chkA.Caption"),
// where that member has a record of its own: one check box on the page, no
// page made of it, the lines kept.
TEST(FoxProLook, MembersOfMembersStayWithTheirOwnRecords) {
  const ConvertedForm form = ConvertForm(
      {Object("pgf", "pageframe",
              {"PageCount = 1", "Page1.Name = \"Page1\"", "Page1.chkA.Caption = \"x\"", "Page1.chkA.Name = \"chkA\""}),
       Object("chkA", "checkbox", {"Left = 5"}, "Form1.pgf.Page1")});
  const auto count = [&](const TextList& lines, const std::string& text) {
    return std::count_if(lines.begin(), lines.end(),
                         [&](const std::string& line) { return line.find(text) != std::string::npos; });
  };
  EXPECT_EQ(count(form.dfm, "object chkA"), 1);
  EXPECT_EQ(count(form.dfm, ": TTabSheet"), 1);
  EXPECT_EQ(count(form.pas, "chkA.Caption = \"x\""), 1);
}

TEST(FoxProLook, ContainersOfUnknownSizeHoldTheirMembers) {
  fixtures::ScxRecord bar = Object("Bar1", "container", {"Left = 4", "cmdGo.Left = 10", "cmdGo.Top = 6",
                                                        "cmdGo.Name = \"cmdGo\"", "lblX.Left = 100",
                                                        "lblX.Top = 40", "lblX.Name = \"lblX\""});
  bar.class_name = "navbar";
  bar.classloc = "missing.vcx";
  fixtures::ScxRecord high = Object("Box1", "container", {"Height = 90", "cmdUp.Left = 150", "cmdUp.Name = \"cmdUp\""});
  high.class_name = "box";
  high.classloc = "missing.vcx";
  const ConvertedForm form = ConvertForm({bar, high, Object("Plain1", "container", {})});
  // The members' extent and the margin they keep from the nearer edge;
  // the button and the label by the defaults of the classes their names give.
  // A FoxPro container is flat with a one-pixel line round it.
  const std::vector<std::string> look{"ParentColor = False", "BorderStyle = bsSingle"};
  EXPECT_EQ(SettingsOf(form, "Bar1"),
            (Settings{"Left = 4", look[0], look[1], "Height = 63", "BevelOuter = bvNone", "Width = 146"}));
  EXPECT_EQ(SettingsOf(form, "Box1"), (Settings{"Height = 90", look[0], look[1], "BevelOuter = bvNone", "Width = 234"}));
  EXPECT_EQ(SettingsOf(form, "Plain1"),
            (Settings{look[0], look[1], "Height = 200", "BevelOuter = bvNone", "Width = 200"}));
}

TEST(FoxProLook, FontsAreWholeWhereTheyDifferFromTheContainers) {
  const ConvertedForm form =
      ConvertForm({Object("Label1", "label", {"Caption = \"A\"", "Width = 9", "Height = 9", "BackStyle = 0"}),
                   Object("Label2", "label",
                          {"Caption = \"B\"", "FontName = \"Tahoma\"", "FontSize = 8", "Width = 9", "Height = 9",
                           "BackStyle = 0"}),
                   Object("Page1", "container", {"Width = 9", "Height = 9"}),
                   Object("Text1", "textbox",
                          {"ForeColor = 255,0,0", "FontBold = .T.", "Width = 9", "Height = 9"}, "Form1.Page1"),
                   Object("Text2", "textbox", {"Width = 9", "Height = 9"}, "Form1.Page1")},
                  {"FontName = \"Tahoma\"", "FontSize = 8", "Width = 9", "Height = 9"});
  // A FoxPro form's font is not its controls': each keeps FoxPro's default.
  EXPECT_EQ(SettingsOf(form, "Form1"), (Settings{"Font.Name = 'Tahoma'", "Font.Size = 8", "ClientWidth = 9",
                                                 "ClientHeight = 9", "Position = poDesigned", "AutoScroll = False",
                                                 "PixelsPerInch = 96"}));
  EXPECT_EQ(SettingsOf(form, "Label1"),
            (Settings{"Caption = 'A'", "Width = 9", "Height = 9", "AutoSize = False", "Font.Name = 'Arial'",
                      "Font.Size = 9", "Transparent = True"}));
  EXPECT_EQ(SettingsOf(form, "Label2"), (Settings{"Caption = 'B'", "Width = 9", "Height = 9", "AutoSize = False",
                                                  "Transparent = True"}));
  // A container without a font of its own shows the form's; in it, a
  // control that differs writes every part, one that does not none.
  EXPECT_EQ(SettingsOf(form, "Text1"),
            (Settings{"Font.Color = clRed", "Font.Name = 'Arial'", "Font.Size = 9", "Font.Style = [fsBold]",
                      "Width = 9", "Height = 9", "AutoSize = False", "ParentColor = False"}));
  EXPECT_EQ(SettingsOf(form, "Text2"), (Settings{"Width = 9", "Height = 9", "AutoSize = False", "ParentColor = False",
                                                 "Font.Name = 'Arial'", "Font.Size = 9"}));
}

TEST(FoxProLook, ConstantExpressionsAreWrittenAsTheirValues) {
  const ConvertedForm form = ConvertForm({
      Object("Label1", "label",
             {"Caption = (\"Status:\")", "BackColor = (RGB(255,0,0))", "Width = (10 * 5)", "Height = =17",
              "ToolTipText = ('one' + CHR(13) + CHR(10) + [two])"}),
      Object("Label2", "label", {"Caption = (GetText(\"A\"))", "Width = (Thisform.Width)", "Height = 9"}),
  });
  EXPECT_EQ(SettingsOf(form, "Label1"), (Settings{"Caption = 'Status:'", "Color = clRed", "Width = 50",
                                                  "Height = 17", "Hint = 'one'#10'two'", "AutoSize = False"}));
  // What is computed when the form runs stays a comment; FoxPro's default
  // stands in for a size.
  EXPECT_EQ(SettingsOf(form, "Label2"), (Settings{"Height = 9", "AutoSize = False", "Color = clBtnFace",
                                                  "Width = 40"}));
  EXPECT_NE(std::find(form.pas.begin(), form.pas.end(), "      // Width = (Thisform.Width)"), form.pas.end());
}

TEST(FoxProLook, CheckBoxesAndOptionButtonsKeepTheirSizeInTheLcl) {
  const ConvertedForm form = ConvertForm({
      Object("Check1", "checkbox", {"AutoSize = .T.", "Width = 60", "Height = 17"}),
      Object("Group1", "optiongroup", {"ButtonCount = 1", "Option1.Name = \"Option1\""}),
      Object("Loaded", "checkbox", {}),
  });
  const auto loaded = std::find(form.pas.begin(), form.pas.end(), "procedure TForm1.Loaded;");
  ASSERT_NE(loaded, form.pas.end());
  EXPECT_EQ(std::vector<std::string>(loaded + 1, loaded + 9),
            (std::vector<std::string>{"begin", "  inherited Loaded;", "{$IFDEF FPC}", "  Check1.AutoSize := False;",
                                      "  Option1.AutoSize := False;", "  Loaded_.AutoSize := False;", "{$ENDIF}",
                                      "end;"}));
  EXPECT_NE(std::find(form.pas.begin(), form.pas.end(), "    procedure Loaded; override;"), form.pas.end());
  // Delphi's check box has no AutoSize: FoxPro's is kept as a comment.
  EXPECT_NE(std::find(form.pas.begin(), form.pas.end(), "      // AutoSize = .T."), form.pas.end());
}

}  // namespace
}  // namespace quorvex::testing
