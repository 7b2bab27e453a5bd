// The members that a container's MemberClass and MemberClassLibrary settings
// name: the pages of a page frame, the columns of a grid, the buttons and
// options of a group. They have no record; each is declared by a "Page1.Name"
// line of its container and set by the container's other "Page1...." lines.
// Resolving one gives it the member class's settings under the container's,
// the member class's METHODS in the container's class methods under the
// member's name, and the members that the member class defines (controls on a
// page class), placed below it.

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/ascii.h"
#include "classlib/class_resolver.h"
#include "scx/scx_property_line.h"
#include "vocabulary/lists.h"

namespace quorvex {

namespace {

// The lines of one member without a record, in the container's order.
struct MemberLines {
  std::string prefix;                // as the container writes it ("Page1")
  std::string name;                  // its Name value: how paths below it name it
  std::vector<std::size_t> indexes;  // of its lines in the container
};

std::string_view FirstComponent(std::string_view path) { return path.substr(0, path.find('.')); }

// The container's members without a record, by the first component of its
// member lines; those without a Name line of their own are left out.
std::vector<MemberLines> GroupMemberLines(const PropertySet& container) {
  std::vector<MemberLines> groups;
  std::unordered_map<std::string, std::size_t> group_of;
  const std::vector<PropertyLine>& lines = container.Lines();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const ScxPropertyName name = SplitPropertyName(lines[i].text);
    if (!name.is_member) continue;
    const std::string_view prefix = TrimBlanks(FirstComponent(name.prefix));
    const auto [place, added] = group_of.try_emplace(AsciiLowerCopy(prefix), groups.size());
    if (added) groups.push_back({std::string(prefix), {}, {}});
    MemberLines& group = groups[place->second];
    group.indexes.push_back(i);
    if (name.prefix.size() == prefix.size() && SameText(name.property, "Name") && group.name.empty())
      group.name = UnquoteNameValue(TrimBlanks(ValuePart(lines[i].text)));
  }
  std::erase_if(groups, [](const MemberLines& group) { return group.name.empty(); });
  return groups;
}

// A member's line as its own: "Page1.txtName.Value = 1" gives "txtName.Value = 1".
std::string LineBelow(const MemberLines& group, std::string_view line) {
  const ScxPropertyName name = SplitPropertyName(line);
  const std::string_view below = name.prefix.substr(std::min(name.prefix.size(), group.prefix.size()));
  return RenamedLine(below.empty() ? below : below.substr(1), name.property, line);
}

}  // namespace

bool ClassResolver::ApplyMemberClasses(ResolvedObject& object) {
  std::vector<ResolvedMember> added;
  bool changed = ApplyMemberClass(object.properties, object.class_methods, {}, object, added);
  object.InsertMembers(object.Members().size(), std::move(added));
  for (std::size_t i = 0; i < object.Members().size(); ++i) {
    ResolvedMember& member = object.Members()[i];
    if (member.member_classes_applied) continue;
    member.member_classes_applied = true;
    added.clear();
    if (!ApplyMemberClass(member.properties, member.class_methods, member.path, object, added)) continue;
    changed = true;
    // After the members already inside this one.
    const std::string inside = AsciiLowerCopy(member.path) + ".";
    std::size_t end = i + 1;
    while (end < object.Members().size() && AsciiLowerCopy(object.Members()[end].path).starts_with(inside)) ++end;
    object.InsertMembers(end, std::move(added));
  }
  return changed;
}

bool ClassResolver::ApplyMemberClass(PropertySet& container, std::vector<ClassMethods>& container_methods,
                                     const std::string& container_path, ResolvedObject& object,
                                     std::vector<ResolvedMember>& added) {
  const PropertyLine* library_line = container.Find("MemberClassLibrary");
  const std::string member_class = container.PlainValue("MemberClass");
  const std::string library = container.PlainValue("MemberClassLibrary");
  if (library_line == nullptr || member_class.empty() || library.empty()) return false;
  const std::string origin(library_line->origin);

  const std::vector<PropertyLine>& lines = container.Lines();
  std::unordered_map<std::size_t, std::vector<PropertyLine>> replacement_at;  // first line index -> new lines
  std::vector<bool> replaced(lines.size(), false);
  for (const MemberLines& group : GroupMemberLines(container)) {
    const std::string path = container_path.empty() ? group.name : container_path + "." + group.name;
    if (object.FindMember(path) != nullptr) continue;  // a member with a record of its own
    std::vector<PropertyLine> own;
    for (std::size_t i : group.indexes) own.push_back({LineBelow(group, lines[i].text), lines[i].origin});
    std::optional<ResolvedObject> resolved = ResolveClass(member_class, library, origin, &own);
    if (!resolved) continue;
    std::vector<PropertyLine>& block = replacement_at[group.indexes.front()];
    for (const PropertyLine& line : resolved->properties.Lines()) {
      if (!PropertyKey(line.text).empty())
        block.push_back({group.prefix + "." + std::string(TrimLeftBlanks(line.text)), line.origin});
    }
    for (std::size_t i : group.indexes) replaced[i] = true;
    // The member has no record: the container's holds its methods, under the
    // name the object tree gives it ("PROCEDURE Click" as "Page1.Click").
    for (ClassMethods& methods : resolved->class_methods) {
      methods.member_prefix = methods.member_prefix.empty() ? group.name : group.name + "." + methods.member_prefix;
      container_methods.push_back(std::move(methods));
    }
    for (ResolvedMember& inner : resolved->TakeMembers()) {
      inner.path = path + "." + inner.path;
      inner.member_classes_applied = true;  // worked out with its member class
      added.push_back(std::move(inner));
    }
  }
  if (replacement_at.empty()) return false;

  std::vector<PropertyLine> rebuilt;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (auto block = replacement_at.find(i); block != replacement_at.end()) {
      for (PropertyLine& line : block->second) rebuilt.push_back(std::move(line));
    }
    if (!replaced[i]) rebuilt.push_back(lines[i]);
  }
  container.Reset(std::move(rebuilt));
  return true;
}

}  // namespace quorvex
