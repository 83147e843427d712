// The entry point of zelvik-cli's drawing module (see DrawingModule.h).
#include "cli/DrawingCommands.h"

#include <QGuiApplication>

#include <cstring>

extern "C" Q_DECL_EXPORT int zelvik_cli_draw(char* program, const char* command, int argc,
                                             const char* const* argv) {
    using namespace zelvik::cli;
    // Qt sees only the program name, so that no word of ours is taken for one
    // of its own options (-platform, -reverse). The offscreen platform draws
    // without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    char* qtArgv[] = {program, nullptr};
    const QGuiApplication app(qtArgc, qtArgv);

    const Args args(argv, argv + argc);
    if (std::strcmp(command, "image") == 0)
        return runImage(args);
    if (std::strcmp(command, "sample") == 0)
        return runSample(args);
    if (std::strcmp(command, "generate") == 0)
        return runQtGenerate(args);
    printError(std::string("the drawing module has no command '") + command + "'");
    return kUsage;
}
