#pragma once
// The names a FoxPro application's data gets in SQL. FoxPro reads every name
// without regard to letter case, and so do SQLite and, for names in lower
// case, PostgreSQL: names are written in lower case (ASCII letters), and two
// names are the same name when they differ in case alone.

#include <string>
#include <string_view>
#include <unordered_set>

namespace quorvex {

// `name` in double quotes, its own double quotes doubled: any text is then a
// name in SQLite and PostgreSQL alike, a keyword too ("order", "desc").
std::string QuoteIdentifier(std::string_view name);

// Gives out names unique without regard to case: a name taken before gets
// "_2", "_3", ... after it, the first of those still free.
class SqlNames {
 public:
  // Marks `name` taken without giving it out.
  void Reserve(std::string_view name);
  // `wanted` in lower case, or the first free name made from it. With a
  // `companion` suffix, the name and the name followed by it must both be
  // free, and both are taken.
  std::string Take(std::string_view wanted, std::string_view companion = {});

 private:
  std::unordered_set<std::string> taken_;  // in lower case
};

}  // namespace quorvex
