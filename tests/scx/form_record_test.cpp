#include "scx/form_record.h"

#include <gtest/gtest.h>

#include "scx_test_util.h"
#include "support/golden.h"

namespace quorvex::testing {
namespace {

TEST(FormRecordTest, ReadsLiveRecordsInOrderWithTheirFields) {
  ScxWriter writer;
  writer.AddVersionComment()
      .Add({.objname = "Form1", .baseclass = "form", .class_name = "myform",
            .properties = PropertyLines({"Name = \"Form1\""}), .classloc = "..\\libs\\base.vcx"})
      .Add({.objname = "Gone", .parent = "Form1", .deleted = true})
      .Add({.objname = "Text1", .parent = "Form1", .baseclass = "textbox", .class_name = "textbox",
            .other = {{"RESERVED1", "Class"}, {"RESERVED2", "3"}}});
  OpenedForm form(writer);
  const std::vector<FormRecord> records = ReadFormRecords(form.dataset);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].platform, "COMMENT");
  EXPECT_EQ(records[1].record_number, 2);
  EXPECT_EQ(records[1].class_name, "myform");
  EXPECT_EQ(records[1].class_location, "..\\libs\\base.vcx");
  EXPECT_EQ(records[1].properties, "Name = \"Form1\"\r\n");
  EXPECT_EQ(records[2].record_number, 4);
  EXPECT_EQ(records[2].parent, "Form1");
  EXPECT_EQ(records[2].reserved1, "Class");
  EXPECT_EQ(records[2].reserved2, "3");
  EXPECT_TRUE(form.dataset.Eof());
}

TEST(FormRecordTest, FieldsTheTableLacksReadEmpty) {
  ScxWriter writer;
  writer.Fields({{.name = "OBJNAME", .type = 'M'}, {.name = "PARENT", .type = 'M'}});
  writer.Add({.objname = "Form1"});
  OpenedForm form(writer);
  const std::vector<FormRecord> records = ReadFormRecords(form.dataset);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].object_name, "Form1");
  EXPECT_EQ(records[0].platform, "");
  EXPECT_EQ(records[0].properties, "");
}

TEST(FormRecordTest, UnreadableRecordIsPassedOverAndReported) {
  fixtures::TableFiles built = ExampleForm().Build();
  fixtures::PutBigEndian32(built.memo, built.MemoEntryOffset(4, "PROPERTIES"), 2);
  MemoryFileSystem files;
  built.AddTo(files, kFormScx, kFormSct);
  TableDataSet dataset("TableDataSet1", files);
  dataset.SetTableName(kFormScx);
  dataset.Open();
  std::vector<RecordFailure> failures;
  const std::vector<FormRecord> records = ReadFormRecords(dataset, &failures);
  ASSERT_EQ(records.size(), 5u);
  EXPECT_EQ(records[3].record_number, 5);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].record_number, 4);
  EXPECT_EQ(failures[0].message, "Memo record is bad in " + NativePath(kFormSct));
}

}  // namespace
}  // namespace quorvex::testing
