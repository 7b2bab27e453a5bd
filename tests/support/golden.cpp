#include "support/golden.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace quorvex::testing {

namespace fs = std::filesystem;

std::optional<fs::path> SharedDir() {
  const char* env = std::getenv("QUORVEX_SHARED");
  fs::path dir = (env && *env) ? fs::path(env) : fs::path(QUORVEX_SHARED_DIR);
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) return std::nullopt;
  return fs::weakly_canonical(dir, ec);
}

std::optional<fs::path> SharedSubdir(std::string_view sub) {
  auto dir = SharedDir();
  if (!dir) return std::nullopt;
  fs::path path = (*dir / sub).lexically_normal();  // "corpus/forms" with the system's delimiters
  std::error_code ec;
  if (!fs::is_directory(path, ec)) return std::nullopt;
  return path;
}

std::vector<fs::path> CorpusForms() {
  std::vector<fs::path> forms;
  auto dir = SharedSubdir("corpus/forms");
  if (!dir) return forms;
  for (const auto& entry : fs::directory_iterator(*dir)) {
    if (entry.path().extension() == ".scx") forms.push_back(entry.path());
  }
  std::sort(forms.begin(), forms.end());
  return forms;
}

std::vector<ProjectReference> ProjectReferences() {
  std::vector<ProjectReference> references;
  const auto projects = SharedSubdir("projects");
  if (!projects) return references;
  std::ifstream rows(*projects / "references.tsv");
  std::string line;
  std::getline(rows, line);  // the column names
  while (std::getline(rows, line)) {
    std::vector<std::string> cell;
    std::istringstream cells(line);
    for (std::string text; std::getline(cells, text, '\t');) cell.push_back(text);
    cell.resize(9);
    references.push_back({cell[0], cell[2], cell[3], cell[5], cell[7] == "yes"});
  }
  return references;
}

fs::path CorpusExpectedDir() {
  auto dir = SharedDir();
  return dir ? *dir / "corpus" / "expected" : fs::path();
}

std::string NativePath(std::string_view rooted_name) {
  return fs::absolute(fs::path(rooted_name)).lexically_normal().string();
}

std::string Utf8Name(const fs::path& path) {
  const std::u8string name = path.u8string();
  return std::string(name.begin(), name.end());
}

std::string RegexText(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    if (std::string_view("\\^$.|?*+()[]{}").find(c) != std::string_view::npos) escaped += '\\';
    escaped += c;
  }
  return escaped;
}

std::string ReadFileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    ADD_FAILURE() << "cannot read " << path;
    return {};
  }
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteFileBytes(const fs::path& path, std::string_view bytes) {
  if (path.has_parent_path()) fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) ADD_FAILURE() << "cannot write " << path;
}

namespace {

std::vector<std::string_view> SplitAtLf(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::string Visible(std::string_view line) {
  std::string out;
  for (char c : line) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == '\r') {
      out += "\\r";
    } else if (byte < 0x20 || byte == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", byte);
      out += buf;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string UnifiedDiff(std::string_view expected, std::string_view actual, std::string_view label) {
  const auto a = SplitAtLf(expected);
  const auto b = SplitAtLf(actual);
  std::size_t prefix = 0;
  while (prefix < a.size() && prefix < b.size() && a[prefix] == b[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < a.size() - prefix && suffix < b.size() - prefix &&
         a[a.size() - 1 - suffix] == b[b.size() - 1 - suffix])
    ++suffix;
  constexpr std::size_t kContext = 3;
  const std::size_t from = prefix > kContext ? prefix - kContext : 0;
  const std::size_t a_to = std::min(a.size(), a.size() - suffix + kContext);
  const std::size_t b_to = std::min(b.size(), b.size() - suffix + kContext);
  std::ostringstream out;
  out << "--- expected " << label << "\n+++ actual " << label << "\n";
  out << "@@ -" << from + 1 << "," << a_to - from << " +" << from + 1 << "," << b_to - from << " @@\n";
  for (std::size_t i = from; i < prefix; ++i) out << " " << Visible(a[i]) << "\n";
  for (std::size_t i = prefix; i < a.size() - suffix; ++i) out << "-" << Visible(a[i]) << "\n";
  for (std::size_t i = prefix; i < b.size() - suffix; ++i) out << "+" << Visible(b[i]) << "\n";
  for (std::size_t i = a.size() - suffix; i < a_to; ++i) out << " " << Visible(a[i]) << "\n";
  if (a.size() == b.size() && prefix == a.size()) out << "(the texts differ only after the last line break)\n";
  return out.str();
}

::testing::AssertionResult SameBytes(std::string_view expected, std::string_view actual, std::string_view label) {
  if (expected == actual) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << UnifiedDiff(expected, actual, label);
}

bool UpdateGolden() {
  const char* env = std::getenv("QUORVEX_UPDATE_GOLDEN");
  return env && std::string_view(env) == "1";
}

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  std::random_device random;
  for (;;) {
    path_ = fs::temp_directory_path() /
            ("quorvex-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
    if (fs::create_directory(path_)) break;
  }
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

}  // namespace quorvex::testing
