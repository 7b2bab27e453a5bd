#include "scx/tree_printout.h"

#include <string>

#include "base/escape_bytes.h"

namespace quorvex {

void PrintTree(const ScxObjectTree& tree, std::ostream& out) {
  std::string line;
  for (const ScxNode* node = tree.First(); node != nullptr; node = tree.Next(*node)) {
    line.assign(static_cast<std::size_t>(node->level) * 2, ' ');
    line += EscapeBytes(node->text);
    line += '\t';
    line += std::to_string(node->record_ref);
    line += '\n';
    out << line;
  }
}

}  // namespace quorvex
