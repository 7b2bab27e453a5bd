#include "run/program_names.h"

namespace quorvex {

std::string ProgramNames::Claim(std::set<std::string, TextLess>& claimed, const std::string& wanted,
                                const std::string& alternative) {
  if (claimed.insert(wanted).second) return wanted;
  std::string candidate = alternative;
  for (int suffix = 1; !claimed.insert(candidate).second; ++suffix)
    candidate = alternative + "_" + std::to_string(suffix);
  return candidate;
}

std::string ProgramNames::ClaimClass(const std::string& form_class, const std::string& alternative) {
  return Claim(classes_, form_class, alternative);
}

std::string ProgramNames::ClaimUnit(const std::string& unit_name) { return Claim(units_, unit_name, unit_name); }

void ProgramNames::Clear() {
  classes_.clear();
  units_.clear();
}

}  // namespace quorvex
