#pragma once
// The names that no two forms of one program may have, given out by a run in
// input order. A program links each form's text as a resource named after
// the form's class, so a form whose class an earlier form of the run has
// gets another class; and in a run that makes a
// program (a project), a unit whose name an earlier form's unit has gets
// "_1", "_2", ... after it.

#include <set>
#include <string>

#include "base/ascii.h"

namespace quorvex {

class ProgramNames {
 public:
  // `form_class` when no form claimed it before (letter case aside); else
  // `alternative` (a class named after the form's unit), with "_1", "_2",
  // ... after it while that is claimed. Either way the class given is
  // claimed.
  std::string ClaimClass(const std::string& form_class, const std::string& alternative);

  // `unit_name`, or it with "_1", "_2", ... after it while that is claimed;
  // the name given is claimed.
  std::string ClaimUnit(const std::string& unit_name);

  void Clear();

 private:
  // `wanted` when free; else `alternative`, then it with "_1", "_2", ...
  static std::string Claim(std::set<std::string, TextLess>& claimed, const std::string& wanted,
                           const std::string& alternative);

  std::set<std::string, TextLess> classes_;
  std::set<std::string, TextLess> units_;
};

}  // namespace quorvex
