#include "convert/scx_object_tree.h"

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
  pre_order_.clear();
}

const ScxNode& ScxObjectTree::AddNode(const ScxNode* parent, std::string text, std::int32_t record_ref) {
  ScxNode* mutable_parent = nullptr;
  std::size_t position = pre_order_.size();
  if (parent != nullptr) {
    const auto parent_index = static_cast<std::size_t>(parent->index);
    if (parent_index >= pre_order_.size() || pre_order_[parent_index].get() != parent)
      throw std::invalid_argument("ScxObjectTree::AddNode: the parent is not a node of this tree");
    mutable_parent = pre_order_[parent_index].get();
    // A new last child follows the parent's whole subtree in pre-order.
    const ScxNode* last = parent;
    while (!last->children.empty()) last = last->children.back();
    position = static_cast<std::size_t>(last->index) + 1;
  }
  auto& siblings = mutable_parent != nullptr ? mutable_parent->children : top_level_;
  // Room first, so that nothing can throw once the node is placed.
  if (siblings.size() == siblings.capacity()) siblings.reserve(siblings.size() * 2 + 1);

  auto node = std::make_unique<ScxNode>();
  node->text = std::move(text);
  node->record_ref = record_ref;
  node->level = parent != nullptr ? parent->level + 1 : 0;
  node->parent = parent;
  const ScxNode* added = node.get();
  pre_order_.insert(pre_order_.begin() + static_cast<std::ptrdiff_t>(position), std::move(node));
  // Forms list their records roughly in pre-order, so most nodes land at the
  // end and this renumbers nothing but the new node.
  for (std::size_t i = position; i < pre_order_.size(); ++i) pre_order_[i]->index = static_cast<int>(i);
  siblings.push_back(added);
  return *added;
}

const ScxNode* ScxObjectTree::First() const {
  return pre_order_.empty() ? nullptr : pre_order_.front().get();
}

const ScxNode* ScxObjectTree::Next(const ScxNode& node) const {
  const auto next = static_cast<std::size_t>(node.index) + 1;
  return next < pre_order_.size() ? pre_order_[next].get() : nullptr;
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

    const auto& siblings = current != nullptr ? current->children : tree.TopLevel();
    const ScxNode* match = nullptr;
    for (const ScxNode* sibling : siblings) {
      if (NodeNameView(sibling->text) == element) {
        match = sibling;
        break;
      }
    }
    current = match != nullptr ? match : &tree.AddNode(current, std::string(element), 0);
  }
  return tree.AddNode(current, std::move(text), record_ref);
}

}  // namespace quorvex
