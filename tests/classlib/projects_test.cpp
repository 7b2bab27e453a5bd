// The resolver over the real applications of ../shared/projects: every class
// library that references.tsv records as found is found the same way, and
// every form expands with each member of a found library under the base class
// that Visual FoxPro recorded for it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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

struct Reference {
  std::string id, from, class_location, class_name, rule, found, class_defined;
};

std::vector<Reference> ReadReferences(const fs::path& file) {
  std::vector<Reference> references;
  std::istringstream lines(ReadFileBytes(file));
  std::string line;
  std::getline(lines, line);  // the heading
  while (std::getline(lines, line)) {
    std::vector<std::string> cells;
    std::istringstream row(line);
    for (std::string cell; std::getline(row, cell, '\t');) cells.push_back(cell);
    cells.resize(9);
    references.push_back({cells[0], cells[1], cells[2], cells[3], cells[5], cells[6], cells[7]});
  }
  return references;
}

// The project's form: its one .scx file, wherever it lies.
fs::path ProjectForm(const fs::path& project) {
  for (const auto& entry : fs::recursive_directory_iterator(project)) {
    if (SameText(entry.path().extension().string(), ".scx")) return entry.path();
  }
  return {};
}

std::vector<FormRecord> FormRecords(const fs::path& form) {
  TableDataSet dataset;
  dataset.SetTableName(form.string());
  dataset.Open();
  return ReadFormRecords(dataset);
}

std::optional<fs::path> Projects() { return SharedSubdir("projects"); }

#define QUORVEX_REQUIRE_PROJECTS()                                                                   \
  do {                                                                                               \
    if (!Projects()) GTEST_SKIP() << "shared projects/ not found (set QUORVEX_SHARED); skipped";    \
  } while (false)

TEST(ProjectLibrariesTest, EveryRecordedLibraryIsFoundByTheSameRule) {
  QUORVEX_REQUIRE_PROJECTS();
  const fs::path projects = *Projects();
  int found = 0;
  std::map<std::string, std::unique_ptr<ClassLibraryCache>> caches;  // one per project, as one run
  for (const Reference& reference : ReadReferences(projects / "references.tsv")) {
    if (reference.rule == "not found") continue;
    const fs::path project = projects / reference.id;
    std::unique_ptr<ClassLibraryCache>& cache = caches[reference.id];
    if (!cache) cache = std::make_unique<ClassLibraryCache>(RealFileSystem(), std::vector{project.string()});
    const std::optional<std::string> path = cache->FindLibrary(
        FolderOf((project / reference.from).string()), FolderOf(ProjectForm(project).string()), reference.class_location);
    ASSERT_TRUE(path) << reference.id << " " << reference.from << " " << reference.class_location;
    EXPECT_EQ(fs::path(*path), project / reference.found) << reference.id << " " << reference.class_location;
    const LibraryLoad& load = cache->Library(*path);
    ASSERT_TRUE(load.library) << *path << ": " << load.error;
    EXPECT_EQ(load.library->FindClass(reference.class_name) != nullptr, reference.class_defined == "yes")
        << *path << " " << reference.class_name;
    ++found;
  }
  EXPECT_GT(found, 2000);
}

// Member objects of library containers as pass 1 sees them: the member Name
// lines of the records that name a library class.
int MemberNameLines(const FormRecord& record) {
  int count = 0;
  for (const std::string& line : SplitLines(record.properties)) {
    const ScxPropertyName name = SplitPropertyName(line);
    if (name.is_member && SameText(name.property, "Name")) ++count;
  }
  return count;
}

// Every expanded record's PARENT names an object that pass 1 has built from
// the records before it (a node of an own Name line, or of a member Name line).
void ExpectParentsBuilt(const std::vector<FormRecord>& records, std::size_t original_count, const fs::path& form) {
  std::set<std::string> built;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const FormRecord& record = records[i];
    const bool inserted = i > 0 && record.record_number == records[i - 1].record_number;
    if (inserted) {
      EXPECT_TRUE(built.count(record.parent)) << form << ": " << record.parent << " / " << record.object_name;
    }
    std::string own;
    for (const std::string& line : SplitLines(record.properties)) {
      const ScxPropertyName name = SplitPropertyName(line);
      if (!SameText(name.property, "Name")) continue;
      const std::string value = UnquoteNameValue(TrimBlanks(ValuePart(line)));
      if (!name.is_member) {
        own = value;
        built.insert(record.parent.empty() ? value : record.parent + "." + value);
      } else {
        built.insert((record.parent.empty() ? "" : record.parent + ".") + own + "." + value);
      }
    }
  }
  EXPECT_GE(records.size(), original_count);
}

TEST(ProjectLibrariesTest, EveryFormExpandsWithMembersUnderTheirRecordedBaseClass) {
  QUORVEX_REQUIRE_PROJECTS();
  int forms = 0, library_members = 0, members_with_class = 0, inserted = 0;
  for (const auto& entry : fs::directory_iterator(*Projects())) {
    if (!entry.is_directory()) continue;
    const fs::path form = ProjectForm(entry.path());
    ClassLibraryCache cache(RealFileSystem(), {entry.path().string()});
    const std::vector<FormRecord> records = FormRecords(form);
    ClassResolver resolver(cache, form.string());
    for (const FormRecord& record : records) {
      if (record.platform == "COMMENT" || record.class_location.empty()) continue;
      const int members = MemberNameLines(record);
      library_members += members;
      const std::optional<ResolvedObject> object = resolver.ResolveInstance(record);
      if (!object) continue;
      EXPECT_TRUE(SameText(object->base_class, record.base_class)) << form << " " << record.object_name;
      for (const ResolvedMember& member : object->Members()) {
        EXPECT_TRUE(SameText(member.base_class, member.record->base_class)) << form << " " << member.path;
      }
      // The members left as lines are those the class does not define with a
      // record: pages, columns, buttons and options.
      FormRecord expanded = record;
      expanded.properties = object->properties.Text();
      members_with_class += members - MemberNameLines(expanded);
    }
    const ClassExpansion expansion = ExpandClassInstances(records, form.string(), cache);
    ExpectParentsBuilt(expansion.records, records.size(), form);
    inserted += static_cast<int>(expansion.records.size() - records.size());
    ++forms;
  }
  std::cout << forms << " forms; " << library_members << " member objects of library containers, "
            << members_with_class << " of them with their base class from a library; " << inserted
            << " member records in all\n";
  EXPECT_EQ(forms, 139);
}

}  // namespace
}  // namespace quorvex::testing
