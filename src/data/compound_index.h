#pragma once
// The tags of a compound index file (.cdx; a database's .dcx is one too):
// what each tag orders by and which records it admits, read from the tag
// headers (cdx_format.h). The keys themselves are not read.
//
// The file is untrusted: every header and node must lie wholly in the file,
// every count and packed key must fit its node, and the directory's nodes are
// visited at most once each. Failures raise ETableError naming the file:
//   "File %s could not be found", "Access denied to file %s",
//   "Index header at %llu is cut short in %s" (the directory's at 0, a tag's
//     at its offset),
//   "Index node at %llu is cut short in %s", "Index node at %llu is bad in %s",
//   "Index nodes loop in %s",
//   "Index directory lists more tags than fit in %s" (more than its
//     1024-byte headers could be),
//   "Key length %d is invalid in index %s" (the directory's: 1 to 240),
//   "Expression of tag %s lies outside its header in %s".

#include <string>
#include <string_view>
#include <vector>

#include "table/file_system.h"

namespace quorvex {

struct IndexTag {
  std::string name = {};            // as the directory holds it, trailing blanks removed ("CUSTID")
  std::string key_expression = {};  // FoxPro expression text ("UPPER(name)")
  std::string for_expression = {};  // "" when the tag admits every record
  bool unique = false;              // UNIQUE: one record per key value
  bool candidate = false;           // candidate key (a primary key is one too: the database says which)
  bool descending = false;
};

// The tags in the directory's order (by name).
std::vector<IndexTag> ReadCompoundIndex(FileSystem& files, std::string_view file_name);

}  // namespace quorvex
