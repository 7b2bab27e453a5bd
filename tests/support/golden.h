#pragma once
// Support for golden tests: the shared folder of real forms and hand-made cases,
// byte-exact file reading, and comparisons that print a unified diff.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex::testing {

// The shared folder (corpus/, canonical/): $QUORVEX_SHARED if set, else the
// folder configured at build time. Empty when it does not exist.
std::optional<std::filesystem::path> SharedDir();

// SharedDir()/sub, or nothing when that folder does not exist.
std::optional<std::filesystem::path> SharedSubdir(std::string_view sub);

// The corpus's form files (corpus/forms/*.scx) sorted by name; empty when absent.
std::vector<std::filesystem::path> CorpusForms();

// One row of projects/references.tsv: a class-library reference of a project's
// form or of one of its libraries, and how it was found.
struct ProjectReference {
  std::string id;             // the project's folder name
  std::string class_location; // CLASSLOC as written
  std::string class_name;
  std::string rule;           // "relative", "same folder", "elsewhere in repository", "not found"
  bool class_defined = false;
};

// Every row of projects/references.tsv; empty when it is absent.
std::vector<ProjectReference> ProjectReferences();

// The corpus's expected/ folder (may not exist).
std::filesystem::path CorpusExpectedDir();

// The delimiter the program writes between folders: "/", or "\" on Windows.
inline const std::string kDelimiter(1, static_cast<char>(std::filesystem::path::preferred_separator));

// A rooted name of a test's own ("/app/forms/main.scx") as the system
// completes it: itself on POSIX systems, on Windows on the current drive with
// "\" between folders ("C:\app\forms\main.scx").
std::string NativePath(std::string_view rooted_name);

// The path's name in UTF-8, as the command line hands names on.
std::string Utf8Name(const std::filesystem::path& path);

// `text` with every character that a regular expression gives a meaning
// escaped: the text itself as a regular expression.
std::string RegexText(std::string_view text);

// The file's bytes; fails the test (and returns "") when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& path);

// Writes bytes to a file, creating folders as needed (for fixtures in temp dirs).
void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

// A unified diff of two texts split at LF (one hunk around the differing lines,
// three lines of context), with control bytes made visible.
std::string UnifiedDiff(std::string_view expected, std::string_view actual, std::string_view label);

// Success when equal byte for byte; otherwise a failure carrying the diff.
::testing::AssertionResult SameBytes(std::string_view expected, std::string_view actual, std::string_view label);

// True when QUORVEX_UPDATE_GOLDEN=1: golden tests of the project's own files
// rewrite their expected files instead of comparing (review with git diff).
bool UpdateGolden();

// A fresh empty folder under the system temp folder, removed on destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace quorvex::testing

// Skips the current test, naming what is missing, when the corpus is absent.
#define QUORVEX_REQUIRE_CORPUS()                                                                   \
  do {                                                                                             \
    if (::quorvex::testing::CorpusForms().empty())                                                 \
      GTEST_SKIP() << "shared corpus not found (set QUORVEX_SHARED or place ../shared beside the " \
                      "checkout); golden comparison skipped";                                      \
  } while (false)
