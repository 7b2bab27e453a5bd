#include "classlib/resolved_object.h"

#include <algorithm>

#include "base/ascii.h"
#include "base/text_list.h"
#include "scx/scx_property_line.h"
#include "vocabulary/lists.h"

namespace quorvex {

std::string RenamedLine(std::string_view prefix, std::string_view property, std::string_view line) {
  std::string text(prefix);
  if (!text.empty()) text += '.';
  text += property;
  text += " =";
  text += ValuePart(line);
  return text;
}

void ResolvedObject::Apply(std::string_view line, std::string_view origin) {
  const ScxPropertyName name = SplitPropertyName(line);
  if (name.is_member && !members_.empty()) {
    IndexMembers();
    // Longest path first: "a.b.c", then "a.b", then "a".
    std::string key = AsciiLowerCopy(name.prefix);
    for (;;) {
      if (const auto found = member_by_path_.find(key); found != member_by_path_.end()) {
        const std::string_view below = name.prefix.substr(key.size());  // "" or ".rest"
        const std::string_view rest = below.empty() ? below : below.substr(1);
        members_[found->second].properties.Set(RenamedLine(rest, name.property, line), origin);
        return;
      }
      const std::size_t dot = key.rfind('.');
      if (dot == std::string::npos) break;
      key.resize(dot);
    }
  }
  properties.Set(std::string(line), origin);
}

void ResolvedObject::ApplyAll(std::string_view text, std::string_view origin) {
  for (const std::string& line : SplitLines(text)) Apply(line, origin);
}

void ResolvedObject::AddMember(std::string path, const FormRecord& record, ResolvedObject member) {
  std::vector<ResolvedMember> inside = member.TakeMembers();
  const std::size_t needed = members_.size() + 1 + inside.size();
  if (needed > members_.capacity()) members_.reserve(std::max(needed, 2 * members_.capacity()));
  const std::string above = path + ".";
  members_.push_back({std::move(path), &record, std::move(member.base_class), std::move(member.properties),
                      std::move(member.class_methods), std::move(member.reserved3)});
  for (ResolvedMember& inner : inside) {
    inner.path.insert(0, above);
    members_.push_back(std::move(inner));
  }
  indexed_ = false;
}

void ResolvedObject::InsertMembers(std::size_t position, std::vector<ResolvedMember> added) {
  if (added.empty()) return;
  members_.insert(members_.begin() + static_cast<std::ptrdiff_t>(position), std::make_move_iterator(added.begin()),
                  std::make_move_iterator(added.end()));
  indexed_ = false;
}

std::vector<ResolvedMember> ResolvedObject::TakeMembers() {
  std::vector<ResolvedMember> taken = std::move(members_);
  members_.clear();
  member_by_path_.clear();
  indexed_ = true;
  return taken;
}

const ResolvedMember* ResolvedObject::FindMember(std::string_view path) const {
  IndexMembers();
  const auto found = member_by_path_.find(AsciiLowerCopy(path));
  return found == member_by_path_.end() ? nullptr : &members_[found->second];
}

void ResolvedObject::IndexMembers() const {
  if (indexed_) return;
  member_by_path_.clear();
  for (std::size_t i = 0; i < members_.size(); ++i) member_by_path_.try_emplace(AsciiLowerCopy(members_[i].path), i);
  indexed_ = true;
}

void ResolvedObject::AddReserved3(std::string_view lines) {
  if (lines.empty()) return;
  if (!reserved3.empty() && !reserved3.ends_with('\n')) reserved3 += "\r\n";
  reserved3 += lines;
}

}  // namespace quorvex
