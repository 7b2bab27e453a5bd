// Writing the object text of forms built by the fixture writer.

#include "scx/object_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scx_test_util.h"

namespace quorvex {
namespace {

using namespace testing;  // NOLINT: the pass 1 test helpers

// The object text of an opened form, with the progress calls and the indices
// of the nodes made current.
struct Written {
  Lines lines;
  Lines progress;
  std::vector<int> current;
};

Written Write(OpenedForm& form, int cancel_from = -1, int fail_current_at = -1) {
  Written written;
  RecordingProgress progress(cancel_from);
  WriteObjectText(form.dataset, form.tree, written.lines, progress, [&](const ScxNode& node) {
    written.current.push_back(node.index);
    if (node.index == fail_current_at) throw Exception("viewer failed");
  });
  written.progress = progress.calls;
  return written;
}

Written Write(const ScxWriter& writer) {
  OpenedForm form(writer);
  return Write(form);
}

TEST(WriteObjectTextTest, WorkedExample) {
  OpenedForm form(ExampleForm());
  const Written written = Write(form);
  EXPECT_EQ(written.lines, (Lines{
                               "object Form1=TForm1",
                               "  Height = 250",
                               "  Width = 375",
                               "  Caption = \"Form1\"",
                               "  Name = \"Form1\"",
                               "  object Commandgroup1=commandgroup",
                               "    ButtonCount = 2",
                               "    Name = \"Commandgroup1\"",
                               "    object Command1=Commandbutton",
                               "      Top = 5",
                               "      Caption = \"OK\"",
                               "      Name = \"Command1\"",
                               "    end",
                               "    object cmdCancel=Commandbutton",
                               "      Top = 35",
                               "      Name = \"cmdCancel\"",
                               "    end",
                               "  end",
                               "  object Text1=textbox",
                               "    Left = 150",
                               "    Name = \"Text1\"",
                               "  end",
                               "end",
                           }));
  EXPECT_EQ(written.progress, (Lines{"range 5", "at 1", "at 2", "at 3", "at 4", "at 5"}));
  EXPECT_EQ(written.current, (std::vector<int>{0, 1, 1, 2, 3, 4, 5}));
  EXPECT_EQ(form.dataset.RecNo(), 5);  // the last node written is current
}

TEST(WriteObjectTextTest, AppendsToWhatTheListHolds) {
  OpenedForm form(ExampleForm());
  TextList lines{"kept"};
  WriteObjectText(form.dataset, form.tree, lines, NullProgress());
  ASSERT_EQ(lines.size(), 24u);
  EXPECT_EQ(lines.front(), "kept");
  EXPECT_EQ(lines[1], "object Form1=TForm1");
}

TEST(WriteObjectTextTest, FormInsideAFormSetAndNodesAfterIt) {
  ScxWriter writer;
  writer.Add({.objname = "Dataenvironment", .baseclass = "dataenvironment",
              .properties = PropertyLines({"Name = \"Dataenvironment\""})})
      .Add({.objname = "Formset", .baseclass = "formset", .properties = PropertyLines({"Name = \"Formset\""})})
      .Add({.objname = "Form1", .parent = "Formset", .baseclass = "Form",
            .properties = PropertyLines({"Name = \"Form1\"", "Lbl.Name = \"Lbl\"", "Lbl.Caption = \"Hi\""})})
      .Add({.objname = "Text1", .parent = "Formset.Form1", .baseclass = "textbox",
            .properties = PropertyLines({"Name = \"Text1\""})})
      .Add({.objname = "Form2", .parent = "Formset", .baseclass = "form",
            .properties = PropertyLines({"Name = \"Form2\""})})
      .Add({.objname = "Tail", .baseclass = "Custom", .properties = PropertyLines({"Name = \"Tail\""})});
  OpenedForm form(writer);
  const Written written = Write(form);
  EXPECT_EQ(written.lines, (Lines{
                               "  object Form1=TForm1",
                               "    Name = \"Form1\"",
                               "    object Lbl=TForm1",
                               "      Name = \"Lbl\"",
                               "      Caption = \"Hi\"",
                               "    end",
                               "    object Text1=textbox",
                               "      Name = \"Text1\"",
                               "    end",
                               "  end",
                               "  object Form2=TForm2",
                               "    Name = \"Form2\"",
                               "  end",
                               "end",
                               "object Tail=Custom",
                               "  Name = \"Tail\"",
                               "end",
                           }));
  EXPECT_EQ(written.progress, (Lines{"range 6", "at 2", "at 3", "at 4", "at 5", "at 6"}));
}

TEST(WriteObjectTextTest, FormSetWithOneFormEndsBelowItsLevel) {
  ScxWriter writer;
  writer.Add({.objname = "Formset", .baseclass = "formset", .properties = PropertyLines({"Name = \"Formset\""})})
      .Add({.objname = "Form1", .parent = "Formset", .baseclass = "form",
            .properties = PropertyLines({"Name = \"Form1\""})})
      .Add({.objname = "Text1", .parent = "Formset.Form1", .baseclass = "textbox",
            .properties = PropertyLines({"Name = \"Text1\""})});
  EXPECT_EQ(Write(writer).lines, (Lines{"  object Form1=TForm1", "    Name = \"Form1\"", "    object Text1=textbox",
                                        "      Name = \"Text1\"", "    end", "  end", "end"}));
}

TEST(WriteObjectTextTest, MembersOfPageFramesAndGridsWithNestedPrefixes) {
  ScxWriter writer;
  writer.Add({.objname = "Form1", .baseclass = "form", .properties = PropertyLines({"Name = \"Form1\""})})
      .Add({.objname = "Pageframe1", .parent = "Form1", .baseclass = "pageframe",
            .properties = PropertyLines({"PageCount = 1", "Name = \"Pageframe1\"", "Page1.Caption = \"One\"",
                                         "Page1.Name = \"Page1\""})})
      .Add({.objname = "Grid1", .parent = "Form1", .baseclass = "grid",
            .properties = PropertyLines({"Name = \"Grid1\"", "Column1.Width = 75", "Column1.Name = \"Column1\"",
                                         "Column1.Header1.Caption = \"Hd\"",
                                         "Column1.Header1.Name = \"Header1\""})})
      .Add({.objname = "Text1", .parent = "Form1.Pageframe1.Page1", .baseclass = "textbox",
            .properties = PropertyLines({"Name = \"Text1\""})});
  EXPECT_EQ(Write(writer).lines, (Lines{
                                     "object Form1=TForm1",
                                     "  Name = \"Form1\"",
                                     "  object Pageframe1=pageframe",
                                     "    PageCount = 1",
                                     "    Name = \"Pageframe1\"",
                                     "    object Page1=Page",
                                     "      Caption = \"One\"",
                                     "      Name = \"Page1\"",
                                     "      object Text1=textbox",
                                     "        Name = \"Text1\"",
                                     "      end",
                                     "    end",
                                     "  end",
                                     "  object Grid1=grid",
                                     "    Name = \"Grid1\"",
                                     "    object Column1=Column",
                                     "      Width = 75",
                                     "      Name = \"Column1\"",
                                     "    end",
                                     "    object Header1=Column",
                                     "      Caption = \"Hd\"",
                                     "      Name = \"Header1\"",
                                     "    end",
                                     "  end",
                                     "end",
                                 }));
}

TEST(WriteObjectTextTest, PlaceholdersEmptyNamesAndOddLines) {
  ScxWriter writer;
  writer.Add({.objname = "Form1", .baseclass = "form", .properties = PropertyLines({"Name = \"Form1\""})})
      .Add({.objname = "Text1", .parent = "Form1.Missing", .baseclass = "textbox",
            .properties = PropertyLines({"  Left = 1", "", "no equals", "Name = \"Text1\""})})
      .Add({.objname = "Text2", .parent = "Form1", .baseclass = "textbox", .properties = PropertyLines({"Name = \"\""})})
      .Add({.objname = "Empty", .parent = "Form1", .baseclass = "line", .properties = "Name = Empty"});
  EXPECT_EQ(Write(writer).lines, (Lines{
                                     "object Form1=TForm1",
                                     "  Name = \"Form1\"",
                                     "  object Missing=",
                                     "    object Text1=textbox",
                                     "        Left = 1",
                                     "      ",
                                     "      no equals",
                                     "      Name = \"Text1\"",
                                     "    end",
                                     "  end",
                                     "  object =textbox",
                                     "    Name = \"\"",
                                     "  end",
                                     "  object Empty=line",
                                     "    Name = Empty",
                                     "  end",
                                     "end",
                                 }));
}

TEST(WriteObjectTextTest, NothingWithoutAFormNode) {
  ScxWriter writer;
  writer.Add({.objname = "Dataenvironment", .baseclass = "dataenvironment",
              .properties = PropertyLines({"Name = \"Dataenvironment\""})})
      .Add({.objname = "Cursor1", .parent = "Dataenvironment", .baseclass = "cursor",
            .properties = PropertyLines({"Name = \"Cursor1\""})});
  const Written written = Write(writer);
  EXPECT_TRUE(written.lines.empty());
  EXPECT_TRUE(written.progress.empty());
  EXPECT_EQ(written.current, (std::vector<int>{0, 1}));  // every node was searched

  const Written empty = Write(ScxWriter());
  EXPECT_TRUE(empty.lines.empty());
  EXPECT_TRUE(empty.current.empty());
}

TEST(WriteObjectTextTest, CancelLeavesOnlyTheClosingEndLines) {
  OpenedForm form(ExampleForm());
  const Written written = Write(form, /*cancel_from=*/3);
  EXPECT_EQ(written.lines, (Lines{
                               "object Form1=TForm1",
                               "  Height = 250",
                               "  Width = 375",
                               "  Caption = \"Form1\"",
                               "  Name = \"Form1\"",
                               "  object Commandgroup1=commandgroup",
                               "    ButtonCount = 2",
                               "    Name = \"Commandgroup1\"",
                               "  end",
                               "end",
                           }));
  EXPECT_EQ(written.progress, (Lines{"range 5", "at 1", "at 2", "at 3", "at 4", "at 5"}));
}

TEST(WriteObjectTextTest, FailingViewerDropsOnlyThatNode) {
  OpenedForm form(ExampleForm());
  const Written written = Write(form, -1, /*fail_current_at=*/3);
  ASSERT_EQ(written.lines.size(), 18u);  // Command1's five lines are missing
  EXPECT_EQ(written.lines[8], "    object cmdCancel=Commandbutton");
}

TEST(WriteObjectTextTest, UnreadablePropertiesKeepTheObjectLine) {
  OpenedForm form(ExampleForm(), /*whole_read_limit=*/0);
  // The memo file loses Text1's Properties entry after the tree was built;
  // read at each access, the dataset sees that.
  form.files.TruncateFile(kFormSct, form.built.MemoEntryOffset(5, "PROPERTIES"));
  const Written written = Write(form);
  ASSERT_EQ(written.lines.size(), 20u);
  EXPECT_EQ(written.lines[17], "  end");
  EXPECT_EQ(written.lines[18], "  object Text1=textbox");
  EXPECT_EQ(written.lines[19], "end");
}

}  // namespace
}  // namespace quorvex
