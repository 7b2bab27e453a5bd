#include "data/compound_index.h"

#include <gtest/gtest.h>

#include "fixtures/index_writer.h"
#include "fixtures/table_writer.h"
#include "table/table_test_util.h"

namespace quorvex::testing {
namespace {

using fixtures::BuildCompoundIndex;
using fixtures::IndexFiles;

constexpr const char* kCdx = MEM_DIR "data.cdx";

std::string Describe(const IndexTag& tag) {
  return tag.name + " [" + tag.key_expression + "] for [" + tag.for_expression + "]" + (tag.unique ? " unique" : "") +
         (tag.candidate ? " candidate" : "") + (tag.descending ? " descending" : "");
}

std::vector<std::string> Tags(const IndexFiles& index) {
  MemoryFileSystem files;
  files.AddFile(kCdx, index.bytes);
  std::vector<std::string> described;
  for (const IndexTag& tag : ReadCompoundIndex(files, kCdx)) described.push_back(Describe(tag));
  return described;
}

std::string Failure(const IndexFiles& index) {
  MemoryFileSystem files;
  files.AddFile(kCdx, index.bytes);
  return FailureOf([&] { ReadCompoundIndex(files, kCdx); });
}

const std::vector<fixtures::TagSpec> kTags = {
    {.name = "ID", .key_expression = "id", .options = 0x64},
    {.name = "NAME", .key_expression = "UPPER(name)", .for_expression = "!DELETED()"},
    {.name = "CODE", .key_expression = "code", .options = 0x61, .descending = true},
    {.name = "CITYNAMEXY", .key_expression = "city+name"},
    {.name = "CITY", .key_expression = "city"},
};

TEST(CompoundIndexTest, TagsOfTheDirectory) {
  const std::vector<std::string> expected = {
      "CITY [city] for []", "CITYNAMEXY [city+name] for []", "CODE [code] for [] unique descending",
      "ID [id] for [] candidate", "NAME [UPPER(name)] for [!DELETED()]"};
  EXPECT_EQ(Tags(BuildCompoundIndex(kTags)), expected);
  EXPECT_EQ(Tags(BuildCompoundIndex(kTags, 2)), expected);  // three leaves under an interior root
  EXPECT_TRUE(Tags(BuildCompoundIndex({})).empty());
}

TEST(CompoundIndexTest, DamagedFilesFailWithTheirFault) {
  const IndexFiles good = BuildCompoundIndex(kTags, 2);
  const std::string at_leaf = std::to_string(good.leaves[1]);
  const struct {
    const char* name;
    std::function<void(IndexFiles&)> damage;
    std::string failure;
  } rows[] = {
      {"HeaderCut", [](IndexFiles& f) { fixtures::Truncate(f.bytes, 1000); }, "Index header at 0 is cut short in "},
      {"KeyLengthZero", [](IndexFiles& f) { fixtures::PutLittleEndian16(f.bytes, 12, 0); },
       "Key length 0 is invalid in index "},
      {"RootPastTheEnd", [](IndexFiles& f) { fixtures::PutLittleEndian32(f.bytes, 0, 1u << 30); },
       "Index node at 1073741824 is cut short in "},
      {"LeafLinksBack", [](IndexFiles& f) { fixtures::PutLittleEndian32(f.bytes, f.leaves[1] + 8, f.leaves[0]); },
       "Index nodes loop in "},
      {"TooManyKeys", [](IndexFiles& f) { fixtures::PutLittleEndian16(f.bytes, f.leaves[1] + 2, 200); },
       "Index node at " + at_leaf + " is bad in "},
      {"EntrySizeZero", [](IndexFiles& f) { fixtures::SetByte(f.bytes, f.leaves[1] + 23, 0); },
       "Index node at " + at_leaf + " is bad in "},
      {"PackedBitsTooMany", [](IndexFiles& f) { fixtures::SetByte(f.bytes, f.leaves[1] + 20, 40); },
       "Index node at " + at_leaf + " is bad in "},
      {"ShiftPastTheEntry", [](IndexFiles& f) {
         for (const auto& [at, value] : {std::pair{23, 8}, {20, 64}, {21, 0}, {22, 0}}) {
           fixtures::SetByte(f.bytes, f.leaves[1] + at, static_cast<std::uint8_t>(value));
         }
       },
       "Index node at " + at_leaf + " is bad in "},
      {"DuplicateBeyondKey", [](IndexFiles& f) { fixtures::SetByte(f.bytes, f.leaves[1] + 24 + 3, 0xFF); },
       "Index node at " + at_leaf + " is bad in "},
      {"EmptyInterior", [](IndexFiles& f) { fixtures::PutLittleEndian16(f.bytes, f.root + 2, 0); },
       "Index node at " + std::to_string(good.root) + " is bad in "},
      {"MoreTagsThanHeaders",
       [](IndexFiles& f) {  // 100 entries of 2 bytes whose keys are all trailing blanks
         fixtures::PutLittleEndian16(f.bytes, f.leaves[1] + 2, 100);
         fixtures::PutLittleEndian32(f.bytes, f.leaves[1] + 14, 0xFF);  // each names the header at 0
         for (const auto& [at, value] : {std::pair{23, 2}, {20, 8}, {21, 4}, {22, 4}}) {
           fixtures::SetByte(f.bytes, f.leaves[1] + at, static_cast<std::uint8_t>(value));
         }
         for (std::size_t i = 0; i < 100; ++i) fixtures::PutLittleEndian16(f.bytes, f.leaves[1] + 24 + 2 * i, 0xA000);
       },
       "Index directory lists more tags than fit in "},
      {"TagHeaderPastTheEnd", [](IndexFiles& f) { fixtures::Truncate(f.bytes, f.tag_headers[4] + 100); },
       "Index header at " + std::to_string(good.tag_headers[4]) + " is cut short in "},
      {"ExpressionOutsideHeader",
       [](IndexFiles& f) { fixtures::PutLittleEndian16(f.bytes, f.tag_headers[0] + 510, 600); },
       "Expression of tag CITY lies outside its header in "},
  };
  for (const auto& row : rows) {
    IndexFiles damaged = good;
    row.damage(damaged);
    EXPECT_EQ(Failure(damaged), "ETableError: " + row.failure + kCdx) << row.name;
  }
  MemoryFileSystem none;
  EXPECT_EQ(FailureOf([&] { ReadCompoundIndex(none, kCdx); }),
            std::string("ETableError: File ") + kCdx + " could not be found");
}

}  // namespace
}  // namespace quorvex::testing
