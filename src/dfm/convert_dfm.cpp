#include "dfm/convert_dfm.h"

#include <algorithm>
#include <climits>
#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "vocabulary/lists.h"
#include "vocabulary/property_conversion.h"
#include "base/ascii.h"
#include "base/errors.h"

namespace quorvex {

namespace {

// Mapped class names the layout depends on (ClassMap values); compared
// without regard to letter case.
constexpr std::string_view kGridClass = "TDBGrid";
constexpr std::string_view kColumnClass = "column";
constexpr std::string_view kHeaderClass = "header";

// The class an object that ClassMap does not know is treated as by the
// class-qualified property rules.
constexpr std::string_view kDefaultClass = "Form";

int ClampToInt(std::size_t count) { return static_cast<int>(std::min<std::size_t>(count, INT_MAX)); }

// The object text's lines, from a list or from one buffer.
class ObjectTextSource {
 public:
  explicit ObjectTextSource(const TextList& lines) : list_(&lines) {}
  explicit ObjectTextSource(const PackedLines& lines) : packed_(&lines) {}
  std::size_t size() const { return list_ != nullptr ? list_->size() : packed_->size(); }
  bool empty() const { return size() == 0; }
  std::string_view operator[](std::size_t i) const { return list_ != nullptr ? (*list_)[i] : (*packed_)[i]; }

 private:
  const TextList* list_ = nullptr;
  const PackedLines* packed_ = nullptr;
};

// One conversion's reading position, output line and open objects. Nesting
// is kept on an explicit stack rather than the call stack, so deeply nested
// input cannot exhaust it.
class DfmConverter {
 public:
  DfmConverter(ObjectTextSource object_text, TextList& dfm, ProgressSink& progress)
      : object_text_(object_text), dfm_(dfm), progress_(progress), first_output_line_(dfm.size()), properties_(dfm) {}

  void Run();

 private:
  struct OpenObject {
    std::string class_name;       // mapped class
    std::string container_class;  // mapped class of the enclosing object, "" for the outermost
  };

  void BeginObject(std::string container_class);
  void FinishObject();
  void ConvertProperty(std::string_view class_name);
  void ReadNextLine();
  bool FirstWordIs(std::string_view word) const;
  bool LinesRemain() const { return line_index_ < object_text_.size(); }

  void Emit(std::string_view text) { pending_line_ += text; }
  void EmitIndent() { pending_line_.append(2 * indent_level_, ' '); }
  void EmitLine(std::string_view text) {
    pending_line_ += text;
    dfm_.push_back(std::move(pending_line_));
    pending_line_.clear();
  }

  const ObjectTextSource object_text_;
  TextList& dfm_;
  ProgressSink& progress_;
  const std::size_t first_output_line_;
  PropertyConverter properties_;
  std::string current_line_;
  std::size_t line_index_ = 0;  // index of the next input line to read
  std::size_t indent_level_ = 0;
  std::string pending_line_;
  std::vector<OpenObject> open_objects_;
};

void DfmConverter::Run() {
  // A progress range of -1 is meaningless; an empty text (no form found by
  // pass 1) ends the conversion before anything is written.
  if (object_text_.empty()) throw Exception(std::string(kEmptyObjectTextMessage));
  // One line out per line read, and one name per object line.
  dfm_.reserve(dfm_.size() + object_text_.size());
  std::size_t objects = 0;
  for (std::size_t i = 0; i < object_text_.size(); ++i) objects += TrimLeftBlanks(object_text_[i]).starts_with("object ");
  properties_.ReserveNames(objects);
  progress_.SetRange(ClampToInt(object_text_.size() - 1));
  ReadNextLine();
  BeginObject(std::string());
  // Whatever follows a block inside it and is not "end" opens a child; the
  // last input line ends every loop, so it is never read as a child.
  while (!open_objects_.empty()) {
    if (!FirstWordIs("END") && LinesRemain()) {
      BeginObject(open_objects_.back().class_name);
    } else {
      FinishObject();
    }
  }
}

// Writes the object's header and its property lines, and opens it.
void DfmConverter::BeginObject(std::string container_class) {
  // The name part keeps "object ": names are made unique with it, and the
  // header is written from it.
  std::string name(TrimBlanks(NamePart(current_line_)));
  std::string class_name(TrimBlanks(ValuePart(current_line_)));
  properties_.SetObjectFirstLine(first_output_line_ + line_index_);
  properties_.SetCurrentClass(kDefaultClass);
  properties_.MapClass(class_name);
  properties_.MakeUniqueName(name);

  if (SameText(container_class, kColumnClass)) {
    EmitLine("");  // a column's header or edit control: its lines join the column item
  } else if (SameText(container_class, kGridClass)) {
    EmitIndent();
    EmitLine("item");
  } else {
    EmitIndent();
    EmitLine(name + ": " + class_name);
  }

  ReadNextLine();
  ++indent_level_;
  while (!FirstWordIs("END") && !FirstWordIs("OBJECT") && LinesRemain()) {
    ConvertProperty(class_name);
    ReadNextLine();
  }
  // Left pending: it opens the first column's line, or the end line of a grid
  // without columns.
  if (SameText(class_name, kGridClass)) {
    EmitIndent();
    Emit("Columns = <");
  }
  open_objects_.push_back({std::move(class_name), std::move(container_class)});
}

// Writes the end line of the innermost open object and closes it.
void DfmConverter::FinishObject() {
  const OpenObject object = std::move(open_objects_.back());
  open_objects_.pop_back();
  --indent_level_;
  if (SameText(object.class_name, kGridClass)) Emit(">");
  if (!SameText(object.container_class, kColumnClass)) {
    EmitIndent();
    Emit("end");
  }
  EmitLine("");
  ReadNextLine();
}

void DfmConverter::ConvertProperty(std::string_view class_name) {
  EmitIndent();
  const std::size_t indent_end = pending_line_.size();
  try {
    // The assignment goes straight into the line after its indentation.
    if (properties_.AppendPropertyLine(current_line_, pending_line_) && SameText(class_name, kHeaderClass)) {
      pending_line_.insert(indent_end, "Title.");
    }
  } catch (const std::exception&) {
    // Only resource exhaustion gets here. The line is dropped, but still
    // written as its indentation so that every later line keeps its index.
    pending_line_.resize(indent_end);
  }
  EmitLine("");
}

void DfmConverter::ReadNextLine() {
  if (LinesRemain()) {
    current_line_ = TrimBlanks(object_text_[line_index_]);
  } else {
    current_line_.clear();
  }
  ++line_index_;
  progress_.ReportProgress(ClampToInt(line_index_));
}

// Keywords stand before the first space: pass 1 writes "object Name=Class".
bool DfmConverter::FirstWordIs(std::string_view word) const {
  const auto first_word = std::string_view(current_line_).substr(0, current_line_.find(' '));
  return !first_word.empty() && SameText(first_word, word);
}

}  // namespace

void ConvertToDfm(const TextList& object_text, TextList& dfm, ProgressSink& progress) {
  DfmConverter(ObjectTextSource(object_text), dfm, progress).Run();
}

void ConvertPackedToDfm(const PackedLines& object_text, TextList& dfm, ProgressSink& progress) {
  DfmConverter(ObjectTextSource(object_text), dfm, progress).Run();
}

}  // namespace quorvex
