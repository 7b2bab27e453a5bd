#pragma once
// An object as its class chain makes it: its settings, the METHODS of its
// classes, and the members that the classes along the chain define, each with
// settings and methods of its own.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "classlib/property_set.h"
#include "scx/form_record.h"

namespace quorvex {

// A member that some class along the chain defines with a record.
struct ResolvedMember {
  // Dotted path below the object, components as the classes name them:
  // "cmdOk", "Pageframe1.Page1.txtName" (Page1 being a page, which has no
  // record of its own).
  std::string path;
  const FormRecord* record = nullptr;  // its record in a library
  std::string base_class;              // the FoxPro base class at the root of its chain
  PropertySet properties;
  // Its own class chain's METHODS (root first), then its library record's
  // with the origin of the class that defines it, then those that its
  // MemberClass brings (as in ResolvedObject).
  std::vector<ClassMethods> class_methods;
  std::string reserved3;  // as ResolvedObject::reserved3, for its own chain
  bool member_classes_applied = false;  // its MemberClass has been worked out already
};

class ResolvedObject {
 public:
  std::string base_class;
  // Own lines, and the lines of members that have no record (pages, columns,
  // buttons, options), which the object tree reads from their container.
  PropertySet properties;
  // The METHODS of the classes along the chain, the root first, member_prefix
  // "" (empty texts left out); then those of the classes that MemberClass
  // names for members without a record, member_prefix their path below the
  // object as the object tree names them ("Page1").
  std::vector<ClassMethods> class_methods;
  // The RESERVED3 lines of the classes along the chain, the root first: the
  // properties and methods they add.
  std::string reserved3;

  // Adds a RESERVED3 text after those before it, on lines of its own.
  void AddReserved3(std::string_view lines);

  // In pre-order: a member comes before the members inside it.
  const std::vector<ResolvedMember>& Members() const { return members_; }
  // For changing members' settings; their paths must stay as they are.
  std::vector<ResolvedMember>& Members() { return members_; }
  // Moves the members out, leaving the object without any.
  std::vector<ResolvedMember> TakeMembers();

  // Sets one property line. A member line ("a.b.Caption = x") goes to the
  // member with the longest path that its member prefix starts with
  // (components compared without regard to case), as the line for the part
  // of the prefix below it ("b.Caption = x" for member "a"); a member line
  // that no member takes, and every own line, stays with the object.
  void Apply(std::string_view line, std::string_view origin);
  void ApplyAll(std::string_view properties, std::string_view origin);

  // Adds `member` at `path` with the members inside it after it.
  void AddMember(std::string path, const FormRecord& record, ResolvedObject member);
  // Puts `added` before the member at `position` (at the end for size()).
  void InsertMembers(std::size_t position, std::vector<ResolvedMember> added);
  // The member at `path` (letter case aside), or null.
  const ResolvedMember* FindMember(std::string_view path) const;

 private:
  // Members are added in bulk while a chain is worked out, and looked up only
  // when a line or a MemberClass names one: the index is made when needed.
  void IndexMembers() const;

  std::vector<ResolvedMember> members_;
  mutable std::unordered_map<std::string, std::size_t> member_by_path_;  // lower-case path -> first member there
  mutable bool indexed_ = true;
};

// A property line written for a new owner: `prefix` + "." + `property` (or
// the property alone for an empty prefix), " =", and the line's value part
// as it stands. ("Page1", "Caption", "x.Caption = \"A\"") gives
// "Page1.Caption = \"A\"".
std::string RenamedLine(std::string_view prefix, std::string_view property, std::string_view line);

}  // namespace quorvex
