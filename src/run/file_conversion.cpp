#include "run/file_conversion.h"

#include "formstream/canonical_dfm.h"
#include "dfm/convert_dfm.h"
#include "dfm/convert_pas.h"
#include "scx/object_text.h"
#include "run/output_file.h"

namespace quorvex {

FileConversion::FileConversion(std::string input_path, std::optional<int> code_page)
    : input_path_(std::move(input_path)),
      source_file_name_(ExtractFileName(input_path_)),
      code_page_(code_page) {}

std::string FileConversion::OutputName(std::string_view extension) const {
  return ChangeFileExt(source_file_name_, extension);
}

void FileConversion::SetLoadable(RecordExpansion expand_records) {
  loadable_ = std::make_unique<LoadableConversion>(input_path_, LoadableOptions{code_page_, std::move(expand_records)});
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
  try {
    if (loadable_) {
      progress.ReportProgress(0);
      loadable_->ReadRecords(dataset_);
      object_text_lines_ = loadable_->ObjectText();
    } else {
      quorvex::WriteObjectText(dataset_, tree_, object_text_lines_, progress);
    }
  } catch (...) {
    dataset_.Close();
    throw;
  }
  dataset_.Close();
}

void FileConversion::GenerateDfm(ProgressSink& progress) {
  dfm_lines_.clear();
  canonical_prepared_ = false;
  if (loadable_) {
    progress.ReportProgress(0);
    pas_lines_.clear();
    loadable_->Generate();
    for (const LoadableOutput& output : loadable_->Outputs()) {
      dfm_lines_.insert(dfm_lines_.end(), output.dfm.begin(), output.dfm.end());
      pas_lines_.insert(pas_lines_.end(), output.pas.begin(), output.pas.end());
    }
    return;
  }
  ConvertToDfm(object_text_lines_, dfm_lines_, progress);
}

void FileConversion::GeneratePas() {
  if (loadable_) return;
  pas_lines_.clear();
  ConvertToPas(dfm_lines_, pas_lines_, source_file_name_);
}

void FileConversion::PrepareCanonicalDfm() {
  canonical_prepared_ = true;
  canonical_dfm_.reset();
  canonical_failure_ = nullptr;
  try {
    canonical_dfm_ = CanonicaliseDfmText(JoinLines(dfm_lines_), CodePage());
  } catch (...) {
    canonical_failure_ = std::current_exception();
  }
}

void FileConversion::CanonicaliseDfmLines() {
  if (!canonical_prepared_) PrepareCanonicalDfm();
  if (canonical_failure_) std::rethrow_exception(canonical_failure_);
  dfm_lines_ = SplitLines(*canonical_dfm_);
}

std::vector<OutputFile> FileConversion::OutputFiles() const {
  if (!loadable_) return {{OutputName(".pas"), &pas_lines_}, {OutputName(".dfm"), &dfm_lines_}};
  std::vector<OutputFile> files;
  for (const LoadableOutput& output : loadable_->Outputs()) {
    files.push_back({output.unit_name + ".pas", &output.pas});
    files.push_back({output.unit_name + ".dfm", &output.dfm});
  }
  return files;
}

void FileConversion::Save(const std::string& output_directory) {
  written_files_.clear();
  if (loadable_) {
    for (const OutputFile& file : OutputFiles()) {
      SaveLinesToFile(*file.lines, output_directory + file.name);
      written_files_.push_back(output_directory + file.name);
    }
    return;
  }
  const std::string pas_path = output_directory + OutputName(".pas");
  SaveLinesToFile(pas_lines_, pas_path);
  written_files_.push_back(pas_path);
  std::exception_ptr parse_failure;
  try {
    CanonicaliseDfmLines();
  } catch (...) {
    parse_failure = std::current_exception();
  }
  // Text that does not parse is saved as generated.
  const std::string dfm_path = output_directory + OutputName(".dfm");
  SaveLinesToFile(dfm_lines_, dfm_path);
  written_files_.push_back(dfm_path);
  if (parse_failure) std::rethrow_exception(parse_failure);
}

}  // namespace quorvex
