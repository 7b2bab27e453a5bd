#include "run/application_data.h"

#include <map>
#include <set>

#include "base/ascii.h"
#include "base/file_path.h"
#include "classlib/library_path.h"
#include "run/project_file.h"

namespace quorvex {

namespace {

std::string Key(const std::string& path) { return PathText(PathOf(path).lexically_normal()); }

class DataGatherer {
 public:
  explicit DataGatherer(FileSystem& files) : files_(files) {}

  void AddProjectFile(const ProjectDataFile& file) {
    if (file.path.empty()) {
      Note((file.database ? "database " : "table ") + file.listed + " listed in " + file.project + " not found");
    } else if (file.database) {
      const int database = DatabaseAt(file.path);
      if (database < 0) return;
      const Database& read = gathered_.data.databases[static_cast<std::size_t>(database)];
      for (std::size_t table = 0; table < read.tables.size(); ++table) AddDatabaseTable(database, table);
    } else {
      AddTable(file.path, -1, 0);
    }
  }

  // The file of the table, or "" when it is not found.
  std::string AddCursorTable(const std::string& form, const CursorTable& cursor) {
    const std::string folder = FolderOf(form);
    if (!cursor.database.empty()) return AddCursorOfDatabase(form, folder, cursor);
    std::string file = cursor.source;
    if (PathOf(PathFileName(file)).extension().empty()) file += ".dbf";
    std::string found = FindListedFile(files_, folder, file);
    if (found.empty()) found = GatheredByName(PathFileName(file));
    if (found.empty()) {
      Note("table " + cursor.source + " of " + form + " not found");
      return {};
    }
    AddTable(found, -1, 0);
    return found;
  }

  // The table as gathered: an earlier name may have spelled its path otherwise.
  void AddCursorPlace(std::size_t form, std::size_t cursor, const std::string& path) {
    if (path.empty()) return;
    for (const SourceTable& table : gathered_.data.tables)
      if (Key(table.path) == Key(path)) return gathered_.cursors.push_back({form, cursor, table.path});
  }

  GatheredData Take() {
    // The entries point into the databases only now that no more are read.
    for (std::size_t i = 0; i < gathered_.data.tables.size(); ++i) {
      const auto [database, table] = entries_[i];
      if (database >= 0)
        gathered_.data.tables[i].entry = &gathered_.data.databases[static_cast<std::size_t>(database)].tables[table];
    }
    return std::move(gathered_);
  }

 private:
  std::string AddCursorOfDatabase(const std::string& form, const std::string& folder, const CursorTable& cursor) {
    const std::string found = FindListedFile(files_, folder, cursor.database);
    if (found.empty()) {
      Note("database " + cursor.database + " of " + form + " not found");
      return {};
    }
    const int database = DatabaseAt(found);
    if (database < 0) return {};
    const std::vector<DatabaseTable>& tables = gathered_.data.databases[static_cast<std::size_t>(database)].tables;
    for (std::size_t table = 0; table < tables.size(); ++table)
      if (SameText(tables[table].name, cursor.source)) return AddDatabaseTable(database, table);
    // A table taken out of its database whose file stayed: FoxPro's own
    // code opens such files as free tables.
    const std::string file = FindListedFile(files_, FolderOf(found), cursor.source + ".dbf");
    if (!file.empty()) {
      AddTable(file, -1, 0);
      return file;
    }
    Note("table " + cursor.source + " of " + form + " is neither a table of " + found + " nor a file beside it");
    return {};
  }

  // The database read from `path` (each once), or -1 when it cannot be read.
  int DatabaseAt(const std::string& path) {
    const auto known = databases_.find(Key(path));
    if (known != databases_.end()) return known->second;
    int index = -1;
    try {
      gathered_.data.databases.push_back(ReadDatabase(files_, path));
      index = static_cast<int>(gathered_.data.databases.size() - 1);
    } catch (const Exception& failure) {
      gathered_.warnings.push_back("database " + path + " could not be read: " + failure.what());
    }
    databases_.emplace(Key(path), index);
    return index;
  }

  // The table's file, or "" when it is not found.
  std::string AddDatabaseTable(int database, std::size_t table) {
    const Database& read = gathered_.data.databases[static_cast<std::size_t>(database)];
    const DatabaseTable& entry = read.tables[table];
    const std::string found = FindListedFile(files_, FolderOf(read.file_name), entry.path);
    if (found.empty()) {
      Note("table " + entry.name + " (" + entry.path + ") of " + read.file_name + " not found");
      return {};
    }
    AddTable(found, database, table);
    return found;
  }

  void AddTable(const std::string& path, int database, std::size_t table) {
    if (!paths_.insert(Key(path)).second) return;
    const std::string stem = PathText(PathOf(PathFileName(path)).stem());
    const std::string index = FindNameNoCase(files_, FolderOf(path), stem + ".cdx", WantedKind::kLibrary).value_or("");
    gathered_.data.tables.push_back({.path = path, .index_path = index, .database = database});
    entries_.emplace_back(database, table);
  }

  // A name not found is told once, however many forms name it.
  void Note(const std::string& text) {
    if (noted_.insert(text).second) gathered_.notes.push_back(text);
  }

  // A table gathered already whose file is called `file_name`, or "".
  std::string GatheredByName(std::string_view file_name) const {
    for (const SourceTable& table : gathered_.data.tables)
      if (SameText(PathFileName(table.path), file_name)) return table.path;
    return {};
  }

  FileSystem& files_;
  GatheredData gathered_;
  std::vector<std::pair<int, std::size_t>> entries_;  // per table: its database and its entry there
  std::map<std::string, int> databases_;              // path to index, -1 for one that cannot be read
  std::set<std::string> paths_;
  std::set<std::string> noted_;
};

}  // namespace

GatheredData GatherApplicationData(FileSystem& files, const ProjectOutput& project,
                                   const std::vector<FormResult>& forms) {
  DataGatherer gatherer(files);
  for (const ProjectDataFile& file : project.data) gatherer.AddProjectFile(file);
  for (std::size_t form = 0; form < forms.size(); ++form)
    for (std::size_t cursor = 0; cursor < forms[form].tables.size(); ++cursor)
      gatherer.AddCursorPlace(form, cursor, gatherer.AddCursorTable(forms[form].input, forms[form].tables[cursor]));
  return gatherer.Take();
}

}  // namespace quorvex
