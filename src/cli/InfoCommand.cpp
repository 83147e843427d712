#include "cli/CliCommands.h"

namespace zelvik::cli {

int runInfo(const Args&) {
    printError("info: not built yet");
    return kRefused;
}

} // namespace zelvik::cli
