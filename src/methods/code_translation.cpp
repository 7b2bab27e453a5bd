#include "methods/code_translation.h"

#include <algorithm>

#include "base/ascii.h"
#include "base/text_encoding.h"
#include "methods/unit_methods.h"
#include "model/pascal_names.h"
#include "vocabulary/lists.h"

namespace quorvex {

namespace {

bool IsOwn(const FoxMethod& method) { return method.owner.empty(); }

// What the translator may call of a component: the form class's methods
// that hold one FoxPro method of the component alone.
void AddMethods(const Component& component, FoxObject& object) {
  for (const FormMethod& method : component.methods) {
    const FoxMethod& first = method.methods.front();
    const bool one = std::all_of(method.methods.begin(), method.methods.end(), [&](const FoxMethod& each) {
      return IsOwn(each) && SameText(each.name, first.name);
    });
    const bool callable = one && (method.event.empty() || method.event_type == "TNotifyEvent");
    if (callable) {
      object.methods.push_back({first.name, method.name, !method.event.empty()});
      continue;
    }
    for (const FoxMethod& each : method.methods) {
      if (IsOwn(each)) object.other_methods.push_back(each.name);
    }
  }
}

std::size_t CountComponents(const Component& component) {
  std::size_t count = 1;
  for (const Component& child : component.children) count += CountComponents(child);
  return count;
}

void AddObject(const Component& component, int parent, FormObjects& form, std::string_view placed_by = {}) {
  // A panel round a graphic control is no FoxPro object: its member stands
  // in its container, placed by the panel.
  if (component.holds_graphic) {
    form.class_names.push_back(component.identifier);
    for (const Component& child : component.children) AddObject(child, parent, form, component.identifier);
    return;
  }
  const int index = static_cast<int>(form.objects.size());
  FoxObject object;
  object.fox_name = component.original_name;
  object.pascal_name = parent < 0 ? std::string_view("Self") : std::string_view(component.identifier);
  object.placed_by = placed_by;
  object.delphi_class = parent < 0 ? std::string_view("TForm") : std::string_view(component.delphi_class);
  object.stored.reserve(component.stored.size());
  for (const std::string& line : component.stored)
    object.stored.emplace_back(TrimBlanks(NamePart(line)), TrimBlanks(ValuePart(line)));
  object.parent = parent;
  AddMethods(component, object);
  for (const CustomProperty& custom : component.custom_properties) {
    object.custom.emplace_back(custom.fox_name, custom.identifier);
    form.class_names.push_back(custom.identifier);
  }
  form.class_names.push_back(component.identifier);
  for (const FormMethod& method : component.methods) form.class_names.push_back(method.name);
  form.objects.push_back(std::move(object));
  if (parent >= 0) form.objects[static_cast<std::size_t>(parent)].members.push_back(index);
  for (const Component& child : component.children) AddObject(child, index, form);
}

// "(Sender: TObject; var Key: Word)" gives Sender and Key.
void AddParameterNames(std::string_view parameters, std::set<std::string, TextLess>& names) {
  std::string name;
  bool in_type = false;
  for (const char c : parameters) {
    if (c == ':') in_type = true;
    if (c == ';') in_type = false;
    const bool word = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    if (word && !in_type) {
      name += c;
      continue;
    }
    if (!name.empty() && name != "var" && name != "const") names.insert(name);
    name.clear();
  }
}

// FoxPro runs the last version of a method (the object's own after its
// classes'), which replaces the others.
void MarkOverridden(FormMethod& method) {
  for (std::size_t i = 0; i < method.methods.size(); ++i) {
    for (std::size_t later = i + 1; later < method.methods.size(); ++later) {
      const FoxMethod& a = method.methods[i];
      const FoxMethod& b = method.methods[later];
      if (SameText(a.owner, b.owner) && SameText(a.name, b.name)) method.methods[i].overridden = true;
    }
  }
}

class CodeTranslator {
 public:
  explicit CodeTranslator(const LoadableForm& form) : code_page_(form.code_page) {
    objects_.objects.reserve(CountComponents(form.root));
    AddObject(form.root, -1, objects_);
    objects_.name_taken = HidesFormMember;
    objects_.include_file = form.include_file;
    objects_.double_byte = code_page_ == 932 || code_page_ == 936 || code_page_ == 949 || code_page_ == 950;
  }

  // `index` is the component's place in the objects, in the order AddObject
  // numbered them.
  void Translate(Component& component, int& index) {
    if (component.holds_graphic) {
      for (Component& child : component.children) Translate(child, index);
      return;
    }
    const int own = index++;
    for (FormMethod& method : component.methods) Translate(method, own);
    for (Component& child : component.children) Translate(child, index);
  }

 private:
  void Translate(FormMethod& method, int object) {
    MarkOverridden(method);
    std::set<std::string, TextLess> taken;
    AddParameterNames(ParametersOf(method.event_type), taken);
    const auto last_run = std::find_if(method.methods.rbegin(), method.methods.rend(),
                                       [](const FoxMethod& fox) { return !fox.overridden; });
    for (FoxMethod& fox : method.methods) {
      if (fox.overridden) continue;
      std::vector<std::string> lines;
      for (const std::string& line : fox.code) lines.push_back(DecodeToUtf8(line, code_page_));
      MethodContext context;
      context.this_object = IsOwn(fox) ? object : -1;
      context.fox_name = fox.name;
      // The form's making fires each object's Init as FoxPro does.
      context.event = !method.event.empty() || SameText(fox.name, "Init");
      context.last = &fox == &*last_run;
      fox.translation = TranslateMethod(lines, objects_, context, taken);
    }
  }

  int code_page_;
  FormObjects objects_;
};

}  // namespace

void TranslateFormCode(LoadableForm& form) {
  CodeTranslator translator(form);
  int index = 0;
  translator.Translate(form.root, index);
}

bool UsesFoxRuntime(const Component& form) {
  const bool own = std::any_of(form.methods.begin(), form.methods.end(), [](const FormMethod& method) {
    return std::any_of(method.methods.begin(), method.methods.end(),
                       [](const FoxMethod& fox) { return fox.translation.translated_lines > 0; });
  });
  return own || !form.runtime_settings.empty() ||
         std::any_of(form.children.begin(), form.children.end(), UsesFoxRuntime);
}

}  // namespace quorvex
