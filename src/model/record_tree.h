#pragma once
// A form's records as an object tree, built by pass 1's rules, and what each
// node of it stands for: the record behind it and the FoxPro class it is of.

#include <string>
#include <vector>

#include "scx/form_record.h"
#include "scx/scx_object_tree.h"

namespace quorvex {

// The records' object tree as the component model wants it: pass 1's rules
// (COMMENT records and records without ObjName add nothing), references
// counting the vector from 1. EFormTooLarge propagates.
void BuildRecordTree(const std::vector<FormRecord>& records, ScxObjectTree& tree);

// The base class of the record behind `node`, and the member class for a
// member node ("Commandbutton" ...); "" for a placeholder or a member of a
// container of no known kind.
std::string NodeFoxClass(const std::vector<FormRecord>& records, const ScxNode& node);

// The record behind `node` (its own, or its container's for a member), or null.
const FormRecord* NodeRecord(const std::vector<FormRecord>& records, const ScxNode& node);

}  // namespace quorvex
