#include "classlib/library_path.h"

#include <algorithm>
#include <vector>

#include "base/ascii.h"
#include "base/file_path.h"
#include "table/file_name.h"

namespace quorvex {

namespace {

constexpr std::string_view kSeparators = "\\/";
constexpr std::string_view kLibraryExtension = ".vcx";

bool IsWanted(PathKind kind, WantedKind wanted) {
  if (wanted == WantedKind::kLibrary) return kind == PathKind::kFile;
  return kind == PathKind::kFolder || kind == PathKind::kLinkedFolder;
}

// The folder above `folder`; the root is its own parent.
std::string ParentFolder(const std::string& folder) {
  const std::size_t slash = folder.find_last_of(kPathDelimiters);
#ifdef _WIN32
  if (slash == 2 && folder[1] == ':') return folder.substr(0, 3);  // a drive's root, "C:\"
#endif
  if (slash == std::string::npos || slash == 0) return folder.empty() ? folder : "/";
  return folder.substr(0, slash);
}

}  // namespace

std::optional<std::string> FindNameNoCase(FileSystem& files, const std::string& folder, std::string_view name,
                                          WantedKind wanted) {
  if (name.empty()) return std::nullopt;
  std::string exact = JoinPath(folder, name);
  if (!kNamesIgnoreCase && IsWanted(files.KindOf(exact), wanted)) return exact;
  // The names as the folder lists them, the exact spelling first: where
  // names ignore case (Windows), the exact name finds any spelling, and the
  // name found must be the same as where case counts.
  std::vector<std::string> matches = files.EntriesNamedNoCase(folder, name);
  std::stable_partition(matches.begin(), matches.end(), [&](const std::string& match) { return match == name; });
  for (const std::string& match : matches) {
    std::string candidate = JoinPath(folder, match);
    if (IsWanted(files.KindOf(candidate), wanted)) return candidate;
  }
  if (IsWanted(files.KindOf(exact), wanted)) return exact;  // in a folder that cannot be listed
  return std::nullopt;
}

std::optional<std::string> FollowPathNoCase(FileSystem& files, const std::string& folder, std::string_view path) {
  std::vector<std::string_view> components;
  for (std::size_t start = 0; start <= path.size();) {
    const std::size_t end = std::min(path.find_first_of(kSeparators, start), path.size());
    const std::string_view component = path.substr(start, end - start);
    if (!component.empty() && component != ".") components.push_back(component);
    start = end + 1;
  }
  if (components.empty() || components.back() == "..") return std::nullopt;
  std::string current = folder;
  for (std::size_t i = 0; i + 1 < components.size(); ++i) {
    if (components[i] == "..") {
      current = ParentFolder(current);
      continue;
    }
    std::optional<std::string> next = FindNameNoCase(files, current, components[i], WantedKind::kFolder);
    if (!next) return std::nullopt;
    current = std::move(*next);
  }
  return FindNameNoCase(files, current, components.back(), WantedKind::kLibrary);
}

bool IsRootedPath(std::string_view path) {
  if (path.size() >= 2 && path[1] == ':') return true;
  return !path.empty() && kSeparators.find(path.front()) != std::string_view::npos;
}

std::string_view PathFileName(std::string_view path) {
  const std::size_t last = path.find_last_of(kSeparators);
  return last == std::string_view::npos ? path : path.substr(last + 1);
}

bool HasLibraryExtension(std::string_view name) { return SameText(FileExtension(name), kLibraryExtension); }

std::string FolderOf(std::string_view file_name) {
  const std::string full = NormalizeFileName(file_name);
  return ParentFolder(full);
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string joined(folder);
  if (joined.empty() || !IsPathDelimiter(joined.back())) joined += kPathDelimiter;
  joined += name;
  return joined;
}

}  // namespace quorvex
