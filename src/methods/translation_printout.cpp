#include "methods/translation_printout.h"

namespace quorvex {

namespace {

const char* OutcomeText(TranslationOutcome outcome) {
  switch (outcome) {
    case TranslationOutcome::kFull: return "full";
    case TranslationOutcome::kPartial: return "partly";
    case TranslationOutcome::kNone: return "not at all";
    case TranslationOutcome::kNoCode: break;
  }
  return "no code";
}

void PrintComponent(const Component& component, std::ostream& out) {
  for (const FormMethod& method : component.methods) {
    for (const FoxMethod& fox : method.methods) {
      const MethodTranslation& translation = fox.translation;
      if (fox.overridden || translation.code_lines == 0) continue;
      out << "  " << method.name << " (" << (method.event.empty() ? "" : method.event + ", ") << "FoxPro "
          << (fox.owner.empty() ? "" : fox.owner + ".") << fox.name << "): " << OutcomeText(translation.Outcome())
          << ", " << translation.translated_lines << " of "
          << translation.code_lines << " lines\n";
      for (const UntranslatedLines& lines : translation.untranslated)
        out << "    " << lines.lines << (lines.lines == 1 ? " line: " : " lines: ") << lines.reason << '\n';
    }
  }
  for (const Component& child : component.children) PrintComponent(child, out);
}

}  // namespace

void PrintTranslation(const LoadableForm& form, std::ostream& out) {
  out << form.unit_name << ".pas\n";
  PrintComponent(form.root, out);
}

}  // namespace quorvex
