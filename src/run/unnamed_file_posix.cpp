#include "run/unnamed_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

#include "run/new_file.h"

namespace quorvex {

namespace fs = std::filesystem;

#ifdef O_TMPFILE

namespace {

// Files a run has staged stay open until their turn to be placed; past this
// many (a quarter of the 1024 descriptors a process gets by default, the rest
// left to the tables being read), they are written under names instead.
constexpr int kMaxOpen = 256;
std::atomic<int> open_files{0};

bool WriteAll(int descriptor, std::string_view text) {
  while (!text.empty()) {
    const ssize_t put = ::write(descriptor, text.data(), text.size());
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(put));
  }
  return true;
}

// Through /proc, which lets any process link a file it holds open;
// AT_EMPTY_PATH, the way without /proc, needs a privilege
// (CAP_DAC_READ_SEARCH). errno tells why it failed: EEXIST for a name taken.
bool Link(int descriptor, const fs::path& name) {
  const std::string self = "/proc/self/fd/" + std::to_string(descriptor);
  if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
  return errno == ENOENT && ::linkat(descriptor, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0;
}

}  // namespace

UnnamedFile UnnamedFile::Write(const fs::path& folder, std::string_view text) {
  if (open_files.fetch_add(1) >= kMaxOpen) {
    --open_files;
    return {};
  }
  // No O_EXCL: it would forbid ever linking the file.
  const fs::path where = folder.empty() ? fs::path(".") : folder;
  UnnamedFile file(::open(where.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
  if (!file) --open_files;
  if (file && !WriteAll(file.descriptor_, text)) file.Close();
  return file;
}

bool UnnamedFile::Place(const fs::path& target, const fs::path& temporary) {
  if (Link(descriptor_, target)) {
    Close();
    return true;
  }
  if (errno != EEXIST || !Link(descriptor_, temporary)) return false;
  if (!MoveIntoPlace(temporary, target)) {
    std::error_code ec;
    fs::remove(temporary, ec);
    return false;
  }
  Close();
  return true;
}

void UnnamedFile::Close() noexcept {
  if (descriptor_ < 0) return;
  ::close(descriptor_);
  descriptor_ = -1;
  --open_files;
}

#else  // a POSIX system without O_TMPFILE: every file has a name

UnnamedFile UnnamedFile::Write(const fs::path&, std::string_view) { return {}; }
bool UnnamedFile::Place(const fs::path&, const fs::path&) { return false; }
void UnnamedFile::Close() noexcept {}

#endif

}  // namespace quorvex
