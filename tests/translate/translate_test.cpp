// The code translator: what it translates, what it leaves, and why. What the
// translated code does when it runs is the test translated_code's (Free
// Pascal programs, runtime/tests).

#include <gtest/gtest.h>

#include <algorithm>

#include "expression/fox_expression.h"
#include "translate/method_translation.h"

namespace quorvex::testing {
namespace {

// A form with a text box, a masked text box, a label and a check box.
FormObjects Form(bool double_byte = false) {
  FormObjects form;
  form.objects = {
      {"frmMain", "Self", "TForm", {}, -1, {1, 2, 3, 4}, {{"DoThing", "FormDoThing", false}}, {}},
      {"txtName", "txtName", "TEdit", {}, 0, {}, {}, {}},
      {"txtAmount", "txtAmount", "TEdit", {{"InputMask", "\"999.99\""}}, 0, {}, {}, {}},
      {"lblOut", "lblOut", "TLabel", {}, 0, {}, {}, {}},
      {"chkFlag", "chkFlag", "TCheckBox", {{"Value", "0"}}, 0, {}, {{"Click", "chkFlagClick", true}}, {}},
  };
  form.class_names = {"txtName", "txtAmount", "lblOut", "chkFlag", "FormDoThing", "chkFlagClick"};
  form.double_byte = double_byte;
  return form;
}

std::vector<std::string> Lines(std::string_view code) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= code.size()) {
    const std::size_t end = code.find('\n', start);
    lines.emplace_back(code.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return lines;
}

// The Click of the check box, unless said otherwise.
MethodTranslation Translate(std::string_view code, MethodContext context = {.this_object = 4, .fox_name = "Click",
                                                                             .event = true, .last = true},
                            const FormObjects& form = Form()) {
  std::set<std::string, TextLess> taken = {"Sender"};
  return TranslateMethod(Lines(code), form, context, taken);
}

// The Pascal lines alone, indented two blanks a block.
std::vector<std::string> Pascal(const MethodTranslation& translation) {
  std::vector<std::string> pascal;
  for (const BodyLine& line : translation.lines) {
    if (line.source < 0) pascal.push_back(std::string(static_cast<std::size_t>(2 * line.depth), ' ') + line.pascal);
  }
  return pascal;
}

int LinesFor(const MethodTranslation& translation, std::string_view reason) {
  for (const UntranslatedLines& lines : translation.untranslated) {
    if (lines.reason == reason) return lines.lines;
  }
  return 0;
}

TEST(Translate, EveryLineStaysInOrderWithThePascalOfItsStatementAfterIt) {
  const MethodTranslation translation = Translate(
      "* Greets\n\nIF THISFORM.chkFlag.Value = 1 && checked\n   THISFORM.lblOut.Caption = \"Hello, \" + ;\n"
      "      THISFORM.txtName.Value\nELSE\n   THIS.Caption = \"Bye\"\nENDIF");
  std::vector<int> sources;
  for (const BodyLine& line : translation.lines) {
    if (line.source >= 0) sources.push_back(line.source);
  }
  EXPECT_EQ(sources, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(Pascal(translation),
            (std::vector<std::string>{"if FoxCheckState(chkFlag) = 1 then", "begin",
                                      "  lblOut.Caption := FoxCaption('Hello, ' + txtName.Text);", "end", "else",
                                      "begin", "  chkFlag.Caption := FoxCaption('Bye');", "end;"}));
  // The Pascal of a statement comes after its last line.
  EXPECT_EQ(translation.lines[6].source, 4);
  EXPECT_EQ(translation.lines[7].pascal, "lblOut.Caption := FoxCaption('Hello, ' + txtName.Text);");
  EXPECT_EQ(translation.Outcome(), TranslationOutcome::kFull);
  EXPECT_EQ(translation.code_lines, 6);
  EXPECT_EQ(Translate("* only a comment\n").Outcome(), TranslationOutcome::kNoCode);
}

TEST(Translate, ABlockIsTranslatedWholeOrNotAtAll) {
  const MethodTranslation translation = Translate(
      "THISFORM.lblOut.Caption = \"a\"\nIF THISFORM.chkFlag.Value = 1\n   THISFORM.lblOut.Caption = \"b\"\n"
      "   SELECT customers\nENDIF\nTHISFORM.lblOut.Visible = .T.");
  EXPECT_EQ(Pascal(translation),
            (std::vector<std::string>{"lblOut.Caption := FoxCaption('a');", "lblOut.Visible := True;"}));
  EXPECT_EQ(translation.Outcome(), TranslationOutcome::kPartial);
  EXPECT_EQ(translation.translated_lines, 2);
  EXPECT_EQ(LinesFor(translation, "command not translated: SELECT"), 1);
  EXPECT_EQ(LinesFor(translation, "in a block not translated whole, for command not translated: SELECT"), 3);
  // Blocks that do not close leave the whole method as it is.
  const MethodTranslation open = Translate("IF .T.\n  THISFORM.lblOut.Caption = \"a\"");
  EXPECT_EQ(open.Outcome(), TranslationOutcome::kNone);
  EXPECT_EQ(LinesFor(open, "blocks that do not close"), 2);
}

TEST(Translate, NoStatementRestsOnCodeLeftUntranslated) {
  // A variable that untranslated code may set, and the code after an
  // untranslated RETURN.
  const MethodTranslation translation = Translate(
      "LOCAL lcName\nlcName = \"x\"\nlcName = GETNAME()\nTHISFORM.lblOut.Caption = lcName\n"
      "IF SEEK(lcName)\n  RETURN\nENDIF\nTHISFORM.lblOut.Visible = .F.");
  EXPECT_EQ(Pascal(translation), (std::vector<std::string>{"lcName := 'x';"}));
  EXPECT_EQ(LinesFor(translation, "function not translated: GETNAME"), 1);
  EXPECT_EQ(LinesFor(translation, "variable set by code not translated"), 1);
  EXPECT_EQ(LinesFor(translation, "after code not translated that may RETURN"), 1);
}

TEST(Translate, WhatIsNotCertainStaysUntranslated) {
  const FormObjects double_byte = Form(true);
  FormObjects with_include = Form();
  with_include.include_file = true;
  struct Row {
    const char* code;
    const char* reason;
    MethodContext context = {.this_object = 4, .fox_name = "Click", .event = true, .last = true};
    const FormObjects* form = nullptr;
  };
  const Row rows[] = {
      {"#DEFINE cnMax 5\nlnTotal = cnMax", "name that may be a constant"},
      {"lnTotal = ccTitle", "name that may be a constant",
       {.this_object = 4, .fox_name = "Click", .event = true, .last = true}, &with_include},
      {"lcName = GETNAME()\nTHISFORM.lblOut.Caption = lcName", "variable set by code not translated"},
      {"SCATTER MEMVAR\nTHISFORM.lblOut.Caption = m.cName", "variable set by code not translated"},
      {"LOCAL a\na = \"x\" < \"y\"", "order of strings"},
      {"LOCAL a\na = IIF(.T., 1, 1 / 0)", "IIF with a value that may fail"},
      {"LOCAL a\na = TRANSFORM(1.5)", "TRANSFORM of a value whose decimals are not known"},
      {"THISFORM.txtAmount.Value = \"1\"", "property or method whose meaning depends on settings: Value"},
      {"THISFORM.lblOut.ForeColor = 1.5", "number where a whole number is needed"},
      {"LOCAL a\na = THISFORM.lblOut.ForeColor", "property not translated: ForeColor"},
      {"RETURN .F.", "RETURN of a value", {.this_object = 4, .fox_name = "Valid", .event = true, .last = true}},
      {"RETURN", "RETURN in a Delphi method that other FoxPro methods share",
       {.this_object = 4, .fox_name = "Click", .event = true, .last = false}},
      {"&lcCommand", "command not translated: &"},
      {"LOCAL a\na = THISFORM.&lcName", "syntax not understood"},
      {"LOCAL a[3]", "array"},
      {"DODEFAULT()", "function not translated: DODEFAULT"},
      {"THIS.Value = 1", "THIS of an object that is no control", {.fox_name = "Click", .event = true, .last = true}},
      {"LOCAL p\nPRIVATE p", "variable declared twice"},
      {"THISFORM.Release", "built-in method with FoxPro code of its own"},
      {"THISFORM.lblOut.Caption = \"a\"", "event Delphi fires at moments of its own: Activate",
       {.this_object = 0, .fox_name = "Activate", .event = true, .last = true}},
      {"LOCAL a\na = LEN(\"ab\")", "string length in a double-byte code page",
       {.this_object = 4, .fox_name = "Click", .event = true, .last = true}, &double_byte},
  };
  for (const Row& row : rows) {
    FormObjects released = Form();
    released.objects[0].other_methods.push_back("Release");
    const FormObjects& form = row.form != nullptr ? *row.form : released;
    const MethodTranslation translation = Translate(row.code, row.context, form);
    EXPECT_GE(LinesFor(translation, row.reason), 1) << row.code;
    EXPECT_NE(translation.Outcome(), TranslationOutcome::kFull) << row.code;
  }
}

// As long as the reader takes a statement, the translator's walk over it
// stays within the stack.
// Every tree is walked by recursion: the highest one the parser gives must
// translate within the 1 MB of stack a thread has on Windows, and one higher,
// or a longer statement, is left with its reason.
TEST(Translate, TheHighestExpressionsFitInAThreadsStack) {
  const auto sum = [](int terms) {
    std::string code = "LOCAL a\na = 1";
    for (int term = 1; term < terms; ++term) code += "+1";
    return code;
  };
  const std::string run = "LOCAL a\na = " + std::string(kMaxExpressionHeight - 1, '-') + "1";
  for (const std::string& code : {run, sum(kMaxExpressionHeight)})
    EXPECT_EQ(Translate(code).Outcome(), TranslationOutcome::kFull);
  EXPECT_EQ(LinesFor(Translate(sum(kMaxExpressionHeight + 1)), "expression nested too deeply"), 1);
  EXPECT_EQ(LinesFor(Translate(sum(kMaxStatementTokens / 2)), "statement too long"), 1);
}

TEST(Translate, VariablesHaveTheTypeOfEveryValueTheyGet) {
  const MethodTranslation translation = Translate(
      "LOCAL lnCount, lnPrice, lcName, lvAny, llSeen, Caption, begin\nlnCount = 1\nlnCount = lnCount + 2\n"
      "lnPrice = 1\nlnPrice = lnPrice / 3\nlcName = \"a\"\nlvAny = 1\nlvAny = \"b\"\nIF !llSeen\nENDIF\n"
      "Caption = 1\nbegin = Caption");
  std::vector<std::string> locals;
  for (const LocalVariable& local : translation.locals) locals.push_back(local.name + ": " + local.type);
  EXPECT_EQ(locals, (std::vector<std::string>{"lnCount: Int64", "lnPrice: Double", "lcName: string",
                                              "lvAny: Variant", "llSeen: Boolean", "Caption_: Int64",
                                              "begin_: Int64"}));
  const std::vector<std::string> pascal = Pascal(translation);
  // Only a variable read before the method sets it starts as FoxPro's .F.
  EXPECT_EQ(pascal.front(), "llSeen := False;");
  EXPECT_TRUE(std::find(pascal.begin(), pascal.end(), "lvAny := 'b';") != pascal.end());
  EXPECT_TRUE(std::find(pascal.begin(), pascal.end(), "begin_ := Caption_;") != pascal.end());
}

TEST(Translate, FoxProsSpellingsOfTheSameCode) {
  const MethodTranslation translation = Translate(
      "LOCAL a\na = \"\"\n"
      "note a comment ;\n  that goes on\nDO CASE\nCASE \"&&\" # \"x\" .AND. !.F.\n  m.a = ALLT(\"[ x ]\")\n"
      "OTHE\n  a = [it's]\nENDC\nIF a != \"y\" THEN\n  a = 'b'\nENDI");
  EXPECT_EQ(Pascal(translation),
            (std::vector<std::string>{"a := '';", "if not FoxStrEq('&&', 'x') and not False then", "begin",
                                      "  a := FoxAllTrim('[ x ]');", "end", "else", "begin", "  a := 'it''s';",
                                      "end;", "if not FoxStrEq(a, 'y') then", "begin", "  a := 'b';", "end;"}));
}

// PRIVATE, PUBLIC and undeclared variables are FoxRuntime's, released when
// the method that made them returns, however it returns; a name read
// without m. may be a field.
TEST(Translate, VariablesNotLocalLiveInTheRuntime) {
  const MethodTranslation translation = Translate(
      "PRIVATE lcName\nlcName = \"x\"\nSTORE 0 TO lnA, m.lnB\nPUBLIC gnTotal\nFOR i = 1 TO 3\n"
      "  lnA = lnA + i\nENDFOR\nTHISFORM.lblOut.Caption = m.lcName");
  EXPECT_EQ(Pascal(translation),
            (std::vector<std::string>{"ScopeMark := FoxEnterScope;", "try", "  FoxPrivate(['LCNAME']);",
                                      "  FoxSetVar('LCNAME', 'x');", "  FoxSetVar('LNA', 0);",
                                      "  FoxSetVar('LNB', FoxMemVar('LNA'));", "  FoxPublic(['GNTOTAL']);",
                                      "  FoxSetVar('I', 1);", "  while FoxAsNumber(FoxMemVar('I')) <= 3 do",
                                      "  begin", "    FoxSetVar('LNA', FoxAdd(FoxVar(Self, 'LNA'), FoxVar(Self, 'I')));",
                                      "    FoxSetVar('I', FoxAsNumber(FoxMemVar('I')) + 1);", "  end;",
                                      "  lblOut.Caption := FoxCaption(FoxAsString(FoxMemVar('LCNAME')));", "finally",
                                      "  FoxLeaveScope(ScopeMark);", "end;"}));
  EXPECT_EQ(translation.locals.size(), 1u);
  // Reading alone makes no scope.
  EXPECT_EQ(Pascal(Translate("THISFORM.lblOut.Caption = lcName")),
            (std::vector<std::string>{"lblOut.Caption := FoxCaption(FoxAsString(FoxVar(Self, 'LCNAME')));"}));
}

// Delphi takes string literals of 255 characters and lines of limited
// length: longer ones are cut where Pascal allows, literals in pieces of 100.
TEST(Translate, LongStringsAndLinesFitDelphi) {
  const std::string text(300, 'x');
  const std::vector<std::string> pascal =
      Pascal(Translate("THISFORM.lblOut.Caption = \"" + text + "\" + \"\xC3\xA9\" + THISFORM.txtName.Value"));
  std::string joined;
  for (const std::string& line : pascal) {
    EXPECT_LE(line.size(), 120u) << line;
    joined += line.substr(line.find_first_not_of(' ')) + " ";
  }
  EXPECT_EQ(joined, "lblOut.Caption := FoxCaption('" + text.substr(0, 100) + "' + '" + text.substr(100, 100) +
                        "' + '" + text.substr(200) + "' + '\xC3\xA9' + txtName.Text); ");
  EXPECT_EQ(pascal[1].substr(0, 4), "    ");
}

}  // namespace
}  // namespace quorvex::testing
