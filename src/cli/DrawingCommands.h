#pragma once

// The commands in zelvik-cli's drawing module: they draw with Qt Gui, in the
// QGuiApplication the module's entry point makes for them.

#include "cli/CliCommands.h"

namespace zelvik::cli {

int runImage(const Args& args);
int runSample(const Args& args);
// generate with Qt's painter; runGenerate decides when it is needed.
int runQtGenerate(const Args& args);

} // namespace zelvik::cli
