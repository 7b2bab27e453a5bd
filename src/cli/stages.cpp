#include "cli/stages.h"

#include <exception>
#include <fstream>

#include "base/errors.h"
#include "base/file_path.h"
#include "methods/translation_printout.h"
#include "run/class_library_expansion.h"
#include "run/file_conversion.h"
#include "run/lookup_files.h"
#include "run/picture_files.h"
#include "scx/tree_printout.h"
#include "table/data_printout.h"
#include "table/records_printout.h"
#include "table/table_dataset.h"
#include "writers/loadable_text.h"

namespace quorvex {

namespace {

constexpr int kStatusFailed = 1;
constexpr int kStatusWarning = 3;

// The steps of a stage; a step that a run would pass over reports to `err`
// and the stage goes on with what it has.
class StageSteps {
 public:
  explicit StageSteps(std::ostream& err) : err_(err) {}

  template <typename Step>
  void Guarded(Step&& step) {
    try {
      step();
    } catch (const std::exception& failure) {
      err_ << failure.what() << '\n';
      status_ = kStatusWarning;
    }
  }
  int Status() const { return status_; }

 private:
  std::ostream& err_;
  int status_ = 0;
};

int PrintTableRecords(const std::string& path, std::ostream& out) {
  TableDataSet dataset;
  dataset.SetTableName(path);
  dataset.Open();
  PrintRecords(dataset, out);
  return 0;
}

int PrintDataTableStage(const std::string& path, std::ostream& out) {
  DataTable table(RealFileSystem());
  table.Open(path);
  PrintDataTable(table, out);
  return 0;
}

// Reads the input text of --from objtext or --from dfm.
TextList ReadInputLines(const std::string& path) {
  std::ifstream in(PathOf(path), std::ios::binary);
  if (!in) throw Exception("Cannot open file " + path);
  std::string bytes;
  char block[1 << 16];
  while (in.read(block, sizeof block) || in.gcount() > 0) bytes.append(block, static_cast<std::size_t>(in.gcount()));
  return SplitLines(bytes);
}

// The stages after the object text, on a conversion that has its input.
int RunLaterStages(const CliOptions& options, FileConversion& conversion, StageSteps& steps, std::ostream& out) {
  const std::string& stage = options.stage;
  if (options.from != "dfm") {
    if (stage == "objtext") {
      out << JoinLines(conversion.ObjectTextLines());
      return steps.Status();
    }
    steps.Guarded([&] { conversion.GenerateDfm(NullProgress()); });
    if (stage == "rawdfm") {
      out << JoinLines(conversion.DfmLines());
      return steps.Status();
    }
  }
  if (stage == "pas") {
    steps.Guarded([&] { conversion.GeneratePas(); });
    out << JoinLines(conversion.PasLines());
  } else {
    steps.Guarded([&] { conversion.CanonicaliseDfmLines(); });
    out << conversion.DfmFileText();
  }
  return steps.Status();
}

// The loadable mode's texts: every form's, one after the other.
int PrintLoadableStage(const std::string& stage, FileConversion& conversion, StageSteps& steps, std::ostream& out) {
  if (stage == "tree") {
    PrintTree(conversion.Loadable()->Tree(), out);
    return steps.Status();
  }
  if (stage == "objtext") {
    out << JoinLines(conversion.ObjectTextLines());
    return steps.Status();
  }
  steps.Guarded([&] { conversion.GenerateDfm(NullProgress()); });
  if (stage == "translation") {
    for (const LoadableForm& form : conversion.Loadable()->Forms()) PrintTranslation(form, out);
    return steps.Status();
  }
  const LoadableConversion& loadable = *conversion.Loadable();
  for (std::size_t i = 0; i < loadable.Outputs().size(); ++i) {
    const LoadableOutput& output = loadable.Outputs()[i];
    out << (stage == "rawdfm" ? WriteLoadableDfm(loadable.Forms()[i]) : (stage == "pas" ? output.pas_text : output.dfm_text));
  }
  return steps.Status();
}

int RunStageOrThrow(const CliOptions& options, std::ostream& out, std::ostream& err) {
  const std::string& input = options.inputs.front();
  if (options.from == "scx" && options.stage == "records") return PrintTableRecords(input, out);
  if (options.from == "scx" && options.stage == "data") return PrintDataTableStage(input, out);
  FileConversion conversion(input, options.code_page);
  if (options.loadable) {
    const std::shared_ptr<FileSystem> files = LookupFileSystem({});
    conversion.SetLoadable(ClassLibraryExpansion(MakeClassLibraryCache(files, options.library_folders)),
                           FilePictureSource(files));
  }
  StageSteps steps(err);
  if (options.from == "objtext") {
    conversion.MutableObjectTextLines() = ReadInputLines(input);
  } else if (options.from == "dfm") {
    conversion.MutableDfmLines() = ReadInputLines(input);
  } else {
    conversion.OpenTable();
    if (options.stage == "tree" && !options.loadable) {
      PrintTree(conversion.Tree(), out);
      return 0;
    }
    steps.Guarded([&] { conversion.WriteObjectText(NullProgress()); });
  }
  if (options.loadable) return PrintLoadableStage(options.stage, conversion, steps, out);
  return RunLaterStages(options, conversion, steps, out);
}

}  // namespace

int RunStage(const CliOptions& options, std::ostream& out, std::ostream& err) {
  try {
    return RunStageOrThrow(options, out, err);
  } catch (const std::exception& failure) {
    out << std::flush;
    err << failure.what() << '\n';
    return kStatusFailed;
  }
}

}  // namespace quorvex
