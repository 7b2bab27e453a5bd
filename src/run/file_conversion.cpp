#include "run/file_conversion.h"

#include "catalog/published_properties.h"
#include "dfm/convert_dfm.h"
#include "dfm/convert_pas.h"
#include "formstream/canonical_dfm.h"
#include "run/output_file.h"
#include "scx/object_text.h"

namespace quorvex {

FileConversion::FileConversion(std::string input_path, std::optional<int> code_page)
    : input_path_(std::move(input_path)),
      source_file_name_(ExtractFileName(input_path_)),
      code_page_(code_page) {}

std::string FileConversion::OutputName(std::string_view extension) const {
  return ChangeFileExt(source_file_name_, extension);
}

void FileConversion::SetLoadable(RecordExpansion expand_records, PictureSource pictures) {
  loadable_ = std::make_unique<LoadableConversion>(
      input_path_, LoadableOptions{code_page_, std::move(expand_records), std::move(pictures)});
}

void FileConversion::OpenTable() {
  if (loadable_) {
    dataset_.Close();
    dataset_.SetTableName(input_path_);
    dataset_.Open();
    return;
  }
  OpenScxFile(dataset_, input_path_, tree_);
  if (!code_page_) code_page_ = CodePageFromMark(dataset_.CodePageMark());
}

void FileConversion::WriteObjectText(ProgressSink& progress) {
  object_text_lines_.clear();
  object_text_ = PackedLines();
  object_text_packed_ = true;
  try {
    if (loadable_) {
      progress.ReportProgress(0);
      // Nothing to list until the records are read.
      object_text_packed_ = false;
      loadable_texts_listed_ = true;
      loadable_->ReadRecords(dataset_);
      loadable_texts_listed_ = false;
    } else {
      quorvex::WriteObjectText(dataset_, tree_, object_text_, progress);
    }
  } catch (...) {
    dataset_.Close();
    object_text_.ShrinkToFit();
    throw;
  }
  dataset_.Close();
  object_text_.ShrinkToFit();
}

const TextList& FileConversion::ObjectTextLines() const {
  ListLoadableTexts();
  if (object_text_packed_) {
    object_text_lines_ = object_text_.ToList();
    object_text_ = PackedLines();
    object_text_packed_ = false;
  }
  return object_text_lines_;
}

TextList& FileConversion::MutableObjectTextLines() {
  ObjectTextLines();
  return object_text_lines_;
}

void FileConversion::GenerateDfm(ProgressSink& progress) {
  dfm_lines_.clear();
  dfm_lines_in_canonical_text_ = false;
  canonical_prepared_ = false;
  if (loadable_) {
    progress.ReportProgress(0);
    pas_lines_.clear();
    loadable_->Generate();
    ShowLoadableTexts();
    return;
  }
  if (object_text_packed_) {
    ConvertPackedToDfm(object_text_, dfm_lines_, progress);
  } else {
    ConvertToDfm(object_text_lines_, dfm_lines_, progress);
  }
}

void FileConversion::ShowLoadableTexts() { loadable_texts_listed_ = false; }

void FileConversion::ListLoadableTexts() const {
  if (!loadable_ || loadable_texts_listed_) return;
  loadable_texts_listed_ = true;
  object_text_lines_ = loadable_->ObjectText();
  dfm_lines_.clear();
  pas_lines_.clear();
  for (const LoadableOutput& output : loadable_->Outputs()) {
    const TextList dfm = SplitLines(output.dfm_text);
    const TextList pas = SplitLines(output.pas_text);
    dfm_lines_.insert(dfm_lines_.end(), dfm.begin(), dfm.end());
    pas_lines_.insert(pas_lines_.end(), pas.begin(), pas.end());
  }
}

namespace {

// A form class named after its unit: "T" and the unit's name, "Form" after
// it where that names a class the form uses (a unit "checkbox" would give
// TCheckBox).
std::string FormClassOfUnit(const std::string& unit_name) {
  const std::string form_class = "T" + unit_name;
  return PublishedProperties::Shared().HasClass(form_class) ? form_class + "Form" : form_class;
}

}  // namespace

void FileConversion::ClaimProgramNames(ProgramNames& names, bool units) {
  if (!loadable_) return;
  bool renamed = false;
  for (std::size_t i = 0; i < loadable_->Outputs().size(); ++i) {
    const LoadableOutput& output = loadable_->Outputs()[i];
    const std::string unit_name = units ? names.ClaimUnit(output.unit_name) : output.unit_name;
    const std::string form_class = names.ClaimClass(output.form_class, FormClassOfUnit(unit_name));
    if (unit_name == output.unit_name && form_class == output.form_class) continue;
    loadable_->RenameForm(i, unit_name, form_class);
    renamed = true;
  }
  if (!renamed) return;
  ShowLoadableTexts();
  DiscardStagedFiles();
}

void FileConversion::GeneratePas() {
  if (loadable_) return;
  pas_lines_.clear();
  ConvertToPas(DfmLines(), pas_lines_, source_file_name_);
}

const TextList& FileConversion::DfmLines() const {
  ListLoadableTexts();
  if (dfm_lines_in_canonical_text_) {
    dfm_lines_ = SplitLines(*canonical_dfm_);
    dfm_lines_in_canonical_text_ = false;
  }
  return dfm_lines_;
}

const TextList& FileConversion::PasLines() const {
  ListLoadableTexts();
  return pas_lines_;
}

TextList& FileConversion::MutablePasLines() {
  ListLoadableTexts();
  return pas_lines_;
}

TextList& FileConversion::MutableDfmLines() {
  DfmLines();
  canonical_prepared_ = false;  // the lines may change
  return dfm_lines_;
}

void FileConversion::PrepareCanonicalDfm() {
  canonical_prepared_ = true;
  canonical_dfm_.reset();
  canonical_failure_ = nullptr;
  try {
    canonical_dfm_ = CanonicaliseDfmText(DfmLines(), CodePage());
  } catch (...) {
    canonical_failure_ = std::current_exception();
  }
}

void FileConversion::CanonicaliseDfmLines() {
  if (!canonical_prepared_) PrepareCanonicalDfm();
  if (canonical_failure_) std::rethrow_exception(canonical_failure_);
  TextList().swap(dfm_lines_);
  dfm_lines_in_canonical_text_ = true;
}

std::string_view FileConversion::DfmFileText() {
  if (!canonical_prepared_) PrepareCanonicalDfm();
  if (canonical_dfm_) return *canonical_dfm_;
  // Text that does not parse is saved as generated.
  generated_dfm_text_ = JoinLines(DfmLines());
  return generated_dfm_text_;
}

std::vector<std::string> FileConversion::OutputPaths(const std::string& output_directory) const {
  if (!loadable_) return {output_directory + OutputName(".pas"), output_directory + OutputName(".dfm")};
  std::vector<std::string> paths;
  for (const LoadableOutput& output : loadable_->Outputs()) {
    paths.push_back(output_directory + output.unit_name + ".pas");
    paths.push_back(output_directory + output.unit_name + ".dfm");
  }
  return paths;
}

std::vector<OutputFile> FileConversion::OutputFiles(const std::string& output_directory) {
  std::vector<std::string> paths = OutputPaths(output_directory);
  std::vector<OutputFile> files;
  if (loadable_) {
    std::size_t i = 0;
    for (const LoadableOutput& output : loadable_->Outputs()) {
      files.push_back({std::move(paths[i++]), output.pas_text});
      files.push_back({std::move(paths[i++]), output.dfm_text});
    }
    return files;
  }
  pas_file_text_ = JoinLines(pas_lines_);
  files.push_back({std::move(paths[0]), pas_file_text_});
  files.push_back({std::move(paths[1]), DfmFileText()});
  return files;
}

void FileConversion::StageOutputFiles(const std::string& output_directory) {
  staged_.Discard();
  staged_for_save_ = true;
  stage_failure_ = nullptr;
  try {
    staged_.MakeFolder(output_directory);
    for (const OutputFile& file : OutputFiles(output_directory)) staged_.Add(file);
  } catch (...) {
    stage_failure_ = std::current_exception();
  }
  // Written out; the canonical text stays, as DfmLines come from it.
  std::string().swap(pas_file_text_);
  std::string().swap(generated_dfm_text_);
}

void FileConversion::DiscardStagedFiles() {
  staged_.Discard();
  staged_for_save_ = false;
}

void FileConversion::Save(const std::string& output_directory) {
  if (!staged_for_save_) StageOutputFiles(output_directory);
  staged_for_save_ = false;
  written_files_.clear();
  std::exception_ptr failure = stage_failure_;
  try {
    staged_.Commit(written_files_);
  } catch (...) {
    failure = std::current_exception();
  }
  // Once the .pas file is in place, DfmLines become the canonical text's
  // lines, as the .dfm file gets that text (the loadable mode's are already).
  if (!loadable_ && !written_files_.empty() && !canonical_failure_) CanonicaliseDfmLines();
  if (failure) std::rethrow_exception(failure);
  if (canonical_failure_) std::rethrow_exception(canonical_failure_);
}

}  // namespace quorvex
