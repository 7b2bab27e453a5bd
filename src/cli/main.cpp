#include <CLI/CLI.hpp>

int main(int argc, char** argv) {
  CLI::App app{"quorvex-convert: converts Visual FoxPro forms (.scx) into Delphi forms (.dfm, .pas)"};
  CLI11_PARSE(app, argc, argv);
  return 0;
}
