#pragma once
// The loadable mode for one form file: its records, read once, go through an
// optional expansion (class libraries), become the object tree by pass 1's
// rules, then one component model per form, and from each model a .dfm text
// that a form designer loads and a unit that declares its components. A form
// set gives one pair of texts per form.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/pass_clock.h"
#include "base/text_list.h"
#include "model/component_model.h"
#include "pictures/picture_source.h"
#include "scx/form_record.h"
#include "scx/scx_object_tree.h"

namespace quorvex {

class TableDataSet;

// Replaces a form's records by the records it stands for: instances of
// library classes with their merged settings and library-defined members
// inserted as records of their own. `form_path` is the form file's path;
// `notes` gets report lines ("   Note: ..."). Throws only what ends the form.
using RecordExpansion = std::function<std::vector<FormRecord>(
    std::vector<FormRecord> records, const std::string& form_path, std::vector<std::string>& notes)>;

struct LoadableOptions {
  // The code page strings are decoded from; default: the table's mark.
  std::optional<int> code_page;
  RecordExpansion expand_records;  // may be empty
  // The picture files the settings name; empty: every picture stays a comment.
  PictureSource pictures = {};
  // Told of each pass as it begins (records, class libraries, model, ...);
  // null: none is.
  PassClock* clock = nullptr;
};

// One form's files: NAME.dfm and NAME.pas.
struct LoadableOutput {
  std::string unit_name;
  std::string form_class;     // TForm1: the class the unit declares, whose resource the .dfm is
  std::string form_variable;  // Form1: the unit's variable of that class, the form's name
  // The files' texts, lines ended by CR LF: the .dfm in the canonical layout, every string in ASCII and
  // #codes (WriteLoadableDfm: before it), and the unit. Held whole: a form of many objects has many lines.
  std::string dfm_text;
  std::string pas_text;
  int kept_count = 0;     // settings kept as comments in the unit
  int method_count = 0;   // FoxPro methods in the unit
  int handled_count = 0;  // of them in handlers of events
  // The FoxPro methods that run and hold code, by how much is translated.
  TranslationCounts translation;
  bool uses_runtime = false;  // the unit uses FoxRuntime, which must be beside it
  bool uses_data = false;     // the unit opens tables through FoxData, which must be beside it
  std::vector<DataSourceMade> data_sources;
  std::vector<BoundControl> bound;  // the components bound to them
  // Report lines of pass 2 ("   Note: ..."): picture files not found or not read.
  std::vector<std::string> notes;
};

class LoadableConversion {
 public:
  LoadableConversion(std::string input_path, LoadableOptions options);

  // Pass 1: reads every record of the open dataset (which is left at Eof),
  // expands them and builds the tree. A record that cannot be read is passed
  // over with a report line in Notes() ("   Warning: record N could not be
  // read: MESSAGE"). EFormTooLarge and read failures of the walk propagate.
  void ReadRecords(TableDataSet& dataset);

  // Pass 2: the model and the texts of every form. Throws Exception("No form
  // in the table") when the tree holds none.
  void Generate();

  // Gives the form of Outputs()[index] the unit `unit_name` and the class
  // `form_class` (identifiers) and makes its texts again: two forms of one
  // class, or two units of one name, cannot be in one program.
  void RenameForm(std::size_t index, const std::string& unit_name, const std::string& form_class);

  const std::vector<FormRecord>& Records() const { return records_; }
  const ScxObjectTree& Tree() const { return tree_; }
  // Report lines of pass 1: records that could not be read, then the notes
  // of the expansion.
  const std::vector<std::string>& Notes() const { return notes_; }
  const std::vector<LoadableOutput>& Outputs() const { return outputs_; }
  // The models of Outputs(), in the same order.
  const std::vector<LoadableForm>& Forms() const { return forms_; }
  int CodePage() const { return code_page_; }

  // The object text of the whole tree (data environment and form set
  // included) in pass 1's layout.
  TextList ObjectText() const;

 private:
  std::string input_path_;
  LoadableOptions options_;
  int code_page_ = 1252;
  std::vector<FormRecord> records_;
  ScxObjectTree tree_;
  std::vector<std::string> notes_;
  std::vector<LoadableForm> forms_;  // the models of outputs_
  std::vector<LoadableOutput> outputs_;
};

}  // namespace quorvex
