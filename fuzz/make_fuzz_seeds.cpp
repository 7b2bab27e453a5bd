// Writes the fuzz seeds that are made with the fixture writer:
//   make_fuzz_seeds FOLDER   (normally fuzz/seeds)
// table_fuzz/fixture_*: a table of every field kind in each table version;
// classlib_fuzz/fixture_*: a form with three libraries that reference each
// other by each way a library is found; data_table_fuzz/fixture_*: a data
// table of every Visual FoxPro type, nulls and short variable-length values
// among them; compound_index_fuzz/fixture_*: indexes of one and of several
// directory leaves; database_fuzz/fixture_*: a database of two related
// tables. Seeds from real files come from make_seeds.sh.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "fixtures/database_writer.h"
#include "fixtures/index_writer.h"
#include "fixtures/scx_writer.h"
#include "fuzz_input.h"

namespace quorvex {
namespace {

namespace fs = std::filesystem;
using fixtures::BuildTable;
using fixtures::FieldSpec;
using fixtures::PropertyLines;
using fixtures::RecordSpec;
using fixtures::ScxRecord;
using fixtures::ScxWriter;
using fixtures::TableFiles;
using fixtures::TableOptions;

void WriteSeed(const fs::path& file, const std::string& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

// Two records (one deleted) over the field kinds that `version` knows.
TableFiles EveryFieldKind(const TableOptions& options) {
  std::vector<FieldSpec> fields = {{"NAME", 'C', 12}, {"COUNT", 'N', 6, 0}, {"RATE", 'F', 8, 2},
                                   {"BORN", 'D', 8},  {"FLAG", 'L', 1},     {"NOTES", 'M'}};
  RecordSpec first = {{{"NAME", "first"}, {"COUNT", "42"}, {"RATE", "3.25"}, {"BORN", "19991231"},
                       {"FLAG", "T"}, {"NOTES", "line 1\r\nline 2\r\n"}}};
  if (options.version == 0x30) {
    fields.insert(fields.end(), {{"ID", 'I', 4}, {"STAMP", 'T', 8}, {"PRICE", 'Y', 8}, {"RATIO", 'B', 8},
                                 {"PICTURE", 'G'}, {"BYTES", 'C', 4, 0, 0x04}});
    first.values.insert(first.values.end(), {{"ID", fixtures::Int32Bytes(-7)},
                                             {"STAMP", fixtures::Int32Bytes(2451545) + fixtures::Int32Bytes(3600000)},
                                             {"PRICE", fixtures::Int64Bytes(123456)},
                                             {"RATIO", fixtures::DoubleBytes(0.5)},
                                             {"PICTURE", std::string("\x89PNG\0\x01", 6)},
                                             {"BYTES", std::string("\0\x01\x02\xFF", 4)}});
  }
  return BuildTable(options, fields, {first, {{{"NAME", "gone"}, {"NOTES", "old"}}, /*deleted=*/true}});
}

void WriteTableSeeds(const fs::path& folder) {
  const struct {
    const char* name;
    TableOptions options;
  } tables[] = {
      {"fixture_visual_foxpro", {.version = 0x30, .memo_block_size = 1}},
      {"fixture_foxpro2", {.version = 0xF5, .table_flags = 0, .memo_block_size = 32}},
      {"fixture_dbase3", {.version = 0x83, .table_flags = 0}},
      {"fixture_dbase4", {.version = 0x8B, .table_flags = 0, .memo_block_size = 512}},
  };
  for (const auto& table : tables) {
    const TableFiles files = EveryFieldKind(table.options);
    WriteSeed(folder / table.name, JoinTableAndMemo(files.table, files.memo));
  }
}

ScxRecord Object(std::string parent, std::string name, std::string base_class, std::string properties,
                 std::string class_name = {}, std::string class_location = {}) {
  if (class_name.empty()) class_name = base_class;
  return {.objname = std::move(name), .parent = std::move(parent), .baseclass = std::move(base_class),
          .class_name = std::move(class_name), .properties = std::move(properties),
          .classloc = std::move(class_location)};
}

ScxRecord ClassStart(std::string name, std::string parent_class, std::string parent_location, std::string base_class,
                     std::string properties, int records) {
  ScxRecord record = Object("", std::move(name), std::move(base_class), std::move(properties),
                            std::move(parent_class), std::move(parent_location));
  record.other = {{"RESERVED1", "Class"}, {"RESERVED2", std::to_string(records)}};
  return record;
}

ScxRecord ClassEnd(std::string name) { return {.platform = "COMMENT", .objname = std::move(name), .uniqueid = "RESERVED"}; }

ScxWriter Library(std::initializer_list<ScxRecord> records) {
  ScxWriter library;
  library.Add({.platform = "COMMENT", .uniqueid = "Class", .other = {{"RESERVED1", "VERSION =   3.00"}}});
  for (const ScxRecord& record : records) library.Add(record);
  return library;
}

// forms/main.scx uses base.vcx beside it, ..\libs\Controls.vcx by a relative
// path in other letter case, and far.vcx by a path of another machine, found
// only by searching; the libraries' classes build on one another's, with a
// cycle and a MemberClass among them.
std::string ClassLibrarySet() {
  ScxWriter form;
  form.AddVersionComment()
      .Add(Object("", "Form1", "form", PropertyLines({"Caption = \"Libraries\"", "Name = \"Form1\""})))
      .Add(Object("Form1", "lblTitle", "label", PropertyLines({"Caption = \"Title\"", "Name = \"lblTitle\""}),
                  "biglabel", "base.vcx"))
      .Add(Object("Form1", "bar", "container",
                  PropertyLines({"cmdOk.Caption = \"Save\"", "Top = 40", "Name = \"bar\""}), "buttonbar",
                  "..\\LIBS\\controls.VCX"))
      .Add(Object("Form1", "pgfMain", "pageframe",
                  PropertyLines({"PageCount = 2", "MemberClassLibrary = ..\\libs\\controls.vcx",
                                 "MemberClass = \"namepage\"", "Page1.Caption = \"One\"", "Page1.Name = \"Page1\"",
                                 "Page2.Name = \"Page2\"", "Name = \"pgfMain\""})))
      .Add(Object("Form1", "box", "container", PropertyLines({"Name = \"box\""}), "oldbox",
                  "C:\\VFP\\SHARED\\far.vcx"))
      .Add(Object("Form1", "spin", "label", PropertyLines({"Name = \"spin\""}), "loopy", "..\\libs\\controls.vcx"));
  ScxWriter base = Library({ClassStart("biglabel", "label", "", "label", PropertyLines({"FontSize = 14", "AutoSize = .T."}), 1),
                            ClassEnd("biglabel"),
                            ClassStart("stdbutton", "commandbutton", "", "commandbutton",
                                       PropertyLines({"Height = 27", "Width = 84", "Caption = \"Button\""}), 1),
                            ClassEnd("stdbutton")});
  ScxWriter controls = Library(
      {ClassStart("buttonbar", "container", "", "container", PropertyLines({"Width = 200", "Height = 40"}), 3),
       Object("buttonbar", "cmdOk", "commandbutton", PropertyLines({"Left = 8", "Name = \"cmdOk\""}), "stdbutton",
              "..\\forms\\base.vcx"),
       Object("buttonbar", "cmdCancel", "commandbutton", PropertyLines({"Left = 100", "Caption = \"Cancel\"", "Name = \"cmdCancel\""}),
              "stdbutton", "..\\forms\\BASE.vcx"),
       ClassEnd("buttonbar"),
       ClassStart("namepage", "page", "", "page", PropertyLines({"Caption = \"Name\""}), 2),
       Object("namepage", "txtName", "textbox", PropertyLines({"Left = 10", "Top = 10", "Name = \"txtName\""})),
       ClassEnd("namepage"),
       ClassStart("loopy", "loopy2", "controls.vcx", "label", PropertyLines({"Caption = \"a\""}), 1),
       ClassStart("loopy2", "loopy", "CONTROLS.VCX", "label", PropertyLines({"Width = 5"}), 1)});
  ScxWriter far = Library({ClassStart("oldbox", "buttonbar", "..\\..\\libs\\controls.vcx", "container",
                                      PropertyLines({"BorderWidth = 2", "cmdCancel.Visible = .F."}), 2),
                           Object("oldbox", "shpFrame", "shape", PropertyLines({"Name = \"shpFrame\""})),
                           ClassEnd("oldbox")});
  const TableFiles form_files = form.Build(), base_files = base.Build(), controls_files = controls.Build(),
                   far_files = far.Build();
  return JoinFiles({{"forms/main.scx", form_files.table},
                    {"forms/main.sct", form_files.memo},
                    {"forms/base.vcx", base_files.table},
                    {"forms/base.vct", base_files.memo},
                    {"libs/Controls.vcx", controls_files.table},
                    {"libs/CONTROLS.VCT", controls_files.memo},
                    {"shared/old/far.vcx", far_files.table},
                    {"shared/old/far.vct", far_files.memo}});
}

// Every type of a Visual FoxPro 0x32 table; the record's _NullFlags make V
// short and N null.
TableFiles EveryDataType() {
  const std::vector<FieldSpec> fields = {
      {"NAME", 'C', 8},  {"NOTE", 'V', 6}, {"RAW", 'Q', 4, 0, 0x02}, {"MEMO", 'M'}, {"PIC", 'G'}, {"DOC", 'W'},
      {"QTY", 'N', 5, 0, 0x02}, {"RATIO", 'B', 8}, {"ID", 'I', 4, 0, 0x0C}, {"PRICE", 'Y', 8}, {"ON", 'D', 8},
      {"STAMP", 'T', 8}, {"OK", 'L', 1}, {"_NullFlags", '0', 1, 0, 0x05}};
  const RecordSpec record = {{{"NAME", "first"}, {"NOTE", std::string("ab   ")}, {"RAW", std::string("", 4)},
                              {"MEMO", "text"}, {"PIC", "ole"}, {"DOC", "blob"}, {"QTY", "12"},
                              {"RATIO", fixtures::DoubleBytes(2.5)}, {"ID", fixtures::Int32Bytes(9)},
                              {"PRICE", fixtures::Int64Bytes(15000)}, {"ON", "20240229"},
                              {"STAMP", fixtures::Int32Bytes(2451545) + fixtures::Int32Bytes(1000)}, {"OK", "T"},
                              {"_NullFlags", "	"}}};
  return BuildTable({.version = 0x32, .memo_block_size = 32}, fields, {record, {{}, /*deleted=*/true}});
}

void WriteDataSeeds(const fs::path& folder) {
  const TableFiles every = EveryDataType();
  WriteSeed(folder / "data_table_fuzz" / "fixture_every_type", JoinTableAndMemo(every.table, every.memo));
  const TableFiles foxpro2 = BuildTable({.version = 0xF5, .table_flags = 0}, {{"NAME", 'C', 6}, {"PIC", 'P'}},
                                        {{{{"NAME", "x"}, {"PIC", "pic"}}}});
  WriteSeed(folder / "data_table_fuzz" / "fixture_foxpro2", JoinTableAndMemo(foxpro2.table, foxpro2.memo));

  const std::vector<fixtures::TagSpec> tags = {
      {.name = "ID", .key_expression = "id", .options = 0x64},
      {.name = "NAME", .key_expression = "UPPER(name)", .for_expression = "!DELETED()"},
      {.name = "CODE", .key_expression = "code", .descending = true}};
  WriteSeed(folder / "compound_index_fuzz" / "fixture_one_leaf", fixtures::BuildCompoundIndex(tags).bytes);
  WriteSeed(folder / "compound_index_fuzz" / "fixture_three_leaves", fixtures::BuildCompoundIndex(tags, 1).bytes);

  const TableFiles database = fixtures::BuildDatabase(
      {{.id = 1, .parent = 1, .type = "Database", .name = "Database"},
       {.id = 2, .parent = 1, .type = "Table", .name = "cust",
        .properties = {{1, fixtures::DbcText("cust.dbf")}, {20, fixtures::DbcText("id")}}},  // path, primary key
       {.id = 3, .parent = 2, .type = "Field", .name = "id", .properties = {{11, fixtures::DbcText("NEXTID()")}}},
       {.id = 4, .parent = 2, .type = "Index", .name = "id", .properties = {{17, std::string(1, 1)}}},
       {.id = 5, .parent = 1, .type = "Table", .name = "orders", .properties = {{1, fixtures::DbcText("orders.dbf")}}},
       {.id = 6, .parent = 5, .type = "Relation", .name = "Relation 1",
        .properties = {{13, fixtures::DbcText("custid")},  // child tag, parent table and tag
                       {18, fixtures::DbcText("cust")},
                       {19, fixtures::DbcText("id")}},
        .integrity = "CRI"}});
  WriteSeed(folder / "database_fuzz" / "fixture_app", JoinTableAndMemo(database.table, database.memo));
}

}  // namespace
}  // namespace quorvex

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_fuzz_seeds FOLDER\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  quorvex::WriteTableSeeds(folder / "table_fuzz");
  quorvex::WriteDataSeeds(folder);
  quorvex::WriteSeed(folder / "classlib_fuzz" / "fixture_libraries", quorvex::ClassLibrarySet());
  return 0;
}
