#pragma once
// A form's records with its class-library objects spelt out: the records
// from which the object tree builds every object, members of library classes
// included, with the settings their classes give them.
//
// Every record whose CLASS/CLASSLOC name a class that can be resolved becomes:
//   - the record itself, its PROPERTIES the merged settings of its class chain
//     (each property once, in the place where the chain first set it) with
//     the record's own lines over them, its BASECLASS the FoxPro base class
//     at the root of the chain, its METHODS its own, and its class_methods
//     the METHODS of each class on the chain, the root first (the classes'
//     "PROCEDURE cmdOk.Click" overrides of members' methods among them), and
//     its property_folders the folders of the libraries its lines come from;
//   - right after it, one record per member that the classes along the chain
//     define (and members of members, in pre-order): PARENT the instance's
//     path and the member's path below the class, its own Name line, its
//     merged settings, and the instance's "member.Property = value" lines
//     moved into it, no METHODS, and as class_methods those of its own
//     class chain (when it is itself an instance of a library class) and then
//     its library record's, and property_folders as the instance's. Such a
//     record keeps its library record's CLASS, CLASSLOC, UNIQUEID and
//     OBJNAME, and carries the record number of the form record it was
//     expanded from; so record numbers are not unique, and the records are
//     told apart by their place in the list.
// Members named by a container's MemberClass/MemberClassLibrary (pages,
// columns, buttons, options) stay lines of their container, with the member
// class's settings under the container's, and the member class's chain's
// METHODS in the container record's class_methods, member_prefix the
// member's Name ("Page1"); the members the member class defines become
// records below them.
//
// Every METHODS text of the classes behind an object reaches exactly one of
// the records made for it, with its origin, "CLASS of LIBRARY.vcx"
// (ClassResolver). Records that name no library, or a class that cannot be
// resolved, come out as they went in (class_methods empty), and so does
// every record when no library is involved.

#include <string>
#include <string_view>
#include <vector>

#include "classlib/class_library_cache.h"
#include "scx/form_record.h"

namespace quorvex {

struct ClassExpansion {
  std::vector<FormRecord> records;
  // Report lines ("   Note: class library NAME not found" and the others
  // that ClassResolver::Notes lists), each once, in the order they arose.
  std::vector<std::string> notes;
};

// `records`: the form's records (ReadFormRecords), those that stay as they
// are moved into the result; `form_path`: its file.
// Throws EFormTooLarge when the libraries would make the form larger than
// the object tree's bounds (methods counted with the settings).
ClassExpansion ExpandClassInstances(std::vector<FormRecord> records, std::string_view form_path,
                                    ClassLibraryCache& cache);

}  // namespace quorvex
