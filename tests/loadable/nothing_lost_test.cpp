// Over the corpus: every setting a form stores that is not FoxPro's default
// is written into the .dfm, kept as a comment, or carried by a rule of its
// component; no rule leaves a line behind.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "base/ascii.h"
#include "base/errors.h"
#include "loadable/form_model_builder.h"
#include "model/setting_conversion.h"
#include "scx/object_text.h"
#include "scx/scx_object_tree.h"
#include "support/golden.h"
#include "table/table_dataset.h"
#include "vocabulary/lists.h"

namespace quorvex::testing {
namespace {

struct Counts {
  int stored = 0;  // non-default lines looked at
  int lost = 0;
};

std::set<std::string, TextLess> Names(const TextList& lines) {
  std::set<std::string, TextLess> names;
  for (const std::string& line : lines) names.emplace(TrimBlanks(NamePart(TrimBlanks(line))));
  return names;
}

void CheckComponent(const std::vector<FormRecord>& records, const ScxNode& node, const Component& component,
                    const SettingConverter& converter, const std::string& form, Counts& counts) {
  EXPECT_TRUE(component.rule_lines.empty()) << form << ": " << component.fox_path << " " << component.rule_lines[0];
  const FormRecord* record = NodeRecord(records, node);
  if (record != nullptr && !component.fox_class.empty()) {
    const bool is_form = SameText(component.fox_class, "form");
    const TextList stored =
        converter.WithoutFoxDefaults(NodePropertyLines(node, record->properties), component.fox_class);
    const ConvertedSettings converted = converter.Convert(stored, is_form ? "Form" : component.fox_class,
                                                          is_form ? "TForm" : component.delphi_class);
    const auto kept = Names(converted.kept);
    const auto deferred = Names(converted.deferred);
    for (const std::string& name : Names(stored)) {
      if (name.empty() || SameText(name, "Name")) continue;
      ++counts.stored;
      const bool placed = converted.carried.contains(name) || kept.contains(name) || deferred.contains(name);
      counts.lost += !placed;
      EXPECT_TRUE(placed) << form << ": " << component.fox_path << "." << name << " is neither written nor kept";
    }
  }
  if (component.delphi_class == "TDBGrid") return;  // columns are items of the grid
  for (const ScxNode* child : node.children) {
    for (const Component& member : component.children) {
      if (SameText(member.original_name, NodeName(child->text)))
        CheckComponent(records, *child, member, converter, form, counts);
    }
  }
}

TEST(NothingLost, EveryStoredSettingIsWrittenKeptOrCarriedByARule) {
  const auto forms = CorpusForms();
  if (forms.empty()) GTEST_SKIP() << "shared corpus not found: set QUORVEX_SHARED to the folder holding corpus/";
  Counts counts;
  for (const auto& path : forms) {
    TableDataSet dataset;
    dataset.SetTableName(path.string());
    std::vector<FormRecord> records;
    try {
      dataset.Open();
      records = ReadFormRecords(dataset);
    } catch (const Exception&) {
      continue;  // the corpus's damaged forms: their messages are tested elsewhere
    }
    ScxObjectTree tree;
    BuildRecordTree(records, tree);
    const std::vector<LoadableForm> models = BuildFormModels(records, tree, "U", 1252);
    const SettingConverter converter(1252);
    std::size_t next = 0;
    for (const ScxNode* node = tree.First(); node != nullptr && next < models.size(); node = tree.Next(*node)) {
      const FormRecord* record = NodeRecord(records, *node);
      if (node->record_ref > 0 && SameText(record->base_class, "form"))
        CheckComponent(records, *node, models[next++].root, converter, path.filename().string(), counts);
    }
  }
  EXPECT_GT(counts.stored, 10000);
  EXPECT_EQ(counts.lost, 0);
}

}  // namespace
}  // namespace quorvex::testing
