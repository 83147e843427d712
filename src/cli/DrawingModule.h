#pragma once

// The way from zelvik-cli to its drawing module, the shared object that holds
// the commands needing Qt Gui. Loading Qt Gui costs more than most commands
// take, so only those commands pay for it.

#include "cli/CliCommands.h"

namespace zelvik::cli {

// The module's entry point, exported by name.
using DrawingEntry = int (*)(char* program, const char* command, int argc, const char* const* argv);
constexpr const char* kDrawingEntryName = "zelvik_cli_draw";

// main() hands over argv[0]: the module's Qt application needs it, and the
// module is found next to the program or in the library folder it installs to.
void rememberProgram(char* argv0);

// Runs `command` with `args` in the drawing module; says why on stderr and
// returns kRefused when the module can't be loaded.
int runInDrawingModule(const char* command, const Args& args);

} // namespace zelvik::cli
