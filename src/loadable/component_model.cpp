#include "loadable/component_model.h"

namespace quorvex {

int KeptSettingCount(const Component& component) {
  int count = static_cast<int>(component.kept.size());
  for (const Component& child : component.children) count += KeptSettingCount(child);
  return count;
}

}  // namespace quorvex
