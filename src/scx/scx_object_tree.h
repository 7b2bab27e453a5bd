#pragma once
// The tree of a form's objects, built from the records of its .scx table.
//
// One node per object that a record names with its own Name line, placed under
// its parent by the record's dotted Parent path, and one node per member object
// (a command group's buttons, a page frame's pages, a grid's columns) that a
// record declares with a member Name line ("Command1.Name = ..."). A path
// element that matches no node gets a placeholder node. Children keep their
// insertion order; the tree is never sorted.

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "base/errors.h"

namespace quorvex {

class TableDataSet;
class ScxObjectTree;

// Bounds on what a form file can make pass 1 build, far above any real form
// (the largest known has under 1,000 objects, 8 levels and 330 KB of object
// text) and low enough that a damaged file cannot exhaust memory or time:
// records that share one memo entry multiply its lines.
inline constexpr int kMaxObjectLevel = 1000;
inline constexpr int kMaxObjectNodes = 100000;
inline constexpr std::size_t kMaxObjectTextBytes = 64u << 20;

// A form file whose objects go past those bounds.
class EFormTooLarge : public Exception {
 public:
  using Exception::Exception;
};

// One node. Nodes are created and owned by ScxObjectTree and handed out as
// const references; they stay valid until the tree is cleared or destroyed.
struct ScxNode {
  // Object node: the object's Name. Member node: the member's Name, or
  // "Name (prefix)" when the Name differs from the member prefix beyond letter
  // case. Placeholder: the path element it stands for.
  std::string text;
  // > 0: the object's own record number. < 0: minus the number of the record
  // that declares this member. 0: a placeholder with no record.
  std::int32_t record_ref = 0;
  int level = 0;  // 0 for top-level nodes, parent's level + 1 otherwise
  // Position in pre-order over the whole tree, from 0; up to date once the
  // tree has been walked (First, Next or At) since the last AddNode.
  int index = 0;
  const ScxNode* parent = nullptr;
  std::vector<const ScxNode*> children;  // in insertion order

 private:
  friend class ScxObjectTree;
  const ScxObjectTree* owner_ = nullptr;  // the tree that made it
};

class ScxObjectTree {
 public:
  // Nodes know the tree that made them, so a tree stays where it was made.
  ScxObjectTree() = default;
  ScxObjectTree(const ScxObjectTree&) = delete;
  ScxObjectTree& operator=(const ScxObjectTree&) = delete;

  void Clear();

  // Room in the index of children by name for about `nodes` nodes, so that a
  // build of a large form does not grow it step by step.
  void Reserve(int nodes);

  // Adds a node as the last child of `parent`, or as the last top-level node
  // when `parent` is null, and returns it. Throws std::invalid_argument when
  // `parent` is not a node of this tree, EFormTooLarge when the tree holds
  // kMaxObjectNodes nodes or the node would lie deeper than kMaxObjectLevel.
  const ScxNode& AddNode(const ScxNode* parent, std::string text, std::int32_t record_ref);

  // The first child of `parent` (top-level node when null) whose NodeName is
  // `name`, or null.
  const ScxNode* FindChild(const ScxNode* parent, std::string_view name) const;

  const std::vector<const ScxNode*>& TopLevel() const { return top_level_; }
  int NodeCount() const { return static_cast<int>(nodes_.size()); }
  bool Empty() const { return nodes_.empty(); }

  // The first node in pre-order (the first top-level node), or null when empty.
  const ScxNode* First() const;
  // The node after `node` in pre-order, or null after the last one.
  const ScxNode* Next(const ScxNode& node) const;
  // The node with pre-order index `index` (0 <= index < NodeCount()).
  const ScxNode& At(int index) const { return *PreOrder()[static_cast<std::size_t>(index)]; }

 private:
  // The index of the first child of each name under each parent: open
  // addressing over a power-of-two table at most half full, each slot holding
  // a node (or null), whose parent and NodeName are the key. No allocation
  // per node, and one cache line per lookup.
  std::size_t SlotOf(const ScxNode* parent, std::string_view name) const;
  void GrowNameIndex(std::size_t slots);

  // The nodes in pre-order, each node's `index` set to its position. Worked
  // out again after nodes were added: a build adds every node first and reads
  // the order afterwards, so this costs one walk, not one per node.
  const std::vector<const ScxNode*>& PreOrder() const;

  std::deque<ScxNode> nodes_;  // in the order added; a deque never moves them
  std::vector<const ScxNode*> top_level_;
  std::vector<const ScxNode*> name_index_;
  std::size_t name_index_count_ = 0;
  mutable std::vector<const ScxNode*> pre_order_;
  mutable bool pre_order_stale_ = false;
};

// The object name of a node text: the text before the first " (", or the whole
// text when it holds none. "cmdCancel (Command2)" gives "cmdCancel".
std::string NodeName(std::string_view text);

// The member prefix of a node text: the text after the first " (" without the
// text's last character, or the whole text when it holds no " (".
// "cmdCancel (Command2)" gives "Command2"; "Command1" gives "Command1".
std::string NodeMemberPrefix(std::string_view text);

// Finds the node of the dotted `parent_path` (descending from the top level,
// each element matched exactly against NodeName of the children, the first
// match taken; an element that matches nothing gets a placeholder node with
// record_ref 0), then adds a node with `text` and `record_ref` as its last
// child, or as the last top-level node when the path is empty.
const ScxNode& AddObjectNode(ScxObjectTree& tree, std::string text, std::string_view parent_path,
                             std::int32_t record_ref);

// True for the PLATFORM text of records that describe no object ("COMMENT",
// matched exactly: the table layer has cut the trailing blanks).
bool IsCommentPlatform(std::string_view platform);

// Adds the nodes one object record names through its Properties text: its own
// object for each own Name line (under `parent_path`, with `record_ref`), and
// a member node for each member Name line (under the own name seen so far,
// with -`record_ref`). Callers skip COMMENT records and records with an empty
// ObjName. EFormTooLarge propagates.
void AddRecordNodes(ScxObjectTree& tree, std::string_view parent_path, std::int32_t record_ref,
                    std::string_view properties);

// Rebuilds `tree` from the open table: one pass over the records, each handled
// under its own guard (a record that fails adds nothing more and the walk goes
// on). COMMENT records and records with an empty ObjName add nothing. Reads the
// fields Platform, ObjName, Parent, BaseClass and Properties by name. Failures
// of the walk itself (First, Next) and EFormTooLarge propagate; the tree keeps
// what was built.
void BuildObjectTree(TableDataSet& dataset, ScxObjectTree& tree);

// Closes the dataset, opens `file_name` in it (open failures propagate
// unchanged and leave the tree as it was), clears the tree and, when the table
// has a Parent field, rebuilds it and moves the dataset to the first node's
// record. Failures after the open are dropped; the tree keeps what was built.
// The dataset stays open, but for EFormTooLarge, which closes it and
// propagates with " in " and the file name added.
void OpenScxFile(TableDataSet& dataset, const std::string& file_name, ScxObjectTree& tree);

}  // namespace quorvex
