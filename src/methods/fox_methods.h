#pragma once
// FoxPro methods as records store them. A record's METHODS memo is a run of
// "PROCEDURE name" ... "ENDPROC" blocks; a dotted name ("Page1.Click",
// "Column1.Text1.Valid") is a method of a member below the record's object.
// Class libraries add the methods of an object's classes (FormRecord's
// class_methods). MethodIndex gives each object of a form's tree every
// method it has, from its own record and from the records above it.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/text_list.h"
#include "model/component_model.h"
#include "scx/form_record.h"
#include "scx/scx_object_tree.h"

namespace quorvex {

// One PROCEDURE ... ENDPROC block.
struct MethodBlock {
  std::string member;  // the dotted path before the method's name; "" for the object itself
  std::string name;    // "Click"; "" for lines that stand outside every block
  TextList code;       // the lines between PROCEDURE and ENDPROC, as stored
};

// The blocks of a METHODS memo, in their order. Lines between TEXT and
// ENDTEXT are text of the code, whatever they hold. Lines outside every block
// that are not blank come as one block without a name, so that none is lost.
std::vector<MethodBlock> SplitMethods(std::string_view methods);

class MethodIndex {
 public:
  // `records` and `tree` as BuildFormModels takes them.
  MethodIndex(const std::vector<FormRecord>& records, const ScxObjectTree& tree);

  // The methods of `node`: those its classes define, the furthest ancestor
  // first, then those of the records above it that name it by its path, the
  // nearest first. A method whose member path leads to no object is the
  // method of the record's own object, with that path as its owner.
  std::vector<FoxMethod> MethodsOf(const ScxNode& node) const;

 private:
  struct Entry {
    std::size_t distance;  // from the node up to the record that holds the method
    std::size_t sequence;  // place in that record's methods
    FoxMethod method;
  };
  void AddRecordMethods(const ScxNode& node, const FormRecord& record);
  void AddBlocks(const ScxNode& node, const std::string& origin, const std::string& prefix,
                 std::string_view text, std::size_t& sequence);

  std::unordered_map<const ScxNode*, std::vector<Entry>> entries_;
};

}  // namespace quorvex
