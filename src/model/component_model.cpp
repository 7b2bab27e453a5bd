#include "model/component_model.h"

namespace quorvex {

void ReleaseStoredLines(Component& component) {
  TextList().swap(component.stored);
  for (Component& child : component.children) ReleaseStoredLines(child);
}

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

TranslationCounts CountTranslations(const Component& component) {
  TranslationCounts counts;
  for (const FormMethod& method : component.methods) {
    for (const FoxMethod& fox : method.methods) {
      if (fox.overridden) continue;
      const MethodTranslation& translation = fox.translation;
      counts.lines += translation.code_lines;
      counts.translated_lines += translation.translated_lines;
      switch (translation.Outcome()) {
        case TranslationOutcome::kFull: ++counts.full; break;
        case TranslationOutcome::kPartial: ++counts.partial; break;
        case TranslationOutcome::kNone: ++counts.none; break;
        case TranslationOutcome::kNoCode: break;
      }
    }
  }
  for (const Component& child : component.children) {
    const TranslationCounts inner = CountTranslations(child);
    counts.full += inner.full;
    counts.partial += inner.partial;
    counts.none += inner.none;
    counts.lines += inner.lines;
    counts.translated_lines += inner.translated_lines;
  }
  return counts;
}

}  // namespace quorvex
