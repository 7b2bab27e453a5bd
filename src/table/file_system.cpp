#include "table/file_system.h"

#include <algorithm>
#include <filesystem>
#include <limits>

#include "base/file_path.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace quorvex {

namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
// The Windows API's own file: the name in UTF-16, so that it may be in any
// language; shared with every other reader, writer and deleter, so that the
// program that made the file (FoxPro, an editor) can keep it open and go on
// using it; and one positioned ReadFile per read, with no shared file position.
class RealFile : public RandomAccessFile {
 public:
  explicit RealFile(const std::string& name)
      : handle_(CreateFileW(PathOf(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~RealFile() override {
    if (IsOpen()) CloseHandle(handle_);
  }
  RealFile(const RealFile&) = delete;
  RealFile& operator=(const RealFile&) = delete;

  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

  std::optional<std::uint64_t> Size() override {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(handle_, &size) || size.QuadPart < 0) return std::nullopt;
    return static_cast<std::uint64_t>(size.QuadPart);
  }

  std::optional<std::size_t> ReadAt(std::uint64_t offset, std::span<char> buffer) override {
    constexpr std::size_t kMaxRead = 1u << 30;  // ReadFile counts in 32 bits
    std::size_t done = 0;
    while (done < buffer.size()) {
      OVERLAPPED at{};
      at.Offset = static_cast<DWORD>(offset + done);
      at.OffsetHigh = static_cast<DWORD>((offset + done) >> 32);
      DWORD got = 0;
      const DWORD wanted = static_cast<DWORD>(std::min(buffer.size() - done, kMaxRead));
      if (!ReadFile(handle_, buffer.data() + done, wanted, &got, &at)) {
        if (GetLastError() == ERROR_HANDLE_EOF) break;
        return std::nullopt;
      }
      if (got == 0) break;
      done += got;
    }
    return done;
  }

 private:
  HANDLE handle_;
};
#else
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
#endif

class RealFileSystemImpl : public FileSystem {
 public:
  bool Exists(const std::string& name) override {
    std::error_code ec;
    const fs::file_status status = fs::status(PathOf(name), ec);
    return !ec && fs::exists(status) && !fs::is_directory(status);
  }

  std::unique_ptr<RandomAccessFile> OpenForReading(const std::string& name) override {
    // A read-only open that never locks other programs out.
    auto file = std::make_unique<RealFile>(name);
    if (!file->IsOpen()) return nullptr;
    return file;
  }

  std::vector<std::string> FolderEntries(const std::string& folder) override {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(PathOf(folder), ec), end; !ec && it != end; it.increment(ec)) {
      names.push_back(PathText(it->path().filename()));
    }
    return names;
  }

  PathKind KindOf(const std::string& name) override {
    std::error_code ec;
    const fs::path path = PathOf(name);
    const fs::file_status target = fs::status(path, ec);  // a loop of links fails here (ELOOP)
    if (ec || !fs::exists(target)) return PathKind::kMissing;
    if (fs::is_regular_file(target)) return PathKind::kFile;
    if (!fs::is_directory(target)) return PathKind::kOther;
    const fs::file_status self = fs::symlink_status(path, ec);
    return !ec && fs::is_symlink(self) ? PathKind::kLinkedFolder : PathKind::kFolder;
  }
};

}  // namespace

FileSystem& RealFileSystem() {
  static RealFileSystemImpl files;  // stateless: every call works on the disk
  return files;
}

}  // namespace quorvex
