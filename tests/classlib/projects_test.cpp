// The resolver over the real applications of ../shared/projects: every class
// library that references.tsv records as found is found, and every form
// expands with each member of a found library under the base class that
// Visual FoxPro recorded for it.

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <sstream>

#include "base/ascii.h"
#include "classlib/class_expansion.h"
#include "classlib/class_resolver.h"
#include "classlib/library_path.h"
#include "scx/scx_property_line.h"
#include "support/golden.h"
#include "table/table_dataset.h"
#include "vocabulary/lists.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;

// The project's form: its one .scx file, wherever it lies.
fs::path ProjectForm(const fs::path& project) {
  for (const auto& entry : fs::recursive_directory_iterator(project)) {
    if (SameText(entry.path().extension().string(), ".scx")) return entry.path();
  }
  return {};
}

#define QUORVEX_REQUIRE_PROJECTS()                                                   \
  if (!SharedSubdir("projects")) {                                                   \
    GTEST_SKIP() << "shared projects/ not found (set QUORVEX_SHARED); skipped";      \
  }

// Rows of id, from, classloc, class, kind, rule, found, class_defined, vct;
// those found elsewhere in the project are found with it as the -L folder.
TEST(ProjectLibrariesTest, EveryRecordedLibraryIsFound) {
  QUORVEX_REQUIRE_PROJECTS();
  const fs::path projects = *SharedSubdir("projects");
  std::istringstream rows(ReadFileBytes(projects / "references.tsv"));
  std::map<std::string, std::unique_ptr<ClassLibraryCache>> caches;  // one per project, as one run
  int found = 0;
  for (std::string line; std::getline(rows, line);) {
    std::vector<std::string> cell;
    std::istringstream cells(line);
    for (std::string text; std::getline(cells, text, '\t');) cell.push_back(text);
    cell.resize(9);
    if (cell[0] == "id" || cell[5] == "not found") continue;
    const fs::path project = projects / cell[0];
    std::unique_ptr<ClassLibraryCache>& cache = caches[cell[0]];
    if (!cache) cache = std::make_unique<ClassLibraryCache>(RealFileSystem(), std::vector{project.string()});
    const std::optional<std::string> path =
        cache->FindLibrary(FolderOf((project / cell[1]).string()), FolderOf(ProjectForm(project).string()), cell[2]);
    ASSERT_TRUE(path) << line;
    EXPECT_EQ(fs::path(*path), project / cell[6]) << line;
    const LibraryLoad& load = cache->Library(*path);
    ASSERT_TRUE(load.library) << load.error;
    EXPECT_EQ(load.library->FindClass(cell[3]) != nullptr, cell[7] == "yes") << line;
    ++found;
  }
  EXPECT_GT(found, 2000);
}

// The member objects that pass 1 builds from a record's member Name lines.
int MemberNameLines(std::string_view properties) {
  int count = 0;
  for (const std::string& line : SplitLines(properties)) {
    const ScxPropertyName name = SplitPropertyName(line);
    count += name.is_member && SameText(name.property, "Name");
  }
  return count;
}

// Every member record's PARENT names an object that pass 1 builds from the
// records before it: a node of an own Name line, or of a member Name line.
void ExpectParentsBuilt(const std::vector<FormRecord>& records, const fs::path& form) {
  std::set<std::string> built;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const FormRecord& record = records[i];
    if (i > 0 && record.record_number == records[i - 1].record_number) {
      EXPECT_TRUE(built.count(record.parent)) << form << ": " << record.parent << " / " << record.object_name;
    }
    const std::string above = record.parent.empty() ? "" : record.parent + ".";
    std::string own;
    for (const std::string& line : SplitLines(record.properties)) {
      const ScxPropertyName name = SplitPropertyName(line);
      if (!SameText(name.property, "Name")) continue;
      const std::string value = UnquoteNameValue(TrimBlanks(ValuePart(line)));
      if (!name.is_member) own = value;
      built.insert(name.is_member ? above + own + "." + value : above + value);
    }
  }
}

TEST(ProjectLibrariesTest, EveryFormExpandsWithMembersUnderTheirRecordedBaseClass) {
  QUORVEX_REQUIRE_PROJECTS();
  int forms = 0, library_members = 0, with_record = 0, unresolved = 0;
  for (const auto& entry : fs::directory_iterator(*SharedSubdir("projects"))) {
    if (!entry.is_directory()) continue;
    const fs::path form = ProjectForm(entry.path());
    ClassLibraryCache cache(RealFileSystem(), {entry.path().string()});
    TableDataSet dataset;
    dataset.SetTableName(form.string());
    dataset.Open();
    const std::vector<FormRecord> records = ReadFormRecords(dataset);
    ClassResolver resolver(cache, form.string());
    for (const FormRecord& record : records) {
      if (record.platform == "COMMENT" || record.class_location.empty()) continue;
      const int members = MemberNameLines(record.properties);
      library_members += members;
      const std::optional<ResolvedObject> object = resolver.ResolveInstance(record);
      if (!object) {
        unresolved += members;
        continue;
      }
      EXPECT_TRUE(SameText(object->base_class, record.base_class)) << form << " " << record.object_name;
      for (const ResolvedMember& member : object->Members()) {
        EXPECT_TRUE(SameText(member.base_class, member.record->base_class)) << form << " " << member.path;
      }
      // Those left as lines have no record in the class: pages, columns, buttons, options.
      with_record += members - MemberNameLines(object->properties.Text());
    }
    ExpectParentsBuilt(ExpandClassInstances(records, form.string(), cache).records, form);
    ++forms;
  }
  std::cout << forms << " forms: " << library_members << " member objects of library containers, " << with_record
            << " given a record and base class by a library, " << unresolved << " in libraries not found\n";
  EXPECT_EQ(forms, 139);
}

}  // namespace
}  // namespace quorvex::testing
