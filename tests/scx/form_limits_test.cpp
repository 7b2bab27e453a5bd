// A damaged form cannot make pass 1 build or write without bound: nesting,
// object count and object text have ceilings, each failing with a clear
// message instead of exhausting memory.

#include <gtest/gtest.h>

#include "scx/object_text.h"
#include "fixtures/table_writer.h"
#include "scx_test_util.h"

namespace quorvex::testing {
namespace {

std::string FailureOf(const ScxWriter& writer) {
  try {
    OpenedForm form(writer);
  } catch (const EFormTooLarge& failure) {
    return failure.what();
  }
  return "(no failure)";
}

ScxWriter FormWith(ScxRecord record) {
  ScxWriter writer;
  writer.Add({.objname = "Form1", .baseclass = "form", .properties = PropertyLines({"Name = \"Form1\""})})
      .Add(std::move(record));
  return writer;
}

TEST(FormLimitsTest, NestingDeeperThanTheCeilingFailsTheForm) {
  std::string path = "Form1";
  for (int level = 1; level < kMaxObjectLevel - 1; ++level) path += ".P" + std::to_string(level);
  const std::string name_line = "Name = \"Deep\"";
  EXPECT_EQ(FailureOf(FormWith({.objname = "Deep", .parent = path, .properties = PropertyLines({name_line})})),
            "(no failure)") << "level 999 is the deepest allowed";
  EXPECT_EQ(FailureOf(FormWith({.objname = "Deep", .parent = path + ".Q", .properties = PropertyLines({name_line})})),
            "Objects nest deeper than 1000 levels in /forms/form1.scx");
}

TEST(FormLimitsTest, MoreObjectsThanTheCeilingFailTheForm) {
  std::string properties = "Name = \"Group1\"\r\n";
  for (int i = 0; i < kMaxObjectNodes; ++i) properties += "M" + std::to_string(i) + ".Name = \"M\"\r\n";
  EXPECT_EQ(FailureOf(FormWith({.objname = "Group1", .parent = "Form1", .properties = properties})),
            "More than 100000 objects in /forms/form1.scx");
}

// Records pointing at one shared memo entry repeat its lines for every
// member: a few kilobytes of file would ask for gigabytes of object text.
TEST(FormLimitsTest, ObjectTextHasACeiling) {
  std::string properties = "Name = \"Group1\"\r\n";
  for (int i = 0; i < 2000; ++i) properties += "A.Name = \"A\"\r\nA.Caption = \"" + std::string(20, 'x') + "\"\r\n";
  ScxWriter writer = FormWith({.objname = "Group1", .parent = "Form1", .properties = properties});
  for (int i = 0; i < 8; ++i) writer.Add({.objname = "Group1", .parent = "Form1", .properties = "Name = \"G\"\r\n"});
  fixtures::TableFiles built = writer.Build();
  const std::size_t shared = built.FieldOffset(2, "PROPERTIES");
  for (int record = 3; record <= 10; ++record) {
    built.table.replace(built.FieldOffset(record, "PROPERTIES"), 4, built.table.substr(shared, 4));
  }
  MemoryFileSystem files;
  built.AddTo(files, kFormScx, kFormSct);
  TableDataSet dataset("TableDataSet1", files);
  ScxObjectTree tree;
  OpenScxFile(dataset, kFormScx, tree);
  TextList text;
  try {
    WriteObjectText(dataset, tree, text, NullProgress());
    ADD_FAILURE() << "no failure";
  } catch (const EFormTooLarge& failure) {
    EXPECT_STREQ(failure.what(), "The object text is larger than 64 MB");
  }
  EXPECT_FALSE(text.empty()) << "what was written before stays";
}

}  // namespace
}  // namespace quorvex::testing
