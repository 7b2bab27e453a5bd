#include "table/real_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>

namespace quorvex {

namespace {

// A plain read-only descriptor: fstat for the size and pread for each read,
// one system call apiece. DiskFile reads a form file whole through it once,
// and reads past those bytes one by one.
class PosixFile : public RandomAccessFile {
 public:
  explicit PosixFile(int fd) : fd_(fd) {}
  ~PosixFile() override { ::close(fd_); }
  PosixFile(const PosixFile&) = delete;
  PosixFile& operator=(const PosixFile&) = delete;

  std::optional<std::uint64_t> Size() override {
    struct stat status {};
    if (::fstat(fd_, &status) != 0 || status.st_size < 0) return std::nullopt;
    return static_cast<std::uint64_t>(status.st_size);
  }

  std::optional<std::size_t> ReadAt(std::uint64_t offset, std::span<char> buffer) override {
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) return std::nullopt;
    std::size_t done = 0;
    while (done < buffer.size()) {
      const ssize_t got = ::pread(fd_, buffer.data() + done, buffer.size() - done,
                                  static_cast<off_t>(offset + done));
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) return std::nullopt;
      if (got == 0) break;
      done += static_cast<std::size_t>(got);
    }
    return done;
  }

 private:
  int fd_;
};

}  // namespace

std::unique_ptr<RandomAccessFile> OpenRealFile(const std::string& name) {
  // A read-only open takes no lock: other programs go on using the file.
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  return std::make_unique<PosixFile>(fd);
}

}  // namespace quorvex
