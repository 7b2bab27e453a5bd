#include "fuzz_conversions.h"

#include <cstdlib>
#include <memory>
#include <sstream>

#include "base/errors.h"
#include "dfm/convert_dfm.h"
#include "dfm/convert_pas.h"
#include "formstream/canonical_dfm.h"
#include "run/picture_files.h"
#include "scx/object_text.h"
#include "scx/scx_object_tree.h"
#include "scx/tree_printout.h"
#include "table/table_dataset.h"

namespace quorvex {

void ConvertDefault(FileSystem& files, const std::string& form_path) {
  TableDataSet dataset("TableDataSet1", files);
  ScxObjectTree tree;
  TextList object_text, dfm, pas;
  int code_page = 0;
  try {
    OpenScxFile(dataset, form_path, tree);
    code_page = CodePageFromMark(dataset.CodePageMark());
    std::ostringstream printed;
    PrintTree(tree, printed);
    WriteObjectText(dataset, tree, object_text, NullProgress());
  } catch (const Exception&) {
    return;
  }
  try {
    ConvertToDfm(object_text, dfm, NullProgress());
  } catch (const Exception&) {
  }
  ConvertToPas(dfm, pas, "form.scx");
  try {
    CanonicaliseDfmText(JoinLines(dfm), code_page);
  } catch (const Exception&) {
  }
}

void ConvertLoadable(FileSystem& files, const std::string& form_path, RecordExpansion expand_records) {
  TableDataSet dataset("TableDataSet1", files);
  const std::shared_ptr<FileSystem> unowned(&files, [](FileSystem*) {});  // outlives the conversion
  LoadableConversion conversion(form_path, {.code_page = std::nullopt,
                                            .expand_records = std::move(expand_records),
                                            .pictures = FilePictureSource(unowned)});
  try {
    dataset.SetTableName(form_path);
    dataset.Open();
    conversion.ReadRecords(dataset);
    conversion.Generate();
  } catch (const Exception&) {
    return;
  }
  for (const LoadableOutput& output : conversion.Outputs()) {
    const std::string& text = output.dfm_text;
    try {
      if (CanonicaliseDfmText(text, 0, DfmStrings::kAsciiOnly) != text) std::abort();
    } catch (const EParserError& error) {
      if (!IsWideStringContinuation(text, error.what())) std::abort();
    }
  }
}

bool IsWideStringContinuation(std::string_view text, const std::string& message) {
  static constexpr std::string_view kFault = "String expected on line ";
  if (message.rfind(kFault, 0) != 0) return false;
  const int line = std::atoi(message.c_str() + kFault.size());
  std::size_t start = 0;
  for (int i = 1; i < line - 1; ++i) start = text.find('\n', start) + 1;
  const std::size_t end = text.find('\n', start);
  return line > 1 && end != std::string_view::npos && text.substr(0, end).ends_with(" +\r");
}

}  // namespace quorvex
