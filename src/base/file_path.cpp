#include "base/file_path.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#endif

namespace quorvex {

#ifdef _WIN32
// Neither conversion is given MB_ERR_INVALID_CHARS: what is not UTF-8 (or
// UTF-16) becomes U+FFFD, where std::filesystem would throw.
std::wstring WideText(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

std::string Utf8OfWide(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  std::string utf8(
      static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr)),
      '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
  return utf8;
}

std::filesystem::path PathOf(std::string_view name) { return std::filesystem::path(WideText(name)); }

std::string PathText(const std::filesystem::path& path) { return Utf8OfWide(path.native()); }
#else
std::filesystem::path PathOf(std::string_view name) { return std::filesystem::path(name); }

std::string PathText(const std::filesystem::path& path) { return path.string(); }
#endif

std::string WithNativeDelimiters(std::string name) {
  constexpr char kOther = kPathDelimiter == '/' ? '\\' : '/';
  std::replace(name.begin(), name.end(), kOther, kPathDelimiter);
  return name;
}

}  // namespace quorvex
