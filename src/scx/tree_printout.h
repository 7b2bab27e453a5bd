#pragma once
// The "tree" inspection stage: the object tree as text.

#include <ostream>

#include "scx/scx_object_tree.h"

namespace quorvex {

// One line per node in pre-order: 2 x level spaces, the node text with control
// bytes and backslashes escaped (EscapeBytes), a TAB and the node's record
// reference in decimal, then LF.
void PrintTree(const ScxObjectTree& tree, std::ostream& out);

}  // namespace quorvex
