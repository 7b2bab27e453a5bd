// The line-level rules of pass 1 as rows: splitting property lines, Name
// values, class texts and the choice of a node's property lines.

#include <gtest/gtest.h>

#include <string>

#include "scx/object_text.h"
#include "scx/scx_property_line.h"

namespace quorvex {
namespace {

struct SplitRow {
  const char* line;
  bool is_member;
  const char* prefix;
  const char* property;
};

TEST(ScxPropertyLineTest, SplitsTheNamePartAtItsLastDot) {
  const SplitRow rows[] = {
      {"Height = 250", false, "", "Height"},
      {"Command1.Top = 5", true, "Command1", "Top"},
      {"\t Column1.Header1.Caption = \"a.b=c\"", true, "Column1.Header1", "Caption"},
      {" Command1 . Name = x", true, "Command1", "Name"},
      {"Caption = \"x.y\"", false, "", "Caption"},  // dots in the value do not count
      {"no equals.sign", false, "", ""},
      {"", false, "", ""},
      {".Name = x", true, "", "Name"},
  };
  for (const auto& row : rows) {
    const ScxPropertyName name = SplitPropertyName(row.line);
    EXPECT_EQ(name.is_member, row.is_member) << row.line;
    EXPECT_EQ(name.prefix, row.prefix) << row.line;
    EXPECT_EQ(name.property, row.property) << row.line;
  }
}

TEST(ScxPropertyLineTest, UnquotesNameValues) {
  const std::pair<const char*, const char*> rows[] = {
      {"\"Form1\"", "Form1"},
      {"\"say \"\"hi\"\"\"", "say \"hi\""},
      {"\"\"", ""},
      {"\"a\" trailing", "a"},
      {"\"open", "open"},
      {"\"", ""},
      {"plain", "plain"},
      {"x\"y\"", "x\"y\""},
      {"", ""},
  };
  for (const auto& [value, text] : rows) EXPECT_EQ(UnquoteNameValue(value), text) << value;
}

ScxNode Node(const char* text, int record_ref) {
  ScxNode node;
  node.text = text;
  node.record_ref = record_ref;
  return node;
}

struct ClassRow {
  int record_ref;
  const char* base_class;
  const char* obj_name;
  const char* class_text;
};

TEST(ObjectClassTextTest, FollowsTheRecordKindAndBaseClass) {
  const ClassRow rows[] = {
      {3, "form", "Form1", "TForm1"},
      {-3, "FORM", "Form1", "TForm1"},  // members of a form record too
      {4, "CommandGroup", "x", "CommandGroup"},
      {-4, "commandgroup", "x", "Commandbutton"},
      {-4, "OPTIONGROUP", "x", "Optionbutton"},
      {-4, "pageframe", "x", "Page"},
      {-4, "Grid", "x", "Column"},
      {-4, "container", "x", ""},
      {0, "", "", ""},
      {5, "textbox", "Text1", "textbox"},
      {5, "", "Text1", ""},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ObjectClassText(Node("n", row.record_ref), row.base_class, row.obj_name), row.class_text)
        << row.record_ref << " " << row.base_class;
  }
}

struct LinesRow {
  const char* node_text;
  int record_ref;
  const char* properties;
  TextList lines;
};

TEST(NodePropertyLinesTest, SelectsOwnOrMemberLines) {
  const char* const group =
      "ButtonCount = 2\r\n  Name = \"Commandgroup1\"\r\nCommand1.Top = 5\r\n  Command1.Caption = \"O.K\"\r\n"
      "Command2.Name = \"cmdCancel\"\r\ncommand1.Left = 3\r\nCommand1.Sub.Top = 9\r\n\r\nloose text\r\n";
  const LinesRow rows[] = {
      {"Commandgroup1", 4, group, {"ButtonCount = 2", "  Name = \"Commandgroup1\"", "", "loose text"}},
      {"Command1", -4, group, {"Top = 5", "Caption = \"O.K\"", "Left = 3"}},
      {"cmdCancel (Command2)", -4, group, {"Name = \"cmdCancel\""}},
      {"Command1.Sub", -4, group, {"Top = 9"}},
      {"Command3", -4, group, {}},
      {"Command1", 0, group, {}},  // a placeholder has no lines
      {"Form1", 1, "A = 1\rB = 2\nC = 3\r\n", {"A = 1", "B = 2", "C = 3"}},
      {"Form1", 1, "", {}},
      {"Form1", 1, "Caption = \"a\tb\"   ", {"Caption = \"a\tb\"   "}},
      {"Column1", -2, "Column1. Width = 5", {" Width = 5"}},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(NodePropertyLines(Node(row.node_text, row.record_ref), row.properties), row.lines)
        << row.node_text << " " << row.record_ref;
  }
}

}  // namespace
}  // namespace quorvex
