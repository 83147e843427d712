#include "cli/CliCommands.h"

namespace zelvik::cli {

int runExport(const Args&) {
    printError("export: not built yet");
    return kRefused;
}

} // namespace zelvik::cli
