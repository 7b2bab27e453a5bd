// Building the object tree from the records of an open .scx table.

#include <cstdlib>
#include <exception>

#include "vocabulary/lists.h"
#include "scx/named_field.h"
#include "scx/scx_object_tree.h"
#include "scx/scx_property_line.h"
#include "base/text_list.h"
#include "base/ascii.h"
#include "table/table_dataset.h"

namespace quorvex {

namespace {

// Records of this platform carry notes about the form, never an object. The
// table layer has already cut the field's trailing blanks; the match is exact.
constexpr std::string_view kCommentPlatform = "COMMENT";

// The fields a record's nodes are read from.
struct RecordFields {
  explicit RecordFields(TableDataSet& dataset)
      : platform(dataset, "Platform"),
        obj_name(dataset, "ObjName"),
        parent(dataset, "Parent"),
        base_class(dataset, "BaseClass"),
        properties(dataset, "Properties") {}

  NamedField platform;
  NamedField obj_name;
  NamedField parent;
  NamedField base_class;
  NamedField properties;
};

// Adds the nodes of the dataset's current record (AddRecordNodes), with the
// fields read in the order that lets a COMMENT or unnamed record pass without
// its Properties memo being read.
void AddCurrentRecordNodes(TableDataSet& dataset, const RecordFields& fields, ScxObjectTree& tree) {
  if (fields.platform.AsString() == kCommentPlatform) return;
  const std::string obj_name = fields.obj_name.AsString();
  const std::string parent_path = fields.parent.AsString();
  // Not needed to place the node, but read all the same: a table without a
  // BaseClass field is not a form, and each of its records fails here.
  static_cast<void>(fields.base_class.AsString());
  const std::int32_t record_number = dataset.RecNo();
  if (obj_name.empty()) return;
  AddRecordNodes(tree, parent_path, record_number, fields.properties.AsString());
}

}  // namespace

bool IsCommentPlatform(std::string_view platform) { return platform == kCommentPlatform; }

// Member lines name their container by the own name seen so far, so member
// lines written before the own Name line land beside the container (path
// "Parent.").
void AddRecordNodes(ScxObjectTree& tree, std::string_view parent_path, std::int32_t record_ref,
                    std::string_view properties) {
  std::string own_name;
  ForEachLine(properties, [&](std::string_view line) {
    const ScxPropertyName name = SplitPropertyName(line);
    if (!SameText(name.property, "Name")) return;
    std::string value = UnquoteNameValue(TrimBlanks(ValuePart(line)));
    if (!name.is_member) {
      own_name = value;
      AddObjectNode(tree, std::move(value), parent_path, record_ref);
      return;
    }
    std::string text = SameText(value, name.prefix) ? std::move(value)
                                                    : value + " (" + std::string(name.prefix) + ")";
    AddObjectNode(tree, std::move(text), std::string(parent_path) + "." + own_name, -record_ref);
  });
}

void BuildObjectTree(TableDataSet& dataset, ScxObjectTree& tree) {
  tree.Clear();
  const RecordFields fields(dataset);
  tree.Reserve(dataset.RecordCount());  // about one object per record
  dataset.First();
  while (!dataset.Eof()) {
    try {
      AddCurrentRecordNodes(dataset, fields, tree);
    } catch (const EFormTooLarge&) {
      throw;
    } catch (const std::exception&) {
      // A damaged or incomplete record costs only its own nodes; the nodes it
      // added before failing stay, and the form's other records still count.
    }
    dataset.Next();
  }
}

void OpenScxFile(TableDataSet& dataset, const std::string& file_name, ScxObjectTree& tree) {
  dataset.Close();
  dataset.SetTableName(file_name);
  dataset.Open();
  tree.Clear();
  if (dataset.FindField("Parent") == nullptr) return;  // not a form table: no tree
  try {
    BuildObjectTree(dataset, tree);
    const ScxNode* first = tree.First();
    if (first != nullptr && first->record_ref != 0) dataset.SetRecNo(std::abs(first->record_ref));
  } catch (const EFormTooLarge& failure) {
    // Not a damaged record but a damaged form: the file cannot be converted.
    dataset.Close();
    throw EFormTooLarge(std::string(failure.what()) + " in " + file_name);
  } catch (const std::exception&) {
    // A walk that breaks off (an unreadable record) keeps the nodes built so
    // far: a partly readable form still converts as far as it can be read.
  }
}

}  // namespace quorvex
