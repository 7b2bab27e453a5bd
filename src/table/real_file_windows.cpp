#include "table/real_file.h"

#include <windows.h>

#include <algorithm>

#include "base/file_path.h"

namespace quorvex {

namespace {

// A handle of the Windows API: GetFileSizeEx for the size and one positioned
// ReadFile for each read (ReadFile counts in 32 bits, so a larger read takes
// several).
class WindowsFile : public RandomAccessFile {
 public:
  explicit WindowsFile(HANDLE handle) : handle_(handle) {}
  ~WindowsFile() override { CloseHandle(handle_); }
  WindowsFile(const WindowsFile&) = delete;
  WindowsFile& operator=(const WindowsFile&) = delete;

  std::optional<std::uint64_t> Size() override {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(handle_, &size) || size.QuadPart < 0) return std::nullopt;
    return static_cast<std::uint64_t>(size.QuadPart);
  }

  std::optional<std::size_t> ReadAt(std::uint64_t offset, std::span<char> buffer) override {
    constexpr std::size_t kMaxRead = 1u << 30;
    std::size_t done = 0;
    while (done < buffer.size()) {
      OVERLAPPED at{};
      at.Offset = static_cast<DWORD>(offset + done);
      at.OffsetHigh = static_cast<DWORD>((offset + done) >> 32);
      DWORD got = 0;
      const auto wanted = static_cast<DWORD>(std::min(buffer.size() - done, kMaxRead));
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

}  // namespace

std::unique_ptr<RandomAccessFile> OpenRealFile(const std::string& name) {
  // The name in UTF-16, so that it may be in any language; every kind of
  // sharing, so that the program that made the file (FoxPro, an editor) may
  // keep it open, write it, rename or delete it while it is read here.
  const HANDLE handle =
      CreateFileW(PathOf(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<WindowsFile>(handle);
}

}  // namespace quorvex
