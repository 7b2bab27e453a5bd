#pragma once
// One class library (.vcx table + .vct memo, the layout of a form) read into
// its classes.
//
// Layout, as Visual FoxPro writes it:
//   - a class starts with a record whose RESERVED1 is "Class": OBJNAME the
//     class name, CLASS/CLASSLOC the parent class (CLASSLOC empty: CLASS is the
//     FoxPro base class), PROPERTIES the class's own settings and the
//     "member.Property = value" lines by which it changes inherited members,
//     RESERVED2 the number of records of the class (itself and its members);
//   - the members the class adds follow, PARENT the class name or a dotted
//     path below it ("cls.Pageframe1.Page1");
//   - a COMMENT record ends the class (UNIQUEID "RESERVED", or "FONTINFO" in
//     old files); old files may also just start the next class.
// Deleted records are not read (old versions of a class often remain as
// deleted records beside the live one).

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "scx/form_record.h"
#include "table/file_system.h"

namespace quorvex {

struct LibraryClass {
  const FormRecord* record = nullptr;       // the class record
  std::vector<const FormRecord*> members;  // the member records, in table order
};

class ClassLibrary {
 public:
  // Splits `records` (a library's live records in table order) into classes.
  // A member record belongs to the class when its PARENT's first component is
  // the class name (letter case aside) and it lies within the RESERVED2 count
  // when that is a positive number; other records are passed over.
  ClassLibrary(std::string path, std::vector<FormRecord> records, std::vector<RecordFailure> failures = {});
  ClassLibrary(const ClassLibrary&) = delete;
  ClassLibrary& operator=(const ClassLibrary&) = delete;

  const std::string& Path() const { return path_; }      // full name of the .vcx
  const std::string& Folder() const { return folder_; }  // where its CLASSLOCs start
  const std::vector<LibraryClass>& Classes() const { return classes_; }
  // Records of the library that could not be read (a damaged memo entry).
  const std::vector<RecordFailure>& Failures() const { return failures_; }

  // The first class of that name, letter case aside, or null.
  const LibraryClass* FindClass(std::string_view name) const;

 private:
  std::string path_;
  std::string folder_;
  std::vector<FormRecord> records_;  // never changed after construction: the classes point into it
  std::vector<LibraryClass> classes_;
  std::unordered_map<std::string, std::size_t> class_by_name_;  // lower-case name -> index
  std::vector<RecordFailure> failures_;
};

// Reads the library at `path` through the table layer: read-only, shared,
// with the table's bounds and messages. The table and its memo file (found as
// the table layer finds it: the derived name, else a name equal to it without
// regard to case) must be regular files, and the table one whose memo file
// is a .vct (not a dBASE table, whose memo file is a .dbt). Throws ETableError
// "File %s is not a regular file", "File %s is a dBASE table, not a class
// library" or, for the memo file, "File %s could not be found", and the
// table layer's ETableError and EDatabaseError when the table cannot be
// opened or walked.
std::shared_ptr<const ClassLibrary> ReadClassLibrary(FileSystem& files, const std::string& path);

}  // namespace quorvex
