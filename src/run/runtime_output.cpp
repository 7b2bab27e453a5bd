// FoxRuntime.pas beside the units whose translated code uses it.

#include <algorithm>

#include "run/conversion_run.h"
#include "run/staged_files.h"
#include "translate/runtime_unit.h"

namespace quorvex {

// Written before the form's own files, so that a unit in place never lacks
// the runtime unit it uses; a failure costs the form a warning, as a file
// of its own would.
void ConversionRun::WriteRuntimeUnit(const FileConversion& conversion, const std::string& directory,
                                     DriverEvents& events, std::vector<std::string>& written) {
  const LoadableConversion* loadable = conversion.Loadable();
  if (loadable == nullptr) return;
  const std::vector<LoadableOutput>& outputs = loadable->Outputs();
  if (std::none_of(outputs.begin(), outputs.end(), [](const LoadableOutput& output) { return output.uses_runtime; }))
    return;
  const std::string path = directory + std::string(kFoxRuntimeUnit) + ".pas";
  if (std::find(runtime_files_.begin(), runtime_files_.end(), path) != runtime_files_.end()) return;
  events.AddReportLine("   Generating: " + path);
  const std::string text = JoinLines(FoxRuntimeUnit());
  try {
    StagedFiles staged;
    staged.MakeFolder(directory);
    staged.Add({path, text});
    staged.Commit(written);
    runtime_files_.push_back(path);
  } catch (const Exception& failure) {
    events.AddReportLine(std::string(kWarningPrefix) + failure.what());
  }
}

}  // namespace quorvex
