#pragma once
// The code of one FoxPro method in Pascal, translated where its meaning is
// certain and kept as it is otherwise. Every line of the method stays, in
// order, as the comment it was; a statement translated is followed by its
// Pascal. A block (an IF with its branches, a DO CASE, a loop, a WITH) is
// translated whole or not at all. A statement that reads a variable which
// code left untranslated may have set is not translated, and neither is any
// statement after untranslated code that may RETURN.

#include <set>
#include <string>
#include <vector>

#include "base/ascii.h"
#include "translate/form_objects.h"

namespace quorvex {

// A line of the translated body, `depth` blocks deep: the comment that keeps
// FoxPro line `source` (blank where that line is blank), or Pascal.
struct BodyLine {
  int depth = 0;
  int source = -1;
  std::string pascal;
};

struct LocalVariable {
  std::string name;
  std::string type;  // Pascal
};

// Lines left untranslated for one reason ("variable not declared in the
// method"; "function not translated: GETLANGTEXT"; for the other lines of a
// block, "in a block not translated whole, for " and the reason of the line
// that kept it).
struct UntranslatedLines {
  std::string reason;
  int lines = 0;
};

enum class TranslationOutcome { kNoCode, kFull, kPartial, kNone };

struct MethodTranslation {
  std::vector<BodyLine> lines;
  std::vector<LocalVariable> locals;
  int code_lines = 0;  // lines of code: not comments, not blank
  int translated_lines = 0;
  std::vector<UntranslatedLines> untranslated;
  TranslationOutcome Outcome() const;
};

// Where the FoxPro method runs.
struct MethodContext {
  int this_object = -1;     // the object THIS is in `form`; -1 for none
  std::string fox_name;     // Click, Init, ...: which values of RETURN FoxPro uses
  bool event = false;       // FoxPro fires it: a handler of a Delphi event, or an Init
  // Pascal's Exit leaves only this method's code: it is the last FoxPro
  // method of its Delphi method.
  bool last = true;
};

// The code of the events that fire without a user's action is not
// translated: Delphi fires them in an order and at moments of its own
// (Activate, When and GotFocus as it shows the form, Resize too; a timer from
// the moment the form is loaded), and code that sets up the form may stay
// untranslated before them. The form's Load and Init and its objects' Init
// are the exception: the converted form runs them in FoxPro's order.
// `lines` are the method's code as UTF-8. `taken` holds the names the
// Delphi method has already given out (its parameters, the variables of the
// FoxPro methods before this one) and gets the names of this one's.
MethodTranslation TranslateMethod(const std::vector<std::string>& lines, const FormObjects& form,
                                  const MethodContext& context, std::set<std::string, TextLess>& taken);

}  // namespace quorvex
