#include "methods/component_methods.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "base/ascii.h"
#include "model/setting_conversion.h"

namespace quorvex {

namespace {

// The FoxPro methods of one name of one object, its classes' versions first.
struct MethodGroup {
  std::string owner;
  std::string name;
  std::vector<FoxMethod> methods;
};

std::vector<MethodGroup> GroupByMethod(std::vector<FoxMethod> methods) {
  std::vector<MethodGroup> groups;
  std::unordered_map<std::string, std::size_t> group_of;
  for (FoxMethod& method : methods) {
    const std::string key = AsciiLowerCopy(method.owner) + "\n" + AsciiLowerCopy(method.name);
    const auto [place, added] = group_of.try_emplace(key, groups.size());
    if (added) groups.push_back({method.owner, method.name, {}});
    groups[place->second].methods.push_back(std::move(method));
  }
  return groups;
}

// A dotted FoxPro path as one piece of an identifier: "Column1.Header1"
// gives "Column1Header1".
std::string IdentifierPiece(std::string_view path) {
  std::string piece;
  while (!path.empty()) {
    const std::size_t dot = path.find('.');
    piece += PascalIdentifier(TrimBlanks(path.substr(0, dot)), 'M');
    path = dot == std::string_view::npos ? std::string_view() : path.substr(dot + 1);
  }
  return piece;
}

class MethodMaker {
 public:
  MethodMaker(UniqueNames& names, const FoxEvents& events, const PublishedProperties& table)
      : names_(names), events_(events), table_(table) {}

  void Make(Component& component, bool is_form) {
    const std::string_view kind = is_form                                 ? kFormEvents
                                  : component.delphi_class == "TTabSheet" ? kPageEvents
                                                                          : kControlEvents;
    std::vector<FormMethod> handlers, plain;
    std::vector<std::vector<int>> places;  // of each handler's methods
    for (MethodGroup& group : GroupByMethod(std::move(component.fox_methods))) {
      const EventRoute* route = group.owner.empty() ? events_.Find(kind, group.name) : nullptr;
      // The form's own class is made for it; its events are TForm's.
      const std::string_view table_class = is_form ? std::string_view("TForm") : component.delphi_class;
      const PropertyType* type = route != nullptr ? table_.Find(table_class, route->delphi_event) : nullptr;
      if (type == nullptr || (type->kind != ValueKind::kEvent && type->kind != ValueKind::kLclEvent)) {
        plain.push_back({PlainName(component, is_form, group), {}, {}, false, std::move(group.methods)});
        continue;
      }
      auto handler = std::find_if(handlers.begin(), handlers.end(),
                                  [&](const FormMethod& made) { return made.event == route->delphi_event; });
      if (handler == handlers.end()) {
        handlers.push_back({{}, route->delphi_event, type->names.front(), type->kind == ValueKind::kLclEvent, {}});
        places.emplace_back();
        handler = handlers.end() - 1;
      }
      std::vector<int>& handler_places = places[handler - handlers.begin()];
      for (FoxMethod& method : group.methods) {
        handler->methods.push_back(std::move(method));
        handler_places.push_back(route->place);
      }
    }
    component.fox_methods.clear();
    for (std::size_t i = 0; i < handlers.size(); ++i) Finish(component, is_form, handlers[i], places[i]);
    component.methods = std::move(handlers);
    std::move(plain.begin(), plain.end(), std::back_inserter(component.methods));
    for (Component& child : component.children) Make(child, false);
  }

 private:
  // Names the handler, puts its FoxPro events in firing order and wires it
  // in the .dfm where both publish the event.
  void Finish(Component& component, bool is_form, FormMethod& handler, const std::vector<int>& places) {
    std::vector<std::size_t> order(handler.methods.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return places[a] < places[b]; });
    std::vector<FoxMethod> sorted;
    for (std::size_t i : order) sorted.push_back(std::move(handler.methods[i]));
    handler.methods = std::move(sorted);
    handler.name = names_.Take((is_form ? std::string("Form") : component.identifier) + handler.event.substr(2));
    if (!handler.lcl_only) component.settings.push_back({handler.event, handler.name});
  }

  // The component's name and the method's ("Form" for the form's own); a
  // method of an object below the component names that object too.
  std::string PlainName(const Component& component, bool is_form, const MethodGroup& group) {
    std::string name = is_form ? (group.owner.empty() ? "Form" : "") : component.identifier;
    name += IdentifierPiece(group.owner);
    name += group.name.empty() ? std::string("Code") : IdentifierPiece(group.name);
    return names_.Take(name);
  }

  UniqueNames& names_;
  const FoxEvents& events_;
  const PublishedProperties& table_;
};

}  // namespace

void MakeFormMethods(Component& form, UniqueNames& names, const FoxEvents& events, const PublishedProperties& table) {
  MethodMaker(names, events, table).Make(form, true);
}

}  // namespace quorvex
