// Forms bound to data through the loadable mode: data sources from the data
// environment's cursors and from aliases the code opens, data-aware
// controls, grids and their columns, and what stays a variable.

#include <gtest/gtest.h>

#include "binding/cursor_filter.h"
#include "loadable/small_forms.h"

namespace quorvex::testing {
namespace {

using Lines = std::vector<std::string>;

fixtures::ScxRecord Cursor(const std::string& name, const std::string& alias) {
  return Object(name, "cursor", {"Alias = \"" + alias + "\"", "CursorSource = \"" + alias + "\"", "Left = 10"},
                "Dataenvironment");
}

// The outputs of a table of `records`, a data environment of `cursors`
// (with `environment`'s settings) first when there are any.
std::vector<ConvertedForm> Convert(std::initializer_list<fixtures::ScxRecord> records,
                                    std::vector<fixtures::ScxRecord> cursors = {},
                                    std::vector<std::string> environment = {"Left = 1", "AutoOpenTables = .F."}) {
  fixtures::ScxWriter writer;
  writer.AddVersionComment();
  if (!cursors.empty()) writer.Add(Object("Dataenvironment", "dataenvironment", environment, ""));
  for (const auto& cursor : cursors) writer.Add(cursor);
  for (const auto& record : records) writer.Add(record);
  return ConvertTables(writer.Build(), "/f/data.scx");
}

std::string Trimmed(const std::string& line) { return line.substr(line.find_first_not_of(' ')); }

// The lines of object `name` in the .dfm up to its own end, nested objects
// included, blanks at the start removed; the header first.
Lines Block(const ConvertedForm& form, const std::string& name) {
  Lines block;
  std::size_t depth = std::string::npos;
  for (const std::string& line : form.dfm) {
    const std::size_t indent = line.find_first_not_of(' ');
    if (depth == std::string::npos && Trimmed(line).starts_with("object " + name + ":")) depth = indent;
    if (depth == std::string::npos) continue;
    if (indent == depth && Trimmed(line) == "end") break;
    block.push_back(Trimmed(line));
  }
  return block;
}

// The lines of `block` that start with one of `starts`.
Lines Only(const Lines& block, std::initializer_list<std::string_view> starts) {
  Lines found;
  for (const std::string& line : block) {
    for (const std::string_view start : starts) {
      if (line.starts_with(start)) found.push_back(line);
    }
  }
  return found;
}

// The comments under the unit's field of component `name`.
Lines Comments(const ConvertedForm& form, const std::string& name) {
  Lines comments;
  bool inside = false;
  for (const std::string& line : form.pas) {
    if (line.starts_with("    " + name + ": ")) {
      inside = true;
    } else if (inside && line.starts_with("      //")) {
      comments.push_back(line.substr(9));
    } else if (inside) {
      break;
    }
  }
  return comments;
}

TEST(DataBinding, EveryKindOfControlBoundToAFieldTakesItsDataAwareClass) {
  const auto outputs = Convert(
      {Object("Form1", "form", {}, ""),
       Object("txtName", "textbox", {"ControlSource = \"customer.name\"", "Value = 0", "Left = 8", "Alignment = 1"}),
       Object("edtNotes", "editbox", {"ControlSource = \"Customer.notes\"", "ScrollBars = 2"}),
       Object("chkActive", "checkbox", {"ControlSource = \"customer.active\"", "Caption = \"Active\"", "Value = 1"}),
       Object("cboKind", "combobox", {"ControlSource = \"customer.kind\"", "RowSourceType = 1",
                                      "RowSource = \"A,B\"", "Value = \"B\""}),
       Object("lstCity", "listbox", {"ControlSource = \"customer.city\"", "Sorted = .T."}),
       Object("spnAge", "spinner", {"ControlSource = \"customer.age\"", "SpinnerHighValue = 120.00"})},
      {Cursor("Cursor1", "customer")});
  const ConvertedForm& form = outputs.front();
  EXPECT_EQ(Only(Block(form, "txtName"), {"object", "Left", "Data", "Text"}),
            (Lines{"object txtName: TDBEdit", "Left = 8", "DataField = 'name'", "DataSource = dsCustomer"}));
  EXPECT_EQ(Only(Block(form, "edtNotes"), {"object", "ScrollBars", "Data"}),
            (Lines{"object edtNotes: TDBMemo", "ScrollBars = ssVertical", "DataField = 'notes'",
                   "DataSource = dsCustomer"}));
  EXPECT_EQ(Only(Block(form, "chkActive"), {"object", "Caption", "Checked", "Data"}),
            (Lines{"object chkActive: TDBCheckBox", "Caption = 'Active'", "DataField = 'active'",
                   "DataSource = dsCustomer"}));
  EXPECT_EQ(Only(Block(form, "cboKind"), {"object", "Items", "'", "ItemIndex", "Data"}),
            (Lines{"object cboKind: TDBComboBox", "DataField = 'kind'", "DataSource = dsCustomer",
                   "Items.Strings = (", "'A'", "'B')"}));
  EXPECT_EQ(Only(Block(form, "lstCity"), {"object", "Data"}),
            (Lines{"object lstCity: TDBListBox", "DataField = 'city'", "DataSource = dsCustomer"}));
  EXPECT_EQ(Only(Block(form, "spnAge"), {"object", "Data", "MaxValue"}),
            (Lines{"object spnAge: TDBEdit", "DataField = 'age'", "DataSource = dsCustomer"}));
  // What the data-aware class does not publish stays a comment; the field gives the value.
  EXPECT_EQ(Comments(form, "txtName"), Lines{"Alignment = 1"});
  EXPECT_EQ(Comments(form, "lstCity"), Lines{"Sorted = .T."});
  EXPECT_EQ(Comments(form, "spnAge"), Lines{"SpinnerHighValue = 120.00"});
  EXPECT_NE(form.pas[7].find(", DB, DBCtrls;"), std::string::npos) << form.pas[7];
  ASSERT_EQ(form.bound.size(), 6u);
  EXPECT_EQ(form.bound[1].identifier, "edtNotes");
  EXPECT_EQ(form.bound[1].data_source, "dsCustomer");
  EXPECT_EQ(form.bound[1].field, "notes");
}

TEST(DataBinding, AnOptionGroupIsARadioGroupWhereItsButtonsStandAsOnesWould) {
  const auto option = [](const std::string& name, const std::string& group, int left, int top) {
    return Object(name, "optionbutton", {"Caption = \"" + name + "\"", "Left = " + std::to_string(left),
                                         "Top = " + std::to_string(top), "Height = 17", "Width = 60"},
                  "Form1." + group);
  };
  const auto outputs = Convert(
      {Object("Form1", "form", {}, ""),
       Object("opgSize", "optiongroup", {"ButtonCount = 3", "Value = 2", "ControlSource = \"orders.size\""}),
       option("Small", "opgSize", 5, 5), option("Medium", "opgSize", 5, 29), option("Large", "opgSize", 5, 53),
       // Side by side: a radio group would stack them.
       Object("opgKind", "optiongroup", {"ButtonCount = 2", "Value = \"\"", "ControlSource = \"orders.kind\""}),
       option("Home", "opgKind", 5, 5), option("Away", "opgKind", 75, 5)},
      {Cursor("Cursor1", "orders")});
  const ConvertedForm& form = outputs.front();
  EXPECT_EQ(Only(Block(form, "opgSize"), {"object", "Items", "Values", "'", "Data"}),
            (Lines{"object opgSize: TDBRadioGroup", "Items.Strings = (", "'Small'", "'Medium'", "'Large')",
                   "Values.Strings = (", "'1'", "'2'", "'3')", "DataField = 'size'", "DataSource = dsOrders"}));
  EXPECT_EQ(Only(Block(form, "opgKind"), {"object", "Data", "Checked"}),
            (Lines{"object opgKind: TGroupBox", "object Home: TRadioButton", "object Away: TRadioButton"}));
  EXPECT_EQ(Comments(form, "opgKind"), (Lines{"ControlSource = \"orders.kind\"", "Value = \"\""}));
  EXPECT_EQ(Comments(form, "opgSize"), Lines{});
}

TEST(DataBinding, GridsShowTheirRecordSourceAndColumnsTheirFields) {
  const auto outputs = Convert(
      {Object("Form1", "form", {}, ""),
       Object("grdLines", "grid", {"ColumnCount = 3", "RecordSource = \"lines\"", "RecordSourceType = 1"}),
       Object("Column1", "column", {"ControlSource = \"lines.qty\""}, "Form1.grdLines"),
       Object("Column2", "column", {"ControlSource = \"price\""}, "Form1.grdLines"),
       Object("Column3", "column", {"ControlSource = \"items.name\""}, "Form1.grdLines"),
       Object("grdPlain", "grid", {"ColumnCount = 1", "RecordSource = \"lines\""}),
       Object("Column1", "column", {"Width = 40"}, "Form1.grdPlain"),
       Object("grdQuery", "grid", {"RecordSource = \"SELECT * FROM lines\"", "RecordSourceType = 4"}),
       Object("grdTable", "grid", {"RecordSource = \"data\\stock.dbf\"", "RecordSourceType = 0"})},
      {Cursor("Cursor1", "lines")});
  const ConvertedForm& form = outputs.front();
  EXPECT_EQ(Only(Block(form, "grdLines"), {"DataSource", "FieldName"}),
            (Lines{"DataSource = dsLines", "FieldName = 'qty'", "FieldName = 'price'", "FieldName = 'name'"}));
  // A column of another table: the grid shows its own table's fields alone.
  EXPECT_EQ(Comments(form, "grdLines"), (Lines{"ColumnCount = 3", "Column3: ControlSource = \"items.name\""}));
  EXPECT_EQ(Only(Block(form, "grdPlain"), {"DataSource", "FieldName", "Width"}),
            (Lines{"Width = 320", "DataSource = dsLines", "Width = 40"}));
  EXPECT_EQ(Only(Block(form, "grdQuery"), {"DataSource"}), Lines{});
  EXPECT_EQ(Comments(form, "grdQuery"),
            (Lines{"RecordSource = \"SELECT * FROM lines\"", "RecordSourceType = 4"}));
  EXPECT_EQ(Only(Block(form, "grdTable"), {"DataSource"}), Lines{"DataSource = dsStock"});
  ASSERT_EQ(form.bound.size(), 3u);
  EXPECT_EQ(form.bound[0].columns, (Lines{"qty", "price", "name"}));
}

TEST(DataBinding, CursorsAndRelationsAreCommentsBesideTheirDataSources) {
  const auto outputs = Convert(
      {Object("Form1", "form", {"Width = 60"}, ""),
       Object("Relation1", "relation", {"ParentAlias = \"customer\"", "RelationalExpr = \"cust_id\"",
                                        "ChildAlias = \"orders\"", "ChildOrder = \"cust_id\"", "Left = 5"},
              "Dataenvironment")},
      {Object("Cursor1", "cursor",
              {"Left = 10", "Top = 20", "Width = 90", "Height = 90", "Alias = \"customer\"",
               "CursorSource = \"customer\"", "Database = ..\\data\\sales.dbc", "Order = \"cust_id\"",
               "Filter = \"active\"", "ReadOnly = .T.", "BufferModeOverride = 5", "Exclusive = .T.",
               "NoDataOnLoad = .T."},
              "Dataenvironment"),
       Object("Cursor2", "cursor", {"CursorSource = \"data\\orders.dbf\""}, "Dataenvironment"),
       Object("Cursor3", "cursor", {"Alias = \"stock\""}, "Dataenvironment")});
  const ConvertedForm& form = outputs.front();
  EXPECT_EQ(Comments(form, "dsCustomer"),
            (Lines{"FoxPro: thisform.Dataenvironment.Cursor1", "Alias = \"customer\"", "CursorSource = \"customer\"",
                   "Database = ..\\data\\sales.dbc", "Order = \"cust_id\"", "Filter = \"active\"", "ReadOnly = .T.",
                   "BufferModeOverride = 5", "Exclusive = .T.", "NoDataOnLoad = .T."}));
  // The alias of a table opened without one is the table's name.
  EXPECT_EQ(Comments(form, "dsOrders"),
            (Lines{"FoxPro: thisform.Dataenvironment.Cursor2", "CursorSource = \"data\\orders.dbf\"",
                   "Relation1: ParentAlias = \"customer\"", "Relation1: RelationalExpr = \"cust_id\"",
                   "Relation1: ChildAlias = \"orders\"", "Relation1: ChildOrder = \"cust_id\""}));
  // Icons in a row, wrapped at the form's width; nothing else set.
  EXPECT_EQ(Block(form, "dsCustomer"), (Lines{"object dsCustomer: TDataSource", "Left = 8", "Top = 8"}));
  EXPECT_EQ(Only(Block(form, "dsStock"), {"Left", "Top"}), (Lines{"Left = 8", "Top = 72"}));
  EXPECT_EQ(Only(form.pas, {"    ds"}),
            (Lines{"    dsCustomer: TDataSource;", "    dsOrders: TDataSource;", "    dsStock: TDataSource;"}));
  EXPECT_EQ(form.data_sources.size(), 3u);
  EXPECT_TRUE(form.bound.empty());
  // The data environment's own settings stay with the form, which leaves
  // its tables to its code.
  EXPECT_NE(std::find(form.pas.begin(), form.pas.end(), "      // Dataenvironment: AutoOpenTables = .F."),
            form.pas.end());
  EXPECT_TRUE(Only(form.pas, {"  FoxOpenCursor", "    procedure DoCreate"}).empty());
}

TEST(DataBinding, CursorsOpenTheirTablesBeforeLoadAndListsTakeTheirFields) {
  const auto outputs = Convert(
      {Object("Form1", "form", {"Width = 60"}, ""),
       Object("cboName", "combobox", {"RowSourceType = 6", "RowSource = \"customer.name\"", "Style = 2"}, "Form1"),
       Object("lstState", "listbox", {"RowSourceType = 6", "RowSource = \"customer.state,name\""}, "Form1")},
      {Object("Cursor1", "cursor",
              {"Alias = \"customer\"", "CursorSource = \"data\\Customer.dbf\"", "Order = \"Name\"",
               "Filter = \"state = [N'Y] AND NOT active = .F.\"", "ReadOnly = .T."},
              "Dataenvironment"),
       Object("Cursor2", "cursor",
              {"Alias = \"orders\"", "CursorSource = \"orders\"", "Database = sales.dbc",
               "Filter = \"orders.cust = customer.id\""},
              "Dataenvironment"),
       Object("Cursor3", "cursor", {"Alias = \"stock\""}, "Dataenvironment")},
      {"AutoCloseTables = .F."});
  const ConvertedForm& form = outputs.front();
  EXPECT_EQ(Only(form.pas, {"  FoxOpenCursor", "  FoxFillList", "procedure TForm1.DoCreate", "  inherited DoCreate"}),
            (Lines{"procedure TForm1.DoCreate;",
                   "  FoxOpenCursor(dsCustomer, 'customer', 'name', '(substr(\"state\", 1, 3) = ''N''''Y'' AND NOT "
                   "(\"active\" = FALSE))', True, False);",
                   "  FoxFillList(cboName.Items, dsCustomer, 'name');", "  inherited DoCreate;"}));
  EXPECT_EQ(Only(form.pas, {"    procedure DoCreate"}), (Lines{"    procedure DoCreate; override;"}));
  EXPECT_NE(form.pas[7].find(", FoxData;"), std::string::npos) << form.pas[7];
  // A filter SQL may not select as FoxPro does: that table stays closed, and says why.
  EXPECT_EQ(Comments(form, "dsOrders")[1], "Not opened: SQL is not certain to select the rows of its Filter");
  EXPECT_EQ(form.notes, (Lines{"   Note: dsOrders of data opens no table: SQL is not certain to select the rows of "
                               "its Filter orders.cust = customer.id"}));
  // The list carries its rows; one of two columns does not.
  EXPECT_TRUE(Comments(form, "cboName").empty());
  EXPECT_EQ(Comments(form, "lstState").size(), 2u);
}

TEST(DataBinding, FiltersBecomeSqlWhereItSelectsTheSameRows) {
  const std::pair<std::string_view, std::optional<std::string>> cases[] = {
      {"qty > 5 OR c.price <= 2.5", "(\"qty\" > 5 OR \"price\" <= 2.5)"},
      {"10 > Qty", "\"qty\" < 10"},
      {"name <> 'Seña'", "NOT (substr(\"name\", 1, 4) = 'Seña')"},
      {"!paid == .T.", std::nullopt},
      {"paid # .T.", "\"paid\" <> TRUE"},
      {"name = ''", std::nullopt},
      {"name = 'a '", std::nullopt},
      {"'a' = name", std::nullopt},
      {"name < 'm'", std::nullopt},
      {"qty = 0x1F", std::nullopt},
      {"other.qty = 1", std::nullopt},
      {"m.qty = 1", std::nullopt},
      {"UPPER(name) = 'A'", std::nullopt},
      {"qty = (1", std::nullopt},
      {"paid", std::nullopt},
  };
  for (const auto& [filter, condition] : cases) EXPECT_EQ(FilterCondition(filter, "C"), condition) << filter;
}

TEST(DataBinding, VariablesObjectsAndExpressionsAreNoData) {
  auto records = {Object("Form1", "form", {}, ""),
                  Object("Text1", "textbox", {"ControlSource = \"m.cName\""}),
                  Object("Text2", "textbox", {"ControlSource = \"thisform.nTotal\""}),
                  Object("Text3", "textbox", {"ControlSource = \"thisform.oData.cName\""}),
                  Object("Text4", "textbox", {"ControlSource = (customer.name)"}),
                  Object("Text5", "textbox", {"ControlSource = \"_screen.Caption\""}),
                  Object("Text6", "textbox", {"ControlSource = \"cName\""}),
                  Object("Text7", "textbox", {"ControlSource = \"\""})};
  // A name alone is a field where the data environment opens one table, and
  // a variable where it opens several.
  const auto several = Convert(records, {Cursor("Cursor1", "customer"), Cursor("Cursor2", "orders")});
  for (const std::string name : {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7"}) {
    EXPECT_EQ(Only(Block(several.front(), name), {"object", "Data"}), Lines{"object " + name + ": TEdit"});
  }
  EXPECT_EQ(Comments(several.front(), "Text1"), Lines{"ControlSource = \"m.cName\""});
  EXPECT_EQ(Comments(several.front(), "Text6"), Lines{"ControlSource = \"cName\""});
  const auto one = Convert(records, {Cursor("Cursor1", "customer")});
  EXPECT_EQ(Only(Block(one.front(), "Text6"), {"object", "Data"}),
            (Lines{"object Text6: TDBEdit", "DataField = 'cName'", "DataSource = dsCustomer"}));
  // Without a data environment, no table: nothing to bind a name alone to.
  const auto none = Convert(records);
  EXPECT_TRUE(none.front().data_sources.empty());
  EXPECT_EQ(none.front().pas[7].find("DB"), std::string::npos);
}

TEST(DataBinding, AliasesTheCodeOpensGetDataSourcesMarkedAsSuch) {
  const auto outputs = Convert({Object("Form1", "form", {}, ""),
                                Object("txtTotal", "textbox", {"ControlSource = \"curTotals.total\""}),
                                Object("grdTotals", "grid", {"RecordSource = \"curtotals\""}),
                                Object("txtName", "textbox", {"ControlSource = \"customer.name\""})},
                               {Cursor("Cursor1", "customer")});
  const ConvertedForm& form = outputs.front();
  EXPECT_EQ(Only(Block(form, "grdTotals"), {"DataSource"}), Lines{"DataSource = dsCurTotals"});
  EXPECT_EQ(Comments(form, "dsCurTotals"),
            Lines{"FoxPro alias curTotals: opened by the form's code, not by a cursor of its data environment"});
  ASSERT_EQ(form.data_sources.size(), 2u);
  EXPECT_EQ(form.data_sources[1].identifier, "dsCurTotals");
  EXPECT_TRUE(form.data_sources[1].opened_in_code);
  EXPECT_FALSE(form.data_sources[0].opened_in_code);
}

TEST(DataBinding, EachFormOfAFormSetHasTheDataSourcesAndTwoCursorsOfOneAliasTwo) {
  const auto outputs = Convert({Object("Formset1", "formset", {}, ""),
                                Object("Form1", "form", {}, "Formset1"),
                                Object("dsCustomer", "label", {"Caption = \"Customer\""}, "Formset1.Form1"),
                                Object("Form2", "form", {}, "Formset1"),
                                Object("txtName", "textbox", {"ControlSource = \"CUSTOMER.name\""}, "Formset1.Form2")},
                               {Cursor("Cursor1", "customer"), Cursor("Cursor2", "Customer")});
  ASSERT_EQ(outputs.size(), 2u);
  // The control keeps its name; the data sources take the next ones.
  EXPECT_EQ(Only(outputs[0].pas, {"    ds"}), (Lines{"    dsCustomer: TLabel;", "    dsCustomer_1: TDataSource;",
                                                     "    dsCustomer_2: TDataSource;"}));
  EXPECT_EQ(Comments(outputs[0], "dsCustomer_1").front(), "FoxPro: thisformset.Dataenvironment.Cursor1");
  // FoxPro opens the first cursor under the alias: the controls show its table.
  EXPECT_EQ(Only(outputs[1].pas, {"    ds"}),
            (Lines{"    dsCustomer: TDataSource;", "    dsCustomer_1: TDataSource;"}));
  EXPECT_EQ(Only(Block(outputs[1], "txtName"), {"DataSource"}), Lines{"DataSource = dsCustomer"});
}

}  // namespace
}  // namespace quorvex::testing
