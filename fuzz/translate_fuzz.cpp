// The code translator on arbitrary method code. Besides not crashing, it
// holds the translator to its promise: every line of the code stays, once
// and in order, and no more lines are translated than there are.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "translate/method_translation.h"

namespace {

// A form with a label, a text box, a check box and an option group of two
// buttons, whose code reaches each kind of property the translator maps.
const quorvex::FormObjects& Form() {
  static const quorvex::FormObjects form = [] {
    quorvex::FormObjects objects;
    objects.objects = {
        {"Form1", "Self", "TForm", {}, -1, {1, 2, 3, 4}, {{"Check", "FormCheck", false}}, {}},
        {"lblName", "lblName", "TLabel", {}, 0, {}, {}, {}},
        {"txtName", "txtName", "TEdit", {}, 0, {}, {}, {}},
        {"chkDone", "chkDone", "TCheckBox", {{"Value", "0"}}, 0, {}, {{"Click", "chkDoneClick", true}}, {}},
        {"opgKind", "opgKind", "TGroupBox", {}, 0, {5, 6}, {}, {}},
        {"Option1", "Option1", "TRadioButton", {}, 4, {}, {}, {}},
        {"Option2", "Option2", "TRadioButton", {}, 4, {}, {}, {}},
    };
    objects.class_names = {"lblName", "txtName", "chkDone",   "opgKind",
                           "Option1", "Option2", "FormCheck", "chkDoneClick"};
    return objects;
  }();
  return form;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view code(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end = code.find('\n'); end != std::string_view::npos; end = code.find('\n', start)) {
    lines.emplace_back(code.substr(start, end - start));
    start = end + 1;
  }
  lines.emplace_back(code.substr(start));
  std::set<std::string, quorvex::TextLess> taken = {"Sender"};
  const quorvex::MethodContext click = {.this_object = 3, .fox_name = "Click", .event = true, .last = true};
  const quorvex::MethodTranslation translation = quorvex::TranslateMethod(lines, Form(), click, taken);
  int next = 0;
  for (const quorvex::BodyLine& line : translation.lines) {
    if (line.source >= 0 && line.source != next++) std::abort();
  }
  if (next != static_cast<int>(lines.size()) || translation.translated_lines > translation.code_lines) std::abort();
  return 0;
}
