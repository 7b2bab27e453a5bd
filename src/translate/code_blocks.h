#pragma once
// The structure of a FoxPro method: its statements nested in the blocks that
// hold them (IF ... ELSE ... ENDIF, DO CASE ... CASE ... OTHERWISE ...
// ENDCASE, loops, WITH, and the blocks no translation is made of: SCAN, TRY,
// FOR EACH, TEXT, PRINTJOB), with FoxPro's abbreviations of the keywords to
// four letters.

#include <functional>
#include <string_view>
#include <vector>

#include "translate/fox_statements.h"
#include "translate/not_translated.h"

namespace quorvex {

enum class BlockKind { kNone, kIf, kCase, kFor, kForEach, kWhile, kWith, kScan, kTry, kText, kPrintJob };

struct CodeNode {
  const FoxStatement* statement = nullptr;  // a statement, or the block's first line
  BlockKind kind = BlockKind::kNone;
  // A block's parts, each a line that starts it (IF, ELSE; DO CASE, CASE ...,
  // OTHERWISE) and the nodes it holds.
  struct Part {
    const FoxStatement* head = nullptr;
    std::vector<CodeNode> body;
  };
  std::vector<Part> parts;
  const FoxStatement* end = nullptr;  // ENDIF, ENDCASE ...
};

// The nodes of `statements` (which outlive them); not translated ("blocks
// that do not close") where a block is not closed, or closed or continued by
// a line of another block.
Translated<std::vector<CodeNode>> BuildBlocks(const std::vector<FoxStatement>& statements);

// True when `word` is FoxPro's keyword `keyword` or its abbreviation to four
// letters or more.
bool IsKeyword(std::string_view word, std::string_view keyword);

// The statements of `node`, in order (its own lines, and those of every node
// it holds).
void ForEachStatement(const CodeNode& node, const std::function<void(const FoxStatement&)>& each);

}  // namespace quorvex
