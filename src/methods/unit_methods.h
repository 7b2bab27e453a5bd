#pragma once
// The parts of a loadable unit that hold a form's methods: their
// declarations in the form class, their bodies (the FoxPro code as
// comments), and the form's Loaded, which makes what only the LCL has and
// the FoxPro settings FoxRuntime makes, and its DoCreate, which opens the
// form's tables.

#include <string>
#include <string_view>
#include <vector>

#include "base/text_list.h"
#include "model/component_model.h"

namespace quorvex {

// The parameter list of a handler of `event_type` ("(Sender: TObject)"), the
// same in Delphi and the LCL; "" for a plain method.
std::string_view ParametersOf(std::string_view event_type);

// "    procedure NAME(PARAMETERS);" for every handler of the form (`handlers`
// true) or every plain method, components in the order of the text.
TextList MethodDeclarations(const Component& form, bool handlers);

// True when a handler of the form takes a type the unit Types declares.
bool NeedsTypesUnit(const Component& form);

// True when the form needs a Loaded of its own: settings or events only the
// LCL has, or settings FoxRuntime makes.
bool NeedsLoaded(const Component& form);

// True when the form opens tables of its data environment through FoxData.
bool OpensData(const Component& form);

// True when the form needs a DoCreate of its own: its own properties take
// their values there, and its tables are opened, before FoxPro's Load; its
// objects' Init run there where the form has no OnCreate handler, which
// otherwise runs them after FoxPro's Load and before the form's Init.
bool NeedsDoCreate(const Component& form);

// The name of the method that runs FoxPro's Init of every object of the
// form in FoxPro's order (ObjectInits); no component takes it.
inline constexpr std::string_view kInitObjectsMethod = "InitObjects";

// The plain methods that hold FoxPro's Init of the form's objects, in the
// order FoxPro fires them as it makes the form: an object's members before
// the object, objects in the order of the form.
std::vector<std::string> ObjectInits(const Component& form);

// True when the form or a component of it has properties its classes add.
bool HasCustomProperties(const Component& form);

// The declarations of the fields that hold the properties the form's and its
// components' classes add (comments decoded from `code_page`).
TextList CustomPropertyFields(const Component& form, int code_page);

// The first line of the body of a method whose FoxPro code is not all
// translated.
inline constexpr std::string_view kNotFullyTranslated = "// TODO: FoxPro code below is not fully translated";

// The implementation of every method, Loaded and DoCreate first where the form
// needs them.
// The FoxPro code of each method stands in comments, one per line, decoded
// from `code_page` into UTF-8, each line translated followed by its Pascal.
TextList MethodBodies(const Component& form, int code_page);

// `text` in a comment of its own that no character of it can end: in braces,
// between "(*" and "*)" where it holds a closing brace, after "//" where it
// holds both. Control characters other than the tab become blanks.
std::string LineComment(std::string_view text);

}  // namespace quorvex
