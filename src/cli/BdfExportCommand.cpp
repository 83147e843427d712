// zelvik-cli export FONT.fnt --target bdf -o OUT.bdf: the font as a BDF font.
// BDF holds pixels, not packed bytes, so the packing options have no meaning
// here and are refused rather than ignored.
#include "cli/ExportCommand.h"

#include "font/BdfFile.h"

#include <QFile>

namespace zelvik::cli {

bool wantsBdfTarget(const Args& args) {
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--target" && args[i + 1] == "bdf")
            return true;
    }
    return false;
}

int runBdfExport(const Args& args, const FontLoader& load) {
    std::string fontPath;
    std::string output;
    bool haveTarget = false;
    bool haveOutput = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--target" || arg == "-o") {
            if (i + 1 >= args.size()) {
                printError("export: " + arg + " needs a value");
                return kUsage;
            }
            bool& given = arg == "-o" ? haveOutput : haveTarget;
            if (given) {
                printError("export: " + arg + " given twice");
                return kUsage;
            }
            given = true;
            if (arg == "-o")
                output = args[i + 1];
            ++i;
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-') {
            printError("export: --target bdf takes no packing options ('" + arg + "')");
            return kUsage;
        }
        if (!fontPath.empty()) {
            printError("export: more than one font file given");
            return kUsage;
        }
        fontPath = arg;
    }
    if (fontPath.empty()) {
        printError("export: no font file given");
        return kUsage;
    }
    if (output.empty()) {
        printError("export: -o OUT is required");
        return kUsage;
    }

    FontModel font;
    if (const Result read = load(fontPath, font); !read) {
        printError(read);
        return kRefused;
    }
    if (const Result written =
            exportBdfFile(QFile::decodeName(output.c_str()), font, font.fontIdentifier);
        !written) {
        printError(written);
        return kRefused;
    }
    return kSuccess;
}

} // namespace zelvik::cli
