#include "scx/scx_object_tree.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <stdexcept>

namespace quorvex {

namespace {

constexpr std::string_view kMemberOpen = " (";

std::string_view NodeNameView(std::string_view text) {
  return text.substr(0, text.find(kMemberOpen));
}

}  // namespace

void ScxObjectTree::Clear() {
  top_level_.clear();
  name_index_.clear();
  name_index_count_ = 0;
  pre_order_.clear();
  nodes_.clear();
  pre_order_stale_ = false;
}

void ScxObjectTree::Reserve(int nodes) {
  const auto wanted = 2 * static_cast<std::size_t>(std::clamp(nodes, 0, kMaxObjectNodes));
  if (wanted > name_index_.size()) GrowNameIndex(std::bit_ceil(wanted));
}

std::size_t ScxObjectTree::SlotOf(const ScxNode* parent, std::string_view name) const {
  const std::size_t mask = name_index_.size() - 1;
  const std::size_t hash = std::hash<std::string_view>()(name) ^ (std::hash<const ScxNode*>()(parent) * 0x9E3779B97F4A7C15ULL);
  for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
    const ScxNode* node = name_index_[slot];
    if (node == nullptr || (node->parent == parent && NodeNameView(node->text) == name)) return slot;
  }
}

void ScxObjectTree::GrowNameIndex(std::size_t slots) {
  std::vector<const ScxNode*> old(slots, nullptr);
  old.swap(name_index_);
  for (const ScxNode* node : old) {
    if (node != nullptr) name_index_[SlotOf(node->parent, NodeNameView(node->text))] = node;
  }
}

const ScxNode& ScxObjectTree::AddNode(const ScxNode* parent, std::string text, std::int32_t record_ref) {
  if (parent != nullptr && parent->owner_ != this)
    throw std::invalid_argument("ScxObjectTree::AddNode: the parent is not a node of this tree");
  // The parent is one of this tree's own nodes, made non-const here.
  auto* mutable_parent = const_cast<ScxNode*>(parent);
  const int level = parent != nullptr ? parent->level + 1 : 0;
  if (level >= kMaxObjectLevel)
    throw EFormTooLarge("Objects nest deeper than " + std::to_string(kMaxObjectLevel) + " levels");
  if (NodeCount() >= kMaxObjectNodes)
    throw EFormTooLarge("More than " + std::to_string(kMaxObjectNodes) + " objects");
  auto& siblings = mutable_parent != nullptr ? mutable_parent->children : top_level_;
  // Room first (growing geometrically), so that nothing can throw once the
  // node is placed.
  if (siblings.size() == siblings.capacity()) siblings.reserve(siblings.size() * 2 + 1);
  if (2 * (name_index_count_ + 1) > name_index_.size()) GrowNameIndex(std::max<std::size_t>(16, 2 * name_index_.size()));
  ScxNode& node = nodes_.emplace_back();
  node.text = std::move(text);
  node.record_ref = record_ref;
  node.level = level;
  node.parent = parent;
  node.owner_ = this;
  const std::size_t slot = SlotOf(parent, NodeNameView(node.text));
  if (name_index_[slot] == nullptr) {
    name_index_[slot] = &node;
    ++name_index_count_;
  }
  siblings.push_back(&node);
  pre_order_stale_ = true;
  return node;
}

const ScxNode* ScxObjectTree::FindChild(const ScxNode* parent, std::string_view name) const {
  if (name_index_.empty()) return nullptr;
  return name_index_[SlotOf(parent, name)];
}

const std::vector<const ScxNode*>& ScxObjectTree::PreOrder() const {
  if (!pre_order_stale_) return pre_order_;
  pre_order_.clear();
  pre_order_.reserve(nodes_.size());
  // Iterative, so that no depth of nesting can exhaust the call stack.
  std::vector<const ScxNode*> pending(top_level_.rbegin(), top_level_.rend());
  while (!pending.empty()) {
    const ScxNode* node = pending.back();
    pending.pop_back();
    pre_order_.push_back(node);
    pending.insert(pending.end(), node->children.rbegin(), node->children.rend());
  }
  // The nodes are this tree's own (held in nodes_); only their index changes.
  for (std::size_t i = 0; i < pre_order_.size(); ++i) const_cast<ScxNode*>(pre_order_[i])->index = static_cast<int>(i);
  pre_order_stale_ = false;
  return pre_order_;
}

const ScxNode* ScxObjectTree::First() const {
  const auto& order = PreOrder();
  return order.empty() ? nullptr : order.front();
}

const ScxNode* ScxObjectTree::Next(const ScxNode& node) const {
  const auto& order = PreOrder();
  const auto next = static_cast<std::size_t>(node.index) + 1;
  return next < order.size() ? order[next] : nullptr;
}

std::string NodeName(std::string_view text) { return std::string(NodeNameView(text)); }

std::string NodeMemberPrefix(std::string_view text) {
  const std::size_t open = text.find(kMemberOpen);
  if (open == std::string_view::npos) return std::string(text);
  std::string_view inner = text.substr(open + kMemberOpen.size());
  if (!inner.empty()) inner.remove_suffix(1);  // the closing ")"
  return std::string(inner);
}

const ScxNode& AddObjectNode(ScxObjectTree& tree, std::string text, std::string_view parent_path,
                             std::int32_t record_ref) {
  const ScxNode* current = nullptr;
  std::string_view rest = parent_path;
  while (!rest.empty()) {
    const std::size_t dot = rest.find('.');
    const std::string_view element = rest.substr(0, dot);
    rest = dot == std::string_view::npos ? std::string_view() : rest.substr(dot + 1);
    const ScxNode* match = tree.FindChild(current, element);
    current = match != nullptr ? match : &tree.AddNode(current, std::string(element), 0);
  }
  return tree.AddNode(current, std::move(text), record_ref);
}

}  // namespace quorvex
