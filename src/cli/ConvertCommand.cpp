#include "cli/CliCommands.h"

namespace zelvik::cli {

int runConvert(const Args&) {
    printError("convert: not built yet");
    return kRefused;
}

} // namespace zelvik::cli
