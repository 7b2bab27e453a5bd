#pragma once
// The object text: pass 1's output and pass 2's input. One block per object
// of the form's tree, in pre-order:
//
//   object NAME=CLASS          2 x level spaces first; CLASS may be empty
//     Property = value         the record's own lines, or a member's lines
//     object ...               the blocks of the objects it contains
//   end                        2 x level spaces first
//
// Property lines are the form's own text (values keep their quotes), indented
// one level deeper than their object line. Each object line is matched by an
// end line with the same indentation; a form that lies below the top level
// (inside a form set) also gets end lines for the levels above it.

#include <functional>

#include "base/packed_lines.h"
#include "base/progress.h"
#include "scx/scx_object_tree.h"
#include "base/text_list.h"

namespace quorvex {

class TableDataSet;

// Called with each node as the walk makes it current (before its record is
// read), so a viewer can follow the walk. May be empty.
using ScxNodeCallback = std::function<void(const ScxNode&)>;

// Appends the object text of the open table's form to `out`. The form is the
// first node in pre-order whose record's BaseClass is "form" (letter case
// aside); nodes before it are searched but not written, nodes after its
// subtree are written. Without such a node nothing is written and `progress`
// is not touched; otherwise `progress` gets SetRange(NodeCount() - 1) and one
// ReportProgress per written node with its pre-order index.
// A failure while one node is written (its record unreadable, a cancel thrown
// by `progress`, a throwing `on_current`) is dropped: that node's lines are
// missing, the walk goes on and the closing end lines are still written.
// Failures while searching for the form propagate, and so does EFormTooLarge
// when the text would pass kMaxObjectTextBytes (`out` keeps what was written). Moves the dataset's
// current record (SetRecNo) to each node's record.
void WriteObjectText(TableDataSet& dataset, const ScxObjectTree& tree, TextList& out, ProgressSink& progress,
                     const ScxNodeCallback& on_current = {});
// The same into lines packed in one buffer.
void WriteObjectText(TableDataSet& dataset, const ScxObjectTree& tree, PackedLines& out, ProgressSink& progress,
                     const ScxNodeCallback& on_current = {});

// The FoxPro class of the members that a container of `container_base_class`
// declares in its own record ("Commandbutton" for a commandgroup,
// "Optionbutton", "Page", "Column" for an optiongroup, pageframe, grid), or ""
// for any other container. Letter case of the argument aside.
std::string_view MemberBaseClass(std::string_view container_base_class);

// The class written after "=" on a node's object line, from its record's
// BaseClass (and ObjName when the record is a form); empty for placeholders
// and for members of containers other than command groups, option groups,
// page frames and grids.
std::string ObjectClassText(const ScxNode& node, std::string_view base_class, std::string_view obj_name);

// The lines of `properties` (a record's Properties text) that belong to
// `node`, without indentation: for an own record every line whose name part
// holds no "."; for a member every line whose member prefix equals the node's
// NodeMemberPrefix (letter case aside), cut to the text after the prefix's
// ".". A placeholder has none.
TextList NodePropertyLines(const ScxNode& node, std::string_view properties);

}  // namespace quorvex
