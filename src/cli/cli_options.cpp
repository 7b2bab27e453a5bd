#include "cli/cli_options.h"

#include <CLI/CLI.hpp>
#include <algorithm>

#include "base/ascii.h"

namespace quorvex {

namespace {

constexpr const char* kDescription =
    "quorvex-convert converts Visual FoxPro forms (.scx with their .sct memo files) into Delphi\n"
    "forms: a .dfm form text and a .pas unit per form, written into the output directory.\n"
    "Input files are only read. Each report line starts with the time (HH:MM:SS).\n";

constexpr const char* kFooter =
    "Exit status: 0 done, 3 done with warnings (a step of some form failed and was passed over;\n"
    "see the \"Warning:\" lines), 1 the run ended early (a table that cannot be opened, an output\n"
    "directory that cannot be created, Ctrl+C), 2 usage error (also: two inputs that would be\n"
    "saved under the same name). After a run, a summary line goes to stderr.\n\n"
    "Stages (--stage) print one intermediate of a single input instead of converting:\n"
    "  records  the table's records (text and memo fields, control bytes as \\xHH)\n"
    "  data     any table (a .dbf, .dbc): its fields and every record's typed values\n"
    "  tree     the object tree (indented node texts, TAB, record reference)\n"
    "  objtext  the object text of pass 1        rawdfm  the DFM text of pass 2\n"
    "  pas      the unit                          dfm     the .dfm file's text (canonical)\n"
    "With --from objtext or --from dfm the input is such a text instead of a form.\n"
    "With --loadable, tree, objtext, rawdfm, pas and dfm print the loadable mode's texts\n"
    "(every form of a form set, one after the other), with class-library objects resolved, and\n"
    "  translation  each FoxPro method's code: how much is translated, why the rest is not";

bool StageAccepts(const std::string& from, const std::string& stage) {
  static const std::vector<std::string> kFromScx = {"records", "data", "tree", "objtext",
                                                    "rawdfm",  "pas",  "dfm",  "translation"};
  static const std::vector<std::string> kFromObjtext = {"rawdfm", "pas", "dfm"};
  static const std::vector<std::string> kFromDfm = {"pas", "dfm"};
  const auto& allowed = from == "scx" ? kFromScx : from == "objtext" ? kFromObjtext : kFromDfm;
  return std::find(allowed.begin(), allowed.end(), stage) != allowed.end();
}

// Checks CLI11 cannot express: combinations of options.
std::string CombinationError(const CliOptions& options) {
  if (options.loadable && options.from != "scx") return "--loadable converts forms only, not --from " + options.from;
  if (!options.library_folders.empty() && !options.loadable) return "-L needs --loadable";
  if (!options.project.empty() && !options.loadable) return "--project needs --loadable";
  const bool project_input = std::any_of(options.inputs.begin(), options.inputs.end(), [](const std::string& input) {
    return input.size() > 4 && SameText(std::string_view(input).substr(input.size() - 4), ".pjx");
  });
  if (project_input && !options.loadable && options.stage.empty()) return "a project file (.pjx) needs --loadable";
  if (options.stage.empty()) {
    if (options.from != "scx") return "--from needs --stage";
    return {};
  }
  if (!options.report_json.empty()) return "--report-json cannot be used with --stage";
  if (options.stage == "translation" && !options.loadable) return "--stage translation needs --loadable";
  if (options.inputs.size() != 1) return "--stage takes exactly one input file";
  if (!StageAccepts(options.from, options.stage))
    return "--stage " + options.stage + " cannot start from --from " + options.from;
  return {};
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CliOptions options;
  CLI::App app{kDescription, "quorvex-convert"};
  app.footer(kFooter);
  app.set_version_flag("--version", std::string("quorvex-convert ") + QUORVEX_VERSION);
  app.add_option("INPUT", options.inputs,
                 ".scx files, folders whose .scx files are converted, or (with --loadable) FoxPro project files\n"
                 "(.pjx), which stand for the forms they list")
      ->required();
  app.add_option("-o,--output", options.output_directory,
                 "Output directory (created if missing); default: next to the first input, named after it")
      ->type_name("DIR");
  app.add_flag("-k,--keep-going", options.keep_going,
               "A form whose table cannot be opened gets a warning line and the run goes on");
  app.add_flag("-r,--recursive", options.recursive, "Search folders given as inputs in their subfolders too; each form's files go to the same\n"
               "subfolder of the output directory");
  app.add_option("-j,--jobs", options.jobs, "Convert N files at once on N threads (same report and files)")
      ->type_name("N")
      ->check(CLI::Range(1, 256));
  app.add_flag("-q,--quiet", options.quiet, "Leave out the report lines and the summary");
  app.add_option("--stage", options.stage, "Print one stage of a single input (see below)")
      ->type_name("STAGE")
      ->check(CLI::IsMember({"records", "data", "tree", "objtext", "rawdfm", "pas", "dfm", "translation"}));
  app.add_option("--from", options.from, "What the input is: scx (default), objtext or dfm")
      ->type_name("KIND")
      ->check(CLI::IsMember({"scx", "objtext", "dfm"}));
  app.add_option("--codepage", options.code_page,
                 "Code page for cutting long strings in the .dfm (932, 936, 949, 950; 0 = single-byte);\n"
                 "with --loadable, the code page strings are decoded from (0, and a code page no table is\n"
                 "marked with, = 1252); default: the form's code page mark")
      ->type_name("N");
  app.add_option("--report-json", options.report_json,
                 "Also write what the run did as a JSON document to FILE")
      ->type_name("FILE");
  app.add_flag("--loadable", options.loadable,
               "Write forms that a form designer loads and that look like the FoxPro forms: real classes\n"
               "(class libraries resolved), published properties only, FoxPro's defaults and fonts, constant\n"
               "values, methods as event handlers with their code as comments and translated where its meaning is\n"
               "certain (FoxRuntime.pas beside the units), strings as characters, a pair of files per form of a\n"
               "form set, the rest kept as comments");
  app.add_option("-L", options.library_folders,
                 "With --loadable: also look for class libraries (.vcx) in DIR and its subfolders, when a form's\n"
                 "CLASSLOC leads to none (repeatable)")
      ->type_name("DIR")
      ->expected(1)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
      ->check(CLI::ExistingDirectory.description(""));
  app.add_option("--project", options.project,
                 "With --loadable: also write NAME.lpr, NAME.lpi (Lazarus) and NAME.dpr (Delphi) in the output\n"
                 "folder, a program of every unit written, and the tables the project and its forms name as\n"
                 "NAME.sqlite (SQLite, which the program opens and its forms read through FoxData.pas) and\n"
                 "NAME.sql (SQL for SQLite and PostgreSQL); a .pjx input names the project without it")
      ->type_name("NAME");

  ParsedCommandLine result;
  try {
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    app.parse(reversed);
  } catch (const CLI::ParseError& error) {
    if (error.get_exit_code() == 0) {
      out << (dynamic_cast<const CLI::CallForVersion*>(&error) ? error.what() : app.help()) << '\n';
      result.exit_status = 0;
    } else {
      err << "quorvex-convert: " << error.what() << "\nRun with --help for more information.\n";
      result.exit_status = 2;
    }
    return result;
  }
  if (const std::string problem = CombinationError(options); !problem.empty()) {
    err << "quorvex-convert: " << problem << "\nRun with --help for more information.\n";
    result.exit_status = 2;
    return result;
  }
  result.options = std::move(options);
  return result;
}

}  // namespace quorvex
