#include "cli/input_files.h"

#include <algorithm>
#include <filesystem>

#include "run/output_file.h"
#include "base/ascii.h"
#include "base/errors.h"

namespace quorvex {

namespace fs = std::filesystem;

namespace {

bool IsScxFile(const fs::directory_entry& entry) {
  std::error_code ec;
  return entry.is_regular_file(ec) && SameText(entry.path().extension().string(), ".scx");
}

template <typename Iterator>
void CollectScx(const fs::path& folder, std::vector<std::string>& files) {
  std::vector<std::string> found;
  std::error_code ec;
  for (Iterator it(folder, fs::directory_options::skip_permission_denied, ec), end; !ec && it != end;
       it.increment(ec)) {
    if (IsScxFile(*it)) found.push_back(it->path().string());
  }
  if (ec) throw Exception("Cannot read folder " + folder.string() + ": " + ec.message());
  std::sort(found.begin(), found.end());
  files.insert(files.end(), found.begin(), found.end());
}

}  // namespace

std::vector<std::string> ExpandInputs(const std::vector<std::string>& inputs, bool recursive) {
  std::vector<std::string> files;
  for (const auto& input : inputs) {
    const fs::path path = fs::absolute(fs::path(input)).lexically_normal();
    std::error_code ec;
    if (!fs::is_directory(path, ec)) {
      files.push_back(path.string());
    } else if (recursive) {
      CollectScx<fs::recursive_directory_iterator>(path, files);
    } else {
      CollectScx<fs::directory_iterator>(path, files);
    }
  }
  return files;
}

std::string ProposedOutputDirectory(const std::string& first_input) {
  return WithTrailingDelimiter(ChangeFileExt(first_input, ""));
}

}  // namespace quorvex
