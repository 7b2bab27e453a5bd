#include "data/long_field_names.h"

#include "base/ascii.h"

namespace quorvex {

namespace {

constexpr std::size_t kStoredNameLength = 10;

bool InStep(const DatabaseTable& table, const std::vector<DataField>& fields) {
  if (table.fields.size() != fields.size()) return false;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::string& long_name = table.fields[i].name;
    if (!SameText(long_name, fields[i].descriptor.name) && long_name.size() <= kStoredNameLength) return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> LongFieldNames(const DatabaseTable& table, const std::vector<DataField>& fields) {
  const bool in_step = InStep(table, fields);
  std::vector<std::string> names;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    names.push_back(in_step ? table.fields[i].name : fields[i].descriptor.name);
  }
  return names;
}

}  // namespace quorvex
