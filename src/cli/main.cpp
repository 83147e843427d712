// zelvik-cli COMMAND ...: see usage() below.
#include "cli/CliCommands.h"

#include <QCoreApplication>

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
    "  export FONT.fnt --target bdf -o OUT.bdf\n"
    "      Write the font as a BDF font (no packing options).\n"
    "  import FONT.bdf [--identifier ID] [--version 1.0|2.0] -o OUT.fnt\n"
    "      Read a BDF font into a new font file (version 2.0 unless told).\n"
    "\n"
    "Exit status: 0 success, 1 input refused or output not written, 2 usage error.\n";

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // Qt's file classes want an application object
    using namespace zelvik::cli;
    if (argc < 2) {
        std::cerr << kUsageText;
        return kUsage;
    }
    const std::string command = argv[1];
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
    if (command == "import")
        return runImport(args);
    printError("unknown command '" + command + "'");
    std::cerr << kUsageText;
    return kUsage;
}
