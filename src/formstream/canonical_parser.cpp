#include "formstream/canonical_parser.h"

#include <variant>

namespace quorvex {

namespace {

// Builds the tree from what the parser hands over. Frames hold what is open:
// an object or collection item (properties go there), a property's value
// still to come, a list (values are appended), a collection (items are).
class TreeBuilder {
 public:
  DfmObject Take() { return std::move(form_); }

  void BeginObject(DfmObjectKind kind, std::string_view name, std::string_view class_name,
                   std::optional<std::int64_t> child_position) {
    DfmObject& object = frames_.empty() ? form_ : frames_.back().object->children.emplace_back();
    object.kind = kind;
    object.name = name;
    object.class_name = class_name;
    object.child_position = child_position;
    frames_.push_back({.object = &object, .properties = &object.properties});
  }
  void EndObject() { frames_.pop_back(); }

  void BeginProperty(std::string_view name) {
    DfmProperty& property = frames_.back().properties->emplace_back();
    property.name = name;
    frames_.push_back({.value = &property.value});
  }
  void EndProperty() { frames_.pop_back(); }

  void Integer(std::int64_t value) { Place(value); }
  void Float(DfmFloat value) { Place(value); }
  void String(std::string_view bytes) { Place(DfmString{std::string(bytes)}); }
  void WideString(std::u16string_view chars) { Place(DfmWideString{std::u16string(chars)}); }
  void Identifier(std::string_view name) { Place(DfmIdentifier{std::string(name)}); }
  void Special(DfmSpecial value) { Place(value); }
  void Set(const std::vector<std::string_view>& elements) {
    Place(DfmSet{std::vector<std::string>(elements.begin(), elements.end())});
  }
  void Binary(std::string_view bytes) { Place(DfmBinary{std::string(bytes)}); }

  void BeginList() { frames_.push_back({.list = &std::get<DfmList>(Place(DfmList{}))}); }
  void EndList() { frames_.pop_back(); }

  void BeginCollection() { frames_.push_back({.collection = &std::get<DfmCollection>(Place(DfmCollection{}))}); }
  void BeginItem(std::optional<std::int64_t> index) {
    DfmItem& item = frames_.back().collection->items.emplace_back();
    item.index = index;
    frames_.push_back({.properties = &item.properties});
  }
  void EndItem() { frames_.pop_back(); }
  void EndCollection() { frames_.pop_back(); }

 private:
  struct Frame {
    DfmObject* object = nullptr;
    std::vector<DfmProperty>* properties = nullptr;
    DfmValue* value = nullptr;
    DfmList* list = nullptr;
    DfmCollection* collection = nullptr;
  };

  // A value goes to the open property, or at the end of the open list.
  DfmValueData& Place(DfmValueData data) {
    Frame& frame = frames_.back();
    DfmValue& value = frame.list != nullptr ? frame.list->values.emplace_back() : *frame.value;
    value.data = std::move(data);
    return value.data;
  }

  DfmObject form_;
  std::vector<Frame> frames_;
};

}  // namespace

DfmObject ParseDfmText(std::string_view text) {
  TreeBuilder builder;
  ParseDfm(DfmSource(text), builder);
  return builder.Take();
}

}  // namespace quorvex
