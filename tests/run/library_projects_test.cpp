// The real applications of ../shared/projects through the run's class-library
// expansion: each member object of a library container whose library is
// present comes out under the Delphi class its FoxPro base class maps to,
// and the figures are printed.

#include <gtest/gtest.h>
#include <algorithm>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <set>

#include "base/ascii.h"
#include "binding/data_binding.h"
#include "classlib/class_resolver.h"
#include "loadable/form_model_builder.h"
#include "run/class_library_expansion.h"
#include "run/lookup_files.h"
#include "support/golden.h"
#include "table/table_dataset.h"
#include "vocabulary/lists.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;

struct Figures {
  int members = 0;       // member objects of library containers in the output
  int present = 0;       // ... whose container's library and class were found
  int from_library = 0;  // ... given a record, and so a FoxPro base class, by a library
  int by_container = 0;  // ... classed by their container's kind (pages, columns, buttons, options)
};

// The component each node became: forms in tree order, children by their
// FoxPro names (pages stand in their own order), a grid's columns left out
// (they are items, not components).
void MapComponents(const ScxNode& node, const Component& component, std::map<const ScxNode*, const Component*>& out) {
  out[&node] = &component;
  if (component.delphi_class == "TDBGrid") return;
  for (const auto& child : node.children) {
    const auto same = std::find_if(component.children.begin(), component.children.end(),
                                   [&](const Component& c) { return SameText(c.original_name, child->text); });
    if (same != component.children.end()) MapComponents(*child, *same, out);
  }
}

std::map<const ScxNode*, const Component*> ComponentsOf(const std::vector<FormRecord>& records,
                                                        const ScxObjectTree& tree,
                                                        const std::vector<LoadableForm>& forms) {
  std::map<const ScxNode*, const Component*> components;
  std::size_t next = 0;
  for (const ScxNode* node = tree.First(); node != nullptr && next < forms.size(); node = tree.Next(*node)) {
    const FormRecord* record = NodeRecord(records, *node);
    if (node->record_ref <= 0 || !SameText(record->base_class, "form") || components.contains(node)) continue;
    MapComponents(*node, forms[next++].root, components);
  }
  return components;
}

// The Delphi class the vocabulary gives a FoxPro base class; "" for none,
// or for the parts of a grid.
std::string VocabularyClass(const std::string& base_class) {
  const auto mapped = Lists::Shared().ClassMap().Find(base_class);
  if (!mapped || SameText(*mapped, "column") || SameText(*mapped, "header")) return {};
  return std::string(*mapped);
}

void CountForm(const fs::path& form, const std::vector<std::string>& library_folders, Figures& figures) {
  TableDataSet dataset;
  dataset.SetTableName(form.string());
  dataset.Open();
  const auto cache = MakeClassLibraryCache(LookupFileSystem({}), library_folders);
  std::vector<std::string> notes;
  const std::vector<FormRecord> records = ClassLibraryExpansion(cache)(ReadFormRecords(dataset), form.string(), notes);
  ScxObjectTree tree;
  BuildRecordTree(records, tree);
  const std::vector<LoadableForm> forms = BuildFormModels(records, tree, "U", 1252);
  const auto components = ComponentsOf(records, tree, forms);
  // A library's records follow the form record they were expanded from and
  // carry its number; the form's own records are the first of each number.
  std::set<int> numbers;
  std::vector<bool> from_library;
  for (const FormRecord& record : records) from_library.push_back(!numbers.insert(record.record_number).second);
  ClassResolver resolver(*cache, form.string());
  std::map<int, bool> resolved;  // the form's instances, by record number

  for (const ScxNode* node = tree.First(); node != nullptr; node = tree.Next(*node)) {
    if (node->record_ref == 0) continue;
    const auto index = static_cast<std::size_t>(std::abs(node->record_ref)) - 1;
    const FormRecord& record = records[index];
    const bool library_record = from_library[index];
    if (node->record_ref > 0 && !library_record) continue;  // the form's own object
    if (!library_record && record.class_location.empty()) continue;  // a member of a base class
    ++figures.members;
    if (!library_record) {
      if (!resolved.contains(record.record_number))
        resolved[record.record_number] = resolver.ResolveInstance(record).has_value();
      if (!resolved[record.record_number]) continue;
    }
    ++figures.present;
    if (node->record_ref < 0) {
      figures.by_container += !NodeFoxClass(records, *node).empty();
      continue;
    }
    ++figures.from_library;
    const std::string expected = VocabularyClass(record.base_class);
    const auto component = components.find(node);
    if (expected.empty() || component == components.end()) continue;
    // An object that holds others but whose class cannot becomes a panel; a
    // control bound to a field, the data-aware class of its kind; a label
    // that FoxPro draws over a windowed control, a static text, and a shape
    // or an image there, a panel that holds it.
    const std::string& made = component->second->delphi_class;
    const bool holder_panel = !node->children.empty() && made == "TPanel";
    const bool bound = !component->second->data_alias.empty() && made == DataAwareClass(expected);
    const bool drawn_over = (expected == "TLabel" && made == "TStaticText") || component->second->holds_graphic;
    EXPECT_TRUE(made == expected || holder_panel || bound || drawn_over)
        << form << ": " << node->text << " is " << component->second->delphi_class << ", not " << expected;
  }
}

TEST(LibraryProjects, MembersOfFoundLibrariesComeOutUnderTheirRealClass) {
  const auto projects = SharedSubdir("projects");
  if (!projects) GTEST_SKIP() << "shared projects/ not found (set QUORVEX_SHARED); skipped";
  std::set<std::string> searched;  // as the loadable check converts them
  for (const ProjectReference& reference : ProjectReferences()) {
    if (reference.rule == "elsewhere in repository") searched.insert(reference.id);
  }
  Figures figures;
  int forms = 0;
  for (const auto& project : fs::directory_iterator(*projects)) {
    if (!project.is_directory()) continue;
    const std::string id = project.path().filename().string();
    for (const auto& entry : fs::recursive_directory_iterator(project.path())) {
      if (!SameText(entry.path().extension().string(), ".scx")) continue;
      CountForm(entry.path(), searched.contains(id) ? std::vector{project.path().string()} : std::vector<std::string>{},
                figures);
      ++forms;
    }
  }
  std::cout << forms << " forms: " << figures.members << " member objects of library containers, "
            << figures.present << " where the library is present; of these " << figures.from_library
            << " get their FoxPro class from a library record and " << figures.by_container
            << " from their container's kind\n";
  EXPECT_EQ(forms, 139);
  EXPECT_GT(figures.from_library, 0);
}

}  // namespace
}  // namespace quorvex::testing
