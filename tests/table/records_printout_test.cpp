#include "table/records_printout.h"

#include <gtest/gtest.h>

#include <sstream>

#include "fixtures/scx_writer.h"
#include "support/golden.h"
#include "table/file_name.h"
#include "table_test_util.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;

std::string Records(TableDataSet& dataset) {
  std::ostringstream out;
  PrintRecords(dataset, out);
  return out.str();
}

TEST(RecordsStageTest, TextAndMemoFieldsOfLiveRecords) {
  fixtures::ScxWriter writer;
  writer
      .Fields({{"PLATFORM", 'C', 8}, {"TIMESTAMP", 'N', 10}, {"OBJNAME", 'M'}, {"PICTURE", 'G'}, {"WHEN", 'D', 8},
               {"PROPERTIES", 'M'}})
      .Add({.platform = "COMMENT", .objname = "a\\b", .properties = "Top = 1\r\n"})
      .Add({.objname = "Dropped", .deleted = true})
      .Add({.objname = "Form1", .other = {{"PICTURE", std::string("\0\x7F\xFF", 3)}}});
  MemoryForm form(writer);
  auto dataset = form.Open();
  EXPECT_EQ(Records(*dataset),
            "#1\nPLATFORM=COMMENT\nOBJNAME=a\\x5Cb\nPICTURE=\nPROPERTIES=Top = 1\\x0D\\x0A\n"
            "#3\nPLATFORM=WINDOWS\nOBJNAME=Form1\nPICTURE=\\x00\\x7F\xFF\nPROPERTIES=\n");
  EXPECT_TRUE(dataset->Eof());
}

TEST(RecordsStageTest, FailuresPropagate) {
  fixtures::ScxWriter writer;
  writer.Add({.objname = "Form1"});
  fixtures::TableFiles built = writer.Build();
  fixtures::PutBigEndian32(built.memo, built.MemoEntryOffset(1, "OBJNAME"), 7);
  MemoryForm form(built);
  auto dataset = form.Open();
  std::ostringstream out;
  EXPECT_THROW(PrintRecords(*dataset, out), ETableError);
}

// Every corpus form: its table opens and, where an expected .records file
// exists, prints exactly that; the form that is no table fails with its
// .error text.
TEST(CorpusRecordsTest, EveryFormReadsAsExpected) {
  QUORVEX_REQUIRE_CORPUS();
  int compared = 0;
  for (const fs::path& form : CorpusForms()) {
    const fs::path expected = CorpusExpectedDir() / form.stem();
    TableDataSet dataset;
    dataset.SetTableName(form.string());
    const fs::path error_file = fs::path(expected.string() + ".error");
    if (fs::exists(error_file)) {
      std::string message = ReadFileBytes(error_file);
      if (!message.empty() && message.back() == '\n') message.pop_back();
      const std::string folder = NormalizeFileName(form.parent_path().string());
      message.replace(message.find("{IN}/"), 5, folder + kDelimiter);
      EXPECT_EQ(FailureOf([&] { dataset.Open(); }), "ETableError: " + message) << form;
      continue;
    }
    ASSERT_NO_THROW(dataset.Open()) << form;
    const fs::path records_file = fs::path(expected.string() + ".records");
    if (!fs::exists(records_file)) continue;
    EXPECT_TRUE(SameBytes(ReadFileBytes(records_file), Records(dataset), form.filename().string()));
    ++compared;
  }
  EXPECT_GT(compared, 0);
}

}  // namespace
}  // namespace quorvex::testing
