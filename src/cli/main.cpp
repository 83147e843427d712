// zelvik-cli COMMAND ...: see usage() below.
#include "cli/CliCommands.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <cstring>
#include <iostream>

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
    "  generate (--family NAME | --font-file FILE.ttf|.otf) --pixel-size N [OPTIONS]\n"
    "           --identifier ID [--version 2.0] -o OUT.fnt\n"
    "      Render a font into a new font file, as the editor's \"Generate font\" does.\n"
    "      --codes LIST      comma list of letters, digits, specials, high\n"
    "                        (default letters,digits,specials: 0x20-0x7F)\n"
    "      --high-codes all|czech   which of 0x80-0xFF 'high' renders (default all)\n"
    "      --bold --italic   the face's style\n"
    "      --no-align        keep every character's left bearing\n"
    "      --align-digits    align 0-9 left like the rest\n"
    "      --no-min-x-size   every character 32 pixels wide\n"
    "      --y-offset N      move the characters down by N pixels (-32..32, default 0)\n"
    "\n"
    "Exit status: 0 success, 1 input refused or output not written, 2 usage error.\n";

// Qt's own notes (a runtime folder it had to guess, a font it looked for) mean
// nothing to a user of the command line; its errors still show.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "zelvik-cli: " << message.toLocal8Bit().constData() << '\n';
}

} // namespace

int main(int argc, char** argv) {
    using namespace zelvik::cli;
    // Taken before Qt sees the command line: Qt removes the options it knows.
    Args args(argv + std::min(argc, 2), argv + argc);
    if (argc >= 2 && std::strcmp(argv[1], "generate") == 0) {
        // Fonts and painting need a GUI application, but never a display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(quietQtMessages);
        QGuiApplication app(argc, argv);
        return runGenerate(args);
    }
    QCoreApplication app(argc, argv); // Qt's file classes want an application object
    if (argc < 2) {
        std::cerr << kUsageText;
        return kUsage;
    }
    const std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsageText;
        return kSuccess;
    }
    if (command == "info")
        return runInfo(args);
    if (command == "convert")
        return runConvert(args);
    if (command == "export")
        return runExport(args);
    printError("unknown command '" + command + "'");
    std::cerr << kUsageText;
    return kUsage;
}
