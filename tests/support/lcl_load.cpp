#include "support/lcl_load.h"

#include <cstdlib>

#include "support/golden.h"

namespace quorvex::testing {

namespace fs = std::filesystem;

fs::path BuildLclLoad(const fs::path& out, std::string& why_not) {
  const auto tools = SharedSubdir("tools/lcl-load");
  if (!tools) {
    why_not = "the shared tools/lcl-load folder is absent";
    return {};
  }
  const std::string command = "sh '" + (*tools / "build.sh").string() + "' '" + out.string() + "' > '" +
                              (out / "lclload-build.log").string() + "' 2>&1";
  fs::create_directories(out);
  if (std::system(command.c_str()) != 0 || !fs::exists(out / "lclload")) {
    why_not = "lclload could not be built (needs fpc, lcl-nogui-2.2, lcl-units-2.2); see " +
              (out / "lclload-build.log").string();
    return {};
  }
  return out / "lclload";
}

}  // namespace quorvex::testing
