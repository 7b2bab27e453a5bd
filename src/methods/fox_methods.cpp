#include "methods/fox_methods.h"

#include <algorithm>

#include "base/ascii.h"
#include "catalog/grouped_table.h"
#include "model/record_tree.h"

namespace quorvex {

namespace {

// The word of `line` after its leading blanks, if it is `keyword` (letter
// case aside) followed by a blank or the line's end; then the rest after it.
bool StartsWithKeyword(std::string_view line, std::string_view keyword, std::string_view* rest = nullptr) {
  line = TrimLeftBlanks(line);
  if (line.size() < keyword.size() || !SameText(line.substr(0, keyword.size()), keyword)) return false;
  if (line.size() > keyword.size() && !IsBlank(line[keyword.size()])) return false;
  if (rest != nullptr) *rest = TrimBlanks(line.substr(keyword.size()));
  return true;
}

// "Page1.Click" gives member "Page1" and name "Click".
MethodBlock BlockNamed(std::string_view full_name) {
  const std::size_t dot = full_name.rfind('.');
  if (dot == std::string_view::npos) return {{}, std::string(full_name), {}};
  return {std::string(full_name.substr(0, dot)), std::string(full_name.substr(dot + 1)), {}};
}

// The child of `node` that a path component names: by the object's name,
// else by the member prefix its container's lines use (pages renamed in
// their page frame's lines may swap names: "Page3.Name = Page4").
const ScxNode* ChildNamed(const ScxNode& node, std::string_view name) {
  for (const ScxNode* child : node.children) {
    if (SameText(NodeName(child->text), name)) return child;
  }
  for (const ScxNode* child : node.children) {
    if (SameText(NodeMemberPrefix(child->text), name)) return child;
  }
  return nullptr;
}

// The node a dotted member path leads to from `node`, and how many steps it
// took; null when some component names no child.
const ScxNode* Descend(const ScxNode& node, std::string_view path, std::size_t& steps) {
  const ScxNode* at = &node;
  steps = 0;
  while (!path.empty() && at != nullptr) {
    const std::size_t dot = path.find('.');
    at = ChildNamed(*at, TrimBlanks(path.substr(0, dot)));
    path = dot == std::string_view::npos ? std::string_view() : path.substr(dot + 1);
    ++steps;
  }
  return at;
}

}  // namespace

std::vector<MethodBlock> SplitMethods(std::string_view methods) {
  std::vector<MethodBlock> blocks;
  MethodBlock outside;
  MethodBlock* current = nullptr;
  bool in_text = false;
  ForEachLine(methods, [&](std::string_view line) {
    std::string_view name;
    if (in_text) {
      in_text = !StartsWithKeyword(line, "ENDTEXT");
    } else if (current == nullptr && StartsWithKeyword(line, "PROCEDURE", &name) && !name.empty()) {
      blocks.push_back(BlockNamed(FirstWord(name).first));
      current = &blocks.back();
      return;
    } else if (current != nullptr && StartsWithKeyword(line, "ENDPROC")) {
      current = nullptr;
      return;
    } else if (current != nullptr) {
      in_text = StartsWithKeyword(line, "TEXT");
    }
    if (current != nullptr) {
      current->code.emplace_back(line);
    } else if (!TrimBlanks(line).empty() || !outside.code.empty()) {
      outside.code.emplace_back(line);
    }
  });
  while (!outside.code.empty() && TrimBlanks(outside.code.back()).empty()) outside.code.pop_back();
  if (!outside.code.empty()) blocks.push_back(std::move(outside));
  return blocks;
}

MethodIndex::MethodIndex(const std::vector<FormRecord>& records, const ScxObjectTree& tree) {
  for (const ScxNode* node = tree.First(); node != nullptr; node = tree.Next(*node)) {
    if (node->record_ref > 0) AddRecordMethods(*node, *NodeRecord(records, *node));
  }
}

void MethodIndex::AddRecordMethods(const ScxNode& node, const FormRecord& record) {
  std::size_t sequence = 0;
  for (const ClassMethods& source : record.class_methods)
    AddBlocks(node, source.origin, source.member_prefix, source.text, sequence);
  AddBlocks(node, {}, {}, record.methods, sequence);
}

void MethodIndex::AddBlocks(const ScxNode& node, const std::string& origin, const std::string& prefix,
                            std::string_view text, std::size_t& sequence) {
  for (MethodBlock& block : SplitMethods(text)) {
    std::string member = prefix.empty() || block.member.empty() ? prefix + block.member : prefix + "." + block.member;
    std::size_t steps = 0;
    const ScxNode* target = Descend(node, member, steps);
    FoxMethod method{{}, std::move(block.name), origin, std::move(block.code)};
    if (target == nullptr) {
      target = &node;
      steps = 0;
      method.owner = std::move(member);
    }
    entries_[target].push_back({steps, sequence++, std::move(method)});
  }
}

std::vector<FoxMethod> MethodIndex::MethodsOf(const ScxNode& node) const {
  const auto found = entries_.find(&node);
  if (found == entries_.end()) return {};
  std::vector<const Entry*> entries;
  for (const Entry& entry : found->second) entries.push_back(&entry);
  // A record's classes come before the record; nearer records before the
  // ones further up, which override what the nearer ones define.
  std::stable_sort(entries.begin(), entries.end(), [](const Entry* a, const Entry* b) {
    return a->distance != b->distance ? a->distance < b->distance : a->sequence < b->sequence;
  });
  std::vector<FoxMethod> methods;
  for (const Entry* entry : entries) methods.push_back(entry->method);
  return methods;
}

}  // namespace quorvex
