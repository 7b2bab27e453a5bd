#pragma once
// One input file's conversion: its table, object tree and the three text lists,
// with the steps that fill and save them. Each step throws on failure; which
// failures are dropped, reported or fatal is the run's decision. One object per
// file, so files convert side by side on several threads; one thread at a
// time uses an object.

#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/packed_lines.h"
#include "base/progress.h"
#include "run/program_names.h"
#include "run/staged_files.h"
#include "scx/scx_object_tree.h"
#include "base/text_list.h"
#include "loadable/loadable_conversion.h"
#include "table/table_dataset.h"

namespace quorvex {

class FileConversion {
 public:
  // `input_path` is the full path of the .scx file. `code_page` overrides the
  // table's code page mark for the canonical text (0 = single-byte).
  explicit FileConversion(std::string input_path, std::optional<int> code_page = std::nullopt);

  // Switches this file to the loadable mode (before OpenTable). The steps
  // then run the loadable conversion: OpenTable opens the table only,
  // WriteObjectText reads its records, GenerateDfm makes every form's texts
  // (GeneratePas has nothing left to do; the picture files its settings name
  // come from `pictures`) and Save writes OutputFiles().
  // ObjectTextLines, DfmLines and PasLines show the loadable texts, every
  // form's one after the other.
  void SetLoadable(RecordExpansion expand_records, PictureSource pictures);
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

  // What the .dfm file gets: the canonical text of DfmLines, or DfmLines as
  // generated when they do not parse. Prepares the canonical text when that
  // was not done. Valid until this conversion changes.
  std::string_view DfmFileText();

  // The files Save writes, in order, in `output_directory` (with its trailing
  // delimiter): the .pas file (the unit), then the .dfm file (DfmFileText);
  // in the loadable mode, each form's .pas and .dfm files (valid after
  // GenerateDfm). Their texts are valid until this conversion changes.
  std::vector<OutputFile> OutputFiles(const std::string& output_directory);
  // The paths of OutputFiles, in the same order, without making their texts.
  std::vector<std::string> OutputPaths(const std::string& output_directory) const;

  // Writes the output files to temporary files beside their targets, making
  // the directory when it is missing (the costly part of saving, so that it
  // can run on a worker thread). Never throws: a file that cannot be written
  // stops the staging, and its failure is kept and raised by Save. Files
  // staged and not saved are removed with this conversion.
  void StageOutputFiles(const std::string& output_directory);

  // Puts the .pas file, then the .dfm file (canonical text when it parsed,
  // DfmLines as generated otherwise) in place in `output_directory` (with its
  // trailing delimiter), staging them first when StageOutputFiles was not
  // called. No .dfm file when the .pas file fails. Throws the write failure,
  // else the parse failure after both files are written.
  void Save(const std::string& output_directory);

  // Removes what StageOutputFiles wrote, for a conversion not to be saved.
  void DiscardStagedFiles();

  // In the loadable mode, claims each form's class from `names`, and with
  // `units` its unit's name too, in the order of the forms; a form that gets
  // another name has its texts made again (what was staged of them is
  // discarded). Nothing in the default mode.
  void ClaimProgramNames(ProgramNames& names, bool units);

  // The files the latest Save wrote, in the order written.
  const std::vector<std::string>& WrittenFiles() const { return written_files_; }

  const std::string& InputPath() const { return input_path_; }
  // The input's name without its directory, e.g. main.scx.
  const std::string& SourceFileName() const { return source_file_name_; }
  std::string OutputName(std::string_view extension) const;

  const ScxObjectTree& Tree() const { return tree_; }
  const TextList& ObjectTextLines() const;
  const TextList& DfmLines() const;
  const TextList& PasLines() const;
  TextList& MutableObjectTextLines();
  TextList& MutableDfmLines();
  TextList& MutablePasLines();

  // The code page the canonical text is cut for (after OpenTable, the table's).
  int CodePage() const { return code_page_.value_or(0); }

 private:
  std::string input_path_;
  std::string source_file_name_;
  std::optional<int> code_page_;
  TableDataSet dataset_;
  ScxObjectTree tree_;
  // The object text is kept packed once written, and listed again only when
  // asked for: the conversion itself reads it once, line by line.
  mutable TextList object_text_lines_;
  mutable PackedLines object_text_;
  mutable bool object_text_packed_ = false;
  // Once DfmLines are the canonical text's, they are split from it only when
  // asked for: saving needs the text, and a large form's lines take more room.
  mutable TextList dfm_lines_;
  mutable bool dfm_lines_in_canonical_text_ = false;
  mutable TextList pas_lines_;
  // In the loadable mode the three are listed from its texts only when asked
  // for: the run itself writes the texts, and a large form's lines take room.
  mutable bool loadable_texts_listed_ = false;
  std::vector<std::string> written_files_;
  bool canonical_prepared_ = false;
  std::optional<std::string> canonical_dfm_;
  std::exception_ptr canonical_failure_;
  // The texts of OutputFiles that are not kept elsewhere.
  std::string pas_file_text_;
  std::string generated_dfm_text_;
  StagedFiles staged_;
  bool staged_for_save_ = false;
  std::exception_ptr stage_failure_;
  // ObjectTextLines, DfmLines and PasLines to be listed again from the
  // loadable conversion when next asked for.
  void ShowLoadableTexts();
  // Lists them, in the loadable mode, when they are not.
  void ListLoadableTexts() const;

  std::unique_ptr<LoadableConversion> loadable_;
};

}  // namespace quorvex
