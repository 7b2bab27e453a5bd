// The tree structure, the node-text helpers and path resolution, without a table.

#include "scx/scx_object_tree.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "scx_test_util.h"

namespace quorvex {
namespace {

using testing::Lines;
using testing::Outline;

TEST(ScxObjectTreeTest, ChildAddedToAnEarlierNodeRenumbersThePreOrder) {
  ScxObjectTree tree;
  const ScxNode& form = tree.AddNode(nullptr, "Form1", 1);
  const ScxNode& frame = tree.AddNode(&form, "Pageframe1", 2);
  const ScxNode& page1 = tree.AddNode(&frame, "Page1", -2);
  tree.AddNode(&frame, "Page2", -2);
  tree.AddNode(nullptr, "Other", 5);
  tree.AddNode(&page1, "Text1", 3);  // lands before Page2 and Other

  EXPECT_EQ(Outline(tree), (Lines{"Form1 1", "  Pageframe1 2", "    Page1 -2", "      Text1 3", "    Page2 -2",
                                  "Other 5"}));
  ASSERT_EQ(tree.TopLevel().size(), 2u);
  EXPECT_EQ(tree.TopLevel()[1]->text, "Other");
  EXPECT_EQ(tree.Next(tree.At(5)), nullptr);
}

TEST(ScxObjectTreeTest, ClearEmptiesAndForeignParentIsRejected) {
  ScxObjectTree tree;
  ScxObjectTree other;
  const ScxNode& foreign = other.AddNode(nullptr, "A", 1);
  EXPECT_THROW(tree.AddNode(&foreign, "B", 2), std::invalid_argument);
  EXPECT_TRUE(tree.Empty());

  tree.AddNode(nullptr, "A", 1);
  tree.Clear();
  EXPECT_EQ(tree.NodeCount(), 0);
  EXPECT_EQ(tree.First(), nullptr);
  EXPECT_TRUE(tree.TopLevel().empty());
}

struct NodeTextRow {
  const char* text;
  const char* name;
  const char* prefix;
};

TEST(ScxObjectTreeTest, NodeNameAndMemberPrefix) {
  const NodeTextRow rows[] = {
      {"cmdCancel (Command2)", "cmdCancel", "Command2"},
      {"Command1", "Command1", "Command1"},
      {"", "", ""},
      {"a (b) (c)", "a", "b) (c"},  // the first " (" splits, the last byte is cut
      {"a(b)", "a(b)", "a(b)"},     // no blank before "(": not a member text
      {"a (", "a", ""},
      {" (x)", "", "x"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(NodeName(row.text), row.name) << row.text;
    EXPECT_EQ(NodeMemberPrefix(row.text), row.prefix) << row.text;
  }
}

TEST(AddObjectNodeTest, PathsDescendByExactNames) {
  ScxObjectTree tree;
  AddObjectNode(tree, "Form1", "", 3);
  AddObjectNode(tree, "Commandgroup1", "Form1", 4);
  AddObjectNode(tree, "cmdCancel (Command2)", "Form1.Commandgroup1", -4);
  AddObjectNode(tree, "Inner", "Form1.Commandgroup1.cmdCancel", 5);  // found by its NodeName
  AddObjectNode(tree, "Lower", "form1", 6);                          // case counts: a placeholder
  AddObjectNode(tree, "Trailing", "Form1.", 7);                      // a final "." adds nothing
  AddObjectNode(tree, "cmd", "Form1.Commandgroup1.cmdCancel (Command2)", 8);  // whole text: no match

  EXPECT_EQ(Outline(tree), (Lines{
                               "Form1 3",
                               "  Commandgroup1 4",
                               "    cmdCancel (Command2) -4",
                               "      Inner 5",
                               "    cmdCancel (Command2) 0",
                               "      cmd 8",
                               "  Trailing 7",
                               "form1 0",
                               "  Lower 6",
                           }));
}

TEST(AddObjectNodeTest, FirstChildOfANameIsFoundWhileTheIndexGrows) {
  ScxObjectTree tree;
  const ScxNode& form = AddObjectNode(tree, "Form1", "", 1);
  const ScxNode& first = AddObjectNode(tree, "Text1", "Form1", 2);
  for (int i = 0; i < 100; ++i) AddObjectNode(tree, "Other" + std::to_string(i), "Form1", 3);
  AddObjectNode(tree, "Text1", "Form1", 4);  // a second child of the same name
  AddObjectNode(tree, "Text1", "", 5);       // the same name under another parent
  EXPECT_EQ(tree.FindChild(&form, "Text1"), &first);
  EXPECT_EQ(tree.FindChild(&form, "Other99")->text, "Other99");
  EXPECT_EQ(tree.FindChild(nullptr, "Text1")->record_ref, 5);
  EXPECT_EQ(tree.FindChild(&first, "Text1"), nullptr);
  AddObjectNode(tree, "Inner", "Form1.Text1", 6);
  ASSERT_EQ(first.children.size(), 1u);
  EXPECT_EQ(first.children[0]->text, "Inner");
}

TEST(AddObjectNodeTest, MissingElementsBecomePlaceholdersThatLaterPathsReuse) {
  ScxObjectTree tree;
  AddObjectNode(tree, "Text1", "Form1.Container1", 5);  // before its parents
  AddObjectNode(tree, "Form1", "", 2);                  // a second Form1, after the placeholder
  AddObjectNode(tree, "Text2", "Form1.Container1", 6);  // descends into the first Form1
  AddObjectNode(tree, "Member", ".Grid1", -9);          // empty first element
  AddObjectNode(tree, "Other", ".Grid1", -9);
  AddObjectNode(tree, "Deep", "a..b", 10);

  EXPECT_EQ(Outline(tree), (Lines{
                               "Form1 0",
                               "  Container1 0",
                               "    Text1 5",
                               "    Text2 6",
                               "Form1 2",
                               " 0",
                               "  Grid1 0",
                               "    Member -9",
                               "    Other -9",
                               "a 0",
                               "   0",
                               "    b 0",
                               "      Deep 10",
                           }));
}

TEST(AddObjectNodeTest, ManySiblingsAndDeepPathsStayConsistent) {
  ScxObjectTree tree;
  AddObjectNode(tree, "Form1", "", 1);
  for (int i = 0; i < 2000; ++i) AddObjectNode(tree, "Text" + std::to_string(i), "Form1", i + 2);
  std::string deep_path = "Form1";
  for (int i = 0; i < 300; ++i) deep_path += ".L" + std::to_string(i);
  const ScxNode& deep = AddObjectNode(tree, "Bottom", deep_path, 9999);
  AddObjectNode(tree, "Last", "Form1.Text1999", 10000);

  EXPECT_EQ(deep.level, 301);
  EXPECT_EQ(tree.NodeCount(), 1 + 2000 + 300 + 1 + 1);
  const Lines outline = Outline(tree);
  EXPECT_EQ(outline[2000], "  Text1999 2001");
  EXPECT_EQ(outline[2001], "    Last 10000");
  EXPECT_EQ(outline.back(), std::string(602, ' ') + "Bottom 9999");
}

}  // namespace
}  // namespace quorvex
