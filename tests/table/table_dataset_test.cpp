#include "table/table_dataset.h"

#include <gtest/gtest.h>

#include <thread>

#include "fixtures/scx_writer.h"
#include "table_test_util.h"

namespace quorvex::testing {
namespace {

using fixtures::ScxWriter;
using fixtures::TableFiles;

// Records 1, 3 and 4 live, record 2 deleted.
ScxWriter FourObjects() {
  ScxWriter writer;
  writer.Add({.objname = "Form1", .baseclass = "form"})
      .Add({.objname = "Gone", .parent = "Form1", .deleted = true})
      .Add({.objname = "Text1", .parent = "Form1", .properties = "Name = \"Text1\"\r\nTop = 4\r\n"})
      .Add({.objname = "Label1", .parent = "Form1"});
  return writer;
}

class TableDataSetTest : public ::testing::Test {
 protected:
  MemoryForm form_{FourObjects()};
  TableDataSet dataset_{"TableDataSet1", form_.files};

  std::string OpenFailure(const std::string& name) {
    dataset_.SetTableName(name);
    return FailureOf([&] { dataset_.Open(); });
  }
};

TEST_F(TableDataSetTest, WalkSkipsDeletedAndComesBackByNumber) {
  dataset_.SetTableName(kScx);
  dataset_.Open();
  EXPECT_EQ(dataset_.RecNo(), 1);  // Open makes the first live record current
  EXPECT_EQ(WalkRecNos(dataset_), (std::vector<int>{1, 3, 4}));
  EXPECT_EQ(dataset_.RecNo(), 4);  // Next from the last live record keeps it current
  EXPECT_EQ(dataset_.FieldByName("OBJNAME").AsString(), "Label1");
  dataset_.Next();
  EXPECT_TRUE(dataset_.Eof());
  dataset_.SetRecNo(3);
  EXPECT_FALSE(dataset_.Eof());
  EXPECT_EQ(dataset_.FieldByName("PROPERTIES").AsString(), "Name = \"Text1\"\r\nTop = 4\r\n");
  dataset_.SetRecNo(2);  // a deleted record is reached by number
  EXPECT_EQ(dataset_.FieldByName("ObjName").AsString(), "Gone");
  dataset_.SetRecNo(5);  // one past the end
  EXPECT_TRUE(dataset_.Eof());
  EXPECT_EQ(dataset_.RecNo(), 2);
  EXPECT_EQ(FailureOf([&] { dataset_.SetRecNo(6); }), "ETableError: Record number 6 is not in table " MEM_DIR "form.scx");
  EXPECT_EQ(FailureOf([&] { dataset_.SetRecNo(0); }), "ETableError: Record number 0 is not in table " MEM_DIR "form.scx");
  EXPECT_TRUE(dataset_.Active());
}

TEST_F(TableDataSetTest, FieldListAndLookup) {
  dataset_.SetTableName(kScx);
  dataset_.Open();
  ASSERT_EQ(dataset_.Fields().size(), 23u);
  EXPECT_EQ(dataset_.Fields()[0]->FieldName(), "PLATFORM");
  EXPECT_EQ(dataset_.Fields()[0]->Size(), 8);
  EXPECT_EQ(dataset_.Fields()[2]->Kind(), FieldKind::kInteger);  // TIMESTAMP N(10)
  EXPECT_EQ(dataset_.Fields()[6]->Kind(), FieldKind::kMemo);
  EXPECT_EQ(dataset_.Fields()[6]->Size(), 0);
  EXPECT_EQ(dataset_.FindField("objname"), dataset_.Fields()[6].get());
  EXPECT_EQ(&dataset_.FieldByName("oBjNaMe"), dataset_.Fields()[6].get());
  EXPECT_EQ(dataset_.FindField("OBJNAM"), nullptr);
  EXPECT_EQ(dataset_.TableVersion(), 0x30);
  EXPECT_EQ(dataset_.CodePageMark(), 0x03);
}

TEST_F(TableDataSetTest, MissingParentField) {
  form_.Put(FourObjects().WithoutField("PARENT").Build());
  dataset_.SetTableName(kScx);
  dataset_.Open();
  EXPECT_EQ(dataset_.FindField("Parent"), nullptr);
  EXPECT_EQ(FailureOf([&] { dataset_.FieldByName("Parent"); }), "EDatabaseError: TableDataSet1: Field 'Parent' not found");
}

TEST_F(TableDataSetTest, UnlistedTypesHaveNoField) {
  form_.Put(fixtures::BuildTable({}, {{"A", 'C', 2}, {"V", 'V', 5}, {"Q", 'Q', 3}, {"B", 'C', 2}}, {}));
  dataset_.SetTableName(kScx);
  dataset_.Open();
  ASSERT_EQ(dataset_.Fields().size(), 2u);
  EXPECT_EQ(dataset_.Fields()[1]->FieldName(), "B");
  EXPECT_TRUE(dataset_.Eof());
}

TEST_F(TableDataSetTest, OpenFailuresLeaveTheDatasetClosed) {
  const std::size_t open_before = OpenFileRegistry::Instance().OpenCount();
  EXPECT_EQ(OpenFailure(""), "EDatabaseError: Table name missing");
  EXPECT_EQ(OpenFailure(MEM_DIR "none.scx"), "EDatabaseError: Cannot find file " MEM_DIR "none.scx");
  EXPECT_EQ(OpenFailure(MEM_DIR "none"), "EDatabaseError: Cannot find file " MEM_DIR "none.DBF");
  form_.Put(fixtures::BuildTable({}, {{"NAME", 'C', 2}, {"", 'C', 2}}, {}));
  EXPECT_EQ(OpenFailure(kScx), "EDatabaseError: TableDataSet1: Field name missing");
  form_.Put(fixtures::BuildTable({}, {{"Name", 'C', 2}, {"X", 'Q', 2}, {"NAME", 'C', 2}}, {}));
  EXPECT_EQ(OpenFailure(kScx), "EDatabaseError: A component named NAME already exists");
  form_.Put(fixtures::BuildTable({}, {{"BIG", 'C', 65517}}, {}));
  EXPECT_EQ(OpenFailure(kScx), "EDatabaseError: Record length 65518 of table " MEM_DIR "form.scx is above 65516 bytes");
  TableFiles bad_version = FourObjects().Build();
  fixtures::SetByte(bad_version.table, 0, 0x31);
  form_.Put(bad_version);
  EXPECT_EQ(OpenFailure(kScx), "ETableError: Table Header for " MEM_DIR "form.scx is invalid");
  EXPECT_FALSE(dataset_.Active());
  EXPECT_EQ(OpenFileRegistry::Instance().OpenCount(), open_before);
}

TEST_F(TableDataSetTest, NameWithoutExtensionGetsDbf) {
  form_.files.AddFile(MEM_DIR "data.DBF", FourObjects().Build().table);
  dataset_.SetTableName(MEM_DIR "data");
  dataset_.Open();
  EXPECT_EQ(dataset_.FieldByName("PLATFORM").AsString(), "WINDOWS");
}

TEST_F(TableDataSetTest, UnreadableRecordsFailTheMove) {
  const TableFiles built = FourObjects().Build();
  form_.files.FailReadsFrom(kScx, built.RecordOffset(1));
  EXPECT_EQ(OpenFailure(kScx), "EDatabaseError: Record request beyond range of table");
  EXPECT_TRUE(dataset_.Active());  // left open for the caller to close
  dataset_.Close();
  form_.Put(built);
  form_.files.FailReadsFrom(kScx, built.RecordOffset(3));
  dataset_.Open();
  EXPECT_EQ(FailureOf([&] { dataset_.Next(); }), "EDatabaseError: Record request beyond range of table");
  EXPECT_EQ(FailureOf([&] { dataset_.First(); }), "no failure");
  EXPECT_EQ(dataset_.RecNo(), 1);
}

TEST_F(TableDataSetTest, OperationsNeedTheRightState) {
  EXPECT_EQ(FailureOf([&] { dataset_.RecNo(); }), "EDatabaseError: Cannot perform this operation on a closed dataset");
  EXPECT_EQ(FailureOf([&] { dataset_.First(); }), "EDatabaseError: Cannot perform this operation on a closed dataset");
  EXPECT_EQ(FailureOf([&] { dataset_.SetRecNo(1); }),
            "EDatabaseError: Cannot perform this operation on a closed dataset");
  EXPECT_TRUE(dataset_.Eof());
  dataset_.SetTableName(kScx);
  dataset_.Open();
  TableDataSet named("ScxTable", form_.files);
  named.SetTableName(kScx);
  named.Open();
  EXPECT_EQ(FailureOf([&] { named.SetTableName(MEM_DIR "other.scx"); }),
            "EDatabaseError: ScxTable: Cannot perform this operation on an open dataset");
  EXPECT_EQ(FailureOf([&] { named.FieldByName("Nope"); }), "EDatabaseError: ScxTable: Field 'Nope' not found");
  dataset_.Close();
  dataset_.Close();
  EXPECT_FALSE(dataset_.Active());
  EXPECT_TRUE(dataset_.Fields().empty());
}

TEST_F(TableDataSetTest, ReopeningGivesTheSameRecords) {
  dataset_.SetTableName(kScx);
  dataset_.Open();
  const std::vector<int> first_walk = WalkRecNos(dataset_);
  dataset_.Close();
  dataset_.SetTableName(kScx);
  dataset_.Open();
  EXPECT_EQ(WalkRecNos(dataset_), first_walk);
  EXPECT_EQ(dataset_.Fields().size(), 23u);
}

TEST_F(TableDataSetTest, EveryRecordChangeNotifies) {
  int notified = 0;
  dataset_.SetRecordChangedHandler([&] { ++notified; });
  dataset_.SetTableName(kScx);
  dataset_.Open();
  EXPECT_EQ(notified, 1);
  dataset_.Next();
  dataset_.First();
  dataset_.SetRecNo(4);
  EXPECT_EQ(notified, 4);
  dataset_.SetRecordChangedHandler(nullptr);
  dataset_.Next();
  EXPECT_EQ(notified, 4);
}

TEST_F(TableDataSetTest, AllRecordsDeleted) {
  ScxWriter writer;
  writer.Add({.objname = "A", .deleted = true}).Add({.objname = "B", .deleted = true});
  form_.Put(writer.Build());
  dataset_.SetTableName(kScx);
  dataset_.Open();
  EXPECT_TRUE(dataset_.Eof());
  EXPECT_EQ(dataset_.RecNo(), 0);
  dataset_.First();
  EXPECT_TRUE(dataset_.Eof());
}

TEST(TableDataSetThreadsTest, DatasetsOnSeveralThreads) {
  MemoryFileSystem files;
  constexpr int kThreads = 4;
  for (int i = 0; i < kThreads; ++i) FourObjects().AddTo(files, MEM_DIR "form" + std::to_string(i));
  const std::size_t open_before = OpenFileRegistry::Instance().OpenCount();
  std::vector<std::string> names(kThreads);
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([&, i] {
      for (int round = 0; round < 50; ++round) {
        TableDataSet dataset("TableDataSet1", files);
        dataset.SetTableName(MEM_DIR "form" + std::to_string(i) + ".scx");
        dataset.Open();
        std::string walked;
        for (dataset.First(); !dataset.Eof(); dataset.Next()) walked += dataset.FieldByName("OBJNAME").AsString() + ";";
        names[static_cast<std::size_t>(i)] = walked;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  for (const std::string& walked : names) EXPECT_EQ(walked, "Form1;Text1;Label1;");
  EXPECT_EQ(OpenFileRegistry::Instance().OpenCount(), open_before);
}

TEST(OpenFileRegistryTest, TracksOpenFilesAndClosesThemAll) {
  MemoryFileSystem files;
  files.AddFile(MEM_DIR "a.scx", "x");
  OpenFileRegistry& registry = OpenFileRegistry::Instance();
  const std::size_t before = registry.OpenCount();
  DiskFile file(files, MEM_DIR "a.scx");
  file.Open();
  EXPECT_EQ(registry.OpenCount(), before + 1);
  EXPECT_EQ(registry.OpenFileNames().back(), MEM_DIR "a.scx");
  file.Close();
  EXPECT_EQ(registry.OpenCount(), before);
  file.Open();
  registry.CloseAll();
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(registry.OpenCount(), 0u);
}

}  // namespace
}  // namespace quorvex::testing
