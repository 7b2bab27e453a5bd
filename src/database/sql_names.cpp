#include "database/sql_names.h"

#include "base/ascii.h"

namespace quorvex {

std::string QuoteIdentifier(std::string_view name) {
  std::string quoted = "\"";
  for (const char c : name) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

void SqlNames::Reserve(std::string_view name) { taken_.insert(AsciiLowerCopy(name)); }

std::string SqlNames::Take(std::string_view wanted, std::string_view companion) {
  const std::string base = AsciiLowerCopy(wanted);
  const std::string suffix = AsciiLowerCopy(companion);
  const auto free = [&](const std::string& name) {
    return !taken_.contains(name) && (suffix.empty() || !taken_.contains(name + suffix));
  };
  std::string name = base;
  for (int number = 2; !free(name); ++number) name = base + "_" + std::to_string(number);
  taken_.insert(name);
  if (!suffix.empty()) taken_.insert(name + suffix);
  return name;
}

}  // namespace quorvex
