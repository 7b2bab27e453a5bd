#include "fixtures/scx_writer.h"

#include <gtest/gtest.h>

#include "support/golden.h"
#include "table_test_util.h"

namespace quorvex::testing {
namespace {

// The writer's form layout must be the one real form files have, or tests
// built on it would prove nothing about real forms.
TEST(ScxWriterTest, LayoutMatchesARealForm) {
  QUORVEX_REQUIRE_CORPUS();
  const std::string real = ReadFileBytes(CorpusForms().front());
  const fixtures::TableFiles built = fixtures::ScxWriter().Build();
  ASSERT_GE(real.size(), 1032u);
  EXPECT_EQ(built.table.substr(0, 1), real.substr(0, 1));     // version
  EXPECT_EQ(built.table.substr(8, 4), real.substr(8, 4));     // header and record length
  EXPECT_EQ(built.table.substr(28, 2), real.substr(28, 2));   // flags, code page mark
  EXPECT_EQ(built.table.substr(32, 1000), real.substr(32, 1000));  // descriptors, terminator, backlink
}

TEST(ScxWriterTest, RecordsAndMemoLayout) {
  fixtures::ScxWriter writer;
  writer.MemoBlockSize(1).CodePageMark(0xC8).AddVersionComment().Add({.objname = "Form1", .deleted = true});
  const fixtures::TableFiles built = writer.Build();
  EXPECT_EQ(built.table.size(), 1032u + 2 * 109 + 1);
  EXPECT_EQ(built.table.back(), '\x1A');
  EXPECT_EQ(built.table[29], '\xC8');
  EXPECT_EQ(built.table[4], 2);  // record count
  EXPECT_EQ(built.table.substr(built.RecordOffset(1), 19), " COMMENT Screen    ");
  EXPECT_EQ(built.table.substr(built.RecordOffset(2), 19), "*WINDOWS _FX0000002");
  EXPECT_EQ(built.memo.substr(4, 4), std::string("\0\0\0\x01", 4));  // block size 1, big-endian
  // The first entry follows the 512-byte header: type 1, length 16, data.
  EXPECT_EQ(built.MemoEntryOffset(1, "RESERVED1"), 512u);
  EXPECT_EQ(built.memo.substr(512, 24), std::string("\0\0\0\x01\0\0\0\x10VERSION =   3.00", 24));
  EXPECT_EQ(built.table.substr(built.FieldOffset(1, "RESERVED1"), 4), std::string("\0\x02\0\0", 4));
}

TEST(ScxWriterTest, WritesBothFilesToAFolder) {
  TempDir dir;
  fixtures::ScxWriter writer;
  writer.Add({.objname = "Form1", .baseclass = "form", .properties = fixtures::PropertyLines({"Top = 1", "Left = 2"})});
  const auto scx = writer.WriteTo(dir.path() / "sub", "sample");
  EXPECT_EQ(scx, dir.path() / "sub" / "sample.scx");
  EXPECT_EQ(ReadFileBytes(dir.path() / "sub" / "sample.sct"), writer.Build().memo);
  TableDataSet dataset;
  dataset.SetTableName(scx.string());
  dataset.Open();
  EXPECT_EQ(dataset.FieldByName("PROPERTIES").AsString(), "Top = 1\r\nLeft = 2\r\n");
}

}  // namespace
}  // namespace quorvex::testing
