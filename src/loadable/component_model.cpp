#include "loadable/component_model.h"

namespace quorvex {

int KeptSettingCount(const Component& component) {
  int count = static_cast<int>(component.kept.size());
  for (const Component& child : component.children) count += KeptSettingCount(child);
  return count;
}

int FoxMethodCount(const Component& component) {
  int count = static_cast<int>(component.fox_methods.size());
  for (const FormMethod& method : component.methods) count += static_cast<int>(method.methods.size());
  for (const Component& child : component.children) count += FoxMethodCount(child);
  return count;
}

int HandledMethodCount(const Component& component) {
  int count = 0;
  for (const FormMethod& method : component.methods) {
    if (!method.event.empty()) count += static_cast<int>(method.methods.size());
  }
  for (const Component& child : component.children) count += HandledMethodCount(child);
  return count;
}

}  // namespace quorvex
