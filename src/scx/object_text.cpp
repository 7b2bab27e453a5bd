#include "scx/object_text.h"

#include <cstdlib>
#include <exception>

#include "vocabulary/lists.h"
#include "scx/named_field.h"
#include "scx/scx_property_line.h"
#include "base/ascii.h"
#include "table/table_dataset.h"

namespace quorvex {

namespace {

constexpr std::string_view kFormBaseClass = "form";

// Members exist only as lines of their container's record, which tells their
// class by the container's base class alone.
struct MemberClass {
  std::string_view container;
  std::string_view member;
};
constexpr MemberClass kMemberClasses[] = {
    {"Commandgroup", "Commandbutton"},
    {"Optiongroup", "Optionbutton"},
    {"Pageframe", "Page"},
    {"grid", "Column"},
};

// The lines are made in one buffer that keeps its room from line to line,
// and copied into the output as they are complete.
void IndentedLine(std::string& line, int level, std::string_view text) {
  line.assign(static_cast<std::size_t>(level) * 2, ' ');
  line += text;
}

// "object NAME=CLASS" after 2 x level spaces.
void ObjectLine(std::string& line, int level, std::string_view name, std::string_view class_text) {
  IndentedLine(line, level, "object ");
  line += name;
  line += '=';
  line += class_text;
}

// Makes `node` current: tells the observer, then moves the table to the node's
// record (a member's record is its container's; a placeholder has none).
void MakeCurrent(TableDataSet& dataset, const ScxNode& node, const ScxNodeCallback& on_current) {
  if (on_current) on_current(node);
  if (node.record_ref != 0) dataset.SetRecNo(std::abs(node.record_ref));
}

// The BaseClass of the node's record, which must be current; a placeholder's
// counts as empty.
std::string RecordBaseClass(const NamedField& base_class, const ScxNode& node) {
  return node.record_ref == 0 ? std::string() : base_class.AsString();
}

// Calls each(line) for the lines of `properties` that belong to `node`, as
// NodePropertyLines lists them.
template <typename Each>
void ForEachNodePropertyLine(const ScxNode& node, std::string_view properties, Each&& each) {
  if (node.record_ref == 0) return;
  if (node.record_ref > 0) {
    // Own lines go out whole, leading blanks and lines without "=" included.
    ForEachLine(properties, [&](std::string_view line) {
      if (!SplitPropertyName(line).is_member) each(line);
    });
    return;
  }
  // Matched without regard to case, as the tree matched the member's Name to
  // its prefix: a member named "Command1" keeps the lines of "command1".
  const std::string prefix = NodeMemberPrefix(node.text);
  ForEachLine(properties, [&](std::string_view line) {
    const std::string_view text = TrimLeftBlanks(line);
    const std::size_t dot = NamePart(text).rfind('.');
    if (dot != std::string_view::npos && SameText(text.substr(0, dot), prefix)) each(text.substr(dot + 1));
  });
}

}  // namespace

std::string_view MemberBaseClass(std::string_view container_base_class) {
  for (const MemberClass& member_class : kMemberClasses) {
    if (SameText(container_base_class, member_class.container)) return member_class.member;
  }
  return {};
}

std::string ObjectClassText(const ScxNode& node, std::string_view base_class, std::string_view obj_name) {
  // The form's class is the Delphi form class named after the form object.
  if (SameText(base_class, kFormBaseClass)) {
    std::string form_class = "T";
    form_class += obj_name;
    return form_class;
  }
  if (node.record_ref > 0) return std::string(base_class);
  return std::string(MemberBaseClass(base_class));
}

TextList NodePropertyLines(const ScxNode& node, std::string_view properties) {
  TextList result;
  ForEachNodePropertyLine(node, properties, [&](std::string_view line) { result.emplace_back(line); });
  return result;
}

namespace {

// One walk over the tree: where it writes, how far it has written, and the
// operations in the order they call each other. `Lines` is a TextList or
// PackedLines.
template <typename Lines>
class ObjectTextWriter {
 public:
  ObjectTextWriter(TableDataSet& dataset, const ScxObjectTree& tree, Lines& out, ProgressSink& progress,
                   const ScxNodeCallback& on_current)
      : dataset_(dataset),
        tree_(tree),
        out_(out),
        progress_(progress),
        on_current_(on_current),
        base_class_(dataset, "BaseClass"),
        obj_name_(dataset, "ObjName"),
        properties_(dataset, "Properties") {}

  // The blocks of `start` and of every node after it in pre-order, with the
  // end lines for every level left, down to level 0 after the last node.
  void WriteObjectsFrom(const ScxNode& start) {
    int closing_level = 0;
    for (const ScxNode* node = &start; node != nullptr;) {
      WriteObject(*node);
      closing_level = node->level - 1;
      const ScxNode* next = tree_.Next(*node);
      if (next != nullptr && next->level <= closing_level) {
        for (int level = closing_level; level >= next->level; --level) AddEndLine(level);
      }
      node = next;
    }
    // Down to level 0 even when the start node lies deeper (a form inside a
    // form set): the levels above it get end lines though their object lines
    // were never written, so the text always ends at level 0.
    for (int level = closing_level; level >= 0; --level) AddEndLine(level);
  }

 private:
  // One node: its object line, its property lines and, when the next node in
  // pre-order is not deeper, its own end line. Drops any failure but a form
  // too large; lines completed before the failure stay.
  void WriteObject(const ScxNode& node) {
    try {
      WriteObjectLines(node);
    } catch (const EFormTooLarge&) {
      throw;
    } catch (const std::exception&) {
      // One unreadable object, or a cancel, must not stop the walk: the levels
      // it opened are still closed by the caller, so the text stays balanced.
    }
  }

  void WriteObjectLines(const ScxNode& node) {
    progress_.ReportProgress(node.index);
    MakeCurrent(dataset_, node, on_current_);
    const int level = node.level;
    const std::string base_class = RecordBaseClass(base_class_, node);
    const std::string obj_name = SameText(base_class, kFormBaseClass) ? obj_name_.AsString() : std::string();
    ObjectLine(line_, level, NodeName(node.text), ObjectClassText(node, base_class, obj_name));
    Add();
    if (node.record_ref != 0) {
      const std::string properties = properties_.AsString();
      ForEachNodePropertyLine(node, properties, [&](std::string_view text) {
        IndentedLine(line_, level + 1, text);
        Add();
      });
    }
    const ScxNode* next = tree_.Next(node);
    if (next == nullptr || next->level <= level) AddEndLine(level);
  }

  void AddEndLine(int level) {
    IndentedLine(line_, level, "end");
    Add();
  }

  // Adds line_. Records that share memo entries multiply their lines, so a
  // damaged form could ask for more text than memory holds: the text has a
  // ceiling.
  void Add() {
    bytes_ += line_.size() + 2;
    if (bytes_ > kMaxObjectTextBytes)
      throw EFormTooLarge("The object text is larger than " + std::to_string(kMaxObjectTextBytes >> 20) + " MB");
    out_.emplace_back(line_);
  }

  TableDataSet& dataset_;
  const ScxObjectTree& tree_;
  Lines& out_;
  ProgressSink& progress_;
  const ScxNodeCallback& on_current_;
  const NamedField base_class_;
  const NamedField obj_name_;
  const NamedField properties_;
  std::string line_;
  std::size_t bytes_ = 0;
};

template <typename Lines>
void WriteObjectTextTo(TableDataSet& dataset, const ScxObjectTree& tree, Lines& out, ProgressSink& progress,
                       const ScxNodeCallback& on_current) {
  const ScxNode* form = tree.First();
  if (form != nullptr) MakeCurrent(dataset, *form, on_current);
  const NamedField base_class(dataset, "BaseClass");
  while (form != nullptr && !SameText(RecordBaseClass(base_class, *form), kFormBaseClass)) {
    form = tree.Next(*form);
    if (form != nullptr) MakeCurrent(dataset, *form, on_current);
  }
  if (form == nullptr) return;
  progress.SetRange(tree.NodeCount() - 1);
  ObjectTextWriter<Lines>(dataset, tree, out, progress, on_current).WriteObjectsFrom(*form);
}

}  // namespace

void WriteObjectText(TableDataSet& dataset, const ScxObjectTree& tree, TextList& out, ProgressSink& progress,
                     const ScxNodeCallback& on_current) {
  WriteObjectTextTo(dataset, tree, out, progress, on_current);
}

void WriteObjectText(TableDataSet& dataset, const ScxObjectTree& tree, PackedLines& out, ProgressSink& progress,
                     const ScxNodeCallback& on_current) {
  WriteObjectTextTo(dataset, tree, out, progress, on_current);
}

}  // namespace quorvex
