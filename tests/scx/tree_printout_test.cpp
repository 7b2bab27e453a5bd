#include "scx/tree_printout.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quorvex {
namespace {

TEST(PrintTreeTest, IndentsEscapesAndPrintsRecordReferences) {
  ScxObjectTree tree;
  const ScxNode& form = tree.AddNode(nullptr, "Form1", 3);
  const ScxNode& group = tree.AddNode(&form, "cmd\\x (Command2)", -4);
  tree.AddNode(&group, "tab\there\r\n\x7f\xe9", 0);
  tree.AddNode(nullptr, "", 9);

  std::ostringstream out;
  PrintTree(tree, out);
  EXPECT_EQ(out.str(),
            "Form1\t3\n"
            "  cmd\\x5Cx (Command2)\t-4\n"
            "    tab\\x09here\\x0D\\x0A\\x7F\xe9\t0\n"
            "\t9\n");
}

}  // namespace
}  // namespace quorvex
