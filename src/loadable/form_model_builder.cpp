#include "loadable/form_model_builder.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <set>

#include "base/ascii.h"
#include "base/errors.h"
#include "base/text_list.h"
#include "binding/data_binding.h"
#include "binding/data_sources.h"
#include "binding/radio_group.h"
#include "catalog/published_properties.h"
#include "look/component_fonts.h"
#include "look/component_look.h"
#include "look/drawing_order.h"
#include "methods/code_translation.h"
#include "methods/component_methods.h"
#include "methods/fox_methods.h"
#include "methods/unit_methods.h"
#include "model/class_choice.h"
#include "model/component_rules.h"
#include "model/pascal_names.h"
#include "model/setting_conversion.h"
#include "pictures/component_pictures.h"
#include "scx/object_text.h"
#include "scx/scx_property_line.h"

namespace quorvex {

namespace {

constexpr std::string_view kFormBaseClass = "form";
constexpr std::string_view kLoadedMethod = "Loaded";
constexpr std::string_view kOleBaseClasses[] = {"olecontrol", "oleboundcontrol"};
// FoxPro never draws a custom object: it holds code and data.
constexpr std::string_view kCustomBaseClass = "custom";

bool StoresProperty(const TextList& lines, std::string_view property) {
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::string& line) { return SameText(TrimBlanks(NamePart(line)), property); });
}

bool IsFormNode(const std::vector<FormRecord>& records, const ScxNode& node) {
  return node.record_ref > 0 && SameText(NodeRecord(records, node)->base_class, kFormBaseClass);
}

// The forms of the tree: form nodes that lie inside no other form node.
std::vector<const ScxNode*> FormNodes(const std::vector<FormRecord>& records, const ScxObjectTree& tree) {
  std::vector<const ScxNode*> forms;
  for (const ScxNode* node = tree.First(); node != nullptr; node = tree.Next(*node)) {
    if (!IsFormNode(records, *node)) continue;
    bool inside = false;
    for (const ScxNode* above = node->parent; above != nullptr && !inside; above = above->parent)
      inside = IsFormNode(records, *above);
    if (!inside) forms.push_back(node);
  }
  return forms;
}

class FormModelBuilder {
 public:
  FormModelBuilder(const std::vector<FormRecord>& records, const ScxObjectTree& tree, const MethodIndex& methods,
                   const DataEnvironment& data, int code_page, const PictureFiles& pictures, PassClock* clock)
      : records_(records), methods_(methods), data_(data), settings_(code_page), code_page_(code_page),
        pictures_(pictures), clock_(clock) {
    for (const ScxNode* node = tree.First(); node != nullptr; node = tree.Next(*node)) {
      if (node->record_ref < 0) member_prefixes_[-node->record_ref].insert(NodeMemberPrefix(node->text));
    }
  }

  LoadableForm BuildForm(const ScxNode& form_node, std::string unit_name, int code_page);
  // The properties the object's record and classes add, which become fields
  // of the form class instead of comments.
  void TakeCustomProperties(Component& component, const ScxNode& node);
  // The fields of the properties the objects' classes add, named once every
  // component and method has its name.
  void NameCustomProperties(Component& root);
  void NameMemberProperties(Component& container);
  // The settings of the objects that hold the form (a form set), kept in its
  // unit: they belong to no form.
  void KeepHolders(Component& root, const ScxNode& form_node) const;
  // The methods of the objects that lie in no form (a form set, the data
  // environment and its cursors), kept in the first form's unit.
  void KeepOutsideMethods(Component& root, const ScxObjectTree& tree, const std::vector<const ScxNode*>& forms);
  // The form class's methods of the FoxPro methods of `root`'s form.
  void MakeMethods(Component& root) { MakeFormMethods(root, names_); }

 private:
  // The node's property lines, and for an own record the member lines that
  // no member node of the record takes (members that only a class library
  // declares): they are kept, since nothing else would carry them.
  TextList LinesOf(const ScxNode& node, TextList& orphans) const;
  // The node's share of its record's property_folders.
  TextList FoldersOf(const ScxNode& node) const;
  Component BuildComponent(const ScxNode& node, const ClassChoice& choice, const std::string& parent_path);
  void AddChildren(Component& component, const ScxNode& node, const ClassChoice& choice);
  // True for an object no record describes, an instance of a library class
  // and a member that only a library class declares: the size of each may
  // lie with a class that was not read.
  bool SizedByMembers(const ScxNode& node) const;
  void AddColumn(Component& grid, const ScxNode& column);
  // A bound option group whose look a radio group keeps becomes one; any
  // other keeps the lines of its binding.
  void SettleOptionGroup(Component& group, const TextList& stored, const TextList& binding) const;
  void KeepSubtree(Component& holder, const ScxNode& node, const std::string& owner);
  void Keep(Component& holder, const std::string& owner, const TextList& lines);
  // Gives `holder` the methods of `node`, whose path below the holder is
  // `owner` ("" for the holder's own object).
  void AddMethods(Component& holder, const ScxNode& node, const std::string& owner) const;

  const std::vector<FormRecord>& records_;
  const MethodIndex& methods_;
  const DataEnvironment& data_;
  SettingConverter settings_;
  int code_page_;
  const PictureFiles& pictures_;
  PassClock* clock_;
  std::map<std::int32_t, std::set<std::string, TextLess>> member_prefixes_;
  UniqueNames names_;
};

TextList FormModelBuilder::LinesOf(const ScxNode& node, TextList& orphans) const {
  const FormRecord* record = NodeRecord(records_, node);
  if (record == nullptr) return {};
  if (node.record_ref > 0) {
    const auto known = member_prefixes_.find(node.record_ref);
    ForEachLine(record->properties, [&](std::string_view line) {
      const ScxPropertyName name = SplitPropertyName(line);
      if (name.is_member && (known == member_prefixes_.end() || !known->second.contains(name.prefix)))
        orphans.emplace_back(line);
    });
  }
  return NodePropertyLines(node, record->properties);
}

TextList FormModelBuilder::FoldersOf(const ScxNode& node) const {
  const FormRecord* record = NodeRecord(records_, node);
  if (record == nullptr || record->property_folders.empty()) return {};
  return NodePropertyLines(node, record->property_folders);
}

void FormModelBuilder::KeepHolders(Component& root, const ScxNode& form_node) const {
  for (const ScxNode* above = form_node.parent; above != nullptr; above = above->parent) {
    const FormRecord* record = NodeRecord(records_, *above);
    if (record == nullptr) continue;
    for (const std::string& line : NodePropertyLines(*above, record->properties)) {
      if (!SameText(TrimBlanks(NamePart(line)), "Name")) root.kept.push_back({NodeName(above->text), line});
    }
  }
}

void FormModelBuilder::Keep(Component& holder, const std::string& owner, const TextList& lines) {
  for (const std::string& line : lines) holder.kept.push_back({owner, line});
}

void FormModelBuilder::AddMethods(Component& holder, const ScxNode& node, const std::string& owner) const {
  for (FoxMethod& method : methods_.MethodsOf(node)) {
    if (!owner.empty()) method.owner = method.owner.empty() ? owner : owner + "." + method.owner;
    holder.fox_methods.push_back(std::move(method));
  }
}

void FormModelBuilder::KeepOutsideMethods(Component& root, const ScxObjectTree& tree,
                                          const std::vector<const ScxNode*>& forms) {
  const auto is_form = [&](const ScxNode* node) { return std::find(forms.begin(), forms.end(), node) != forms.end(); };
  for (const ScxNode* node = tree.First(); node != nullptr; node = tree.Next(*node)) {
    bool in_form = false;
    std::string path = NodeName(node->text);
    for (const ScxNode* at = node; at != nullptr && !in_form; at = at->parent) {
      in_form = is_form(at);
      if (at != node) path = NodeName(at->text) + "." + path;
    }
    if (!in_form) AddMethods(root, *node, path);
  }
}

LoadableForm FormModelBuilder::BuildForm(const ScxNode& form_node, std::string unit_name, int code_page) {
  LoadableForm form;
  form.unit_name = std::move(unit_name);
  form.code_page = code_page;
  Component& root = form.root;
  root.original_name = NodeName(form_node.text);
  std::string identifier = PascalIdentifier(root.original_name, 'F');
  // The form's class must not be one of the classes its components use.
  if (PublishedProperties::Shared().HasClass("T" + identifier)) identifier += "Form";
  root.identifier = names_.Take(identifier);
  // The unit may declare the form's Loaded and DoCreate: no component takes their names.
  names_.Take(std::string(kLoadedMethod));
  names_.Take("DoCreate");
  names_.Take(std::string(kInitObjectsMethod));
  root.delphi_class = "T" + root.identifier;
  root.fox_class = kFormBaseClass;
  root.fox_path = "thisform";
  TextList orphans;
  root.stored = LinesOf(form_node, orphans);
  const TextList lines = settings_.WithoutFoxDefaults(root.stored, kFormBaseClass);
  ConvertedSettings converted = settings_.Convert(lines, "Form", "TForm");
  settings_.AddDefaults(converted, kFormBaseClass, "Form", "TForm");
  // FoxPro measures forms in pixels at 96 dpi; a form designer that does not
  // know the resolution a form was made at scales it to its own.
  PutSetting(converted.settings, {"PixelsPerInch", "96"});
  root.settings = std::move(converted.settings);
  root.rule_lines = std::move(converted.deferred);
  root.library_folders = FoldersOf(form_node);
  Keep(root, {}, converted.kept);
  Keep(root, {}, orphans);
  TakeCustomProperties(root, form_node);
  AddMethods(root, form_node, {});
  AddChildren(root, form_node, {"TForm", "Form"});
  EnterPass(clock_, "binding");
  AddDataSources(form, data_, form_node.parent != nullptr ? "thisformset" : "thisform", names_);
  // Before the pictures: a picture's transparent pixels take the colour of
  // the panel that may come to hold it.
  EnterPass(clock_, "drawing order");
  DrawInCreationOrder(root, names_);
  EnterPass(clock_, "pictures");
  CarryPictures(form, pictures_);
  EnterPass(clock_, "rules");
  CarryComponentRules(form);
  EnterPass(clock_, "fonts");
  SettleFonts(root);
  return form;
}

void FormModelBuilder::TakeCustomProperties(Component& component, const ScxNode& node) {
  // An object without a record of its own (a page) adds nothing.
  const FormRecord* record = NodeRecord(records_, node);
  if (record == nullptr || node.record_ref <= 0 || record->reserved3.empty()) return;
  component.custom_properties = CustomPropertiesOf(record->reserved3, component.stored, code_page_);
  std::erase_if(component.kept, [&](const KeptSetting& kept) {
    const std::string_view name = TrimBlanks(NamePart(kept.line));
    return kept.owner.empty() &&
           std::any_of(component.custom_properties.begin(), component.custom_properties.end(),
                       [&](const CustomProperty& custom) { return SameText(custom.fox_name, name); });
  });
}

void FormModelBuilder::NameCustomProperties(Component& root) {
  ::quorvex::NameCustomProperties(root.custom_properties, {}, names_);
  NameMemberProperties(root);
}

void FormModelBuilder::NameMemberProperties(Component& container) {
  for (Component& child : container.children) {
    ::quorvex::NameCustomProperties(child.custom_properties, child.identifier + "_", names_);
    NameMemberProperties(child);
  }
}

Component FormModelBuilder::BuildComponent(const ScxNode& node, const ClassChoice& choice,
                                           const std::string& parent_path) {
  Component component;
  component.original_name = NodeName(node.text);
  component.fox_path = parent_path + "." + component.original_name;
  component.identifier = names_.Take(ComponentIdentifier(component.original_name));
  const std::string fox_class = NodeFoxClass(records_, node);
  component.fox_class = fox_class.empty() ? choice.fox_class : fox_class;
  TextList orphans;
  component.stored = LinesOf(node, orphans);
  const TextList& stored = component.stored;
  // What holds objects must parent them, whatever gave it its class (its
  // record's base class, its container's kind): the LCL refuses to make a
  // form with a label inside a button, and Delphi's designer to load it.
  const bool holds = node.children.empty() || HoldsMembers(choice.delphi_class);
  const DataLink link = LinkToData(stored, holds ? choice.delphi_class : "TPanel", component.fox_class, data_);
  component.delphi_class = link.delphi_class;
  component.data_alias = link.alias;
  component.data_field = link.field;
  const TextList lines = WithoutCarried(settings_.WithoutFoxDefaults(stored, component.fox_class), link.carried);
  ConvertedSettings converted = settings_.Convert(lines, choice.fox_class, component.delphi_class);
  // A size given as FoxPro's default is known too.
  const auto known = [&](std::string_view property) {
    return converted.carried.contains(property) || (StoresProperty(stored, property) && !StoresProperty(lines, property));
  };
  const bool width_known = known("Width");
  const bool height_known = known("Height");
  settings_.AddDefaults(converted, component.fox_class, choice.fox_class, component.delphi_class);
  component.settings = std::move(converted.settings);
  component.rule_lines = std::move(converted.deferred);
  component.library_folders = FoldersOf(node);
  component.lcl_settings = LclOnlySettings(component.delphi_class);
  if (SameText(fox_class, kCustomBaseClass)) PutSetting(component.settings, {"Visible", "False"});
  Keep(component, {}, converted.kept);
  Keep(component, {}, orphans);
  TakeCustomProperties(component, node);
  AddMethods(component, node, {});
  for (const std::string_view ole : kOleBaseClasses) {
    if (SameText(fox_class, ole)) component.kept.push_back({{}, "OLE object (" + fox_class + "): not carried over"});
  }
  if (component.delphi_class == "TBevel") ShapeBevel(component);
  SettleParentColor(component);
  if (component.delphi_class == "TLabel") {
    SettleLabelBackground(component);
    KeepSizeWithoutCaption(component);
  }
  AddChildren(component, node, choice);
  if (component.delphi_class == "TGroupBox" && !component.data_alias.empty())
    SettleOptionGroup(component, stored, link.carried);
  if ((!width_known || !height_known) && SizedByMembers(node)) FitMembers(component, !width_known, !height_known);
  return component;
}

bool FormModelBuilder::SizedByMembers(const ScxNode& node) const {
  if (node.record_ref == 0) return true;
  const FormRecord* record = NodeRecord(records_, node);
  return record != nullptr && !record->class_location.empty();
}

void FormModelBuilder::AddChildren(Component& component, const ScxNode& node, const ClassChoice& choice) {
  if (component.delphi_class != "TDBGrid") component.children.reserve(node.children.size());
  for (const ScxNode* child : node.children) {
    if (component.delphi_class == "TDBGrid") {
      AddColumn(component, *child);
      continue;
    }
    const ClassChoice child_choice = ChooseDelphiClass(NodeFoxClass(records_, *child), NodeName(child->text),
                                                       choice.fox_class, choice.delphi_class,
                                                       !child->children.empty());
    component.children.push_back(BuildComponent(*child, child_choice, component.fox_path));
  }
}

// A column's settings, its header's as Title.*, and its edit control's where
// the column does not set them itself; what a column item cannot hold is
// kept under the grid, named by its path below the grid.
void FormModelBuilder::AddColumn(Component& grid, const ScxNode& column) {
  const std::string column_name = NodeName(column.text);
  TextList orphans;
  const ColumnLink link = LinkColumn(LinesOf(column, orphans), grid.data_alias);
  ConvertedSettings converted =
      settings_.Convert(settings_.WithoutFoxDefaults(link.lines, "column"), "Column", kColumnItemClass);
  Keep(grid, column_name, converted.kept);
  Keep(grid, column_name, orphans);
  AddMethods(grid, column, column_name);
  GridColumn item{std::move(converted.settings), link.field};
  for (const ScxNode* part : column.children) {
    const std::string owner = column_name + "." + NodeName(part->text);
    const std::string fox_class = NodeFoxClass(records_, *part);
    const bool header = SameText(fox_class, "header");
    TextList part_orphans;
    const TextList part_lines = settings_.WithoutFoxDefaults(LinesOf(*part, part_orphans), fox_class);
    ConvertedSettings part_settings = settings_.Convert(part_lines, header ? "header" : fox_class,
                                                        kColumnItemClass, header ? "Title." : "");
    for (DfmSetting& setting : part_settings.settings) PutSetting(item.settings, std::move(setting), header);
    Keep(grid, owner, part_settings.kept);
    Keep(grid, owner, part_orphans);
    AddMethods(grid, *part, owner);
    for (const ScxNode* inner : part->children) KeepSubtree(grid, *inner, owner + "." + NodeName(inner->text));
  }
  grid.columns.push_back(std::move(item));
}

void FormModelBuilder::SettleOptionGroup(Component& group, const TextList& stored, const TextList& binding) const {
  if (DrawnAsRadioGroup(group)) {
    // FoxPro's option group holds a number unless its Value is a text.
    const std::string value = StoredValue(stored, "Value").value_or("1");
    double number = 0;
    const bool numbered = std::from_chars(value.data(), value.data() + value.size(), number).ec == std::errc();
    MakeRadioGroup(group, numbered);
    return;
  }
  group.data_alias.clear();
  group.data_field.clear();
  for (const std::string& line : binding) group.kept.push_back({{}, line});
}

void FormModelBuilder::KeepSubtree(Component& holder, const ScxNode& node, const std::string& owner) {
  TextList orphans;
  Keep(holder, owner, LinesOf(node, orphans));
  Keep(holder, owner, orphans);
  AddMethods(holder, node, owner);
  for (const ScxNode* child : node.children) KeepSubtree(holder, *child, owner + "." + NodeName(child->text));
}

}  // namespace

std::vector<LoadableForm> BuildFormModels(const std::vector<FormRecord>& records, const ScxObjectTree& tree,
                                          const std::string& unit_name, int code_page,
                                          const PictureFiles& pictures, PassClock* clock) {
  const std::vector<const ScxNode*> form_nodes = FormNodes(records, tree);
  if (form_nodes.empty()) throw Exception("No form in the table");
  std::vector<LoadableForm> forms;
  UniqueNames unit_names;  // two forms of one name in a form set still get two units
  EnterPass(clock, "methods");
  const MethodIndex methods(records, tree);
  EnterPass(clock, "binding");
  const DataEnvironment data = ReadDataEnvironment(records, tree);
  for (const ScxNode* form_node : form_nodes) {
    EnterPass(clock, "model");
    // Names are unique within one form; each form starts afresh.
    FormModelBuilder builder(records, tree, methods, data, code_page, pictures, clock);
    forms.push_back(builder.BuildForm(*form_node, unit_name, code_page));
    EnterPass(clock, "model");
    if (forms.size() == 1) {
      builder.KeepHolders(forms.back().root, *form_node);
      builder.KeepOutsideMethods(forms.back().root, tree, form_nodes);
    }
    EnterPass(clock, "methods");
    builder.MakeMethods(forms.back().root);
    builder.NameCustomProperties(forms.back().root);
    EnterPass(clock, "translation");
    forms.back().include_file = !records.empty() && !records[0].reserved8.empty();
    TranslateFormCode(forms.back());
    ReleaseStoredLines(forms.back().root);
    if (form_nodes.size() > 1)
      forms.back().unit_name = unit_names.Take(unit_name + "_" + forms.back().root.identifier);
  }
  return forms;
}

}  // namespace quorvex
