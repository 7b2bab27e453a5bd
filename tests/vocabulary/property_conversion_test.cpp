// Single property lines: the vocabulary lookups and the value rules.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "vocabulary/property_conversion.h"

namespace quorvex {
namespace {

struct LineCase {
  std::string_view line;
  std::string_view current_class;
  std::string_view expected;
};

void ExpectConversions(std::initializer_list<LineCase> rows) {
  for (const auto& row : rows) {
    TextList dfm;
    PropertyConverter converter(dfm);
    converter.SetCurrentClass(row.current_class);
    EXPECT_EQ(converter.ConvertPropertyLine(row.line), row.expected)
        << row.line << " (class " << row.current_class << ")";
  }
}

TEST(ConvertPropertyLine, WorkedExamples) {
  ExpectConversions({
      {"Caption = \"\\<Save\"", "Form", "Caption = '&Save'"},
      {"Caption = \"Don't\"", "label", "Caption = 'Don''t'"},
      {"Caption = \"\"", "Form", "Caption = ''"},
      {"Name = \"Text1\"", "textbox", ""},
      {"Comment = \"note\"", "Form", ""},
      {"Height = 250", "Form", "Height = 250"},
      {"TabIndex = 3", "textbox", "TabOrder = 3"},
      {"TabIndex = 3", "label", ""},
      {"Enabled = .F.", "Form", "Enabled = False"},
      {"BackColor = 255,255,255", "Form", "Color = clWhite"},
      {"ForeColor = 0,0,128", "Form", "Font.Color = clNavy"},
      {"BackColor = 192,220,192", "Form", "Color = $00C0DCC0"},
      {"FontName = \"Tahoma\"", "Form", "Font.Name = 'Tahoma'"},
      {"FontSize = 10", "Form", "Font.Size = 10"},
      {"Alignment = 2", "label", "Alignment = taCenter"},
      {"Alignment = 3", "label", ""},
      {"Alignment = 1", "textbox", ""},
      {"AutoSize = .T.", "label", "AutoSize = True"},
      {"AutoSize = .T.", "commandbutton", ""},
      {"Value = 1", "checkbox", "Checked = True"},
      {"Value = 2", "checkbox", ""},
      {"WordWrap = .T.", "label", "WordWrap = True"},
      {"PageOrder = 2", "page", "PageIndex = 2"},
  });
}

// The remaining rows of the complete mapping: what each property becomes and
// the classes it is dropped for.
TEST(ConvertPropertyLine, MappingByPropertyAndClass) {
  ExpectConversions({
      {"Alignment = 0", "label", "Alignment = taLeftJustify"},
      {"Alignment = 1", "label", "Alignment = taRightJustify"},
      {"Alignment = 9", "label", ""},
      {"Alignment = 10", "label", "Alignment = 10"},
      {"Alignment = 2", "spinner", ""},
      {"AutoSize = .T.", "checkbox", ""},
      {"AutoSize = .T.", "optionbutton", ""},
      {"AutoSize = .T.", "OPTIONGROUP", ""},
      {"BackColor = 255,0,0", "page", ""},
      {"BackColor = 255,0,0", "label", "Color = clRed"},
      {"ForeColor = 255,0,0", "page", "Font.Color = clRed"},
      {"Height = 10", "timer", ""},
      {"Width = 10", "timer", ""},
      {"Left = 10", "timer", "Left = 10"},
      {"Top = -4", "Form", "Top = -4"},
      {"Visible = .T.", "Form", "Visible = True"},
      {"TabStop = .F.", "commandbutton", "TabStop = False"},
      {"ReadOnly = .T.", "textbox", "ReadOnly = True"},
      {"ReadOnly = .T.", "checkbox", ""},
      {"TabIndex = 1", "Form", ""},
      {"TabIndex = 0", "commandbutton", "TabOrder = 0"},
      {"Value = 0", "checkbox", "Checked = False"},
      {"Value = 5", "checkbox", "Checked = 5"},
      {"Value = 1", "textbox", ""},
      {"WordWrap = .T.", "textbox", ""},
      {"PageOrder = 2", "label", ""},
      {"FontItalic = .T.", "label", "Font.Style = [fsItalic]"},
      {"FontStrikethru = .T.", "label", "Font.Style = [fsStrikeout]"},
      {"FontUnderline = .T.", "label", "Font.Style = [fsUnderline]"},
      {"FontBold = .T.", "header", "Font.Style = [fsBold]"},
      {"BorderStyle = 3", "Form", ""},
      {"ControlSource = \"x\"", "textbox", ""},
  });
}

TEST(ConvertPropertyLine, OddLinesAndValues) {
  ExpectConversions({
      {"backcolor = 255,0,0", "Form", "Color = clRed"},
      {"enabled = .t.", "Form", "Enabled = True"},
      {"Height=250", "Form", "Height = 250"},
      {"Height \t=\t 250 ", "Form", "Height = 250"},
      {"Height =", "Form", ""},
      {"Height", "Form", ""},
      {"= 5", "Form", ""},
      {"Caption = \"abc", "Form", "Caption = 'ab'"},
      {"Caption = \"a\" + cSuffix", "Form", "Caption = 'a'"},
      {"Caption = \"x = y\"", "Form", "Caption = 'x = y'"},
      {"Caption = \"\\<File \\<Edit\"", "Form", "Caption = '&File \\<Edit'"},
      {"Caption = plain", "Form", "Caption = plain"},
      {"Caption = .T.", "Form", "Caption = True"},
      {"FontName = \"\\<Arial\"", "Form", "Font.Name = '\\<Arial'"},
      {"FontBold = .F.", "label", ""},
      {"FontBold = 1", "label", ""},
      {"Value = 1", "CheckBox", "Checked = True"},
  });
}

TEST(ConvertPropertyLine, RecordsTheTrimmedPropertyAndValue) {
  TextList dfm;
  PropertyConverter converter(dfm);
  converter.ConvertPropertyLine("Caption  =  \"a = b\"  ");
  EXPECT_EQ(converter.CurrentProperty(), "Caption");
  EXPECT_EQ(converter.CurrentValue(), "\"a = b\"");
}

// Converts `lines` for one object as the DFM writer does: each result on its
// own line, indented, a header's lines with "Title." in front.
void ConvertObjectLines(PropertyConverter& converter, TextList& dfm, std::initializer_list<std::string_view> lines) {
  converter.SetObjectFirstLine(dfm.size());
  for (const auto line : lines) {
    std::string result = converter.ConvertPropertyLine(line);
    if (!result.empty() && converter.CurrentClass() == "header") result.insert(0, "Title.");
    dfm.push_back("  " + result);
  }
}

TEST(FontStyle, TrueFlagsOfOneObjectGatherInItsFirstStyleLine) {
  TextList dfm;
  PropertyConverter converter(dfm);
  converter.SetCurrentClass("label");
  ConvertObjectLines(converter, dfm,
                     {"FontBold = .T.", "Caption = \"a\"", "FontItalic = .T.", "FontUnderline = .F.",
                      "FontStrikethru = .T."});
  EXPECT_EQ(dfm, (TextList{"  Font.Style = [fsBold, fsItalic, fsStrikeout]", "  Caption = 'a'", "  ", "  ", "  "}));
}

TEST(FontStyle, AllFalseFlagsGiveNoStyleLine) {
  TextList dfm;
  PropertyConverter converter(dfm);
  ConvertObjectLines(converter, dfm, {"FontBold = .F.", "FontItalic = .F.", "FontUnderline = .F."});
  EXPECT_EQ(dfm, (TextList{"  ", "  ", "  "}));
}

TEST(FontStyle, HeaderFlagsGatherInTheTitleStyleLine) {
  TextList dfm;
  PropertyConverter converter(dfm);
  converter.SetCurrentClass("header");
  ConvertObjectLines(converter, dfm, {"FontBold = .T.", "FontItalic = .T."});
  EXPECT_EQ(dfm, (TextList{"  Title.Font.Style = [fsBold, fsItalic]", "  "}));
}

TEST(FontStyle, ANewObjectOpensItsOwnSet) {
  TextList dfm;
  PropertyConverter converter(dfm);
  converter.SetCurrentClass("label");
  ConvertObjectLines(converter, dfm, {"FontBold = .T."});
  ConvertObjectLines(converter, dfm, {"FontItalic = .T."});
  EXPECT_EQ(dfm, (TextList{"  Font.Style = [fsBold]", "  Font.Style = [fsItalic]"}));
}

TEST(FindStyleLine, FindsTheLatestExactNameFromTheObjectsFirstLine) {
  TextList dfm = {"  Font.Style = [fsBold]", "  Font.Style = [fsItalic]", "  font.style = [x]",
                  "  Title.Font.Style = [y]", "  Font.Style", "object Font.Style: TLabel", "  "};
  PropertyConverter converter(dfm);
  converter.SetObjectFirstLine(0);
  EXPECT_EQ(converter.FindStyleLine("Font.Style"), 1u);
  EXPECT_EQ(converter.FindStyleLine("Title.Font.Style"), 3u);
  EXPECT_EQ(converter.FindStyleLine("Font.Color"), std::nullopt);
  converter.SetObjectFirstLine(2);
  EXPECT_EQ(converter.FindStyleLine("Font.Style"), std::nullopt);
  converter.SetObjectFirstLine(99);
  EXPECT_EQ(converter.FindStyleLine("Title.Font.Style"), std::nullopt);
}

// Searches resume where the last one stopped; the answers must still be those
// of a full search over the lines as they are now.
TEST(FindStyleLine, SeesLinesAddedSinceTheLastSearch) {
  TextList dfm = {"  Top = 1"};
  PropertyConverter converter(dfm);
  converter.SetObjectFirstLine(0);
  EXPECT_EQ(converter.FindStyleLine("Font.Style"), std::nullopt);
  dfm.push_back("  Font.Style = [fsBold]");
  dfm.push_back("  Left = 2");
  EXPECT_EQ(converter.FindStyleLine("Font.Style"), 1u);
  EXPECT_TRUE(converter.MergeStyleFlag(1, "fsItalic"));
  dfm.push_back("  Font.Style = [fsUnderline]");
  EXPECT_EQ(converter.FindStyleLine("Font.Style"), 3u);
  converter.SetObjectFirstLine(4);
  dfm.push_back("  Font.Style = [fsStrikeout]");
  EXPECT_EQ(converter.FindStyleLine("Font.Style"), 4u);
  dfm.assign({"  Font.Style = [fsBold]"});
  converter.SetObjectFirstLine(0);
  EXPECT_EQ(converter.FindStyleLine("Font.Style"), 0u);
  dfm.clear();
  EXPECT_EQ(converter.FindStyleLine("Font.Style"), std::nullopt);
}

TEST(MergeStyleFlag, AddsToASetAndLeavesOtherLinesAlone) {
  TextList dfm = {"    Font.Style = [fsBold]  ", "  Font.Style = fsBold", ""};
  PropertyConverter converter(dfm);
  EXPECT_TRUE(converter.MergeStyleFlag(0, "fsItalic"));
  EXPECT_EQ(dfm[0], "    Font.Style = [fsBold, fsItalic]");
  EXPECT_FALSE(converter.MergeStyleFlag(1, "fsItalic"));
  EXPECT_EQ(dfm[1], "  Font.Style = fsBold");
  EXPECT_FALSE(converter.MergeStyleFlag(2, "fsItalic"));
  EXPECT_FALSE(converter.MergeStyleFlag(3, "fsItalic"));
  EXPECT_EQ(dfm.size(), 3u);
}

TEST(MapClass, MapsKnownClassesAndRemembersTheVisualFoxProName) {
  TextList dfm;
  PropertyConverter converter(dfm);
  converter.SetCurrentClass("Form");
  std::string class_name = "commandbutton";
  converter.MapClass(class_name);
  EXPECT_EQ(class_name, "TButton");
  EXPECT_EQ(converter.CurrentClass(), "commandbutton");

  for (const char* unknown : {"Line", "OLEControl", "Form", "TfrmMain", ""}) {
    converter.SetCurrentClass("Form");
    class_name = unknown;
    converter.MapClass(class_name);
    EXPECT_EQ(class_name, unknown);
    EXPECT_EQ(converter.CurrentClass(), "Form") << unknown;
  }
}

TEST(MakeUniqueName, SuffixesAreCountedFromTheNamePassedInIgnoringCase) {
  TextList dfm;
  PropertyConverter converter(dfm);
  const std::string_view given[] = {"Text1", "Text1", "TEXT1", "Text1_1", "Text1_3", "text1", "Label1", "Text1_1"};
  const std::string_view expected[] = {"Text1",   "Text1_1", "TEXT1_2", "Text1_1_1",
                                       "Text1_3", "text1_4", "Label1",  "Text1_1_2"};
  for (std::size_t i = 0; i < std::size(given); ++i) {
    std::string name(given[i]);
    converter.MakeUniqueName(name);
    EXPECT_EQ(name, expected[i]) << "call " << i;
  }
}

}  // namespace
}  // namespace quorvex
