#include "table/file_system.h"

#include <filesystem>
#include <fstream>
#include <limits>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#define QUORVEX_POSIX_FILES 1
#endif

namespace quorvex {

namespace {

namespace fs = std::filesystem;

#ifdef QUORVEX_POSIX_FILES
// A plain read-only descriptor: fstat for the size and pread for each read,
// one system call apiece and no shared file position. DiskFile reads a form
// file whole through it once, and reads past those bytes one by one.
class RealFile : public RandomAccessFile {
 public:
  explicit RealFile(const std::string& name) : fd_(::open(name.c_str(), O_RDONLY | O_CLOEXEC)) {}
  ~RealFile() override {
    if (fd_ >= 0) ::close(fd_);
  }
  RealFile(const RealFile&) = delete;
  RealFile& operator=(const RealFile&) = delete;

  bool IsOpen() const { return fd_ >= 0; }

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
#else
class RealFile : public RandomAccessFile {
 public:
  explicit RealFile(const std::string& name) {
    // Unbuffered: every read is one positioned read of exactly the bytes asked
    // for, and nothing ahead.
    stream_.rdbuf()->pubsetbuf(nullptr, 0);
    stream_.open(name, std::ios::in | std::ios::binary);
  }

  bool IsOpen() const { return stream_.is_open(); }

  std::optional<std::uint64_t> Size() override {
    stream_.clear();
    stream_.seekg(0, std::ios::end);
    const std::streamoff end = stream_.tellg();
    if (!stream_ || end < 0) return std::nullopt;
    return static_cast<std::uint64_t>(end);
  }

  std::optional<std::size_t> ReadAt(std::uint64_t offset, std::span<char> buffer) override {
    if (buffer.empty()) return 0;
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<std::streamoff>::max())) return std::nullopt;
    stream_.clear();
    stream_.seekg(static_cast<std::streamoff>(offset), std::ios::beg);
    if (!stream_) return std::nullopt;
    stream_.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    if (stream_.bad()) return std::nullopt;
    return static_cast<std::size_t>(stream_.gcount());
  }

 private:
  std::ifstream stream_;
};
#endif

class RealFileSystemImpl : public FileSystem {
 public:
  bool Exists(const std::string& name) override {
    std::error_code ec;
    const fs::file_status status = fs::status(name, ec);
    return !ec && fs::exists(status) && !fs::is_directory(status);
  }

  std::unique_ptr<RandomAccessFile> OpenForReading(const std::string& name) override {
    // A plain read-only open: on POSIX systems it never locks other programs out.
    auto file = std::make_unique<RealFile>(name);
    if (!file->IsOpen()) return nullptr;
    return file;
  }

  std::vector<std::string> FolderEntries(const std::string& folder) override {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      names.push_back(it->path().filename().string());
    }
    return names;
  }

  PathKind KindOf(const std::string& name) override {
    std::error_code ec;
    const fs::file_status target = fs::status(name, ec);  // a loop of links fails here (ELOOP)
    if (ec || !fs::exists(target)) return PathKind::kMissing;
    if (fs::is_regular_file(target)) return PathKind::kFile;
    if (!fs::is_directory(target)) return PathKind::kOther;
    const fs::file_status self = fs::symlink_status(name, ec);
    return !ec && fs::is_symlink(self) ? PathKind::kLinkedFolder : PathKind::kFolder;
  }
};

}  // namespace

FileSystem& RealFileSystem() {
  static RealFileSystemImpl files;  // stateless: every call works on the disk
  return files;
}

}  // namespace quorvex
