#pragma once
// lclload, the shared tools' check that a form text loads in Lazarus' own
// form reader (tools/lcl-load), built for the tests that use it.

#include <filesystem>
#include <string>

namespace quorvex::testing {

// Builds lclload into `out` (a folder of the caller's own: two builds into one
// folder at once would spoil each other) and gives its path; empty, with the
// reason in `why_not`, when the shared folder is absent or the build fails
// (it needs fpc, lcl-nogui-2.2 and lcl-units-2.2: scripts/install-deps.sh).
// The build's output goes to lclload-build.log in `out`.
std::filesystem::path BuildLclLoad(const std::filesystem::path& out, std::string& why_not);

}  // namespace quorvex::testing
