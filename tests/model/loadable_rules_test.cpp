// The loadable mode's single rules: class choice, identifiers, the table of
// published properties and the kinds of values, settings FoxRuntime makes,
// strings as characters.

#include <gtest/gtest.h>

#include "base/errors.h"
#include "base/text_encoding.h"
#include "catalog/fox_defaults.h"
#include "catalog/published_properties.h"
#include "model/class_choice.h"
#include "model/pascal_names.h"
#include "model/runtime_settings.h"
#include "model/setting_conversion.h"

namespace quorvex::testing {
namespace {

struct ChoiceRow {
  const char* fox_class;
  const char* name;
  const char* container_fox;
  const char* container_delphi;
  const char* expected;
};

TEST(LoadableRules, ClassChoiceFollowsContainerVocabularyBaseClassThenPrefix) {
  const ChoiceRow rows[] = {
      {"textbox", "Text1", "form", "TForm", "TEdit"},
      {"TEXTBOX", "Text1", "form", "TForm", "TEdit"},
      // The container's kind wins for pages and columns, whatever the record says.
      {"", "Page1", "pageframe", "TPageControl", "TTabSheet"},
      {"textbox", "Page1", "pageframe", "TPageControl", "TTabSheet"},
      {"", "Column1", "grid", "TDBGrid", "column"},
      {"", "Command1", "commandgroup", "TGroupBox", "TButton"},
      {"", "Option1", "optiongroup", "TGroupBox", "TRadioButton"},
      {"commandbutton", "Option1", "optiongroup", "TGroupBox", "TButton"},
      {"line", "Line1", "form", "TForm", "TBevel"},
      {"olecontrol", "cmdOle", "form", "TForm", "TPanel"},
      {"custom", "Custom1", "form", "TForm", "TPanel"},
      {"header", "Header1", "form", "TForm", "TPanel"},
      {"", "cmdNext", "container", "TPanel", "TButton"},
      {"", "CMDNEXT", "container", "TPanel", "TButton"},
      {"", "cmdnext", "container", "TPanel", "TButton"},
      {"", "lblName", "container", "TPanel", "TLabel"},
      {"", "txtName", "container", "TPanel", "TEdit"},
      {"", "linTop", "container", "TPanel", "TBevel"},
      {"", "Command1", "container", "TPanel", "TButton"},
      {"", "ShapeBall", "container", "TPanel", "TShape"},
      {"", "grd", "form", "TForm", "TDBGrid"},
      {"", "Label", "container", "TPanel", "TLabel"},
      {"", "Commander1", "container", "TPanel", "TPanel"},
      {"", "cmdlgOpen", "container", "TPanel", "TPanel"},
      {"", "Page1", "container", "TPanel", "TPanel"},
      {"", "", "container", "TPanel", "TPanel"},
  };
  for (const ChoiceRow& row : rows) {
    EXPECT_EQ(ChooseDelphiClass(row.fox_class, row.name, row.container_fox, row.container_delphi).delphi_class,
              row.expected)
        << row.fox_class << " " << row.name << " in " << row.container_fox;
  }
  // Of an object that holds objects, a name prefix counts only where its
  // class can hold them.
  EXPECT_EQ(ChooseDelphiClass("", "shpBack", "container", "TPanel", true).delphi_class, "TPanel");
  EXPECT_EQ(ChooseDelphiClass("", "cmdNext", "container", "TPanel", true).delphi_class, "TPanel");
  EXPECT_EQ(ChooseDelphiClass("", "pgfMain", "container", "TPanel", true).delphi_class, "TPageControl");
  EXPECT_FALSE(HoldsMembers("TButton"));
  EXPECT_TRUE(HoldsMembers("TGroupBox"));
  // The settings of an object known by its name convert by the rules of its class.
  EXPECT_EQ(ChooseDelphiClass("", "cmdNext", "container", "TPanel").fox_class, "CommandButton");
}

TEST(LoadableRules, NamesBecomeIdentifiersUniqueWithoutRegardToCase) {
  EXPECT_EQ(PascalIdentifier("Label.1", 'C'), "Label_1");
  EXPECT_EQ(PascalIdentifier("btnT\xF5hista", 'C'), "btnT_hista");
  EXPECT_EQ(PascalIdentifier("1st", 'C'), "C1st");
  EXPECT_EQ(PascalIdentifier("", 'C'), "C");
  EXPECT_EQ(PascalIdentifier("End", 'C'), "End_");
  EXPECT_EQ(UnitNameOf("/forms/0001_createtool.scx"), "U0001_createtool");
  EXPECT_EQ(UnitNameOf("C:\\forms\\my form.SCX"), "my_form");
  EXPECT_EQ(UnitNameOf("main.scx"), "main");
  EXPECT_EQ(UnitNameOf("/Ffc/DIALOGS.scx"), "UDIALOGS");

  UniqueNames names;
  EXPECT_EQ(names.Take("Text1"), "Text1");
  EXPECT_EQ(names.Take("TEXT1"), "TEXT1_1");
  EXPECT_EQ(names.Take("Text1_1"), "Text1_1_1");
  EXPECT_EQ(names.Take("text1"), "text1_2");
}

TEST(LoadableRules, PublishedPropertiesTableReadsGroupsAndKinds) {
  const PublishedProperties table(
      "# comment\n"
      "shared:\n"
      "Left int\n"
      "TThing: shared\n"
      "Align ident alLeft alRight = alLeft\n"
      "Style set fsBold fsItalic\n");
  EXPECT_EQ(table.Find("TThing", "Align")->default_value, "alLeft");
  EXPECT_EQ(table.Find("TThing", "Left")->default_value, std::nullopt);
  EXPECT_TRUE(table.Accepts("TThing", "Left", "-12"));
  EXPECT_TRUE(table.Accepts("tthing", "left", "12"));
  EXPECT_FALSE(table.Accepts("TThing", "Left", "1.5"));
  EXPECT_TRUE(table.Accepts("TThing", "Left", "-2147483648"));
  EXPECT_FALSE(table.Accepts("TThing", "Left", "2147483648"));
  EXPECT_FALSE(table.Accepts("TThing", "Top", "1"));
  EXPECT_TRUE(table.Accepts("TThing", "Align", "alRight"));
  EXPECT_FALSE(table.Accepts("TThing", "Align", "alTop"));
  EXPECT_TRUE(table.Accepts("TThing", "Style", "[fsBold, fsItalic]"));
  EXPECT_TRUE(table.Accepts("TThing", "Style", "[]"));
  EXPECT_FALSE(table.Accepts("TThing", "Style", "[fsBold, x]"));
  EXPECT_FALSE(table.Accepts("TOther", "Left", "1"));

  EXPECT_THROW(PublishedProperties("TX: missing\n"), Exception);
  try {
    PublishedProperties("TX:\nLeft number\n");
    FAIL();
  } catch (const Exception& failure) {
    EXPECT_STREQ(failure.what(), "Published properties, line 2: unknown kind number");
  }
  EXPECT_THROW(PublishedProperties("TX:\nAlign ident alLeft = alTop\n"), Exception);
}

TEST(LoadableRules, FoxProDefaultsByBaseClass) {
  const FoxDefaults table(
      "# sizes\n"
      "text:\n"
      "FontName = \"Arial\"\n"
      "label: text\n"
      "Width = 40\n"
      "FontName = \"Tahoma\"\n");
  EXPECT_EQ(table.Find("LABEL")->at("fontname"), "\"Tahoma\"");
  EXPECT_EQ(table.Find("label")->at("Width"), "40");
  EXPECT_EQ(table.Find("textbox"), nullptr);
  try {
    FoxDefaults("label:\nWidth 40\n");
    FAIL();
  } catch (const Exception& failure) {
    EXPECT_STREQ(failure.what(), "FoxPro defaults, line 2: a row without \"= value\"");
  }
  // The compiled-in table: FoxPro's own font and sizes.
  EXPECT_EQ(FoxDefaults::Shared().Find("commandbutton")->at("Width"), "84");
  EXPECT_EQ(FoxDefaults::Shared().Find("textbox")->at("FontSize"), "9");
}

struct RuntimeRow {
  const char* delphi_class;
  const char* line;
  const char* expected;  // "Procedure(value)", a DFM setting, or "kept"
};

// What a setting gives once the component's rules have run: a call of
// FoxRuntime, a setting of the .dfm, or a line kept as a comment.
std::string Outcome(const char* delphi_class, const char* line) {
  const ConvertedSettings converted = SettingConverter(1252).Convert({line}, "textbox", delphi_class);
  if (!converted.settings.empty()) return converted.settings[0].name + " = " + converted.settings[0].value;
  Component component;
  component.delphi_class = delphi_class;
  component.rule_lines = converted.deferred;
  CarryRuntimeSettings(component);
  if (component.runtime_settings.empty()) return "kept";
  return component.runtime_settings[0].name + "(" + component.runtime_settings[0].value + ")";
}

TEST(LoadableRules, FoxRuntimeMakesWhatNoPublishedPropertyHolds) {
  const RuntimeRow rows[] = {
      {"TEdit", "Anchor = 15", "Anchors = [akLeft, akTop, akRight, akBottom]"},
      {"TEdit", "Anchor = 240", "FoxAnchor(240)"},
      {"TEdit", "Anchor = 40", "FoxAnchor(40)"},   // left in proportion, right at its distance
      {"TEdit", "Anchor = 768", "FoxAnchor(768)"},  // centred both ways
      {"TEdit", "Anchor = 17", "kept"},             // the top edge held both ways
      {"TEdit", "Anchor = 258", "kept"},            // centred across, and the left edge held
      {"TEdit", "Anchor = 1024", "kept"},
      {"TDBGrid", "ScrollBars = 2", "FoxScrollBars(2)"},
      {"TDBGrid", "ScrollBars = 2.00", "FoxScrollBars(2)"},
      {"TDBGrid", "ScrollBars = 7", "kept"},
      {"TDBMemo", "BackStyle = 0", "FoxBackStyle(0)"},
      {"TMemo", "BackStyle = 0", "ParentColor = True"},
  };
  for (const RuntimeRow& row : rows) EXPECT_EQ(Outcome(row.delphi_class, row.line), row.expected) << row.line;
  try {
    SettingRules("TX:\nScrollBars !\n");
    FAIL();
  } catch (const Exception& failure) {
    EXPECT_STREQ(failure.what(), "Setting rules, line 2: a rule of FoxRuntime without its procedure");
  }
  EXPECT_THROW(SettingRules("TX:\nScrollBars !FoxScrollBars\n"), Exception);
}

TEST(LoadableRules, ValueKinds) {
  const PropertyType color{ValueKind::kColor, {}, {}};
  EXPECT_TRUE(ValueFitsType(color, "clNavy"));
  EXPECT_TRUE(ValueFitsType(color, "$00C0DCC0"));
  EXPECT_FALSE(ValueFitsType(color, "$C0DCC0"));
  EXPECT_FALSE(ValueFitsType(color, "(RGB(1,2,3))"));
  const PropertyType text{ValueKind::kString, {}, {}};
  EXPECT_TRUE(ValueFitsType(text, "'a'"));
  EXPECT_TRUE(ValueFitsType(text, "#1055'a'"));
  EXPECT_FALSE(ValueFitsType(text, "a"));
  const PropertyType flag{ValueKind::kBoolean, {}, {}};
  EXPECT_TRUE(ValueFitsType(flag, "False"));
  EXPECT_FALSE(ValueFitsType(flag, ".F."));
  // The compiled-in table knows the classes the converter writes.
  EXPECT_TRUE(PublishedProperties::Shared().Accepts("TShape", "Brush.Color", "clRed"));
  EXPECT_FALSE(PublishedProperties::Shared().Accepts("TShape", "Color", "clRed"));
  EXPECT_TRUE(PublishedProperties::Shared().Accepts(kColumnItemClass, "Title.Caption", "'x'"));
}

TEST(LoadableRules, StringsAreCharactersOfTheirCodePage) {
  EXPECT_EQ(CodePageOfMark(0xC9), 1251);
  EXPECT_EQ(CodePageOfMark(0x7A), 936);
  EXPECT_EQ(CodePageOfMark(0), 1252);
  EXPECT_EQ(DfmStringLiteral(DecodeText("\xCF\xF0\xE8 1", 1251)), "#1055#1088#1080' 1'");
  EXPECT_EQ(DfmStringLiteral(DecodeText("caf\xE9", 1252)), "'caf'#233");
  EXPECT_EQ(DfmStringLiteral(DecodeText("\xC4\xE3", 936)), "#20320");
  EXPECT_EQ(DfmStringLiteral(u"It's\r\n"), "'It''s'#13#10");
  EXPECT_EQ(DfmStringLiteral(u""), "''");
  // A byte that is no character of the code page costs only itself.
  EXPECT_EQ(DfmStringLiteral(DecodeText("a\x81" "b", 1251)), "'a'#1027'b'");
  EXPECT_EQ(DfmStringLiteral(DecodeText("a\x98" "b", 1251)), "'a'#65533'b'");
  EXPECT_EQ(Utf8Text(DecodeText("caf\xE9", 1252)), "caf\xC3\xA9");
  EXPECT_EQ(DfmLiteralBytes("'It''s' + rest"), "It's");
}

}  // namespace
}  // namespace quorvex::testing

namespace quorvex::testing {
namespace {

// A property's last line decides: its earlier lines go with it, and every
// line kept is kept whole.
TEST(LoadableRules, FoxDefaultsDropAPropertysLinesWhenItsLastLineIsTheDefault) {
  const SettingConverter converter(1252);
  const TextList lines = {"Caption = \"A caption longer than a short string holds\"",
                          "Width = 80",
                          "Caption = \"A\"",
                          "width = 100.00",
                          "Height = 23",
                          "  Left = 5",
                          "Height = 30",
                          "BackStyle = 1",
                          "Tag = \"x\""};
  EXPECT_EQ(converter.WithoutFoxDefaults(lines, "textbox"),
            (TextList{"Caption = \"A caption longer than a short string holds\"", "Caption = \"A\"", "Height = 23",
                      "  Left = 5", "Height = 30", "Tag = \"x\""}));
  EXPECT_EQ(converter.WithoutFoxDefaults(lines, "no such class"), lines);
}

}  // namespace
}  // namespace quorvex::testing
