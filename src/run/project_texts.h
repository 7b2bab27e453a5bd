#pragma once
// The project files of a converted application: a Lazarus program (.lpr) and
// project (.lpi), and a Delphi program (.dpr), listing every unit a run wrote.
// The program creates the main form when it starts; the other forms are
// listed so that the form designers know them.

#include <cstddef>
#include <string>
#include <vector>

#include "base/text_list.h"

namespace quorvex {

// One unit of the project: its name, its path below the project's folder
// ("sub/U0001_main.pas", "/" between folders), the form class it declares and
// the variable of that class.
struct ProjectUnit {
  std::string unit_name;
  std::string relative_path;
  std::string form_class;
  std::string form_variable;
};

// The table a cursor of the forms of `unit_name` asks for as `wanted`, which
// the application's database holds as `table` (FoxData's NameTable).
struct RenamedTable {
  std::string unit_name;
  std::string wanted;
  std::string table;
};

// A project named `program` (an identifier no unit has) of `units`, whose
// `main_unit`th form the program creates at start; `units` is not empty.
struct ProjectTexts {
  std::string program;
  std::vector<ProjectUnit> units;
  std::size_t main_unit = 0;
  // The path of the FoxRuntime unit that translated code uses, below the
  // project's folder; "" when no unit uses it.
  std::string runtime_path = {};
  // The same of FoxData, through which the forms open their tables; "" when
  // the program opens no database.
  std::string data_path = {};
  // The application's database the program opens before its first form,
  // beside it ("NAME.sqlite"); "" for none.
  std::string database = {};
  // Tables the database holds under other names than the forms ask for.
  std::vector<RenamedTable> renamed_tables = {};
};

TextList LazarusProgram(const ProjectTexts& project);
TextList LazarusProjectFile(const ProjectTexts& project);
TextList DelphiProgram(const ProjectTexts& project);

// The program's identifier for a project called `name`: a Pascal identifier
// that is not the name of one of `units`.
std::string ProgramIdentifier(const std::string& name, const std::vector<ProjectUnit>& units);

}  // namespace quorvex
