#include "loadable/loadable_conversion.h"

#include "base/ascii.h"
#include "base/text_encoding.h"
#include "binding/data_sources.h"
#include "formstream/canonical_dfm.h"
#include "loadable/form_model_builder.h"
#include "methods/code_translation.h"
#include "methods/unit_methods.h"
#include "model/pascal_names.h"
#include "scx/object_text.h"
#include "table/table_dataset.h"
#include "writers/loadable_text.h"

namespace quorvex {

LoadableConversion::LoadableConversion(std::string input_path, LoadableOptions options)
    : input_path_(std::move(input_path)), options_(std::move(options)) {}

void LoadableConversion::ReadRecords(TableDataSet& dataset) {
  EnterPass(options_.clock, "records");
  code_page_ = options_.code_page.value_or(CodePageOfMark(dataset.CodePageMark()));
  // "0" asks for single-byte text: the Windows default.
  if (code_page_ == 0) code_page_ = 1252;
  std::vector<RecordFailure> failures;
  records_ = ReadFormRecords(dataset, &failures);
  notes_.clear();
  // A damaged record costs only its own objects, but not silently.
  for (const RecordFailure& failure : failures) {
    notes_.push_back("   Warning: record " + std::to_string(failure.record_number) +
                     " could not be read: " + failure.message);
  }
  EnterPass(options_.clock, "class libraries");
  if (options_.expand_records) records_ = options_.expand_records(std::move(records_), input_path_, notes_);
  EnterPass(options_.clock, "model");
  BuildRecordTree(records_, tree_);
}

namespace {

LoadableOutput MakeOutput(const LoadableForm& form, PassClock* clock) {
  EnterPass(clock, "writing");
  LoadableOutput output;
  output.unit_name = form.unit_name;
  output.form_class = form.root.delphi_class;
  output.form_variable = form.root.identifier;
  // The model only writes what the grammar allows; a failure here is a
  // fault of this program and reaches the run as a warning.
  output.dfm_text = CanonicaliseDfmText(WriteLoadableDfm(form), 0, DfmStrings::kAsciiOnly);
  output.pas_text = JoinLines(WriteLoadableUnit(form));
  output.kept_count = KeptSettingCount(form.root);
  output.method_count = FoxMethodCount(form.root);
  output.handled_count = HandledMethodCount(form.root);
  output.translation = CountTranslations(form.root);
  output.uses_runtime = UsesFoxRuntime(form.root);
  output.uses_data = OpensData(form.root);
  output.notes = form.notes;
  output.data_sources = form.data_sources;
  output.bound = BoundControls(form);
  return output;
}

}  // namespace

void LoadableConversion::Generate() {
  outputs_.clear();
  forms_ = BuildFormModels(records_, tree_, UnitNameOf(input_path_), code_page_, {options_.pictures, input_path_},
                           options_.clock);
  for (const LoadableForm& form : forms_) outputs_.push_back(MakeOutput(form, options_.clock));
}

void LoadableConversion::RenameForm(std::size_t index, const std::string& unit_name, const std::string& form_class) {
  forms_.at(index).unit_name = unit_name;
  forms_[index].root.delphi_class = form_class;
  outputs_[index] = MakeOutput(forms_[index], options_.clock);
}

TextList LoadableConversion::ObjectText() const {
  TextList lines;
  for (const ScxNode* node = tree_.First(); node != nullptr; node = tree_.Next(*node)) {
    const FormRecord* record = NodeRecord(records_, *node);
    const std::string base_class = record != nullptr ? record->base_class : std::string();
    const std::string indent(static_cast<std::size_t>(node->level) * 2, ' ');
    lines.push_back(indent + "object " + NodeName(node->text) + "=" +
                    ObjectClassText(*node, base_class, record != nullptr ? record->object_name : std::string()));
    if (record != nullptr) {
      for (const std::string& line : NodePropertyLines(*node, record->properties))
        lines.push_back(indent + "  " + line);
    }
    const ScxNode* next = tree_.Next(*node);
    for (int level = node->level; level >= (next != nullptr ? next->level : 0); --level)
      lines.push_back(std::string(static_cast<std::size_t>(level) * 2, ' ') + "end");
  }
  return lines;
}

}  // namespace quorvex
