#include "classlib/class_library.h"

#include <charconv>
#include <limits>

#include "base/ascii.h"
#include "classlib/library_path.h"
#include "base/errors.h"
#include "table/memo_file.h"
#include "table/table_dataset.h"

namespace quorvex {

namespace {

constexpr std::string_view kCommentPlatform = "COMMENT";
constexpr std::string_view kClassMark = "Class";

// The records a class may have by its RESERVED2, or no bound when that is not
// a positive number.
std::size_t RecordBound(std::string_view count_text) {
  const std::string_view text = TrimBlanks(count_text);
  std::size_t count = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
  if (error != std::errc() || end != text.data() + text.size() || count == 0)
    return std::numeric_limits<std::size_t>::max();
  return count;
}

// The first component of a dotted path.
std::string_view FirstComponent(std::string_view path) { return path.substr(0, path.find('.')); }

// The memo file that the table layer will open for `path` must be a regular
// file: opening a pipe would wait for a writer, and a device has no end. The
// table layer takes the derived name when something not a folder bears it,
// else the first name of the folder equal to it without regard to case, in
// byte order; the same choice is checked here. Throws ETableError naming the
// file otherwise.
void CheckMemoFile(FileSystem& files, const std::string& path, int table_version) {
  const std::string memo = MemoFileName(path, table_version);
  std::vector<std::string> candidates{memo};
  const std::string folder = FolderOf(memo);
  const std::string_view name = PathFileName(memo);
  for (const std::string& entry : files.EntriesNamedNoCase(folder, name)) {
    if (entry != name) candidates.push_back(JoinPath(folder, entry));
  }
  for (const std::string& candidate : candidates) {
    const PathKind kind = files.KindOf(candidate);
    if (kind == PathKind::kFile) return;
    if (kind == PathKind::kOther) throw ETableError("File " + candidate + " is not a regular file");
  }
  throw ETableError("File " + memo + " could not be found");
}

}  // namespace

ClassLibrary::ClassLibrary(std::string path, std::vector<FormRecord> records, std::vector<RecordFailure> failures)
    : path_(std::move(path)), folder_(FolderOf(path_)), records_(std::move(records)), failures_(std::move(failures)) {
  LibraryClass* current = nullptr;
  std::size_t bound = 0;
  for (const FormRecord& record : records_) {
    if (record.platform == kCommentPlatform) {
      current = nullptr;
    } else if (SameText(record.reserved1, kClassMark)) {
      current = nullptr;
      if (record.object_name.empty()) continue;
      classes_.push_back({&record, {}});
      class_by_name_.try_emplace(AsciiLowerCopy(record.object_name), classes_.size() - 1);
      current = &classes_.back();
      bound = RecordBound(record.reserved2);
    } else if (current != nullptr && current->members.size() + 1 < bound && !record.object_name.empty() &&
               SameText(FirstComponent(record.parent), current->record->object_name)) {
      current->members.push_back(&record);
    }
  }
}

const LibraryClass* ClassLibrary::FindClass(std::string_view name) const {
  const auto found = class_by_name_.find(AsciiLowerCopy(name));
  return found == class_by_name_.end() ? nullptr : &classes_[found->second];
}

std::shared_ptr<const ClassLibrary> ReadClassLibrary(FileSystem& files, const std::string& path) {
  if (files.KindOf(path) == PathKind::kOther) throw ETableError("File " + path + " is not a regular file");
  TableDataSet dataset("TableDataSet1", files);
  dataset.SetTableName(path);
  dataset.Open();
  // A dBASE table's memo file is a .dbt, which no CLASSLOC names: only the
  // .vcx and its .vct are ever read for a library.
  if (MemoFormatOf(dataset.TableVersion()) != MemoFormat::kFoxPro)
    throw ETableError("File " + path + " is a dBASE table, not a class library");
  CheckMemoFile(files, path, dataset.TableVersion());
  std::vector<RecordFailure> failures;
  std::vector<FormRecord> records = ReadFormRecords(dataset, &failures);
  dataset.Close();
  return std::make_shared<const ClassLibrary>(path, std::move(records), std::move(failures));
}

}  // namespace quorvex
