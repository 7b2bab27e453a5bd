#pragma once
// The records of a form (.scx) or class library (.vcx) read once into memory:
// for the passes that look at a record more than once, or at records of
// several tables together (the loadable mode, class libraries). The default
// conversion reads its table directly and does not use these.

#include <string>
#include <vector>

namespace quorvex {

class TableDataSet;

// The METHODS memo of one class along an object's class chain, for an object
// that a class library made (filled by the class-library expansion).
struct ClassMethods {
  // The class it comes from, as the unit names it: "cmdbase of base.vcx".
  std::string origin;
  // The member of the object whose methods these are, "" for the object itself
  // ("Page1" for the methods of a page class that a MemberClass names); the
  // text's own "PROCEDURE a.b.Click" prefixes come below it.
  std::string member_prefix;
  std::string text;  // "PROCEDURE Click" ... "ENDPROC" blocks as the library stores them
};

// One record's fields as text (trailing blanks already cut by the table layer).
struct FormRecord {
  int record_number = 0;       // RecNo in the table it was read from
  std::string platform;        // PLATFORM: "COMMENT" for records that describe no object
  std::string unique_id;       // UNIQUEID
  std::string class_name;      // CLASS
  std::string class_location;  // CLASSLOC: the class's library, relative to the table's folder
  std::string base_class;      // BASECLASS
  std::string object_name;     // OBJNAME
  std::string parent;          // PARENT: dotted path of the container
  std::string properties;      // PROPERTIES: "Name = value" lines
  std::string methods;         // METHODS: "PROCEDURE Click" ... "ENDPROC" blocks
  // What the object's classes store in their METHODS, the furthest ancestor
  // first; empty for a record no class library made.
  std::vector<ClassMethods> class_methods;
  // Where the PROPERTIES lines that a class library set were written, for
  // the files their values name (a picture): "Property = FOLDER" for each,
  // FOLDER the folder of the library that holds the line, in the layout of
  // PROPERTIES itself so that a node reads its share as it reads its settings
  // (NodePropertyLines). Lines of the form itself, and of libraries in the
  // form's folder, are not listed. Filled by the class-library expansion.
  std::string property_folders;
  std::string reserved1;       // RESERVED1: "Class" on a library's class record
  std::string reserved2;       // RESERVED2: a class record's record count
  // RESERVED3 of a form's, form set's or library class's record: the
  // properties and methods it adds ("name description" lines, "*" before a
  // method); "" for other records. After the class-library expansion, what
  // the classes behind the object add too.
  std::string reserved3;
  // RESERVED8 of a form's comment record or a library's class record: the
  // #INCLUDE file its code was compiled with ("" for none, and for other
  // records). After the class-library expansion the form's comment record
  // names one of its classes' where it has none of its own.
  std::string reserved8 = {};
};

// A record that could not be read, and the failure's message.
struct RecordFailure {
  int record_number = 0;
  std::string message;
};

// Every live record of the open dataset, in table order. A field the table
// lacks reads as empty; a record that cannot be read (a damaged memo entry) is
// passed over, so a partly damaged table still gives what it can, and is
// added to `failures` when given. Failures of the walk itself (First, Next)
// propagate. Leaves the dataset at Eof.
std::vector<FormRecord> ReadFormRecords(TableDataSet& dataset, std::vector<RecordFailure>* failures = nullptr);

}  // namespace quorvex
