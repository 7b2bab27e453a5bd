#include "cli/input_files.h"

#include <algorithm>
#include <filesystem>
#include <unordered_map>

#include "base/ascii.h"
#include "base/errors.h"
#include "base/file_path.h"
#include "model/pascal_names.h"
#include "run/output_file.h"
#include "run/project_file.h"
#include "table/file_system.h"

namespace quorvex {

namespace fs = std::filesystem;

namespace {

bool IsScxFile(const fs::directory_entry& entry) {
  std::error_code ec;
  return entry.is_regular_file(ec) && SameText(PathText(entry.path().extension()), ".scx");
}

// The folder of `file` relative to `folder`, with a trailing delimiter; empty
// for a file directly in it.
std::string SubfolderOf(const fs::path& file, const fs::path& folder) {
  const fs::path relative = file.parent_path().lexically_relative(folder);
  if (relative.empty() || relative == ".") return {};
  return WithTrailingDelimiter(PathText(relative));
}

// Byte order, a delimiter between folders sorting as "/": Windows writes "\",
// and a folder's forms come in the same order there as everywhere else.
bool PathBefore(const RunInput& a, const RunInput& b) {
  const auto byte = [](char c) { return static_cast<unsigned char>(IsPathDelimiter(c) ? '/' : c); };
  return std::lexicographical_compare(a.path.begin(), a.path.end(), b.path.begin(), b.path.end(),
                                      [&](char x, char y) { return byte(x) < byte(y); });
}

template <typename Iterator>
void CollectScx(const fs::path& folder, std::vector<RunInput>& inputs) {
  std::vector<RunInput> found;
  std::error_code ec;
  for (Iterator it(folder, fs::directory_options::skip_permission_denied, ec), end; !ec && it != end;
       it.increment(ec)) {
    if (IsScxFile(*it)) found.push_back({PathText(it->path()), SubfolderOf(it->path(), folder)});
  }
  if (ec) throw Exception("Cannot read folder " + PathText(folder) + ": " + ec.message());
  std::sort(found.begin(), found.end(), PathBefore);
  inputs.insert(inputs.end(), found.begin(), found.end());
}

}  // namespace

ExpandedInputs ExpandInputs(const std::vector<std::string>& inputs, bool recursive) {
  ExpandedInputs expanded;
  std::vector<RunInput>& files = expanded.forms;
  for (const auto& input : inputs) {
    const fs::path path = fs::absolute(PathOf(input)).lexically_normal();
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
      if (recursive) {
        CollectScx<fs::recursive_directory_iterator>(path, files);
      } else {
        CollectScx<fs::directory_iterator>(path, files);
      }
    } else if (SameText(PathText(path.extension()), ".pjx")) {
      AddProject(ReadFoxProject(RealFileSystem(), PathText(path)), expanded);
    } else {
      files.push_back({PathText(path), {}});
    }
  }
  return expanded;
}

std::optional<OutputClash> FindOutputClash(const std::vector<RunInput>& inputs, const std::string& output_directory,
                                           bool loadable) {
  std::unordered_map<std::string, const RunInput*> by_output;
  for (const RunInput& input : inputs) {
    if (!input.missing_from.empty()) continue;
    const std::string name = loadable ? UnitNameOf(input.path) + ".dfm" : ChangeFileExt(ExtractFileName(input.path), ".dfm");
    const std::string output = WithTrailingDelimiter(output_directory) + input.output_subfolder + name;
    const auto [it, added] = by_output.emplace(output, &input);
    if (!added) return OutputClash{it->second->path, input.path, output};
  }
  return std::nullopt;
}

std::string ProposedOutputDirectory(const std::string& first_input) {
  return WithTrailingDelimiter(ChangeFileExt(first_input, ""));
}

}  // namespace quorvex
