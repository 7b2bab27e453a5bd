#include "translate/form_objects.h"

#include <algorithm>

#include "base/ascii.h"

namespace quorvex {

int FormObjects::Member(int object, std::string_view name) const {
  for (const int member : objects.at(static_cast<std::size_t>(object)).members) {
    if (SameText(objects[static_cast<std::size_t>(member)].fox_name, name)) return member;
  }
  return -1;
}

const std::string_view* FormObjects::Stored(int object, std::string_view property) const {
  for (const auto& [name, value] : objects.at(static_cast<std::size_t>(object)).stored) {
    if (SameText(name, property)) return &value;
  }
  return nullptr;
}

bool FormObjects::AnyHasMethod(int object, std::string_view name) const {
  const FoxObject& each = objects.at(static_cast<std::size_t>(object));
  const auto named = [&](const auto& method) { return SameText(method.fox_name, name); };
  if (std::any_of(each.methods.begin(), each.methods.end(), named)) return true;
  if (std::any_of(each.other_methods.begin(), each.other_methods.end(),
                  [&](std::string_view other) { return SameText(other, name); }))
    return true;
  return std::any_of(each.members.begin(), each.members.end(), [&](int member) { return AnyHasMethod(member, name); });
}

bool FormObjects::AnyStores(int object, std::string_view property) const {
  if (Stored(object, property) != nullptr) return true;
  const FoxObject& each = objects.at(static_cast<std::size_t>(object));
  return std::any_of(each.members.begin(), each.members.end(),
                     [&](int member) { return AnyStores(member, property); });
}

}  // namespace quorvex

