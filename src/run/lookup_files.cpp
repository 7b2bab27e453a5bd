#include "run/lookup_files.h"

#include <filesystem>
#include <utility>

#include "base/ascii.h"
#include "base/file_path.h"
#include "table/folder_listing_cache.h"

namespace quorvex {

namespace {

namespace fs = std::filesystem;

// Where the folder is, links followed and "." and ".." gone; the part that
// does not exist (yet) as written. Empty when the system cannot tell.
fs::path Resolved(const std::string& folder) {
  std::error_code ec;
  const fs::path absolute = fs::absolute(PathOf(folder), ec);
  if (ec) return {};
  fs::path resolved = fs::weakly_canonical(absolute, ec);
  if (ec) return {};
  if (!resolved.has_filename() && resolved.has_relative_path()) resolved = resolved.parent_path();
  return resolved;
}

bool SameName(const fs::path& a, const fs::path& b) {
  return kNamesIgnoreCase ? SameText(PathText(a), PathText(b)) : a == b;
}

bool AtOrBelow(const fs::path& path, const fs::path& top) {
  auto component = path.begin();
  for (const fs::path& wanted : top) {
    if (component == path.end() || !SameName(*component, wanted)) return false;
    ++component;
  }
  return true;
}

}  // namespace

std::shared_ptr<FileSystem> LookupFileSystem(const std::vector<std::string>& written_folders) {
  std::vector<fs::path> tops;
  for (const std::string& folder : written_folders) tops.push_back(Resolved(folder));
  auto written = [tops = std::move(tops)](const std::string& folder) {
    const fs::path path = Resolved(folder);
    if (path.empty()) return true;
    for (const fs::path& top : tops) {
      if (top.empty() || AtOrBelow(path, top)) return true;
    }
    return false;
  };
  return std::make_shared<FolderListingCache>(RealFileSystem(), std::move(written));
}

}  // namespace quorvex
