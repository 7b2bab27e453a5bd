// The readers on the data of six real applications (shared pjx/): every
// table, index and database opens and reads whole, and what they say agrees
// with each other. Skipped when the shared folder is absent.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "base/ascii.h"
#include "data/compound_index.h"
#include "data/database_container.h"
#include "support/golden.h"
#include "table/data_table.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> FilesWithExtensions(const fs::path& folder, std::initializer_list<std::string_view> extensions) {
  std::vector<fs::path> found;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    for (std::string_view extension : extensions) {
      if (entry.is_regular_file() && SameText(entry.path().extension().string(), extension)) {
        found.push_back(entry.path());
      }
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

// A path as a database stores it ("Data\Cust.DBF"), followed from `folder`
// with every component matched without regard to letter case.
std::optional<fs::path> FollowNoCase(fs::path folder, std::string_view stored) {
  for (std::string_view rest = stored; !rest.empty();) {
    const std::size_t cut = std::min(rest.find_first_of("\\/"), rest.size());
    const std::string_view part = rest.substr(0, cut);
    rest.remove_prefix(std::min(cut + 1, rest.size()));
    if (part == "..") {
      folder = folder.parent_path();
      continue;
    }
    std::optional<fs::path> next;
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (SameText(entry.path().filename().string(), part)) next = entry.path();
    }
    if (!next) return std::nullopt;
    folder = *next;
  }
  return folder;
}

class RealDataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    pjx_ = SharedSubdir("pjx");
    if (!pjx_) GTEST_SKIP() << "shared pjx/ not found (set QUORVEX_SHARED); skipped";
  }
  std::optional<fs::path> pjx_;
};

TEST_F(RealDataTest, EveryTableReadsWhole) {
  std::map<std::string, int> counts;
  for (const fs::path& path : FilesWithExtensions(*pjx_, {".dbf", ".dbc"})) {
    DataTable table(RealFileSystem());
    ASSERT_NO_THROW(table.Open(path.string())) << path;
    ++counts["tables"];
    counts["memo files missing or unreadable"] += !table.MemoFailure().empty();
    for (int number = 1; number <= table.RecordCount(); ++number) {
      const DataRecord record = table.ReadRecord(number);
      ++counts["records"];
      counts["deleted"] += record.deleted;
      for (const DataValue& value : record.values) {
        ++counts["values"];
        counts["null"] += std::holds_alternative<NullValue>(value);
        // The only values that do not read are those of a memo file that is not there.
        const auto* invalid = std::get_if<InvalidValue>(&value);
        if (invalid) {
          EXPECT_EQ(invalid->message, table.MemoFailure()) << path << " #" << number;
        }
      }
    }
  }
  for (const auto& [what, count] : counts) std::cout << "  " << what << ": " << count << "\n";
  EXPECT_GT(counts["tables"], 300);
}

TEST_F(RealDataTest, EveryIndexAndDatabaseReads) {
  std::map<std::string, std::vector<IndexTag>> indexes;  // by lower-case path
  for (const fs::path& path : FilesWithExtensions(*pjx_, {".cdx", ".dcx"})) {
    std::vector<IndexTag> tags;
    ASSERT_NO_THROW(tags = ReadCompoundIndex(RealFileSystem(), path.string())) << path;
    for (const IndexTag& tag : tags) EXPECT_FALSE(tag.name.empty() || tag.key_expression.empty()) << path;
    indexes[AsciiLowerCopy(path.string())] = tags;
  }
  int databases = 0, tables = 0, keys_in_index = 0, keys_not_in_index = 0;
  for (const fs::path& path : FilesWithExtensions(*pjx_, {".dbc"})) {
    Database database;
    ASSERT_NO_THROW(database = ReadDatabase(RealFileSystem(), path.string())) << path;
    ++databases;
    for (const DatabaseTable& table : database.tables) {
      ++tables;
      EXPECT_FALSE(table.path.empty()) << path << " " << table.name;
      const std::optional<fs::path> file = FollowNoCase(path.parent_path(), table.path);
      if (table.primary_key.empty() || !file) continue;
      fs::path cdx = *file;
      const auto found = indexes.find(AsciiLowerCopy(cdx.replace_extension(".cdx").string()));
      if (found == indexes.end()) continue;
      const bool candidate = std::any_of(found->second.begin(), found->second.end(), [&](const IndexTag& tag) {
        return SameText(tag.name, table.primary_key) && tag.candidate;
      });
      (candidate ? keys_in_index : keys_not_in_index)++;
    }
  }
  std::cout << "  indexes: " << indexes.size() << "\n  databases: " << databases << ", their tables: " << tables
            << "\n  primary keys a candidate tag of the table's index: " << keys_in_index
            << ", not: " << keys_not_in_index << "\n";
  // Databases out of step with their tables exist, but most keys agree.
  EXPECT_GT(keys_in_index, 4 * keys_not_in_index);
}

}  // namespace
}  // namespace quorvex::testing
