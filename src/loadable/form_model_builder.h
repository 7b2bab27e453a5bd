#pragma once
// Builds the loadable mode's component model of every form in a table, from
// the table's records and the object tree built from them by pass 1's rules.
// Each form node (an object whose record's base class is form) is one form,
// so each form of a form set is one; the settings of the form set are kept
// as comments in the first form's unit. The data environment is part of no
// form: it gives every form its data sources (data_sources.h).

#include <string>
#include <vector>

#include "base/pass_clock.h"
#include "model/component_model.h"
#include "model/record_tree.h"
#include "pictures/component_pictures.h"
#include "scx/form_record.h"
#include "scx/scx_object_tree.h"

namespace quorvex {

// `tree` is built from `records` with record references counting the
// records from 1 in vector order (not their table record numbers). `unit_name`
// is the unit name of the input; with more than one form each form's unit is
// unit_name + "_" + the form's identifier. Strings are decoded from
// `code_page`; the picture files the settings name come from `pictures`.
// `clock`, when given, is told of each pass. Throws Exception("No form in
// the table") when there is none.
std::vector<LoadableForm> BuildFormModels(const std::vector<FormRecord>& records, const ScxObjectTree& tree,
                                          const std::string& unit_name, int code_page,
                                          const PictureFiles& pictures = {}, PassClock* clock = nullptr);

}  // namespace quorvex
