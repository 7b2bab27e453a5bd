#include "table/memo_file.h"

#include <gtest/gtest.h>

#include "fixtures/scx_writer.h"
#include "support/golden.h"
#include "table_test_util.h"

namespace quorvex::testing {
namespace {

using fixtures::ScxRecord;
using fixtures::ScxWriter;
using fixtures::TableFiles;

constexpr const char* kDbt = MEM_DIR "form.dbt";

TEST(MemoFileNameTest, DerivedFromTheTableName) {
  const struct {
    const char* table;
    int version;
    const char* memo;
  } rows[] = {
      {"/d/FORM.SCX", 0x30, "/d/FORM.sct"}, {"/d/form.scx", 0x30, "/d/form.sct"},
      {"/d/data.dbf", 0x30, "/d/data.fpt"}, {"/d/noext", 0x30, "/d/noext.fpt"},
      {"/d/a.scxq", 0x30, "/d/a.sct"},      {"/d/a.sc", 0x30, "/d/a.fpt"},
      {"/d/L.VCX", 0x30, "/d/L.vct"},       {"/d/db.dbc", 0x30, "/d/db.dct"},
      {"/d/r.frx", 0xF5, "/d/r.frt"},       {"/d/l.lbx", 0x30, "/d/l.lbt"},
      {"/d/m.mnx", 0x30, "/d/m.mnt"},       {"/d/p.pjx", 0x30, "/d/p.pjt"},
      {"/d/x.dbf", 0x83, "/d/x.dbt"},       {"/d/x.scx", 0x8B, "/d/x.dbt"},
      {"/d.x/file", 0x30, "/d.x/file.fpt"}, {"/d/file.", 0x30, "/d/file.fpt"},
  };
  for (const auto& row : rows) EXPECT_EQ(MemoFileName(row.table, row.version), row.memo) << row.table;
}

// A form with two objects whose texts are known, for the entry tests.
ScxWriter TwoObjects(std::uint32_t block_size = 64) {
  ScxWriter writer;
  writer.MemoBlockSize(block_size)
      .Add({.objname = "Form1", .baseclass = "form", .properties = "Caption = \"A\"\r\nName = \"Form1\"\r\n"})
      .Add({.objname = "Text1", .parent = "Form1", .baseclass = std::string("text\0box\x1A", 9)});
  return writer;
}

class MemoTest : public ::testing::Test {
 protected:
  void Use(const TableFiles& built, const char* memo_name = kSct) {
    built_ = built;
    form_.Put(built_, memo_name);
  }
  std::string Text(int record, const char* field) {
    auto dataset = form_.Open();
    dataset->SetRecNo(record);
    return dataset->FieldByName(field).AsString();
  }
  std::string Failure(int record, const char* field) {
    return FailureOf([&] { Text(record, field); });
  }

  TableFiles built_ = TwoObjects().Build();
  MemoryForm form_{built_};
};

TEST_F(MemoTest, TextsComeBackByteForByte) {
  for (std::uint32_t block_size : {1u, 64u, 512u}) {
    Use(TwoObjects(block_size).Build());
    EXPECT_EQ(Text(1, "PROPERTIES"), "Caption = \"A\"\r\nName = \"Form1\"\r\n") << block_size;
    EXPECT_EQ(Text(2, "BASECLASS"), std::string("text\0box\x1A", 9)) << block_size;
    EXPECT_EQ(Text(2, "METHODS"), "") << block_size;
  }
}

TEST_F(MemoTest, EntryAtBlockThreeOfSixtyFourByteBlocks) {
  fixtures::PutLittleEndian32(built_.table, built_.FieldOffset(1, "OBJNAME"), 3);
  fixtures::PutBigEndian32(built_.memo, 192, 1);
  fixtures::PutBigEndian32(built_.memo, 196, 5);
  fixtures::PutText(built_.memo, 200, "Moved");
  Use(built_);
  EXPECT_EQ(Text(1, "OBJNAME"), "Moved");
}

TEST_F(MemoTest, PictureEntryReadsLikeText) {
  fixtures::PutBigEndian32(built_.memo, built_.MemoEntryOffset(1, "OBJNAME"), 0);
  Use(built_);
  EXPECT_EQ(Text(1, "OBJNAME"), "Form1");
}

TEST_F(MemoTest, MemoEntryPastEndIsCutAtTheFileEnd) {
  const std::size_t entry = built_.MemoEntryOffset(2, "BASECLASS");
  fixtures::PutBigEndian32(built_.memo, entry + 4, 100000);
  Use(built_);
  EXPECT_EQ(Text(2, "BASECLASS"), built_.memo.substr(entry + 8));
}

// Real forms keep method code of over 100 KB in one entry of 1-byte blocks.
TEST_F(MemoTest, EntryOfMoreThan65535BlocksReadsWhole) {
  ScxWriter writer = TwoObjects(1);
  writer.Add({.objname = "Big", .parent = "Form1", .methods = std::string(113594, 'm')});
  Use(writer.Build());
  EXPECT_EQ(Text(3, "METHODS"), std::string(113594, 'm'));
}

TEST_F(MemoTest, EntryFaults) {
  const struct {
    const char* name;
    std::function<void(TableFiles&)> damage;
    const char* failure;
  } faults[] = {
      {"BlockTypeTwo", [](TableFiles& t) { fixtures::PutBigEndian32(t.memo, t.MemoEntryOffset(1, "OBJNAME"), 2); },
       "ETableError: Memo record is bad in " MEM_DIR "form.sct"},
      {"EntryHeaderPastEnd", [](TableFiles& t) { fixtures::PutLittleEndian32(t.table, t.FieldOffset(1, "OBJNAME"), 100000); },
       "ETableError: Memo record is bad in " MEM_DIR "form.sct"},
      {"EntryHeaderCut", [](TableFiles& t) { fixtures::Truncate(t.memo, t.MemoEntryOffset(1, "OBJNAME") + 5); },
       "ETableError: Memo record is bad in " MEM_DIR "form.sct"},
      {"NegativeBlock", [](TableFiles& t) { fixtures::PutLittleEndian32(t.table, t.FieldOffset(1, "OBJNAME"), 0xFFFFFFFF); },
       "ETableError: Invalid memo block number -1 in " MEM_DIR "form.sct"},
      {"BlockSizeZero", [](TableFiles& t) { fixtures::SetByte(t.memo, 7, 0); },
       "ETableError: Memo block size is 0 in " MEM_DIR "form.sct"},
      {"MemoHeaderShort", [](TableFiles& t) { fixtures::Truncate(t.memo, 10); },
       "ETableError: Error on Read of file " MEM_DIR "form.sct"},
  };
  for (const auto& fault : faults) {
    TableFiles built = TwoObjects().Build();
    fault.damage(built);
    Use(built);
    EXPECT_EQ(Failure(1, "OBJNAME"), fault.failure) << fault.name;
    EXPECT_EQ(Text(1, "PLATFORM"), "WINDOWS") << fault.name;  // the table still reads
  }
}

TEST_F(MemoTest, BlankReferenceIsEmptyButStillOpensTheMemoFile) {
  fixtures::PutText(built_.table, built_.FieldOffset(1, "OBJNAME"), "    ");
  Use(built_);
  auto dataset = form_.Open();
  const std::size_t open_before = OpenFileRegistry::Instance().OpenCount();
  EXPECT_EQ(dataset->FieldByName("OBJNAME").AsString(), "");
  EXPECT_EQ(OpenFileRegistry::Instance().OpenCount(), open_before + 1);
}

TEST_F(MemoTest, MissingMemoFileFailsEveryMemoRead) {
  form_.files.RemoveFile(kSct);
  auto dataset = form_.Open();
  for (const char* field : {"OBJNAME", "METHODS"}) {  // METHODS is blank
    EXPECT_EQ(FailureOf([&] { dataset->FieldByName(field).AsString(); }),
              "ETableError: File " MEM_DIR "form.sct could not be found");
  }
  EXPECT_EQ(dataset->FieldByName("PLATFORM").AsString(), "WINDOWS");
  form_.files.AddFile(kSct, built_.memo);  // nothing was kept: the next read finds it
  EXPECT_EQ(dataset->FieldByName("OBJNAME").AsString(), "Form1");
}

TEST_F(MemoTest, WithoutMemoFlagNoMemoIsRead) {
  Use(TwoObjects().TableFlags(0).Build());
  form_.files.RemoveFile(kSct);
  auto dataset = form_.Open();
  const std::size_t open_before = OpenFileRegistry::Instance().OpenCount();
  EXPECT_EQ(dataset->FieldByName("OBJNAME").AsString(), "");
  EXPECT_EQ(OpenFileRegistry::Instance().OpenCount(), open_before);
}

TEST_F(MemoTest, RefusedMemoFile) {
  form_.files.RefuseOpen(kSct);
  EXPECT_EQ(Failure(1, "OBJNAME"), "ETableError: Access denied to file " MEM_DIR "form.sct");
}

TEST_F(MemoTest, MemoFoundWithoutRegardToCase) {
  form_.files.RemoveFile(kSct);
  form_.files.AddFile(MEM_DIR "form.SCT", built_.memo);
  form_.files.AddFile(MEM_DIR "other.sct", "");
  EXPECT_EQ(Text(1, "OBJNAME"), "Form1");
}

TEST(MemoOnDiskTest, UpperCaseNamesOnACaseSensitiveFileSystem) {
  TempDir dir;
  TableFiles built = TwoObjects().Build();
  const auto scx = built.WriteTo(dir.path(), "FORM.scx", "FORM.SCT");
  TableDataSet dataset;
  dataset.SetTableName(scx.string());
  dataset.Open();
  EXPECT_EQ(dataset.FieldByName("OBJNAME").AsString(), "Form1");
}

// Tables of the dBASE formats, with a NAME and a NOTES memo field.
TableFiles DbaseTable(int version, std::string note) {
  return fixtures::BuildTable({.version = version, .memo_block_size = 32},
                              {{"NAME", 'C', 8}, {"NOTES", 'M'}},
                              {{{{"NAME", "first"}, {"NOTES", std::move(note)}}}, {{{"NAME", "second"}}}});
}

TEST_F(MemoTest, DbaseAndFoxPro2Formats) {
  for (int version : {0x83, 0x8B, 0xF5}) {
    Use(DbaseTable(version, "line one\r\nline two"), version == 0xF5 ? kSct : kDbt);
    EXPECT_EQ(Text(1, "NOTES"), "line one\r\nline two") << version;
    EXPECT_EQ(Text(2, "NOTES"), "") << version;
  }
}

TEST_F(MemoTest, DbaseThreeEntryEndsAtFirstEofByteOrLimit) {
  Use(DbaseTable(0x83, "before\x1A" "after"), kDbt);
  EXPECT_EQ(Text(1, "NOTES"), "before");
  Use(DbaseTable(0x83, std::string(70000, 'a')), kDbt);
  EXPECT_EQ(Text(1, "NOTES"), std::string(65519, 'a'));
}

TEST_F(MemoTest, DbaseFourEntryFaults) {
  TableFiles built = DbaseTable(0x8B, "text");
  fixtures::SetByte(built.memo, built.MemoEntryOffset(1, "NOTES") + 1, 0);
  Use(built, kDbt);
  EXPECT_EQ(Failure(1, "NOTES"), "ETableError: Memo record is bad in " MEM_DIR "form.dbt");
  built = DbaseTable(0x8B, "text");
  fixtures::PutLittleEndian32(built.memo, built.MemoEntryOffset(1, "NOTES") + 4, 6);  // below its own header
  Use(built, kDbt);
  EXPECT_EQ(Text(1, "NOTES"), "");
}

TEST_F(MemoTest, DecimalReferenceThatIsNoNumber) {
  TableFiles built = DbaseTable(0x83, "text");
  fixtures::PutText(built.table, built.FieldOffset(1, "NOTES"), "      12x ");
  Use(built, kDbt);
  EXPECT_EQ(Failure(1, "NOTES"), "ETableError: Invalid numeric value in field form->NOTES (      12x)");
}

}  // namespace
}  // namespace quorvex::testing
