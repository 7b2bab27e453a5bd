// The settings that a component carries by rule: state, value lists, pages,
// borders, anchors, form buttons, grid options, what FoxRuntime makes when
// the form is loaded, looks Delphi draws anyway; names and defaults.

#include <gtest/gtest.h>

#include <algorithm>

#include "loadable/small_forms.h"

namespace quorvex::testing {
namespace {

using Settings = std::vector<std::string>;

bool Has(const Settings& settings, const std::string& setting) {
  return std::find(settings.begin(), settings.end(), setting) != settings.end();
}

// The settings the unit keeps as comments, blanks cut.
Settings KeptLines(const ConvertedForm& form) {
  Settings kept;
  for (const std::string& line : form.pas) {
    if (line.starts_with("      // ")) kept.push_back(line.substr(6));
  }
  return kept;
}

// The statements of the form's Loaded, blanks cut.
Settings LoadedBody(const ConvertedForm& form) {
  Settings body;
  const auto start = std::find(form.pas.begin(), form.pas.end(), "procedure TForm1.Loaded;");
  for (auto line = start == form.pas.end() ? start : start + 2; line != form.pas.end() && *line != "end;"; ++line)
    body.push_back(line->substr(line->find_first_not_of(' ')));
  return body;
}

TEST(SettingRules, ValueIsTheControlsState) {
  const ConvertedForm form = ConvertForm({
      Object("Group1", "optiongroup", {"ButtonCount = 3", "Value = 2", "Option1.Name = \"Option1\"",
                                       "Option2.Name = \"Option2\"", "Option3.Name = \"Option3\""}),
      Object("Check1", "checkbox", {"Value = 1"}),
      Object("Check2", "checkbox", {"Value = 2"}),
      Object("Text1", "textbox", {"Value = 42"}),
      Object("Spinner1", "spinner", {"Value = 5"}),
      Object("Combo1", "combobox", {"Style = 2", "RowSourceType = 1", "RowSource = \"red,green,blue\"",
                                    "Value = \"green\""}),
      Object("List1", "listbox", {"RowSourceType = 1", "RowSource = \"1,One,2,Two\"", "ColumnCount = 2"}),
  });
  for (const char* option : {"Option1", "Option3"}) EXPECT_FALSE(Has(SettingsOf(form, option), "Checked = True"));
  EXPECT_TRUE(Has(SettingsOf(form, "Option2"), "Checked = True"));
  EXPECT_TRUE(Has(SettingsOf(form, "Check1"), "Checked = True"));
  EXPECT_TRUE(Has(SettingsOf(form, "Check2"), "AllowGrayed = True"));
  EXPECT_TRUE(Has(SettingsOf(form, "Check2"), "State = cbGrayed"));
  EXPECT_TRUE(Has(SettingsOf(form, "Text1"), "Text = '42'"));
  EXPECT_TRUE(Has(SettingsOf(form, "Spinner1"), "Value = 5"));
  const Settings combo = SettingsOf(form, "Combo1");
  EXPECT_TRUE(Has(combo, "Style = csDropDownList"));
  EXPECT_TRUE(Has(combo, "ItemIndex = 1"));
  const auto items = std::find(combo.begin(), combo.end(), "Items.Strings = (");
  ASSERT_NE(items, combo.end());
  EXPECT_EQ(Settings(items + 1, items + 4), (Settings{"'red'", "'green'", "'blue')"}));
  // Several columns: the first column of each row is the item; the rest of
  // the list stays a comment.
  const Settings list = SettingsOf(form, "List1");
  const auto list_items = std::find(list.begin(), list.end(), "Items.Strings = (");
  ASSERT_NE(list_items, list.end());
  EXPECT_EQ(Settings(list_items + 1, list_items + 3), (Settings{"'1'", "'2')"}));
  EXPECT_EQ(KeptLines(form), (Settings{"// RowSource = \"1,One,2,Two\"", "// ColumnCount = 2"}));
}

TEST(SettingRules, PagesStandInTheirOrderAndTheFormOpensOnFoxProsPage) {
  const ConvertedForm form = ConvertForm({
      Object("Frame1", "pageframe", {"PageCount = 3", "ActivePage = 2", "Page1.PageOrder = 3",
                                     "Page1.Name = \"Page1\"", "Page2.PageOrder = 1", "Page2.Name = \"Page2\"",
                                     "Page3.PageOrder = 2", "Page3.Name = \"Page3\""}),
  });
  Settings pages;
  for (const std::string& line : form.dfm) {
    if (line.find(": TTabSheet") != std::string::npos) pages.push_back(line.substr(line.find("object ") + 7));
  }
  EXPECT_EQ(pages, (Settings{"Page2: TTabSheet", "Page3: TTabSheet", "Page1: TTabSheet"}));
  EXPECT_TRUE(Has(SettingsOf(form, "Frame1"), "ActivePage = Page3"));
}

TEST(SettingRules, BordersAnchorsFormButtonsGridsAndTips) {
  const ConvertedForm form = ConvertForm(
      {
          Object("Label1", "label", {"Alignment = 1", "Anchor = 15"}),
          Object("Text1", "textbox", {"BorderStyle = 0", "BackStyle = 0"}),
          Object("Check1", "checkbox", {"Alignment = 1"}),
          Object("Box1", "container", {"SpecialEffect = 1", "BorderWidth = 0"}),
          Object("Grid1", "grid", {"RecordMark = .F.", "GridLines = 0", "DeleteMark = .F."}),
      },
      {"MaxButton = .F.", "ShowTips = .T.", "ScrollBars = 3"});
  const Settings form_settings = SettingsOf(form, "Form1");
  EXPECT_TRUE(Has(form_settings, "BorderIcons = [biSystemMenu, biMinimize]"));
  EXPECT_TRUE(Has(form_settings, "ShowHint = True"));
  EXPECT_TRUE(Has(form_settings, "AutoScroll = True"));
  EXPECT_TRUE(Has(SettingsOf(form, "Label1"), "Alignment = taRightJustify"));
  EXPECT_TRUE(Has(SettingsOf(form, "Label1"), "Anchors = [akLeft, akTop, akRight, akBottom]"));
  EXPECT_TRUE(Has(SettingsOf(form, "Text1"), "BorderStyle = bsNone"));
  EXPECT_TRUE(Has(SettingsOf(form, "Text1"), "ParentColor = True"));
  // FoxPro's 1 puts the box right of the text.
  EXPECT_TRUE(Has(SettingsOf(form, "Check1"), "Alignment = taLeftJustify"));
  EXPECT_TRUE(Has(SettingsOf(form, "Box1"), "BevelOuter = bvLowered"));
  EXPECT_TRUE(Has(SettingsOf(form, "Box1"), "BorderStyle = bsNone"));
  EXPECT_TRUE(Has(SettingsOf(form, "Grid1"),
                  "Options = [dgEditing, dgTitles, dgColumnResize, dgTabs, dgConfirmDelete, dgCancelOnExit]"));
  EXPECT_EQ(KeptLines(form), Settings{});
}

// What neither Delphi nor the LCL has a property for, FoxRuntime makes when
// the form is loaded: edges held in proportion and centres, a grid's scroll
// bars, a form the user may not close (though it has its control box).
TEST(SettingRules, FoxRuntimeMakesWhatDelphiHasNoPropertyFor) {
  const ConvertedForm form = ConvertForm(
      {
          Object("Text1", "textbox", {"Anchor = 240"}),
          Object("Command1", "commandbutton", {"Anchor = 768"}),
          Object("Label1", "label", {"Anchor = 17"}),
          Object("Grid1", "grid", {"ScrollBars = 2"}),
          Object("Line1", "line", {"Anchor = 10"}),
      },
      {"Closable = .F."});
  EXPECT_EQ(LoadedBody(form), (Settings{"inherited Loaded;", "FoxClosable(Self, False);", "FoxAnchor(Text1, 240);",
                                        "FoxAnchor(Command1, 768);", "FoxScrollBars(Grid1, 2);"}));
  EXPECT_TRUE(Has(form.pas, "    procedure Loaded; override;"));
  EXPECT_TRUE(form.uses_runtime);
  EXPECT_TRUE(Has(SettingsOf(form, "Line1"), "Anchors = [akLeft, akTop, akRight]"));
  // The top edge held both at its distance and in proportion has no meaning.
  EXPECT_EQ(KeptLines(form), Settings{"// Anchor = 17"});
}

// Looks FoxPro shares with Delphi's controls, values shown as text, and a
// form without a title bar, which no one drags.
TEST(SettingRules, SameLooksTextValuesAndFormsWithoutTitleBar) {
  const ConvertedForm form = ConvertForm(
      {
          Object("Label1", "label", {"Style = 3"}),
          Object("Frame1", "pageframe", {"PageCount = 1", "SpecialEffect = 2", "Page1.Name = \"Page1\""}),
          Object("Combo1", "combobox", {"Style = 2", "Value = 0"}),
          Object("Text1", "textbox", {"Value = Clifton's"}),
          Object("Text2", "textbox", {"Value = {}"}),
      },
      {"BorderStyle = 0", "Movable = .F.", "ScrollBars = 2"});
  const Settings form_settings = SettingsOf(form, "Form1");
  EXPECT_TRUE(Has(form_settings, "AutoScroll = True"));
  EXPECT_TRUE(Has(form_settings, "HorzScrollBar.Visible = False"));
  EXPECT_TRUE(Has(SettingsOf(form, "Text1"), "Text = 'Clifton'#39's'"));
  EXPECT_FALSE(Has(SettingsOf(form, "Combo1"), "Text = '0'"));
  // An empty date shows as the running program's SET DATE says.
  EXPECT_EQ(KeptLines(form), Settings{"// Value = {}"});
  // With a title bar, the form can be dragged in Delphi.
  EXPECT_EQ(KeptLines(ConvertForm({}, {"Movable = .F."})), Settings{"// Movable = .F."});
}

TEST(SettingRules, FormsAreNeverStoredVisibleNamesHideNoMemberCustomObjectsNeverShow) {
  const ConvertedForm form = ConvertForm(
      {
          Object("Close", "commandbutton", {"Caption = \"Close\"", "Comment = \"\"", "OLEDragMode = 0"}),
          Object("Custom1", "custom", {}),
          Object("Frame1", "pageframe", {"PageCount = 1", "Page1.Name = \"Page1\""}),
          Object("Caption", "textbox", {}, "Form1.Frame1.Page1"),
      },
      {"WindowType = 1", "Visible = .T."});
  EXPECT_FALSE(Has(SettingsOf(form, "Form1"), "Visible = True"));
  EXPECT_TRUE(Has(SettingsOf(form, "Close_"), "Caption = 'Close'"));
  EXPECT_TRUE(Has(SettingsOf(form, "Custom1"), "Visible = False"));
  // Renamed: the comment gives the path FoxPro code reaches it by; FoxPro's
  // defaults (an empty Comment, no OLE dragging) are not repeated.
  EXPECT_EQ(KeptLines(form),
            (Settings{"// FoxPro shows this form modal (WindowType = 1): show it with ShowModal.", "// Visible = .T.",
                      "// FoxPro: thisform.Close", "// FoxPro: thisform.Frame1.Page1.Caption"}));
}

}  // namespace
}  // namespace quorvex::testing
