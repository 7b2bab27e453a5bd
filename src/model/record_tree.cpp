#include "model/record_tree.h"

#include <algorithm>
#include <cstdlib>
#include <set>

#include "base/ascii.h"
#include "scx/object_text.h"
#include "scx/scx_property_line.h"
#include "vocabulary/lists.h"

namespace quorvex {

const FormRecord* NodeRecord(const std::vector<FormRecord>& records, const ScxNode& node) {
  const auto index = static_cast<std::size_t>(std::abs(static_cast<long long>(node.record_ref)));
  return index == 0 || index > records.size() ? nullptr : &records[index - 1];
}

std::string NodeFoxClass(const std::vector<FormRecord>& records, const ScxNode& node) {
  const FormRecord* record = NodeRecord(records, node);
  if (record == nullptr) return {};
  if (node.record_ref > 0) return record->base_class;
  // A member of a member ("Page1.chkBold") is of no kind its record tells.
  if (NodeMemberPrefix(node.text).find('.') != std::string::npos) return {};
  return std::string(MemberBaseClass(record->base_class));
}

namespace {

// What a record's lines name: its own object (each Name line of its own; a
// damaged record may have none or several), its members (prefix and Name, in
// the order of the lines) and the outermost members the lines place.
struct RecordNames {
  TextList own_names;
  std::vector<std::pair<std::string, std::string>> members;
  std::set<std::string, TextLess> placed;
};

RecordNames ReadRecordNames(const FormRecord& record) {
  RecordNames names;
  ForEachLine(record.properties, [&](std::string_view line) {
    const ScxPropertyName name = SplitPropertyName(line);
    if (name.is_member && name.prefix.find('.') == std::string_view::npos &&
        (SameText(name.property, "Left") || SameText(name.property, "Top")))
      names.placed.emplace(name.prefix);
    if (!SameText(name.property, "Name")) return;
    std::string value = UnquoteNameValue(TrimBlanks(ValuePart(line)));
    if (name.is_member)
      names.members.emplace_back(std::string(name.prefix), std::move(value));
    else
      names.own_names.push_back(std::move(value));
  });
  return names;
}

// True where the member's path, or a path between it and the record's
// object, is the path of an object with a record of its own.
bool SpeltOut(const std::set<std::string, TextLess>& own_paths, const std::string& own_path,
              const std::string& holder, const std::string& name) {
  for (std::size_t dot = holder.find('.', own_path.size() + 1); dot != std::string::npos; dot = holder.find('.', dot + 1))
    if (own_paths.contains(holder.substr(0, dot))) return true;
  return own_paths.contains(holder + "." + name) || (holder != own_path && own_paths.contains(holder));
}

// A record's nodes as AddRecordNodes adds them, but each member under the
// object that holds it: below the record's own object whatever the order of
// its Name lines, and "grd.Column1" below the member "grd" (members of fewer
// dots go first, so that their nodes exist). AddRecordNodes puts every member
// right below the record's object ("Page1.chkBold" beside the pages) and the
// members of a top-level record under a path that starts with an empty name,
// outside the form, where nothing would convert them; yet for a form that is
// an instance of a class no library gave, only these lines carry the settings
// of the class's members.
// No member node is made where a record has an object of its own (a library
// class's member that expansion spelt out) at the member's path or above it:
// the lines stay with the record, kept as comments. Of a top-level record,
// only members placed by its lines (their Left or Top, or a member's above
// them) become objects: one the class alone places would stand at 0,0.
void AddRecordObjects(ScxObjectTree& tree, const FormRecord& record, std::int32_t record_ref,
                      const std::set<std::string, TextLess>& own_paths) {
  RecordNames names = ReadRecordNames(record);
  for (const std::string& own_name : names.own_names) AddObjectNode(tree, own_name, record.parent, record_ref);
  const std::string own_name = names.own_names.empty() ? std::string() : names.own_names.back();
  const std::string own_path = record.parent.empty() ? own_name : record.parent + "." + own_name;
  const auto dots = [](const std::string& prefix) { return std::count(prefix.begin(), prefix.end(), '.'); };
  std::stable_sort(names.members.begin(), names.members.end(),
                   [&](const auto& a, const auto& b) { return dots(a.first) < dots(b.first); });
  for (auto& [prefix, value] : names.members) {
    if (record.parent.empty() && !names.placed.contains(prefix.substr(0, prefix.find('.')))) continue;
    const std::size_t last_dot = prefix.rfind('.');
    const std::string holder = last_dot == std::string::npos ? own_path : own_path + "." + prefix.substr(0, last_dot);
    if (SpeltOut(own_paths, own_path, holder, value)) continue;
    std::string text = SameText(value, prefix) ? std::move(value) : value + " (" + prefix + ")";
    AddObjectNode(tree, std::move(text), holder, -record_ref);
  }
}

}  // namespace

void BuildRecordTree(const std::vector<FormRecord>& records, ScxObjectTree& tree) {
  tree.Clear();
  const auto described = [](const FormRecord& record) {
    return !IsCommentPlatform(record.platform) && !record.object_name.empty();
  };
  std::set<std::string, TextLess> own_paths;
  for (const FormRecord& record : records) {
    if (described(record))
      own_paths.insert(record.parent.empty() ? record.object_name : record.parent + "." + record.object_name);
  }
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (described(records[i])) AddRecordObjects(tree, records[i], static_cast<std::int32_t>(i + 1), own_paths);
  }
}

}  // namespace quorvex
