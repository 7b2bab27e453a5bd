#pragma once
// The translator of one FoxPro method behind TranslateMethod, in three files:
// method_translator.cpp walks the blocks and writes the body,
// statement_translator.cpp translates single statements, and
// variable_types.cpp declares the variables and works out their types.

#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "expression/fox_expression.h"
#include "translate/code_blocks.h"
#include "translate/expression_translator.h"
#include "translate/method_scope.h"
#include "translate/method_translation.h"

namespace quorvex {

class MethodTranslator {
 public:
  MethodTranslator(const std::vector<std::string>& lines, const FormObjects& form, const MethodContext& context,
                   std::set<std::string, TextLess>& taken);

  MethodTranslation Run();

 private:
  // A loop being translated: FOR's step statement, which LOOP runs before it
  // goes on, "" for DO WHILE.
  struct Loop {
    std::string step;
  };
  // Where the output stands, to go back to when a block fails.
  struct Mark {
    std::size_t lines;
    std::size_t next_source;
    std::size_t locals;
  };

  // method_translator.cpp
  // Keeps every line as it is, each line of code counted under `reason`
  // (on an empty body).
  void LeaveAll(const std::string& reason);
  void TopLevel(const std::vector<CodeNode>& nodes);
  // A node translated; where it is not, failed_ names the statement that
  // kept it (unless an inner one already did).
  Done Node(const CodeNode& node, int depth);
  Done Block(const CodeNode& node, int depth);
  Done Nodes(const std::vector<CodeNode>& nodes, int depth);
  Done IfBlock(const CodeNode& node, int depth);
  Done CaseBlock(const CodeNode& node, int depth);
  Done WhileBlock(const CodeNode& node, int depth);
  Done WithBlock(const CodeNode& node, int depth);
  void Untranslated(const CodeNode& node, const std::string& reason, int depth);
  void Comment(const FoxStatement& statement, int depth);
  void Code(std::string text, int depth);
  void Flush(std::size_t up_to, int depth);
  Mark Here() const { return {result_.lines.size(), next_source_, result_.locals.size()}; }
  void GoBack(const Mark& mark);
  // Encloses the body in a scope of FoxRuntime's variables where it makes
  // any, so that they go however the method returns.
  void EncloseInScope();
  // Where the method may read constants, the names it sets (set_names).
  void GatherSetNames();
  // The condition of an IF, CASE or DO WHILE line: the tokens from `skip`
  // words on.
  Translated<std::string> Condition(const FoxStatement& statement, int skip);
  const std::vector<Token>& TokensOf(const FoxStatement& statement) const;
  // What the reader did not read is not translated, for the same reason.
  static NotTranslated Unread(const FoxParser& parser);

  // statement_translator.cpp
  Done Simple(const FoxStatement& statement, int depth);
  // A call, or an assignment, as one Pascal statement.
  Done Statement(const FoxStatement& statement, const Translated<std::string>& text, int depth);
  Done Declaration(const FoxStatement& statement, int depth);
  Done RuntimeDeclaration(const FoxStatement& statement, int depth);
  Done Return(const std::vector<Token>& tokens, int depth);
  Done Store(const std::vector<Token>& tokens, int depth);
  Done Wait(const std::vector<Token>& tokens, int depth);
  Done Set(const std::vector<Token>& tokens, int depth);
  // The Pascal of `expression` as a value of `type`.
  Translated<std::string> ValueAs(const FoxExpr& expression, PasType type);
  Done ForBlock(const CodeNode& node, int depth);

  // variable_types.cpp
  // The names a LOCAL, PRIVATE or PUBLIC line declares; not for arrays and
  // others.
  static Translated<std::vector<std::string>> DeclaredNames(const std::vector<Token>& tokens);
  void WorkOutTypes(const std::vector<CodeNode>& nodes);
  void GatherAssignments(const std::vector<CodeNode>& nodes, bool& changed);
  // The assignments of one node's own line; false where it is not read, and
  // neither are the nodes it holds.
  bool GatherFrom(const CodeNode& node, bool& changed);
  // The type of the value the parser reads next.
  Translated<PasType> ValueType(FoxParser& parser);
  void Assigned(const FoxExpr& target, PasType type, bool& changed);
  bool SetBeforeRead(const std::vector<CodeNode>& nodes, const std::string& name) const;
  bool NodeMentions(const CodeNode& node, std::string_view name) const;
  std::string NewName(const std::string& wanted);
  void Taint(const CodeNode& node);

  const std::vector<std::string>& lines_;
  const FormObjects& form_;
  const MethodContext& context_;
  std::set<std::string, TextLess>& taken_;
  MethodScope scope_;
  ExpressionTranslator expressions_;
  std::vector<FoxStatement> statements_;
  std::vector<std::vector<Token>> tokens_;  // of each statement
  MethodTranslation result_;
  std::size_t next_source_ = 0;
  std::vector<Loop> loops_;
  // The types worked out for the variables the method declares, and whether
  // each starts as FoxPro's .F. (read before the method sets it).
  std::map<std::string, Variable, TextLess> declared_;
  std::set<std::string, TextLess> start_false_;
  const FoxStatement* failed_ = nullptr;  // the statement whose translation failed
  int hidden_count_ = 0;
};

}  // namespace quorvex
