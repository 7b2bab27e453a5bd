#include "methods/unit_methods.h"

#include <algorithm>
#include <array>

#include "base/text_encoding.h"

namespace quorvex {

namespace {

// The parameters of the method types the loadable mode's events take, the
// same in Delphi and the LCL.
struct MethodType {
  std::string_view name;
  std::string_view parameters;
};
constexpr std::array<MethodType, 10> kMethodTypes = {{
    {"TNotifyEvent", "(Sender: TObject)"},
    {"TKeyEvent", "(Sender: TObject; var Key: Word; Shift: TShiftState)"},
    {"TKeyPressEvent", "(Sender: TObject; var Key: Char)"},
    {"TMouseEvent", "(Sender: TObject; Button: TMouseButton; Shift: TShiftState; X, Y: Integer)"},
    {"TMouseMoveEvent", "(Sender: TObject; Shift: TShiftState; X, Y: Integer)"},
    {"TDragDropEvent", "(Sender, Source: TObject; X, Y: Integer)"},
    {"TDragOverEvent", "(Sender, Source: TObject; X, Y: Integer; State: TDragState; var Accept: Boolean)"},
    {"TContextPopupEvent", "(Sender: TObject; MousePos: TPoint; var Handled: Boolean)"},
    {"TCloseEvent", "(Sender: TObject; var Action: TCloseAction)"},
    {"TCloseQueryEvent", "(Sender: TObject; var CanClose: Boolean)"},
}};

// `each` of the component and every component inside it, in the order of the text.
template <typename Each>
void ForEachComponent(const Component& component, Each&& each) {
  each(component);
  for (const Component& child : component.children) ForEachComponent(child, each);
}

template <typename Each>
void ForEachMethod(const Component& component, Each&& each) {
  for (const FormMethod& method : component.methods) each(component, method);
  for (const Component& child : component.children) ForEachMethod(child, each);
}

// What the form's Loaded does in the LCL alone: settings Delphi's classes do
// not have, handlers of events they do not publish.
TextList LclStatements(const Component& form) {
  TextList statements;
  const auto settings = [&](const Component& component, const auto& self) -> void {
    for (const DfmSetting& setting : component.lcl_settings)
      statements.push_back("  " + component.identifier + "." + setting.name + " := " + setting.value + ";");
    for (const Component& child : component.children) self(child, self);
  };
  for (const Component& child : form.children) settings(child, settings);
  ForEachMethod(form, [&](const Component& component, const FormMethod& method) {
    if (!method.lcl_only) return;
    const std::string target = &component == &form ? std::string() : component.identifier + ".";
    statements.push_back("  " + target + method.event + " := " + method.name + ";");
  });
  return statements;
}

// What the form's Loaded has FoxRuntime make: the FoxPro settings neither
// Delphi nor the LCL has a property for.
TextList RuntimeStatements(const Component& form) {
  TextList statements;
  const auto calls = [&](const Component& component, const auto& self) -> void {
    const std::string target = &component == &form ? "Self" : component.identifier;
    for (const DfmSetting& call : component.runtime_settings)
      statements.push_back("  " + call.name + "(" + target + ", " + call.value + ");");
    for (const Component& child : component.children) self(child, self);
  };
  calls(form, calls);
  return statements;
}

// What the form's Loaded has FoxData open: the tables of its data
// environment's cursors.
TextList DataStatements(const Component& form) {
  TextList statements;
  ForEachComponent(form, [&](const Component& component) {
    if (!component.data_opening.empty())
      statements.push_back("  FoxOpenCursor(" + component.identifier + ", " + component.data_opening + ");");
  });
  // Once every cursor is open.
  ForEachComponent(form, [&](const Component& component) {
    if (!component.data_list.empty())
      statements.push_back("  FoxFillList(" + component.identifier + ".Items, " + component.data_list + ");");
  });
  return statements;
}

// The heading comment of a FoxPro method: its name (with the object below the
// component it belongs to) and the class it comes from.
std::string MethodHeading(const FoxMethod& method) {
  std::string heading = method.name.empty() ? std::string("code outside any procedure") : method.name;
  if (!method.owner.empty()) heading = method.owner + "." + heading;
  heading = "FoxPro " + heading;
  if (!method.origin.empty()) heading += ", from class " + method.origin;
  return heading;
}

bool IsInit(const FormMethod& method) {
  return method.event.empty() && !method.methods.empty() && SameText(method.methods.front().name, "Init");
}

void AddInits(const Component& component, std::vector<std::string>& inits) {
  for (const Component& child : component.children) AddInits(child, inits);
  // An object below the component that has no component of its own (a
  // column's header) is its member.
  for (const bool own : {false, true}) {
    for (const FormMethod& method : component.methods) {
      if (IsInit(method) && method.methods.front().owner.empty() == own) inits.push_back(method.name);
    }
  }
}

const FormMethod* CreateHandler(const Component& form) {
  for (const FormMethod& method : form.methods) {
    if (method.event == "OnCreate") return &method;
  }
  return nullptr;
}

bool IsFormInit(const FoxMethod& fox) { return fox.owner.empty() && SameText(fox.name, "Init"); }

// Where the objects' Init run: after FoxPro's Load and before the form's
// Init, which the OnCreate handler holds. Where it holds no Init they run
// after it (from DoCreate), where there is none before its place.
enum class InitsPlace { kNone, kInHandler, kAfterHandler, kInsteadOfHandler };

InitsPlace PlaceOfInits(const Component& form) {
  if (ObjectInits(form).empty()) return InitsPlace::kNone;
  const FormMethod* handler = CreateHandler(form);
  if (handler == nullptr) return InitsPlace::kInsteadOfHandler;
  return std::any_of(handler->methods.begin(), handler->methods.end(), IsFormInit) ? InitsPlace::kInHandler
                                                                                   : InitsPlace::kAfterHandler;
}

// The FoxPro code of `fox` as it is stored, a comment per line.
void AppendComments(const FoxMethod& fox, int code_page, TextList& out) {
  for (const std::string& line : fox.code) {
    const std::string text = DecodeToUtf8(line, code_page);
    out.push_back(text.find_first_not_of(" \t") == std::string::npos ? std::string() : "  " + LineComment(text));
  }
}

// The translation of `fox`: every FoxPro line as its comment, the Pascal of
// what is translated after it, indented by the blocks it is in.
void AppendTranslation(const FoxMethod& fox, int code_page, TextList& out) {
  for (const BodyLine& line : fox.translation.lines) {
    const std::string indent(static_cast<std::size_t>(2 + 2 * line.depth), ' ');
    if (line.source < 0) {
      out.push_back(indent + line.pascal);
      continue;
    }
    const std::string text = DecodeToUtf8(fox.code[static_cast<std::size_t>(line.source)], code_page);
    out.push_back(text.find_first_not_of(" \t") == std::string::npos ? std::string() : indent + LineComment(text));
  }
}

bool FullyTranslated(const FormMethod& method) {
  return std::all_of(method.methods.begin(), method.methods.end(), [](const FoxMethod& fox) {
    const TranslationOutcome outcome = fox.translation.Outcome();
    return fox.overridden || outcome == TranslationOutcome::kFull || outcome == TranslationOutcome::kNoCode;
  });
}

// `before_init`: a line that goes before the form's own Init ("" for none).
void AppendBody(const FormMethod& method, const std::string& form_class, int code_page, TextList& out,
                const std::string& before_init = {}) {
  out.push_back("");
  out.push_back("procedure " + form_class + "." + method.name + std::string(ParametersOf(method.event_type)) + ";");
  std::vector<LocalVariable> locals;
  for (const FoxMethod& fox : method.methods)
    locals.insert(locals.end(), fox.translation.locals.begin(), fox.translation.locals.end());
  if (!locals.empty()) {
    out.push_back("var");
    for (const LocalVariable& local : locals) out.push_back("  " + local.name + ": " + local.type + ";");
  }
  out.push_back("begin");
  if (!FullyTranslated(method)) out.push_back(std::string(kNotFullyTranslated));
  bool inits_called = before_init.empty();
  for (const FoxMethod& fox : method.methods) {
    if (!inits_called && IsFormInit(fox)) {
      out.push_back(before_init);
      inits_called = true;
    }
    out.push_back("  " + LineComment(DecodeToUtf8(MethodHeading(fox), code_page)));
    if (fox.overridden) {
      out.push_back("  // Not run: FoxPro runs the version of the method below in its place.");
      AppendComments(fox, code_page, out);
    } else {
      AppendTranslation(fox, code_page, out);
    }
  }
  out.push_back("end;");
}

}  // namespace

std::string_view ParametersOf(std::string_view event_type) {
  for (const MethodType& type : kMethodTypes) {
    if (type.name == event_type) return type.parameters;
  }
  return {};
}

std::string LineComment(std::string_view text) {
  std::string clean(text);
  for (char& c : clean) {
    if (static_cast<unsigned char>(c) < 32 && c != '\t') c = ' ';
  }
  if (clean.find('}') == std::string::npos) return "{ " + clean + " }";
  if (clean.find("*)") == std::string::npos) return "(* " + clean + " *)";
  return "// " + clean;
}

TextList MethodDeclarations(const Component& form, bool handlers) {
  TextList declarations;
  ForEachMethod(form, [&](const Component&, const FormMethod& method) {
    if (method.event.empty() == handlers) return;
    declarations.push_back("    procedure " + method.name + std::string(ParametersOf(method.event_type)) + ";");
  });
  return declarations;
}

bool NeedsTypesUnit(const Component& form) {
  bool needed = false;
  ForEachMethod(form, [&](const Component&, const FormMethod& method) {
    needed = needed || method.event_type == "TContextPopupEvent";
  });
  return needed;
}

bool NeedsLoaded(const Component& form) { return !LclStatements(form).empty() || !RuntimeStatements(form).empty(); }

bool HasCustomProperties(const Component& form) {
  return !form.custom_properties.empty() ||
         std::any_of(form.children.begin(), form.children.end(), HasCustomProperties);
}

std::vector<std::string> ObjectInits(const Component& form) {
  std::vector<std::string> inits;
  for (const Component& child : form.children) AddInits(child, inits);
  return inits;
}

bool NeedsDoCreate(const Component& form) {
  const InitsPlace inits = PlaceOfInits(form);
  return HasCustomProperties(form) || OpensData(form) || inits == InitsPlace::kInsteadOfHandler ||
         inits == InitsPlace::kAfterHandler;
}

TextList CustomPropertyFields(const Component& form, int code_page) {
  TextList fields;
  ForEachComponent(form, [&](const Component& component) {
    for (const CustomProperty& custom : component.custom_properties) {
      fields.push_back("    " + custom.identifier + ": Variant;");
      const std::string owner = &component == &form ? std::string() : component.original_name + ".";
      if (!SameText(custom.identifier, custom.fox_name))
        fields.push_back("      // FoxPro: " + DecodeToUtf8(owner, code_page) + custom.fox_name);
    }
  });
  return fields;
}

bool OpensData(const Component& form) {
  return !form.data_opening.empty() || std::any_of(form.children.begin(), form.children.end(), OpensData);
}

TextList MethodBodies(const Component& form, int code_page) {
  TextList out;
  const TextList lcl = LclStatements(form);
  const TextList runtime = RuntimeStatements(form);
  if (!lcl.empty() || !runtime.empty()) {
    out.push_back("");
    if (!lcl.empty())
      out.insert(out.end(), {"// What only the LCL has. It sizes check boxes and option buttons to its own",
                             "// measure of their text, where FoxPro shows them at the size they were given",
                             "// (as Delphi does); and it publishes events that Delphi's classes do not."});
    if (!runtime.empty())
      out.push_back("// FoxPro's settings that neither Delphi nor the LCL has a property for, made by FoxRuntime.");
    out.insert(out.end(), {"procedure " + form.delphi_class + ".Loaded;", "begin", "  inherited Loaded;"});
    if (!lcl.empty()) {
      out.push_back("{$IFDEF FPC}");
      out.insert(out.end(), lcl.begin(), lcl.end());
      out.push_back("{$ENDIF}");
    }
    // After the LCL's own settings: FoxRuntime keeps the sizes the controls
    // have then.
    out.insert(out.end(), runtime.begin(), runtime.end());
    out.push_back("end;");
  }
  // Once every component is loaded (its own Loaded has run), and before
  // OnCreate, which holds FoxPro's Load.
  if (NeedsDoCreate(form)) {
    out.insert(out.end(), {"", "// Before FoxPro's Load: the form's own properties take their values, and the data",
                           "// environment's tables are opened from the application's database.",
                           "procedure " + form.delphi_class + ".DoCreate;", "begin"});
    ForEachComponent(form, [&](const Component& component) {
      for (const CustomProperty& custom : component.custom_properties)
        out.push_back("  " + custom.identifier + " := " + custom.initial + ";");
    });
    const TextList data = DataStatements(form);
    out.insert(out.end(), data.begin(), data.end());
    const std::string call = "  " + std::string(kInitObjectsMethod) + ";";
    if (PlaceOfInits(form) == InitsPlace::kInsteadOfHandler) out.push_back(call);
    out.push_back("  inherited DoCreate;");
    if (PlaceOfInits(form) == InitsPlace::kAfterHandler) out.push_back(call);
    out.push_back("end;");
  }
  const std::vector<std::string> inits = ObjectInits(form);
  if (!inits.empty()) {
    out.insert(out.end(), {"", "// FoxPro's Init of each object, members before the objects that hold them.",
                           "procedure " + form.delphi_class + "." + std::string(kInitObjectsMethod) + ";", "begin"});
    for (const std::string& init : inits) out.push_back("  " + init + ";");
    out.push_back("end;");
  }
  const std::string inits_call = PlaceOfInits(form) == InitsPlace::kInHandler
                                     ? "  " + std::string(kInitObjectsMethod) + ";  // the objects' Init, FoxPro's order"
                                     : std::string();
  ForEachMethod(form, [&](const Component&, const FormMethod& method) {
    if (!method.event.empty())
      AppendBody(method, form.delphi_class, code_page, out, method.event == "OnCreate" ? inits_call : std::string());
  });
  ForEachMethod(form, [&](const Component&, const FormMethod& method) {
    if (method.event.empty()) AppendBody(method, form.delphi_class, code_page, out);
  });
  return out;
}

}  // namespace quorvex
