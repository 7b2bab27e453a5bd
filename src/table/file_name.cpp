#include "table/file_name.h"

#include <filesystem>

#include "base/file_path.h"

namespace quorvex {

namespace {

constexpr std::string_view kDelimiters = "/\\:";

// Position just after the last delimiter (0 when there is none).
std::size_t NameStart(std::string_view name) {
  const std::size_t last = name.find_last_of(kDelimiters);
  return last == std::string_view::npos ? 0 : last + 1;
}

}  // namespace

std::string NormalizeFileName(std::string_view name) {
  // Names in the Windows forms that are already complete (\\server\share,
  // or a colon further in than a drive letter's) are not touched; on POSIX
  // systems such names are rare and passing them through is harmless.
  const std::size_t colon = name.find(':');
  if (name.empty() || name.find("\\\\") != std::string_view::npos || (colon != std::string_view::npos && colon > 1)) {
    return std::string(name);
  }
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(PathOf(name), ec);
  if (ec) return std::string(name);
  return PathText(absolute.lexically_normal());
}

std::string_view FileExtension(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot < NameStart(name)) return {};
  return name.substr(dot);
}

std::string ReplaceFileExtension(std::string_view name, std::string_view extension) {
  std::string result(name.substr(0, name.size() - FileExtension(name).size()));
  result += extension;
  return result;
}

std::string_view FileBaseName(std::string_view name) {
  std::string_view base = name.substr(NameStart(name));
  return base.substr(0, base.size() - FileExtension(base).size());
}

}  // namespace quorvex
