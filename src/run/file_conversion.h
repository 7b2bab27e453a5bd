#pragma once
// One input file's conversion: its table, object tree and the three text lists,
// with the steps that fill and save them. Each step throws on failure; which
// failures are dropped, reported or fatal is the run's decision. One object per
// file, so files convert side by side on several threads.

#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/progress.h"
#include "scx/scx_object_tree.h"
#include "base/text_list.h"
#include "loadable/loadable_conversion.h"
#include "table/table_dataset.h"

namespace quorvex {

// One file a conversion writes: its name in the output directory and its lines.
struct OutputFile {
  std::string name;
  const TextList* lines;
};

class FileConversion {
 public:
  // `input_path` is the full path of the .scx file. `code_page` overrides the
  // table's code page mark for the canonical text (0 = single-byte).
  explicit FileConversion(std::string input_path, std::optional<int> code_page = std::nullopt);

  // Switches this file to the loadable mode (before OpenTable). The steps
  // then run the loadable conversion: OpenTable opens the table only,
  // WriteObjectText reads its records, GenerateDfm makes every form's texts
  // (GeneratePas has nothing left to do) and Save writes OutputFiles().
  // ObjectTextLines, DfmLines and PasLines show the loadable texts, every
  // form's one after the other.
  void SetLoadable(RecordExpansion expand_records);
  const LoadableConversion* Loadable() const { return loadable_.get(); }

  // Opens the table and builds the object tree. Open failures propagate.
  void OpenTable();

  // Clears ObjectTextLines and writes the object text; the table is closed
  // afterwards whatever happens.
  void WriteObjectText(ProgressSink& progress);

  // DfmLines from ObjectTextLines. Failures leave the lines written so far.
  void GenerateDfm(ProgressSink& progress);

  // PasLines from DfmLines and SourceFileName.
  void GeneratePas();

  // Parses DfmLines into the canonical text ahead of Save (the costly part, so
  // that it can run on a worker thread). Never throws: a parse failure is kept
  // and raised by Save. Save prepares it itself when this was not called.
  void PrepareCanonicalDfm();

  // Replaces DfmLines by the lines of their canonical text. Throws the parse
  // failure when they do not parse, leaving DfmLines as generated.
  void CanonicaliseDfmLines();

  // Writes the .pas file, then the .dfm file (canonical text when it parsed,
  // DfmLines as generated otherwise) into `output_directory` (with its
  // trailing delimiter). No .dfm file when the .pas file fails. Throws the
  // write failure, else the parse failure after both files are written.
  void Save(const std::string& output_directory);

  // The files the latest Save wrote, in the order written.
  const std::vector<std::string>& WrittenFiles() const { return written_files_; }

  const std::string& InputPath() const { return input_path_; }
  // The input's name without its directory, e.g. main.scx.
  const std::string& SourceFileName() const { return source_file_name_; }
  std::string OutputName(std::string_view extension) const;

  // The files Save writes, in the order it writes them (.pas before .dfm).
  // For the loadable mode, valid after GenerateDfm; the lines stay owned here.
  std::vector<OutputFile> OutputFiles() const;

  const ScxObjectTree& Tree() const { return tree_; }
  TableDataSet& DataSet() { return dataset_; }
  const TextList& ObjectTextLines() const { return object_text_lines_; }
  const TextList& DfmLines() const { return dfm_lines_; }
  const TextList& PasLines() const { return pas_lines_; }
  TextList& MutableObjectTextLines() { return object_text_lines_; }
  TextList& MutableDfmLines() { return dfm_lines_; }
  TextList& MutablePasLines() { return pas_lines_; }

  // The code page the canonical text is cut for (after OpenTable, the table's).
  int CodePage() const { return code_page_.value_or(0); }

 private:
  std::string input_path_;
  std::string source_file_name_;
  std::optional<int> code_page_;
  TableDataSet dataset_;
  ScxObjectTree tree_;
  TextList object_text_lines_;
  TextList dfm_lines_;
  TextList pas_lines_;
  std::vector<std::string> written_files_;
  bool canonical_prepared_ = false;
  std::optional<std::string> canonical_dfm_;
  std::exception_ptr canonical_failure_;
  std::unique_ptr<LoadableConversion> loadable_;
};

}  // namespace quorvex
