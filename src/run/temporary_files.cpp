#include "run/temporary_files.h"

#include <atomic>
#include <charconv>
#include <random>
#include <string>

#include "base/file_path.h"
#include "run/process_id.h"

namespace quorvex {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kSuffix = ".tmp";

// A whole number of decimal digits only, as TemporaryNameFor writes it.
std::optional<std::uint64_t> NumberOf(std::string_view digits) {
  std::uint64_t value = 0;
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, value);
  if (digits.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

}  // namespace

const TemporaryFileWriter& ThisWriter() {
  static const TemporaryFileWriter writer{CurrentProcessId(), std::random_device{}()};
  return writer;
}

fs::path TemporaryNameFor(const fs::path& target) {
  static std::atomic<std::uint64_t> count{0};
  const TemporaryFileWriter& writer = ThisWriter();
  fs::path name = target;
  name.replace_filename(PathOf("." + PathText(target.filename()) + "." + std::to_string(writer.process) + "-" +
                               std::to_string(writer.tag) + "-" + std::to_string(count++) + std::string(kSuffix)));
  return name;
}

std::optional<TemporaryFileWriter> WriterOfTemporaryName(std::string_view file_name) {
  if (!file_name.starts_with('.') || !file_name.ends_with(kSuffix)) return std::nullopt;
  const std::string_view stem = file_name.substr(0, file_name.size() - kSuffix.size());
  const std::size_t dot = stem.rfind('.');
  if (dot == std::string_view::npos || dot < 2) return std::nullopt;  // no target name between the dots
  const std::string_view numbers = stem.substr(dot + 1);
  const std::size_t first = numbers.find('-');
  const std::size_t second = first == std::string_view::npos ? first : numbers.find('-', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  const auto process = NumberOf(numbers.substr(0, first));
  const auto tag = NumberOf(numbers.substr(first + 1, second - first - 1));
  if (!process || !tag || !NumberOf(numbers.substr(second + 1))) return std::nullopt;
  return TemporaryFileWriter{*process, *tag};
}

bool IsStaleTemporaryFile(std::string_view file_name, const TemporaryFileWriter& self,
                          const std::function<bool(std::uint64_t)>& process_ended) {
  const std::optional<TemporaryFileWriter> writer = WriterOfTemporaryName(file_name);
  if (!writer || *writer == self) return false;
  return writer->process == self.process || process_ended(writer->process);
}

void RemoveStaleTemporaryFiles(const fs::path& folder) {
  std::error_code ec;
  for (fs::directory_iterator entry(folder.empty() ? fs::path(".") : folder, ec), end; !ec && entry != end; entry.increment(ec)) {
    std::error_code entry_ec;
    if (fs::is_regular_file(entry->symlink_status(entry_ec)) &&
        IsStaleTemporaryFile(PathText(entry->path().filename()), ThisWriter(), ProcessEnded))
      fs::remove(entry->path(), entry_ec);
  }
}

}  // namespace quorvex
