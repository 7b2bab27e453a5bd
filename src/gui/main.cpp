// quorvex: the desktop program. Everything but the process lives in
// RunDesktopProgram.

#include "gui/desktop_program.h"

int main(int argc, char** argv) { return quorvex::RunDesktopProgram(argc, argv); }
