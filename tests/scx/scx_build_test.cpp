// Building the object tree from form tables written by the fixture writer.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "scx/tree_printout.h"
#include "scx_test_util.h"

namespace quorvex {
namespace {

using namespace testing;  // NOLINT: the pass 1 test helpers

TEST(BuildObjectTreeTest, WorkedExample) {
  OpenedForm form(ExampleForm());
  EXPECT_EQ(Outline(form.tree), (Lines{
                                    "Dataenvironment 2",
                                    "Form1 3",
                                    "  Commandgroup1 4",
                                    "    Command1 -4",
                                    "    cmdCancel (Command2) -4",
                                    "  Text1 5",
                                }));
  std::ostringstream printed;
  PrintTree(form.tree, printed);
  EXPECT_EQ(printed.str(),
            "Dataenvironment\t2\nForm1\t3\n  Commandgroup1\t4\n    Command1\t-4\n"
            "    cmdCancel (Command2)\t-4\n  Text1\t5\n");
  EXPECT_TRUE(form.dataset.Active());
  EXPECT_EQ(form.dataset.RecNo(), 2);  // the first node's record is current
}

struct RecordsRow {
  const char* what;
  std::vector<ScxRecord> records;
  Lines outline;
};

TEST(BuildObjectTreeTest, RecordRules) {
  const RecordsRow rows[] = {
      {"COMMENT skipped exactly, other platforms kept",
       {{.platform = "COMMENT", .objname = "Form1", .properties = PropertyLines({"Name = \"Hidden\""})},
        {.platform = "comment", .objname = "X", .properties = PropertyLines({"Name = \"Shown\""})}},
       {"Shown 2"}},
      {"empty ObjName adds nothing",
       {{.objname = "", .properties = PropertyLines({"Name = \"Ghost\""})},
        {.objname = "A", .properties = PropertyLines({"Name = \"A\""})}},
       {"A 2"}},
      {"deleted records are passed over but counted",
       {{.objname = "Form1", .properties = PropertyLines({"Name = \"Form1\""})},
        {.objname = "Text1", .parent = "Form1", .properties = PropertyLines({"Name = \"Text1\""}), .deleted = true},
        {.objname = "Text2", .parent = "Form1", .properties = PropertyLines({"Name = \"Text2\""})}},
       {"Form1 1", "  Text2 3"}},
      {"no own Name line: children go under a placeholder",
       {{.objname = "Form1", .properties = PropertyLines({"Caption = \"x\""})},
        {.objname = "Text1", .parent = "Form1", .properties = PropertyLines({"Name = \"Text1\""})}},
       {"Form1 0", "  Text1 2"}},
      {"child before its parent: later paths use the placeholder",
       {{.objname = "Text1", .parent = "Form1", .properties = PropertyLines({"Name = \"Text1\""})},
        {.objname = "Form1", .properties = PropertyLines({"Name = \"Form1\""})},
        {.objname = "Text2", .parent = "Form1", .properties = PropertyLines({"Name = \"Text2\""})}},
       {"Form1 0", "  Text1 1", "  Text2 3", "Form1 2"}},
      {"member lines before the own Name line land beside the container",
       {{.objname = "Form1", .properties = PropertyLines({"Name = \"Form1\""})},
        {.objname = "Grp",
         .parent = "Form1",
         .properties = PropertyLines(
             {"Command1.Name = \"Command1\"", "Name = \"Grp\"", "Command2.Name = \"Command2\""})}},
       {"Form1 1", "  Command1 -2", "  Grp 2", "    Command2 -2"}},
      {"members of a top-level record go under an empty placeholder",
       {{.objname = "Form1", .properties = PropertyLines({"Name = \"Form1\"", "Text1.Name = \"Text1\""})}},
       {"Form1 1", " 0", "  Form1 0", "    Text1 -1"}},
      {"member texts: case-only differences, renames, blanks around the dot",
       {{.objname = "Form1", .properties = PropertyLines({"Name = \"Form1\""})},
        {.objname = "Grp",
         .parent = "Form1",
         .properties = PropertyLines({"Name = \"Grp\"", "command1.Name = \"Command1\"",
                                      "Command2.Name = \"cmdCancel\"", " Page1 . name = Page1"})}},
       {"Form1 1", "  Grp 2", "    Command1 -2", "    cmdCancel (Command2) -2", "    Page1 -2"}},
      {"Name values: bare, doubled quotes, empty, missing, upper case, repeated",
       {{.objname = "a", .properties = PropertyLines({"Name = Plain  "})},
        {.objname = "b", .properties = PropertyLines({"Name = \"say \"\"hi\"\"\" rest"})},
        {.objname = "c", .properties = PropertyLines({"Name = \"\""})},
        {.objname = "d", .properties = PropertyLines({"Name ="})},
        {.objname = "e", .properties = PropertyLines({"\t NAME  =  \"Upper\"  "})},
        {.objname = "f", .properties = PropertyLines({"Name = \"A\"", "Caption = 1", "Name = \"B\""})},
        {.objname = "g", .properties = PropertyLines({"Name", "Names = \"no\"", "MyName = \"no\""})}},
       {"Plain 1", "say \"hi\" 2", " 3", " 4", "Upper 5", "A 6", "B 6"}},
      {"lines end at CR, LF or CR LF",
       {{.objname = "a", .properties = "Top = 1\rName = \"CR\"\nLeft = 2\r\n"},
        {.objname = "b", .properties = "Top = 1\nName = \"LF\""}},
       {"CR 1", "LF 2"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    ScxWriter writer;
    for (const auto& record : row.records) writer.Add(record);
    OpenedForm form(writer);
    EXPECT_EQ(Outline(form.tree), row.outline);
  }
}

TEST(BuildObjectTreeTest, TablesLackingAFieldGiveAnEmptyTree) {
  for (const char* field : {"PARENT", "PLATFORM", "OBJNAME", "BASECLASS", "PROPERTIES"}) {
    SCOPED_TRACE(field);
    ScxWriter writer = ExampleForm();
    writer.WithoutField(field);
    OpenedForm form(writer);
    EXPECT_TRUE(form.tree.Empty());
    EXPECT_TRUE(form.dataset.Active());
  }
}

TEST(BuildObjectTreeTest, EmptyAndCommentOnlyTablesGiveAnEmptyTree) {
  ScxWriter comments;
  comments.AddVersionComment().Add({.platform = "COMMENT", .objname = "x"});
  for (const ScxWriter& writer : {ScxWriter(), comments}) {
    OpenedForm form(writer);
    EXPECT_TRUE(form.tree.Empty());
  }
}

TEST(BuildObjectTreeTest, UnreadableRecordIsDroppedAndTheWalkGoesOn) {
  // Commandgroup1's Properties entry has a block type no memo file allows.
  fixtures::TableFiles built = ExampleForm().Build();
  fixtures::PutBigEndian32(built.memo, built.MemoEntryOffset(4, "PROPERTIES"), 2);
  MemoryFileSystem files;
  built.AddTo(files, kFormScx, kFormSct);
  TableDataSet dataset("TableDataSet1", files);
  ScxObjectTree tree;
  OpenScxFile(dataset, kFormScx, tree);
  EXPECT_EQ(Outline(tree), (Lines{"Dataenvironment 2", "Form1 3", "  Text1 5"}));
}

TEST(BuildObjectTreeTest, WalkBreakingOffKeepsWhatWasBuilt) {
  fixtures::TableFiles built = ExampleForm().Build();
  MemoryFileSystem files;
  built.AddTo(files, kFormScx, kFormSct);
  files.FailReadsFrom(kFormScx, built.RecordOffset(4));  // Next cannot read record 4
  TableDataSet dataset("TableDataSet1", files);
  ScxObjectTree tree;
  OpenScxFile(dataset, kFormScx, tree);
  EXPECT_EQ(Outline(tree), (Lines{"Dataenvironment 2", "Form1 3"}));
  EXPECT_TRUE(dataset.Active());
}

TEST(OpenScxFileTest, OpenFailurePropagatesAndKeepsTheTree) {
  OpenedForm form(ExampleForm());
  EXPECT_THROW(OpenScxFile(form.dataset, "/forms/missing.scx", form.tree), EDatabaseError);
  EXPECT_EQ(form.tree.NodeCount(), 6);
  EXPECT_FALSE(form.dataset.Active());
}

TEST(OpenScxFileTest, ReopeningRebuildsFromScratch) {
  OpenedForm form(ExampleForm());
  ScxWriter other;
  other.Add({.objname = "Solo", .baseclass = "form", .properties = PropertyLines({"Name = \"Solo\""})});
  other.AddTo(form.files, "/forms/other");
  OpenScxFile(form.dataset, "/forms/other.scx", form.tree);
  EXPECT_EQ(Outline(form.tree), (Lines{"Solo 1"}));
  EXPECT_EQ(form.dataset.TableName(), "/forms/other.scx");
}

}  // namespace
}  // namespace quorvex
