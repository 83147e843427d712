// zelvik-cli COMMAND ...: see usage() below.
#include "cli/CliCommands.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstring>
#include <iostream>
#include <memory>

namespace {

const char* const kUsageText =
    "Usage: zelvik-cli COMMAND [ARGS]\n"
    "\n"
    "Commands:\n"
    "  info FONT.fnt\n"
    "      Print the font's version, identifier, sizes and defined characters.\n"
    "  convert FONT.fnt --version 1.0|2.0 -o OUT.fnt\n"
    "      Write the font in the chosen file version.\n"
    "  export FONT.fnt --target c51|avr|c --bytes vertical|horizontal [OPTIONS] -o OUT\n"
    "      Write the font as 8051 or AVR assembler, or as C with its header.\n"
    "      Vertical options: --top-side-to-msb --right-side-first\n"
    "      Horizontal options: --right-side-to-lsb --bottom-side-first\n"
    "      Both: --align-to-msb --invert-colors --big-endian\n"
    "  image FONT.fnt -o CHARS.bmp\n"
    "      Write the picture of all 256 codes, 640 by 640, 1 bit per pixel (BMP).\n"
    "  sample FONT.fnt --text TEXT [--scale N] -o STRIP.png\n"
    "      Write the sample strip for TEXT (Windows-1250, at most 128 characters)\n"
    "      as a PNG picture of 762 by 50 pixels, each pixel N by N (1-16, default 1).\n"
    "\n"
    "Exit status: 0 success, 1 input refused or output not written, 2 usage error.\n";

// Qt's own notes (a missing runtime folder, font substitutions) are no
// business of a script reading our stderr; real failures come back as Results.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "zelvik-cli: " << message.toLocal8Bit().constData() << '\n';
}

} // namespace

int main(int argc, char** argv) {
    using namespace zelvik::cli;
    const std::string command = argc < 2 ? std::string() : std::string(argv[1]);
    // Qt's file classes want an application object; the commands that draw
    // text and pictures want a QGuiApplication, which never needs a display
    // on the offscreen platform. Qt sees only the program name, so that no
    // word of ours is taken for one of its own options (-platform, -reverse).
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    qInstallMessageHandler(quietQtMessages);
    std::unique_ptr<QCoreApplication> app;
    if (command == "image" || command == "sample") {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(qtArgc, qtArgv);
    } else {
        app = std::make_unique<QCoreApplication>(qtArgc, qtArgv);
    }
    if (argc < 2) {
        std::cerr << kUsageText;
        return kUsage;
    }
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsageText;
        return kSuccess;
    }
    Args args(argv + 2, argv + argc);
    if (command == "info")
        return runInfo(args);
    if (command == "convert")
        return runConvert(args);
    if (command == "export")
        return runExport(args);
    if (command == "image")
        return runImage(args);
    if (command == "sample")
        return runSample(args);
    printError("unknown command '" + command + "'");
    std::cerr << kUsageText;
    return kUsage;
}
