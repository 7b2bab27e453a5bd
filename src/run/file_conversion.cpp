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

void FileConversion::OpenTable() {
  OpenScxFile(dataset_, input_path_, tree_);
  if (!code_page_) code_page_ = CodePageFromMark(dataset_.CodePageMark());
}

void FileConversion::WriteObjectText(ProgressSink& progress) {
  object_text_lines_.clear();
  try {
    quorvex::WriteObjectText(dataset_, tree_, object_text_lines_, progress);
  } catch (...) {
    dataset_.Close();
    throw;
  }
  dataset_.Close();
}

void FileConversion::GenerateDfm(ProgressSink& progress) {
  dfm_lines_.clear();
  canonical_prepared_ = false;
  ConvertToDfm(object_text_lines_, dfm_lines_, progress);
}

void FileConversion::GeneratePas() {
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

void FileConversion::Save(const std::string& output_directory) {
  written_files_.clear();
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
