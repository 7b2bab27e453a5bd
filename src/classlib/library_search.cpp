#include "classlib/library_search.h"

#include <algorithm>
#include <deque>
#include <utility>

#include "base/ascii.h"
#include "classlib/library_path.h"
#include "table/file_name.h"

namespace quorvex {

LibrarySearchIndex::LibrarySearchIndex(FileSystem& files, std::vector<std::string> folders)
    : files_(files), folders_(std::move(folders)) {}

std::optional<std::string> LibrarySearchIndex::Find(std::string_view file_name) {
  if (folders_.empty()) return std::nullopt;
  std::call_once(built_, [this] { Build(); });
  const auto found = first_by_name_.find(AsciiLowerCopy(file_name));
  if (found == first_by_name_.end()) return std::nullopt;
  return found->second;
}

void LibrarySearchIndex::Build() {
  std::size_t folders_seen = 0;
  for (const std::string& folder : folders_) AddFolderTree(NormalizeFileName(folder), folders_seen);
}

void LibrarySearchIndex::AddFolderTree(const std::string& root, std::size_t& folders_seen) {
  const PathKind root_kind = files_.KindOf(root);
  if (root_kind != PathKind::kFolder && root_kind != PathKind::kLinkedFolder) return;
  std::deque<std::pair<std::string, int>> pending{{root, 0}};
  while (!pending.empty() && folders_seen < kMaxSearchFolders) {
    auto [folder, depth] = std::move(pending.front());
    pending.pop_front();
    ++folders_seen;
    std::vector<std::string> entries = files_.FolderEntries(folder);
    std::sort(entries.begin(), entries.end());
    for (const std::string& entry : entries) {
      std::string name = JoinPath(folder, entry);
      const PathKind kind = files_.KindOf(name);
      if (kind == PathKind::kFile && HasLibraryExtension(entry)) {
        first_by_name_.try_emplace(AsciiLowerCopy(entry), std::move(name));
      } else if (kind == PathKind::kFolder && depth < kMaxSearchDepth) {
        pending.emplace_back(std::move(name), depth + 1);
      }
    }
  }
}

}  // namespace quorvex
