#include "table/memory_file_system.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "base/file_path.h"
#include "table/file_name.h"

namespace quorvex {

struct MemoryFileSystem::Entry {
  std::string bytes;
  bool refuse_open = false;
  bool fail_size = false;
  std::uint64_t fail_reads_from = std::numeric_limits<std::uint64_t>::max();
};

// Shared by the file system and its open files, so an open file outlives the
// removal of its entry and even the file system itself.
struct MemoryFileSystem::State {
  std::mutex mutex;
  std::map<std::string, std::shared_ptr<Entry>> files;
  std::uint64_t whole_read_limit = kDefaultWholeReadLimit;

  std::shared_ptr<Entry> Find(std::string_view name) {
    auto it = files.find(NormalizeFileName(name));
    return it == files.end() ? nullptr : it->second;
  }
};

namespace {

class MemoryFile : public RandomAccessFile {
 public:
  MemoryFile(std::shared_ptr<MemoryFileSystem::State> state, std::shared_ptr<MemoryFileSystem::Entry> entry)
      : state_(std::move(state)), entry_(std::move(entry)) {}

  std::optional<std::uint64_t> Size() override {
    std::lock_guard lock(state_->mutex);
    if (entry_->fail_size) return std::nullopt;
    return entry_->bytes.size();
  }

  std::optional<std::size_t> ReadAt(std::uint64_t offset, std::span<char> buffer) override {
    std::lock_guard lock(state_->mutex);
    const std::string& bytes = entry_->bytes;
    const std::uint64_t fail_from = entry_->fail_reads_from;
    if (!buffer.empty() && (offset >= fail_from || buffer.size() > fail_from - offset)) return std::nullopt;
    if (offset >= bytes.size()) return 0;
    const std::size_t count = std::min<std::uint64_t>(buffer.size(), bytes.size() - offset);
    std::memcpy(buffer.data(), bytes.data() + offset, count);
    return count;
  }

 private:
  std::shared_ptr<MemoryFileSystem::State> state_;
  std::shared_ptr<MemoryFileSystem::Entry> entry_;
};

// The normalised folder name with one delimiter at its end: every name below
// the folder begins with it.
std::string FolderPrefix(std::string_view folder) {
  std::string prefix = NormalizeFileName(folder);
  if (prefix.empty() || !IsPathDelimiter(prefix.back())) prefix += kPathDelimiter;
  return prefix;
}

}  // namespace

MemoryFileSystem::MemoryFileSystem() : state_(std::make_shared<State>()) {}

void MemoryFileSystem::AddFile(std::string_view name, std::string_view bytes) {
  auto entry = std::make_shared<Entry>();
  entry->bytes = bytes;
  std::lock_guard lock(state_->mutex);
  state_->files[NormalizeFileName(name)] = std::move(entry);
}

void MemoryFileSystem::RemoveFile(std::string_view name) {
  std::lock_guard lock(state_->mutex);
  state_->files.erase(NormalizeFileName(name));
}

void MemoryFileSystem::AppendToFile(std::string_view name, std::string_view bytes) {
  std::lock_guard lock(state_->mutex);
  if (auto entry = state_->Find(name)) entry->bytes += bytes;
}

void MemoryFileSystem::TruncateFile(std::string_view name, std::uint64_t size) {
  std::lock_guard lock(state_->mutex);
  if (auto entry = state_->Find(name); entry && entry->bytes.size() > size) entry->bytes.resize(size);
}

std::optional<std::string> MemoryFileSystem::FileBytes(std::string_view name) const {
  std::lock_guard lock(state_->mutex);
  if (auto entry = state_->Find(name)) return entry->bytes;
  return std::nullopt;
}

void MemoryFileSystem::RefuseOpen(std::string_view name) {
  std::lock_guard lock(state_->mutex);
  if (auto entry = state_->Find(name)) entry->refuse_open = true;
}

void MemoryFileSystem::FailSize(std::string_view name) {
  std::lock_guard lock(state_->mutex);
  if (auto entry = state_->Find(name)) entry->fail_size = true;
}

void MemoryFileSystem::FailReadsFrom(std::string_view name, std::uint64_t offset) {
  std::lock_guard lock(state_->mutex);
  if (auto entry = state_->Find(name)) entry->fail_reads_from = offset;
}

void MemoryFileSystem::SetWholeReadLimit(std::uint64_t limit) {
  std::lock_guard lock(state_->mutex);
  state_->whole_read_limit = limit;
}

std::uint64_t MemoryFileSystem::WholeReadLimit() const {
  std::lock_guard lock(state_->mutex);
  return state_->whole_read_limit;
}

bool MemoryFileSystem::Exists(const std::string& name) {
  std::lock_guard lock(state_->mutex);
  return state_->Find(name) != nullptr;
}

std::unique_ptr<RandomAccessFile> MemoryFileSystem::OpenForReading(const std::string& name) {
  std::lock_guard lock(state_->mutex);
  auto entry = state_->Find(name);
  if (!entry || entry->refuse_open) return nullptr;
  return std::make_unique<MemoryFile>(state_, std::move(entry));
}

std::vector<std::string> MemoryFileSystem::FolderEntries(const std::string& folder) {
  const std::string prefix = FolderPrefix(folder);
  std::vector<std::string> names;
  std::lock_guard lock(state_->mutex);
  for (auto it = state_->files.lower_bound(prefix); it != state_->files.end(); ++it) {
    const std::string& name = it->first;
    if (name.compare(0, prefix.size(), prefix) != 0) break;
    // The first component below the folder: a file, or a subfolder that the
    // name implies (listed once, as the sorted names keep it together).
    std::string entry = name.substr(prefix.size(), name.find_first_of(kPathDelimiters, prefix.size()) - prefix.size());
    if (!entry.empty() && (names.empty() || names.back() != entry)) names.push_back(std::move(entry));
  }
  return names;
}

PathKind MemoryFileSystem::KindOf(const std::string& name) {
  const std::string prefix = FolderPrefix(name);
  std::lock_guard lock(state_->mutex);
  if (state_->Find(name) != nullptr) return PathKind::kFile;
  auto below = state_->files.lower_bound(prefix);
  const bool implied = below != state_->files.end() && below->first.compare(0, prefix.size(), prefix) == 0;
  return implied ? PathKind::kFolder : PathKind::kMissing;
}

}  // namespace quorvex
