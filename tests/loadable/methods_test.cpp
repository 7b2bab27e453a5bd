// FoxPro methods in the loadable unit: event methods as wired handlers,
// every other method as a method of the form class, the code as comments,
// translated where the translator is sure of it.

#include <gtest/gtest.h>

#include <algorithm>

#include "fixtures/scx_writer.h"
#include "loadable/loadable_conversion.h"
#include "loadable/small_forms.h"
#include "methods/fox_methods.h"
#include "methods/unit_methods.h"

namespace quorvex::testing {
namespace {

using fixtures::PropertyLines;

// The first line of a method whose code is not all translated.
const std::string kTodo(kNotFullyTranslated);

// METHODS text of `procedures`: name, then the code lines.
std::string Methods(std::initializer_list<std::pair<std::string, std::string>> procedures) {
  std::string text;
  for (const auto& [name, code] : procedures) text += "PROCEDURE " + name + "\r\n" + code + "ENDPROC\r\n";
  return text;
}

fixtures::ScxRecord Object(const std::string& name, const std::string& base_class, const std::string& methods,
                           const std::string& parent = "Form1", std::initializer_list<std::string_view> lines = {}) {
  std::string properties = "Name = \"" + name + "\"\r\n";
  for (std::string_view line : lines) properties += std::string(line) + "\r\n";
  return {.objname = name, .parent = parent, .baseclass = base_class, .properties = properties, .methods = methods};
}

ConvertedForm Convert(std::initializer_list<fixtures::ScxRecord> objects, const std::string& form_methods,
                       LoadableOptions options = {}, int mark = 0x03) {
  fixtures::ScxWriter form;
  form.CodePageMark(mark).AddVersionComment().Add(
      {.objname = "Form1", .baseclass = "form", .properties = "Name = \"Form1\"\r\n", .methods = form_methods});
  for (const auto& object : objects) form.Add(object);
  return ConvertTables(form.Build(), "/f/m.scx", std::move(options)).front();
}

bool Has(const TextList& text, const std::string& line) {
  return std::any_of(text.begin(), text.end(), [&](const std::string& each) { return each == line; });
}

// The lines of `method`'s body in the unit, "begin" and "end;" left out.
std::vector<std::string> Body(const TextList& unit, const std::string& heading) {
  auto at = std::find(unit.begin(), unit.end(), heading);
  std::vector<std::string> body;
  if (at == unit.end()) return body;
  for (at += 2; at != unit.end() && *at != "end;"; ++at) body.push_back(*at);
  return body;
}

TEST(Methods, EveryEventOfTheTableGoesToItsHandler) {
  struct Row {
    const char* base_class;
    const char* fox_event;
    const char* dfm_line;     // in the .dfm
    const char* declaration;  // in the form class
  };
  const Row rows[] = {
      {"commandbutton", "Click", "OnClick = cmdClick", "procedure cmdClick(Sender: TObject);"},
      {"label", "DblClick", "OnDblClick = cmdDblClick", "procedure cmdDblClick(Sender: TObject);"},
      {"textbox", "InteractiveChange", "OnChange = cmdChange", "procedure cmdChange(Sender: TObject);"},
      {"textbox", "KeyPress", "OnKeyDown = cmdKeyDown",
       "procedure cmdKeyDown(Sender: TObject; var Key: Word; Shift: TShiftState);"},
      {"image", "MouseDown", "OnMouseDown = cmdMouseDown",
       "procedure cmdMouseDown(Sender: TObject; Button: TMouseButton; Shift: TShiftState; X, Y: Integer);"},
      {"image", "MouseUp", "OnMouseUp = cmdMouseUp",
       "procedure cmdMouseUp(Sender: TObject; Button: TMouseButton; Shift: TShiftState; X, Y: Integer);"},
      {"image", "MouseMove", "OnMouseMove = cmdMouseMove",
       "procedure cmdMouseMove(Sender: TObject; Shift: TShiftState; X, Y: Integer);"},
      {"image", "MouseEnter", "OnMouseEnter = cmdMouseEnter", "procedure cmdMouseEnter(Sender: TObject);"},
      {"image", "MouseLeave", "OnMouseLeave = cmdMouseLeave", "procedure cmdMouseLeave(Sender: TObject);"},
      {"listbox", "DragDrop", "OnDragDrop = cmdDragDrop",
       "procedure cmdDragDrop(Sender, Source: TObject; X, Y: Integer);"},
      {"listbox", "DragOver", "OnDragOver = cmdDragOver",
       "procedure cmdDragOver(Sender, Source: TObject; X, Y: Integer; State: TDragState; var Accept: Boolean);"},
      {"container", "Resize", "OnResize = cmdResize", "procedure cmdResize(Sender: TObject);"},
      {"editbox", "RightClick", "OnContextPopup = cmdContextPopup",
       "procedure cmdContextPopup(Sender: TObject; MousePos: TPoint; var Handled: Boolean);"},
      {"timer", "Timer", "OnTimer = cmdTimer", "procedure cmdTimer(Sender: TObject);"},
  };
  for (const Row& row : rows) {
    const ConvertedForm form =
        Convert({Object("cmd", row.base_class, Methods({{row.fox_event, "x = 1\r\n"}}))}, {});
    EXPECT_TRUE(Has(form.dfm, std::string("    ") + row.dfm_line)) << row.fox_event;
    EXPECT_TRUE(Has(form.pas, std::string("    ") + row.declaration)) << row.fox_event;
  }
  // The form's and a page's own; Types declares the TPoint of OnContextPopup.
  const ConvertedForm form = Convert(
      {Object("pgf", "pageframe", Methods({{"Page1.Activate", ""}}), "Form1",
              {"PageCount = 1", "Page1.Name = \"Page1\""})},
      Methods({{"Activate", ""}, {"Deactivate", ""}, {"Destroy", ""}, {"Unload", ""}, {"QueryUnload", ""}}));
  for (const char* line : {"OnActivate = FormActivate", "OnDeactivate = FormDeactivate", "OnDestroy = FormDestroy",
                           "OnClose = FormClose", "OnCloseQuery = FormCloseQuery"})
    EXPECT_TRUE(Has(form.dfm, std::string("  ") + line)) << line;
  EXPECT_TRUE(Has(form.dfm, "      OnShow = Page1Show"));
  EXPECT_TRUE(Has(form.pas, "    procedure FormClose(Sender: TObject; var Action: TCloseAction);"));
  EXPECT_TRUE(Has(form.pas, "    procedure FormCloseQuery(Sender: TObject; var CanClose: Boolean);"));
  EXPECT_TRUE(Has(Convert({Object("edt", "editbox", Methods({{"RightClick", ""}}))}, {}).pas,
                  "  SysUtils, Classes, Graphics, Controls, Forms, Dialogs, Types, StdCtrls;"));
}

TEST(Methods, EventsThatMeetShareAHandlerInFoxProsOrder) {
  const ConvertedForm form = Convert(
      {Object("txt", "textbox",
              Methods({{"LostFocus", "b\r\n"}, {"GotFocus", "d\r\n"}, {"Valid", "a\r\n"}, {"When", "c\r\n"}}))},
      Methods({{"Init", "i\r\n"}, {"Load", "l\r\n"}}));
  EXPECT_EQ(Body(form.pas, "procedure TForm1.FormCreate(Sender: TObject);"),
            (std::vector<std::string>{kTodo, "  { FoxPro Load }", "  { l }", "  { FoxPro Init }", "  { i }"}));
  EXPECT_EQ(Body(form.pas, "procedure TForm1.txtExit(Sender: TObject);"),
            (std::vector<std::string>{kTodo, "  { FoxPro Valid }", "  { a }", "  { FoxPro LostFocus }", "  { b }"}));
  EXPECT_EQ(Body(form.pas, "procedure TForm1.txtEnter(Sender: TObject);"),
            (std::vector<std::string>{kTodo, "  { FoxPro When }", "  { c }", "  { FoxPro GotFocus }", "  { d }"}));
  EXPECT_EQ(form.method_count, 6);
  EXPECT_EQ(form.handled_count, 6);
}

TEST(Methods, OtherMethodsAndMembersMethodsArePlainMethods) {
  const ConvertedForm form = Convert(
      {Object("txt", "textbox", Methods({{"Refresh", ""}, {"MyCheck", ""}})),
       Object("grd", "grid", Methods({{"Column1.Header1.Click", "h\r\n"}}), "Form1",
              {"ColumnCount = 1", "Column1.Name = \"Column1\""}),
       Object("Header1", "header", {}, "Form1.grd.Column1"),
       Object("opg", "optiongroup", Methods({{"Option1.Click", ""}, {"Missing1.Valid", ""}}), "Form1",
              {"ButtonCount = 1", "Option1.Name = \"Option1\""}),
       // An event that the class does not publish, and one only the LCL does.
       Object("shp", "shape", Methods({{"Click", ""}}), "Form1", {"Left = 400"}),
       Object("chk", "checkbox", Methods({{"InteractiveChange", ""}}))},
      Methods({{"txt", ""}}));
  for (const char* line : {"procedure txtRefresh;", "procedure txtMyCheck;", "procedure grdColumn1Header1Click;",
                           "procedure opgMissing1Valid;", "procedure shpClick;", "procedure Formtxt;"})
    EXPECT_TRUE(Has(form.pas, std::string("    ") + line)) << line;
  // A member's event is its own handler; the form's method named like a
  // component gets a name of its own.
  EXPECT_TRUE(Has(form.dfm, "      OnClick = Option1Click"));
  EXPECT_EQ(Body(form.pas, "procedure TForm1.grdColumn1Header1Click;"),
            (std::vector<std::string>{kTodo, "  { FoxPro Column1.Header1.Click }", "  { h }"}));
  EXPECT_FALSE(std::any_of(form.dfm.begin(), form.dfm.end(),
                           [](const std::string& line) { return line.find("OnChange") != std::string::npos; }));
  EXPECT_TRUE(Has(form.pas, "  chk.OnChange := chkChange;"));
}

// The classes' versions come first; FoxPro runs only the last, which
// replaces them.
TEST(Methods, ClassesMethodsComeFirstMarkedWithTheirClass) {
  LoadableOptions options;
  options.expand_records = [](std::vector<FormRecord> records, const std::string&, std::vector<std::string>&) {
    records.back().class_methods = {{"basebtn of base.vcx", "", Methods({{"Click", "base\r\n"}})},
                                    {"okbtn of app.vcx", "", Methods({{"Click", "ok\r\n"}, {"Init", ""}})}};
    return records;
  };
  const ConvertedForm form =
      Convert({Object("cmd", "commandbutton", Methods({{"Click", "THIS.Caption = \"own\"\r\n"}}))}, {}, options);
  const std::string not_run = "  // Not run: FoxPro runs the version of the method below in its place.";
  EXPECT_EQ(Body(form.pas, "procedure TForm1.cmdClick(Sender: TObject);"),
            (std::vector<std::string>{"  { FoxPro Click, from class basebtn of base.vcx }", not_run, "  { base }",
                                      "  { FoxPro Click, from class okbtn of app.vcx }", not_run, "  { ok }",
                                      "  { FoxPro Click }", "  { THIS.Caption = \"own\" }",
                                      "  cmd.Caption := FoxCaption('own');"}));
  EXPECT_TRUE(Has(form.pas, "    procedure cmdInit;"));
  EXPECT_EQ(form.translation.full, 1);
}

TEST(Methods, CodeStandsInCommentsNoTextOfItCanEnd) {
  const ConvertedForm form = Convert(
      {Object("cmd", "commandbutton",
              Methods({{"Click", "o.x = {^2020-01-01}\r\n\to.y = \"*)\" && }\r\n// \xE9t\xE9\r\n\r\n"},
                       {"Valid", ""},
                       {"Text", "TEXT TO c\r\nENDPROC\r\nENDTEXT\r\n"}}))},
      {});
  EXPECT_EQ(Body(form.pas, "procedure TForm1.cmdClick(Sender: TObject);"),
            (std::vector<std::string>{kTodo, "  { FoxPro Click }", "  (* o.x = {^2020-01-01} *)", "  // \to.y = \"*)\" && }",
                                      "  { // \xC3\xA9t\xC3\xA9 }", ""}));
  // A method with no code is kept by its name.
  EXPECT_EQ(Body(form.pas, "procedure TForm1.cmdExit(Sender: TObject);"),
            std::vector<std::string>{"  { FoxPro Valid }"});
  EXPECT_EQ(Body(form.pas, "procedure TForm1.cmdText;"),
            (std::vector<std::string>{kTodo, "  { FoxPro Text }", "  { TEXT TO c }", "  { ENDPROC }", "  { ENDTEXT }"}));
  // Text other than ASCII: UTF-8, marked as such.
  EXPECT_EQ(form.pas.front(), "\xEF\xBB\xBFunit m;");
}

TEST(Methods, CodeIsTranslatedWhereCertainAndTheRestMarked) {
  const ConvertedForm form =
      Convert({Object("cmd", "commandbutton", Methods({{"Click", "THIS.Caption = \"Done\"\r\n"}})),
               Object("lbl", "label", Methods({{"Click", "USE customers\r\nTHIS.Visible = .F.\r\n"}, {"Init", ""}}))},
              {});
  EXPECT_EQ(Body(form.pas, "procedure TForm1.cmdClick(Sender: TObject);"),
            (std::vector<std::string>{"  { FoxPro Click }", "  { THIS.Caption = \"Done\" }",
                                      "  cmd.Caption := FoxCaption('Done');"}));
  EXPECT_EQ(Body(form.pas, "procedure TForm1.lblClick(Sender: TObject);"),
            (std::vector<std::string>{kTodo, "  { FoxPro Click }",
                                      "  { USE customers }", "  { THIS.Visible = .F. }", "  lbl.Visible := False;"}));
  EXPECT_TRUE(Has(form.pas, "  SysUtils, Classes, Graphics, Controls, Forms, Dialogs, StdCtrls, Variants, FoxRuntime;"));
  EXPECT_EQ(form.translation.full, 1);
  EXPECT_EQ(form.translation.partial, 1);
  EXPECT_EQ(form.translation.none, 0);
  EXPECT_EQ(form.translation.translated_lines, 2);
  EXPECT_EQ(form.translation.lines, 3);
  EXPECT_TRUE(form.uses_runtime);
  // Without translated code a unit needs no runtime.
  const ConvertedForm none = Convert({Object("lbl", "label", Methods({{"Click", "USE customers\r\n"}}))}, {});
  EXPECT_TRUE(Has(none.pas, "  SysUtils, Classes, Graphics, Controls, Forms, Dialogs, StdCtrls;"));
  EXPECT_EQ(none.translation.none, 1);
  EXPECT_FALSE(none.uses_runtime);
}

TEST(Methods, LinesOutsideEveryProcedureAreKept) {
  const std::vector<MethodBlock> blocks = SplitMethods("* note\r\nPROCEDURE a.b.Click\r\nx\r\nENDPROC\r\n\r\n");
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0].member, "a.b");
  EXPECT_EQ(blocks[0].code, TextList{"x"});
  EXPECT_EQ(blocks[1].name, "");
  EXPECT_EQ(blocks[1].code, TextList{"* note"});
  EXPECT_EQ(LineComment("a\x1A" "b"), "{ a b }");
}

}  // namespace
}  // namespace quorvex::testing
