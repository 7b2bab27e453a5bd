// FoxRuntime.pas and FoxData.pas beside the units that use them.

#include <algorithm>

#include "run/conversion_run.h"
#include "run/staged_files.h"
#include "translate/runtime_unit.h"

namespace quorvex {

namespace {

struct RuntimeUnit {
  std::string_view name;
  bool LoadableOutput::*used;
  TextList (*text)();
};

constexpr RuntimeUnit kRuntimeUnits[] = {{kFoxRuntimeUnit, &LoadableOutput::uses_runtime, FoxRuntimeUnit},
                                         {kFoxDataUnit, &LoadableOutput::uses_data, FoxDataUnit}};

}  // namespace

// Written before the form's own files, so that a unit in place never lacks
// a runtime unit it uses; a failure costs the form a warning, as a file of
// its own would.
void ConversionRun::WriteRuntimeUnit(const FileConversion& conversion, const std::string& directory,
                                     DriverEvents& events, std::vector<std::string>& written) {
  const LoadableConversion* loadable = conversion.Loadable();
  if (loadable == nullptr) return;
  const std::vector<LoadableOutput>& outputs = loadable->Outputs();
  for (const RuntimeUnit& unit : kRuntimeUnits) {
    if (std::none_of(outputs.begin(), outputs.end(), [&](const LoadableOutput& output) { return output.*unit.used; }))
      continue;
    const std::string path = directory + std::string(unit.name) + ".pas";
    if (std::find(runtime_files_.begin(), runtime_files_.end(), path) != runtime_files_.end()) continue;
    events.AddReportLine("   Generating: " + path);
    try {
      StagedFiles staged;
      staged.MakeFolder(directory);
      staged.Add({path, JoinLines(unit.text())});
      staged.Commit(written);
      runtime_files_.push_back(path);
    } catch (const Exception& failure) {
      events.AddReportLine(std::string(kWarningPrefix) + failure.what());
    }
  }
}

}  // namespace quorvex
