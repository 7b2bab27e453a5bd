#include "binding/data_sources.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "base/ascii.h"
#include "base/text_encoding.h"
#include "binding/cursor_filter.h"
#include "model/setting_conversion.h"
#include "translate/pascal_expression.h"

namespace quorvex {

namespace {

// Non-visual components show as icons in the form designer: a row of them
// along the form's top, wrapped at its width.
constexpr int kIconStep = 32;
constexpr int kIconMargin = 8;
constexpr int kFoxFormWidth = 375;

std::string SourceIdentifier(std::string_view alias) {
  std::string name = "ds" + std::string(alias);
  if (name.size() > 2 && name[2] >= 'a' && name[2] <= 'z') name[2] = static_cast<char>(name[2] - 'a' + 'A');
  return PascalIdentifier(name, 'C');
}

// The aliases `component` and the components in it are bound to, in the
// order of the text, each once.
void CollectAliases(const Component& component, std::vector<std::string>& aliases) {
  const std::string& alias = component.data_alias;
  const auto same = [&](const std::string& known) { return SameText(known, alias); };
  if (!alias.empty() && std::none_of(aliases.begin(), aliases.end(), same)) aliases.push_back(alias);
  for (const Component& child : component.children) CollectAliases(child, aliases);
}

class SourceMaker {
 public:
  SourceMaker(LoadableForm& form, UniqueNames& names) : form_(form), names_(names) {
    const std::string* width = FindSetting(form.root.settings, "ClientWidth");
    int client_width = kFoxFormWidth;
    if (width != nullptr) std::from_chars(width->data(), width->data() + width->size(), client_width);
    per_row_ = std::max(1, (client_width - kIconMargin) / kIconStep);
  }

  // A data source for `alias`; the first of an alias is the one its
  // components take.
  Component& Add(const std::string& alias, bool opened_in_code) {
    Component source;
    source.identifier = names_.Take(SourceIdentifier(alias));
    source.original_name = source.identifier;
    source.delphi_class = "TDataSource";
    const int place = static_cast<int>(sources_.size());
    source.settings = {{"Left", std::to_string(kIconMargin + kIconStep * (place % per_row_))},
                       {"Top", std::to_string(kIconMargin + kIconStep * (place / per_row_))}};
    by_alias_.emplace(alias, source.identifier);
    form_.data_sources.push_back({source.identifier, Utf8(alias), opened_in_code});
    sources_.push_back(std::move(source));
    return sources_.back();
  }

  Component* Find(std::string_view alias) {
    const auto found = by_alias_.find(std::string(alias));
    if (found == by_alias_.end()) return nullptr;
    const auto source = std::find_if(sources_.begin(), sources_.end(),
                                     [&](const Component& made) { return made.identifier == found->second; });
    return &*source;
  }

  // The data sources join the form after its controls; each bound component
  // names its own.
  void Finish() {
    Bind(form_.root);
    for (Component& source : sources_) form_.root.children.push_back(std::move(source));
  }

  std::string Utf8(std::string_view text) const { return DecodeToUtf8(text, form_.code_page); }

 private:
  std::string Literal(std::string_view text) const { return DfmStringLiteral(DecodeText(text, form_.code_page)); }

  void Bind(Component& component) {
    for (GridColumn& column : component.columns) {
      if (!column.field.empty()) PutSetting(column.settings, {"FieldName", Literal(column.field)});
    }
    if (const auto source = by_alias_.find(component.data_alias); source != by_alias_.end()) {
      if (!component.data_field.empty()) PutSetting(component.settings, {"DataField", Literal(component.data_field)});
      PutSetting(component.settings, {"DataSource", source->second});
    }
    FillFromField(component);
    for (Component& child : component.children) Bind(child);
  }

  // A list whose rows are a field of a cursor the form opens (RowSourceType
  // 6, RowSource "alias.field") gets them when the form is loaded.
  void FillFromField(Component& list) {
    static constexpr std::string_view kLists[] = {"TComboBox", "TDBComboBox", "TListBox", "TDBListBox"};
    if (std::find(std::begin(kLists), std::end(kLists), list.delphi_class) == std::end(kLists)) return;
    if (TrimBlanks(StoredValue(list.stored, "RowSourceType").value_or("")) != "6") return;
    const std::string row_source = StoredText(StoredValue(list.stored, "RowSource").value_or(""));
    const std::size_t dot = row_source.find('.');
    if (dot == std::string::npos || row_source.find_first_of(",.", dot + 1) != std::string::npos) return;
    const Component* source = Find(row_source.substr(0, dot));
    if (source == nullptr || source->data_opening.empty()) return;
    list.data_list = source->identifier + ", " + PascalString(AsciiLowerCopy(Utf8(row_source.substr(dot + 1))));
    // Carried: the rules of lists, which run later, find nothing left to keep.
    std::erase_if(list.rule_lines, [](const std::string& line) {
      const std::string_view name = TrimBlanks(NamePart(line));
      return SameText(name, "RowSourceType") || SameText(name, "RowSource");
    });
  }

  LoadableForm& form_;
  UniqueNames& names_;
  int per_row_ = 1;
  std::vector<Component> sources_;
  std::map<std::string, std::string, TextLess> by_alias_;
};

bool IsStoredTrue(const TextList& settings, std::string_view property, bool otherwise) {
  const std::optional<std::string> value = StoredValue(settings, property);
  if (!value) return otherwise;
  return SameText(*value, ".T.") || *value == "1";
}

// The arguments after the data source with which the form opens the table of
// `cursor` (table, order tag, SQL filter, read-only, closed with the form),
// or "" where it opens none: a cursor naming no table (a cursor adapter), or
// one whose Filter SQL is not certain to select as FoxPro does (the
// source's remark says so, and a note of the form).
std::string CursorOpening(const FoxCursor& cursor, bool close_with_form, LoadableForm& form, Component& source) {
  const auto text = [&](std::string_view property) {
    return DecodeToUtf8(StoredText(StoredValue(cursor.settings, property).value_or("")), form.code_page);
  };
  const std::string table = CursorTableName(StoredText(StoredValue(cursor.settings, "CursorSource").value_or("")),
                                            form.code_page);
  if (table.empty()) return {};
  std::string condition;
  if (const std::string filter = text("Filter"); !filter.empty()) {
    const std::optional<std::string> sql = FilterCondition(filter, DecodeToUtf8(cursor.alias, form.code_page));
    if (!sql) {
      source.remark = "Not opened: SQL is not certain to select the rows of its Filter";
      form.notes.push_back("   Note: " + source.identifier + " of " + form.unit_name +
                           " opens no table: SQL is not certain to select the rows of its Filter " + filter);
      return {};
    }
    condition = *sql;
  }
  return PascalString(table) + ", " + PascalString(AsciiLowerCopy(text("Order"))) + ", " + PascalString(condition) +
         ", " + (IsStoredTrue(cursor.settings, "ReadOnly", false) ? "True" : "False") + ", " +
         (close_with_form ? "True" : "False");
}

void CollectBound(const Component& component, int code_page, std::vector<BoundControl>& bound) {
  const auto utf8 = [&](std::string_view text) { return DecodeToUtf8(text, code_page); };
  if (const std::string* source = FindSetting(component.settings, "DataSource")) {
    BoundControl control{component.identifier, *source, utf8(component.data_field), {}};
    for (const GridColumn& column : component.columns) control.columns.push_back(utf8(column.field));
    bound.push_back(std::move(control));
  }
  for (const Component& child : component.children) CollectBound(child, code_page, bound);
}

}  // namespace

void AddDataSources(LoadableForm& form, const DataEnvironment& environment, const std::string& holder,
                    UniqueNames& names) {
  SourceMaker maker(form, names);
  // The data environment's own settings (AutoOpenTables, InitialSelectedAlias
  // ...) belong to no data source: the form keeps them.
  for (const std::string& line : environment.settings) form.root.kept.push_back({environment.name, line});
  // Tables the form opens itself (AutoOpenTables = .F.) are opened by its
  // code, which stays FoxPro's.
  const bool opens = IsStoredTrue(environment.settings, "AutoOpenTables", true);
  const bool closes = IsStoredTrue(environment.settings, "AutoCloseTables", true);
  for (const FoxCursor& cursor : environment.cursors) {
    Component& source = maker.Add(cursor.alias, false);
    source.original_name = cursor.name;
    source.fox_path = holder + "." + environment.name + "." + cursor.name;
    for (const std::string& line : cursor.settings) source.kept.push_back({{}, line});
    if (opens) source.data_opening = CursorOpening(cursor, closes, form, source);
  }
  for (const FoxRelation& relation : environment.relations) {
    Component* source = maker.Find(relation.child_alias);
    if (source == nullptr) source = maker.Find(relation.parent_alias);
    std::vector<KeptSetting>& kept = source != nullptr ? source->kept : form.root.kept;
    for (const std::string& line : relation.settings) kept.push_back({relation.name, line});
  }
  std::vector<std::string> aliases;
  CollectAliases(form.root, aliases);
  for (const std::string& alias : aliases) {
    if (maker.Find(alias) != nullptr) continue;
    maker.Add(alias, true).remark =
        "FoxPro alias " + alias + ": opened by the form's code, not by a cursor of its data environment";
  }
  maker.Finish();
}

std::vector<BoundControl> BoundControls(const LoadableForm& form) {
  std::vector<BoundControl> bound;
  CollectBound(form.root, form.code_page, bound);
  return bound;
}

}  // namespace quorvex
