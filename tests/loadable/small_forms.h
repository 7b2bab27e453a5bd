#pragma once
// Small forms for the loadable mode's tests: records written by the fixture
// writer, converted in memory, and the settings of one component read back.

#include <initializer_list>
#include <string>
#include <vector>

#include "fixtures/scx_writer.h"
#include "loadable/loadable_conversion.h"

namespace quorvex::testing {

// A form's outputs with its two texts as lines, as the tests read them.
struct ConvertedForm : LoadableOutput {
  TextList dfm;
  TextList pas;
};

// The outputs of converting the built tables `built` as the form `scx_path`
// (its memo beside it, .sct), with `options`; the conversion's notes in `notes`.
std::vector<ConvertedForm> ConvertTables(const fixtures::TableFiles& built, const std::string& scx_path,
                                          LoadableOptions options = {}, std::vector<std::string>* notes = nullptr);

// The .dfm and .pas of a form holding `objects`, its own lines `form_lines`.
ConvertedForm ConvertForm(std::initializer_list<fixtures::ScxRecord> objects,
                           std::initializer_list<std::string> form_lines = {});

// A record as FoxPro writes it: the object's own lines, its Name, then the
// lines of its members ("cmdGo.Left = 10").
fixtures::ScxRecord Object(std::string name, std::string base_class, std::vector<std::string> lines,
                           std::string parent = "Form1");

// The settings of component `name` in the .dfm, in their order, blanks cut
// (a value of several lines gives one entry a line).
std::vector<std::string> SettingsOf(const ConvertedForm& form, const std::string& name);

}  // namespace quorvex::testing
